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

// Diagnostics are compiled out: the framework checks its inputs and throws instead of asserting.
#define ASSERT(f) ((void)0)
#define VERIFY(f) ((void)(f))
#define ASSERT_VALID(p) ((void)0)
#define ASSERT_KINDOF(class_name, object) ((void)0)
#define ASSERT_POINTER(p, type) ((void)0)
#define TRACE(...) ((void)0)
#define TRACE0(s) ((void)0)
#define UNUSED_ALWAYS(x) (void)(x)
#define DEBUG_NEW new

#ifndef _countof
#define _countof(a) (sizeof(a) / sizeof((a)[0]))
#endif
