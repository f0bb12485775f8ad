#pragma once
// The application object of the looks' tests: the registry path is built from its registry key
// and profile name, which a test may change and must restore.
#include "framework/Afx.h"

class CLooksTestApp : public CWinApp
{
public:
    CLooksTestApp();
    int ExitInstance() override { return 0; }
};

CLooksTestApp& LooksTestApp();
