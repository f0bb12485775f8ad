#include "WorkspaceFixture.h"

#include "framework/AfxDockBar.h"
#include "framework/AfxException.h"
#include "tests/framework/windows/WindowsTestSupport.h"
#include "uitoolkit/looks/KTRegistry.h"

#include <algorithm>
#include <sstream>

const wchar_t* const WorkspaceTest::kSection = L"WorkspaceTest";

BOOL CTestWorkspace::LoadToolBarParameters(const CString&)
{
    m_calls.push_back("parameters");
    return TRUE;
}

BOOL CTestWorkspace::SaveToolBarParameters(const CString&)
{
    m_calls.push_back("save parameters");
    return TRUE;
}

BOOL CTestWorkspace::LoadToolBarState(CKTToolBar* pBar, const CString&)
{
    m_calls.push_back("toolbar " + std::to_string(pBar->GetDlgCtrlID()));
    m_mappingWhileLoading.push_back(CKTToolbarButton::m_bUpdateImages);
    if (m_onLoadToolBar)
        m_onLoadToolBar(pBar);
    return TRUE;
}

BOOL CTestWorkspace::SaveToolBarState(CKTToolBar* pBar, const CString&)
{
    m_calls.push_back("save toolbar " + std::to_string(pBar->GetDlgCtrlID()));
    return TRUE;
}

void CTestWorkspaceFrame::LoadTearOffBars()
{
    m_calls.push_back("tear-off bars");
    if (m_bTearOffThrows)
        AfxThrowArchiveException(CArchiveException::badClass);
}

void WorkspaceTest::SetUp()
{
    TestApp().SetRegistryKey(L"KestWorkspaceTests");
    CKTRegistry(FALSE, FALSE).DeleteKey(GetRegistryPath(kSection));
    SizingTest::SetUp();
    m_pWorkspace = std::make_unique<CTestWorkspace>();
    m_pWorkspace->SetRegistryBase(kSection);
}

void WorkspaceTest::TearDown()
{
    m_pWorkspace.reset();
    SizingTest::TearDown();
    m_toolbars.clear();
    CKTRegistry(FALSE, FALSE).DeleteKey(GetRegistryPath(kSection));
    CKTToolbarButton::m_bUpdateImages = TRUE;
}

CCountingToolBar* WorkspaceTest::AddToolBar(int n)
{
    auto pBar = std::make_unique<CCountingToolBar>();
    EXPECT_TRUE(pBar->Create(m_pFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER, 0xE900 + n));
    pBar->SetWindowText((L"T" + std::to_wstring(n)).c_str());
    for (UINT i = 0; i < 3; ++i)
        pBar->InsertButton(CKTToolbarButton(0x8000 + 10 * n + i, -1, (L"B" + std::to_wstring(i)).c_str()));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    m_pFrame->DockControlBar(pBar.get(), AFX_IDW_DOCKBAR_TOP);
    m_toolbars.push_back(std::move(pBar));
    return m_toolbars.back().get();
}

CCountingToolBar* WorkspaceTest::ToolBar(int n) const
{
    for (const auto& pBar : m_toolbars)
    {
        if (pBar->m_hWnd != nullptr && pBar->GetDlgCtrlID() == 0xE900 + n)
            return pBar.get();
    }
    return nullptr;
}

void WorkspaceTest::CreateDefaultBars(const char* pszNames)
{
    for (const char* p = pszNames; *p != 0; ++p)
    {
        AddBar(*p);
        m_pFrame->DockControlBar(Bar(*p), AFX_IDW_DOCKBAR_LEFT);
    }
    AddToolBar(1);
    Layout();
}

void WorkspaceTest::Restart(const char* pszNames)
{
    m_pWorkspace.reset();
    SizingTest::TearDown();
    m_toolbars.clear();
    SizingTest::SetUp();
    m_pWorkspace = std::make_unique<CTestWorkspace>();
    m_pWorkspace->SetRegistryBase(kSection);
    CreateDefaultBars(pszNames);
}

void WorkspaceTest::ArrangeByHand()
{
    Bar('C')->SetFloatSize(CSize(220, 160));
    m_pFrame->FloatControlBar(Bar('C'), CPoint(520, 300));
    m_pFrame->DockControlBar(Bar('D'), AFX_IDW_DOCKBAR_BOTTOM);
    Layout();
    DockRow(AFX_IDW_DOCKBAR_LEFT, "AB");
    Bar('A')->ToggleExpand(TRUE);
    m_pFrame->ShowControlBar(Bar('D'), FALSE, FALSE);
    m_pFrame->FloatControlBar(ToolBar(1), CPoint(300, 460));
    Layout();
    CKTMiniDockFrameWnd* pFloating = FloatingFrameOf(Bar('C'));
    ASSERT_NE(pFloating, nullptr);
    pFloating->SetRollState(CKTMiniDockFrameWnd::kRollManual, TRUE);
    Layout();
}

