// The debug build's TRACE and ASSERT; see AfxDefs.h.
#include "framework/AfxDefs.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cwchar>

namespace
{

std::atomic<AFX_ASSERT_HOOK> g_pfnAssertHook{nullptr};

// One line of debugger output; longer texts are cut, never overrun.
const size_t kTraceChars = 1024;

} // namespace

AFX_ASSERT_HOOK AFXAPI AfxSetAssertHook(AFX_ASSERT_HOOK pfnHook)
{
    return g_pfnAssertHook.exchange(pfnHook);
}

void AFXAPI AfxAssertFailedLine(const char* lpszFileName, int nLine, const char* lpszExpression)
{
    AFX_ASSERT_HOOK pfnHook = g_pfnAssertHook.load();
    if (pfnHook != nullptr)
    {
        pfnHook(lpszFileName, nLine, lpszExpression);
        return;
    }
    char text[kTraceChars];
    std::snprintf(text, sizeof(text), "%s(%d): ASSERT failed: %s\n", lpszFileName, nLine, lpszExpression);
    std::fputs(text, stderr);
    std::fflush(stderr);
    ::OutputDebugStringA(text);
    if (::IsDebuggerPresent())
        ::DebugBreak();
    std::abort();
}

void AFX_CDECL AfxTrace(const wchar_t* lpszFormat, ...)
{
    wchar_t text[kTraceChars];
    va_list args;
    va_start(args, lpszFormat);
    int nWritten = _vsnwprintf(text, kTraceChars - 1, lpszFormat, args);
    va_end(args);
    text[nWritten < 0 ? kTraceChars - 1 : static_cast<size_t>(nWritten)] = L'\0';
    ::OutputDebugStringW(text);
}

void AFX_CDECL AfxTrace(const char* lpszFormat, ...)
{
    char text[kTraceChars];
    va_list args;
    va_start(args, lpszFormat);
    int nWritten = _vsnprintf(text, kTraceChars - 1, lpszFormat, args);
    va_end(args);
    text[nWritten < 0 ? kTraceChars - 1 : static_cast<size_t>(nWritten)] = '\0';
    ::OutputDebugStringA(text);
}
