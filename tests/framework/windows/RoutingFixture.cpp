#include "RoutingFixture.h"

#include "TestResource.h"

RouteProbe& Probe()
{
    static RouteProbe probe;
    return probe;
}

IMPLEMENT_DYNCREATE(CProbeMainFrame, CMDIFrameWnd)
BEGIN_MESSAGE_MAP(CProbeMainFrame, CMDIFrameWnd)
    ON_COMMAND_EX(ID_TEST_PROBE, &CProbeMainFrame::OnProbe)
END_MESSAGE_MAP()

BOOL CProbeMainFrame::OnProbe(UINT)
{
    return Probe().Visit(L"main frame");
}

IMPLEMENT_DYNCREATE(CProbeChildFrame, CMDIChildWnd)
BEGIN_MESSAGE_MAP(CProbeChildFrame, CMDIChildWnd)
    ON_COMMAND_EX(ID_TEST_PROBE, &CProbeChildFrame::OnProbe)
    ON_UPDATE_COMMAND_UI(ID_TEST_DISABLED, &CProbeChildFrame::OnUpdateDisabled)
    ON_UPDATE_COMMAND_UI(ID_TEST_REFUSED, &CProbeChildFrame::OnUpdateDisabled)
    ON_COMMAND(ID_TEST_REFUSED, &CProbeChildFrame::OnRefused)
END_MESSAGE_MAP()

BOOL CProbeChildFrame::OnProbe(UINT)
{
    return Probe().Visit(L"child frame");
}

IMPLEMENT_DYNCREATE(CProbeView, CView)
BEGIN_MESSAGE_MAP(CProbeView, CView)
    ON_COMMAND_EX(ID_TEST_PROBE, &CProbeView::OnProbe)
    ON_UPDATE_COMMAND_UI(ID_TEST_CHECKED, &CProbeView::OnUpdateChecked)
    ON_UPDATE_COMMAND_UI(ID_TEST_RENAMED, &CProbeView::OnUpdateRenamed)
    ON_UPDATE_COMMAND_UI(ID_TEST_RADIO, &CProbeView::OnUpdateRadio)
END_MESSAGE_MAP()

BOOL CProbeView::OnProbe(UINT)
{
    return Probe().Visit(L"view");
}

void RoutingFixture::SetUp()
{
    Probe() = RouteProbe();
    TestApp().m_pRouteLog = &Probe().log;
    TestApp().m_bAcceptProbe = FALSE;
    m_pMainFrame = new CProbeMainFrame;
    ASSERT_TRUE(m_pMainFrame->LoadFrame(IDR_TESTMAIN));
    TestApp().m_pMainWnd = m_pMainFrame;
    m_pMainFrame->ShowWindow(SW_SHOWNORMAL);
    m_pMainFrame->UpdateWindow();
    m_pTemplate = new CMultiDocTemplate(IDR_TESTCHILD, nullptr, RUNTIME_CLASS(CProbeChildFrame),
                                        RUNTIME_CLASS(CProbeView));
    m_pChild = OpenChild();
    ASSERT_NE(m_pChild, nullptr);
}

CMDIChildWnd* RoutingFixture::OpenChild()
{
    CFrameWnd* pFrame = m_pTemplate->CreateNewFrame(nullptr, nullptr);
    if (pFrame == nullptr)
        return nullptr;
    m_pTemplate->InitialUpdateFrame(pFrame, nullptr, TRUE);
    PumpAndIdle();
    return static_cast<CMDIChildWnd*>(pFrame);
}

void RoutingFixture::TearDown()
{
    TestApp().m_pRouteLog = nullptr;
    if (m_pMainFrame != nullptr && ::IsWindow(m_pMainFrame->m_hWnd))
        m_pMainFrame->DestroyWindow();  // deletes the frames and views
    PumpAndIdle();
    delete m_pTemplate;
    TestApp().m_pMainWnd = nullptr;
}