namespace
{

const char* SideName(const CControlBar* pBar)
{
    if (pBar->m_pDockBar == nullptr)
        return "undocked";
    if (pBar->m_pDockBar->m_bFloating)
        return "floating";
    switch (pBar->m_pDockBar->GetDlgCtrlID())
    {
    case AFX_IDW_DOCKBAR_TOP:
        return "top";
    case AFX_IDW_DOCKBAR_BOTTOM:
        return "bottom";
    case AFX_IDW_DOCKBAR_LEFT:
        return "left";
    case AFX_IDW_DOCKBAR_RIGHT:
        return "right";
    default:
        return "?";
    }
}

void Put(std::ostringstream& out, const CRect& rect)
{
    out << "(" << rect.left << "," << rect.top << ")-(" << rect.right << "," << rect.bottom << ")";
}

void Put(std::ostringstream& out, const CSize& size)
{
    out << size.cx << "x" << size.cy;
}

} // namespace

std::string WorkspaceTest::Describe() const
{
    std::ostringstream out;
    auto place = [&](const CControlBar* pBar) {
        out << SideName(pBar) << " ";
        if (!pBar->IsWindowVisible())
            out << "(a hidden bar keeps its last place)";
        else if (pBar->m_pDockBar != nullptr && pBar->m_pDockBar->m_bFloating)
        {
            CRect rect;
            pBar->m_pDockBar->GetParent()->GetWindowRect(&rect);
            Put(out, rect);
        }
        else
            Put(out, Place(pBar));
        out << (pBar->IsWindowVisible() ? " shown" : " hidden");
    };
    for (char c : {'A', 'B', 'C', 'D'})
    {
        const CKTSizingControlBar* pBar = Bar(c);
        if (pBar == nullptr)
            continue;
        out << c << ": ";
        place(pBar);
        // In an expanded row the lengths are the row's; the kept ones show once it is contracted.
        std::vector<CKTSizingControlBar*> row;
        pBar->GetRowSizingBars(row);
        if (std::none_of(row.begin(), row.end(), [](CKTSizingControlBar* p) { return p->IsExpanded(); }))
        {
            out << " horz ";
            Put(out, pBar->GetHorzSize());
            out << " vert ";
            Put(out, pBar->GetVertSize());
        }
        out << " float ";
        Put(out, pBar->GetFloatSize());
        out << (pBar->IsExpanded() ? " expanded" : "") << " roll " << pBar->m_nRollingType
            << (pBar->m_bRolled ? " rolled" : "") << "\n";
    }
    for (const auto& pBar : m_toolbars)
    {
        if (pBar->m_hWnd == nullptr)
            continue;
        out << "T" << pBar->GetDlgCtrlID() - 0xE900 << ": ";
        place(pBar.get());
        out << "\n";
    }
    return out.str();
}

void WorkspaceTest::Picture(const wchar_t* pszName)
{
    const UINT flags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW;
    m_pFrame->RedrawWindow(nullptr, nullptr, flags);
    for (CControlBar* pBar : m_pFrame->m_listControlBars)
    {
        if (pBar->m_hWnd != nullptr && pBar->IsDockBar() && static_cast<CDockBar*>(pBar)->m_bFloating)
            pBar->GetParent()->RedrawWindow(nullptr, nullptr, flags);
    }
    PumpAndIdle();
    SavePicture(pszName);
}

BOOL WorkspaceTest::Save()
{
    CTestWorkspaceFrame frame(m_pFrame, m_pWorkspace->m_calls);
    return m_pWorkspace->SaveFrameState(nullptr, &frame);
}

BOOL WorkspaceTest::Load()
{
    CTestWorkspaceFrame frame(m_pFrame, m_pWorkspace->m_calls);
    const BOOL bLoaded = m_pWorkspace->LoadFrameState(nullptr, &frame);
    Layout();
    return bLoaded;
}

CString WorkspaceTest::SectionPath(const wchar_t* pszSub) const
{
    return m_pWorkspace->GetRegSectionPath(pszSub);
}

void WriteRegInt(const CString& path, const wchar_t* name, DWORD dwValue)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(hKey, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
    ::RegCloseKey(hKey);
}

void WriteRegBinary(const CString& path, const wchar_t* name, const void* pData, DWORD cbData)
{
    HKEY hKey = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_WRITE, nullptr, &hKey, nullptr),
              ERROR_SUCCESS);
    ::RegSetValueExW(hKey, name, 0, REG_BINARY, static_cast<const BYTE*>(pData), cbData);
    ::RegCloseKey(hKey);
}

bool RegKeyExists(const CString& path)
{
    CString strPath = path;
    strPath.TrimRight(L'\\');
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, strPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(hKey);
    return true;
}

bool ReadRegInt(const CString& path, const wchar_t* name, DWORD* pValue)
{
    HKEY hKey = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, path, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return false;
    DWORD dwType = 0;
    DWORD cb = sizeof(DWORD);
    const bool bRead =
        ::RegQueryValueExW(hKey, name, nullptr, &dwType, reinterpret_cast<BYTE*>(pValue), &cb) == ERROR_SUCCESS &&
        dwType == REG_DWORD;
    ::RegCloseKey(hKey);
    return bRead;
}
