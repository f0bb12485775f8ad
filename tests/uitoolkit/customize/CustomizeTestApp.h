#pragma once
// The application object of the customization tests: the toolkit builds its registry paths from
// its registry key and profile name.
#include "framework/Afx.h"

#include <string>
#include <vector>

class CCustomizeTestApp : public CWinApp
{
public:
    CCustomizeTestApp();
    int ExitInstance() override { return 0; }
    // Message boxes are never shown: their texts are kept and the answer given is m_nAnswer.
    int DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT nIDPrompt) override;

    std::vector<std::wstring> m_messageBoxes;
    int m_nAnswer = IDNO;
};

CCustomizeTestApp& CustomizeTestApp();

class CMultiDocTemplate;
// The application's three document templates (work files, one without a filter, layouts), added
// once; the first has its own accelerator table.
CMultiDocTemplate* TestDocTemplate(UINT nIDResource);
