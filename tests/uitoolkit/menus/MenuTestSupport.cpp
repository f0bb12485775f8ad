#include "tests/uitoolkit/menus/MenuTestSupport.h"

namespace
{
BOOL CALLBACK CountPopupProc(HWND hWnd, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKTPopupMenu)) && ::IsWindowVisible(hWnd))
        ++*reinterpret_cast<int*>(lParam);
    return TRUE;
}
} // namespace

HMENU MakeFileMenu()
{
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(hMenu, MF_STRING, ID_M_NEW, L"&New");
    ::AppendMenuW(hMenu, MF_STRING, ID_M_OPEN, L"&Open\tCtrl+O");
    ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(hMenu, MF_STRING | MF_GRAYED, ID_M_SAVE, L"&Save");
    ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(hMenu, MF_STRING, ID_M_EXIT, L"E&xit");
    ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
    ::SetMenuDefaultItem(hMenu, ID_M_OPEN, FALSE);
    return hMenu;
}

HMENU MakeEditMenu()
{
    HMENU hDeep = ::CreatePopupMenu();
    ::AppendMenuW(hDeep, MF_STRING, ID_M_GAMMA, L"&Gamma");
    ::AppendMenuW(hDeep, MF_STRING, ID_M_DELTA, L"&Delta");
    HMENU hMore = ::CreatePopupMenu();
    ::AppendMenuW(hMore, MF_STRING, ID_M_ALPHA, L"&Alpha");
    ::AppendMenuW(hMore, MF_POPUP, reinterpret_cast<UINT_PTR>(hDeep), L"&Deep");
    HMENU hMenu = ::CreatePopupMenu();
    ::AppendMenuW(hMenu, MF_STRING, ID_M_UNDO, L"&Undo");
    ::AppendMenuW(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(hMore), L"&More");
    ::AppendMenuW(hMenu, MF_STRING, ID_M_COPY, L"&Copy");
    return hMenu;
}

HMENU MakeLongMenu(int nItems)
{
    HMENU hMenu = ::CreatePopupMenu();
    for (int i = 0; i < nItems; i++)
    {
        CString strText;
        strText.Format(L"Item %d", i);
        ::AppendMenuW(hMenu, MF_STRING, 1000 + i, strText);
    }
    return hMenu;
}

BEGIN_MESSAGE_MAP(CMenuHostBar, CKTToolBar)
ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CMenuHostBar::~CMenuHostBar()
{
    for (HMENU hMenu : m_menus)
        ::DestroyMenu(hMenu);
}

void CMenuHostBar::AddMenu(LPCWSTR lpszTitle, HMENU hMenu)
{
    CKTToolbarMenuButton* pButton = new CKTToolbarMenuButton;
    pButton->m_nID = static_cast<UINT>(-1);
    pButton->m_strText = lpszTitle;
    pButton->m_bText = TRUE;
    pButton->m_bImage = FALSE;
    InsertButton(pButton);
    m_menus.push_back(hMenu);
}

CKTToolbarMenuButton* CMenuHostBar::GetMenuButton(int iIndex) const
{
    return static_cast<CKTToolbarMenuButton*>(GetButton(iIndex));
}

CKTPopupMenu* CMenuHostBar::GetOpenPopup() const
{
    for (int i = 0; i < GetCount(); i++)
        if (GetMenuButton(i)->m_pPopupMenu != nullptr)
            return GetMenuButton(i)->m_pPopupMenu;
    return nullptr;
}

BOOL CMenuHostBar::OpenMenu(int iIndex)
{
    CKTToolbarMenuButton* pButton = GetMenuButton(iIndex);
    if (pButton == nullptr || pButton->m_pPopupMenu != nullptr)
        return FALSE;
    CRect rect = pButton->m_rect;
    ClientToScreen(&rect);
    CKTPopupMenu* pPopup = new CKTPopupMenu;
    pPopup->m_pParentBtn = pButton;
    pPopup->m_DropDirection = CKTPopupMenu::DROP_DIRECTION_BOTTOM;
    pButton->m_pPopupMenu = pPopup;
    m_iHighlighted = iIndex;
    m_iHot = iIndex;
    const BOOL bOk = pPopup->Create(GetParentFrame(), rect.left, rect.bottom - 1,
                                    CKTPopupMenuBar::CopyMenuTree(m_menus[static_cast<size_t>(iIndex)]), FALSE, TRUE);
    if (!bOk)
        pButton->m_pPopupMenu = nullptr;
    Invalidate();
    return bOk;
}

BOOL CMenuHostBar::NextMenu()
{
    int iOpen = -1;
    if (GetDroppedDownMenu(&iOpen) == nullptr)
        return FALSE;
    GetMenuButton(iOpen)->m_pPopupMenu->SendMessage(WM_CLOSE);
    OpenMenu((iOpen + 1) % GetCount());
    return TRUE;
}

