#include "tests/uitoolkit/customize/CustomizeTestApp.h"

#include "tests/uitoolkit/customize/CustomizeTestIds.h"

namespace
{
CCustomizeTestApp theApp;
}

CCustomizeTestApp::CCustomizeTestApp() : CWinApp(L"KestCustomizeTests") {}

int CCustomizeTestApp::DoMessageBox(LPCTSTR lpszPrompt, UINT, UINT)
{
    m_messageBoxes.push_back(lpszPrompt != nullptr ? lpszPrompt : L"");
    return m_nAnswer;
}

CCustomizeTestApp& CustomizeTestApp()
{
    return theApp;
}

CMultiDocTemplate* TestDocTemplate(UINT nIDResource)
{
    if (theApp.GetFirstDocTemplatePosition() == nullptr)
    {
        for (UINT nID : {IDR_TEST_DOCTYPE, IDR_TEST_NOFILTER, IDR_TEST_LAYOUT})
            theApp.AddDocTemplate(
                new CMultiDocTemplate(nID, RUNTIME_CLASS(CDocument), RUNTIME_CLASS(CFrameWnd), RUNTIME_CLASS(CView)));
    }
    for (POSITION pos = theApp.GetFirstDocTemplatePosition(); pos != nullptr;)
    {
        CDocTemplate* pTemplate = theApp.GetNextDocTemplate(pos);
        if (pTemplate->m_nIDResource == nIDResource)
            return static_cast<CMultiDocTemplate*>(pTemplate);
    }
    return nullptr;
}
