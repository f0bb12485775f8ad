// TRACE and ASSERT: debugger output and failed tests in debug builds, nothing at all in release.
#include "framework/AfxDefs.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <string>

namespace
{

int g_nEvaluations = 0;

bool CountedFalse()
{
    ++g_nEvaluations;
    return false;
}

#if defined(_DEBUG)

// The debugger output as a debugger sees it: OutputDebugString raises a print exception that a
// vectored handler sees before anyone else.
std::string g_debugOutput;

LONG CALLBACK CaptureDebugOutput(EXCEPTION_POINTERS* pInfo)
{
    const EXCEPTION_RECORD* pRecord = pInfo->ExceptionRecord;
    if (pRecord->NumberParameters < 2)
        return EXCEPTION_CONTINUE_SEARCH;
    if (pRecord->ExceptionCode == 0x40010006) // narrow text
        g_debugOutput += reinterpret_cast<const char*>(pRecord->ExceptionInformation[1]);
    else
        return EXCEPTION_CONTINUE_SEARCH;
    return EXCEPTION_CONTINUE_EXECUTION;
}

TEST(DiagnosticsTest, DebugTraceReachesTheDebuggerOutputFormattedAndCut)
{
    PVOID hHandler = ::AddVectoredExceptionHandler(1, &CaptureDebugOutput);
    ASSERT_NE(hHandler, nullptr);
    g_debugOutput.clear();
    TRACE(L"bar %d docked at %ls\n", 59419, L"top");
    TRACE("row %d\n", 2);
    TRACE0(L"plain\n");
    const std::wstring longText(5000, L'x');
    TRACE(L"%ls", longText.c_str());
    ::RemoveVectoredExceptionHandler(hHandler);
    const std::string expected = "bar 59419 docked at top\nrow 2\nplain\n";
    EXPECT_EQ(g_debugOutput.substr(0, expected.size()), expected);
    // The long text arrives cut to one line's buffer, not overrunning it.
    const size_t nLongStart = g_debugOutput.find('x');
    ASSERT_NE(nLongStart, std::string::npos);
    EXPECT_GT(g_debugOutput.size() - nLongStart, 500u);
    EXPECT_LT(g_debugOutput.size() - nLongStart, 1024u);
}

TEST(DiagnosticsTest, DebugAssertFailsTheRunningTestWithItsExpressionAndGoesOn)
{
    g_nEvaluations = 0;
    EXPECT_NONFATAL_FAILURE(ASSERT(CountedFalse()), "ASSERT failed: CountedFalse()");
    EXPECT_NONFATAL_FAILURE(VERIFY(CountedFalse()), "CountedFalse()");
    EXPECT_EQ(g_nEvaluations, 2);
    ASSERT(g_nEvaluations == 2); // a true assertion reports nothing
}

#else

TEST(DiagnosticsTest, ReleaseDiagnosticsEvaluateNothingButVerify)
{
    g_nEvaluations = 0;
    ASSERT(CountedFalse());
    TRACE(L"%d", CountedFalse());
    EXPECT_EQ(g_nEvaluations, 0);
    VERIFY(CountedFalse());
    EXPECT_EQ(g_nEvaluations, 1);
}

#endif

} // namespace