BOOL CMenuHostBar::PrevMenu()
{
    int iOpen = -1;
    if (GetDroppedDownMenu(&iOpen) == nullptr)
        return FALSE;
    GetMenuButton(iOpen)->m_pPopupMenu->SendMessage(WM_CLOSE);
    OpenMenu((iOpen + GetCount() - 1) % GetCount());
    return TRUE;
}

void CMenuHostBar::OnLButtonDown(UINT, CPoint point)
{
    const int iHit = HitTest(point);
    if (iHit < 0)
        return;
    CKTPopupMenu* pOpen = GetOpenPopup();
    const BOOL bSame = pOpen != nullptr && GetMenuButton(iHit)->m_pPopupMenu == pOpen;
    if (pOpen != nullptr)
        pOpen->SendMessage(WM_CLOSE);
    if (!bSame)
        OpenMenu(iHit);
}

BEGIN_MESSAGE_MAP(CMenuTestFrame, CFrameWnd)
ON_WM_CREATE()
ON_WM_INITMENUPOPUP()
ON_COMMAND_RANGE(ID_M_NEW, 1999, &CMenuTestFrame::OnCommandRange)
ON_UPDATE_COMMAND_UI(ID_M_SAVE, &CMenuTestFrame::OnUpdateSave)
END_MESSAGE_MAP()

int CMenuTestFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CFrameWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!m_wndHost.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP, AFX_IDW_TOOLBAR))
        return -1;
    m_wndHost.AddMenu(L"&File", MakeFileMenu());
    m_wndHost.AddMenu(L"&Edit", MakeEditMenu());
    m_wndHost.AdjustLayout();
    return 0;
}

void CMenuTestFrame::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL)
{
    m_initMenuPopups.push_back(pPopupMenu != nullptr ? static_cast<UINT>(::GetMenuItemCount(pPopupMenu->m_hMenu)) : 0);
}

// What the frame support does while a popup is open: keys go to the deepest popup; a click on
// a shadow closes that popup; a click outside the chain closes it and goes on to its target.
BOOL CMenuTestFrame::PreTranslateMessage(MSG* pMsg)
{
    CKTPopupMenu* pActive = ActivePopup();
    if (pActive == nullptr)
        return CFrameWnd::PreTranslateMessage(pMsg);
    if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN)
    {
        pActive->SendMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
        return TRUE;
    }
    if (pMsg->message == WM_SYSKEYUP || pMsg->message == WM_KEYUP || pMsg->message == WM_CHAR ||
        pMsg->message == WM_SYSCHAR)
        return TRUE;
    // In customize mode a press outside the menu may start a drag into it: the menu stays.
    if ((pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_RBUTTONDOWN || pMsg->message == WM_NCLBUTTONDOWN) &&
        !CKTToolBar::IsCustomizeMode())
    {
        POINT pt = pMsg->pt;
        for (CKTPopupMenu* pPopup = pActive; pPopup != nullptr; pPopup = pPopup->GetParentPopupMenu())
        {
            const CKTPopupMenu::MenuArea area = pPopup->HitTest(pt);
            if (area == CKTPopupMenu::MENU_AREA_SHADOW_RIGHT || area == CKTPopupMenu::MENU_AREA_SHADOW_BOTTOM)
            {
                pPopup->SendMessage(WM_CLOSE);
                SetFocus();
                return TRUE;
            }
            if (area != CKTPopupMenu::MENU_AREA_OUTSIDE)
                return CFrameWnd::PreTranslateMessage(pMsg);
        }
        CKTPopupMenu* pRoot = pActive;
        while (pRoot->GetParentPopupMenu() != nullptr)
            pRoot = pRoot->GetParentPopupMenu();
        if (pRoot->GetParentButton() != nullptr && pRoot->GetParentToolBar() == &m_wndHost)
        {
            CPoint ptBar = pt;
            m_wndHost.ScreenToClient(&ptBar);
            if (pRoot->GetParentButton()->m_rect.PtInRect(ptBar))
                return CFrameWnd::PreTranslateMessage(pMsg); // the title closes its own menu
        }
        const BOOL bEndsHere = pRoot->m_bClickEndsHere;
        if (!pRoot->IsAlwaysStayOpen())
            pRoot->SendMessage(WM_CLOSE);
        if (bEndsHere)
            return TRUE;
    }
    return CFrameWnd::PreTranslateMessage(pMsg);
}

CKTPopupMenu* ActivePopup()
{
    return CKTPopupMenu::GetActiveMenu();
}

int CountPopupWindows()
{
    int nCount = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountPopupProc, reinterpret_cast<LPARAM>(&nCount));
    return nCount;
}

std::vector<UINT> BarCommands(const CKTPopupMenuBar& bar)
{
    std::vector<UINT> commands;
    for (int i = 0; i < bar.GetCount(); i++)
        commands.push_back(bar.GetButton(i)->IsSeparator() ? 0 : bar.GetButton(i)->m_nID);
    return commands;
}
