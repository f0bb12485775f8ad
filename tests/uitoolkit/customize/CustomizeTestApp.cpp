#include "tests/uitoolkit/customize/CustomizeTestApp.h"

namespace
{
CCustomizeTestApp theApp;
}

CCustomizeTestApp::CCustomizeTestApp() : CWinApp(L"KestCustomizeTests") {}

CCustomizeTestApp& CustomizeTestApp()
{
    return theApp;
}
