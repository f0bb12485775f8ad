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

class CMultiDocTemplate;
// The application's three document templates (work files, one without a filter, layouts), added
// once; the first has its own accelerator table.
CMultiDocTemplate* TestDocTemplate(UINT nIDResource);
