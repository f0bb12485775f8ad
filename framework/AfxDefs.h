// Basic types and helper macros shared by every framework header.
#pragma once

#include <windows.h>
#include <tchar.h>
#include <cstddef>

// Iteration cookie of the framework's lists and maps.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION ((POSITION)-1L)

#ifndef AFXAPI
#define AFXAPI __stdcall
#endif
#ifndef AFX_CDECL
#define AFX_CDECL __cdecl
#endif

// Diagnostics. Debug builds (_DEBUG) send TRACE to the debugger output and report a failed ASSERT
// through the assertion hook (tests install one that fails the running test; without one the
// failure goes to stderr with its file and line and the program stops). Release builds compile both
// out, expression included: the framework checks its inputs and fails softly there. VERIFY always
// evaluates its expression.
typedef void(AFXAPI* AFX_ASSERT_HOOK)(const char* lpszFileName, int nLine, const char* lpszExpression);
// Installs the hook that reports failed assertions; returns the previous one (nullptr: the default).
AFX_ASSERT_HOOK AFXAPI AfxSetAssertHook(AFX_ASSERT_HOOK pfnHook);
void AFXAPI AfxAssertFailedLine(const char* lpszFileName, int nLine, const char* lpszExpression);
void AFX_CDECL AfxTrace(const wchar_t* lpszFormat, ...);
void AFX_CDECL AfxTrace(const char* lpszFormat, ...);

#ifdef _DEBUG
#define ASSERT(f) ((f) ? (void)0 : AfxAssertFailedLine(__FILE__, __LINE__, #f))
#define VERIFY(f) ASSERT(f)
#define ASSERT_VALID(p) (ASSERT((p) != nullptr), (p)->AssertValid())
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))
#define ASSERT_POINTER(p, type) ASSERT((p) != nullptr)
#define TRACE(...) AfxTrace(__VA_ARGS__)
#define TRACE0(s) ::OutputDebugString(s)
#else
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(p) ((void)0)
#define ASSERT_KINDOF(class_name, object) ((void)0)
#define ASSERT_POINTER(p, type) ((void)0)
#define TRACE(...) ((void)0)
#define TRACE0(s) ((void)0)
#endif
#define UNUSED_ALWAYS(x) (void)(x)
#define DEBUG_NEW new

#ifndef _countof
#define _countof(a) (sizeof(a) / sizeof((a)[0]))
#endif
