#pragma once
// The application object of the customization tests: the toolkit builds its registry paths from
// its registry key and profile name.
#include "framework/Afx.h"

class CCustomizeTestApp : public CWinApp
{
public:
    CCustomizeTestApp();
    int ExitInstance() override { return 0; }
};

CCustomizeTestApp& CustomizeTestApp();
