// Linked into every test program that uses the framework: a failed framework ASSERT (debug
// builds) fails the running test at the assertion's file and line instead of stopping the program.
#include "framework/AfxDefs.h"

#include <gtest/gtest.h>

namespace
{

void AFXAPI FailRunningTest(const char* lpszFileName, int nLine, const char* lpszExpression)
{
    ADD_FAILURE_AT(lpszFileName, nLine) << "ASSERT failed: " << lpszExpression;
}

const bool g_bHookInstalled = (AfxSetAssertHook(&FailRunningTest), true);

} // namespace
