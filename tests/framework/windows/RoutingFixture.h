// An MDI main frame with one child frame and its view, each recording the commands it sees.
#pragma once

#include "WindowsTestSupport.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

// Which levels saw a command, in order, and which of them take it.
struct RouteProbe
{
    std::vector<std::wstring> log;
    std::set<std::wstring> accepting;
    int nRefusedRuns = 0;

    BOOL Visit(const wchar_t* level)
    {
        log.push_back(level);
        return accepting.count(level) != 0;
    }
};

RouteProbe& Probe();

class CProbeMainFrame : public CMDIFrameWnd
{
    DECLARE_DYNCREATE(CProbeMainFrame)
protected:
    BOOL OnProbe(UINT nID);
    DECLARE_MESSAGE_MAP()
};

class CProbeChildFrame : public CMDIChildWnd
{
    DECLARE_DYNCREATE(CProbeChildFrame)
protected:
    BOOL OnProbe(UINT nID);
    void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnRefused() { Probe().nRefusedRuns++; }
    DECLARE_MESSAGE_MAP()
};

class CProbeView : public CView
{
    DECLARE_DYNCREATE(CProbeView)
protected:
    BOOL OnProbe(UINT nID);
    void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    void OnUpdateRenamed(CCmdUI* pCmdUI) { pCmdUI->SetText(L"New name"); }
    void OnUpdateRadio(CCmdUI* pCmdUI) { pCmdUI->SetRadio(TRUE); }
    DECLARE_MESSAGE_MAP()
};

class RoutingFixture : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;
    // Opens another child frame of the template, shown and active.
    CMDIChildWnd* OpenChild();

    CProbeMainFrame* m_pMainFrame = nullptr;
    CMultiDocTemplate* m_pTemplate = nullptr;
    CMDIChildWnd* m_pChild = nullptr;
};
