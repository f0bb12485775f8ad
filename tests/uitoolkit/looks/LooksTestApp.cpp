#include "tests/uitoolkit/looks/LooksTestApp.h"

namespace
{
CLooksTestApp theApp;
}

CLooksTestApp::CLooksTestApp() : CWinApp(L"KestLooksTests") {}

CLooksTestApp& LooksTestApp()
{
    return theApp;
}
