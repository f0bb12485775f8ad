// The tasks pane's navigation toolbar and its "Other Task Panes" drop-down.
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/widgets/KTTasksPane.h"

IMPLEMENT_SERIAL(CTasksPaneToolBar, CKTToolBar, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CTasksPaneMenuButton, CKTToolbarMenuButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_DYNAMIC(CKTTasksPaneMenuButton, CKTMenuButton)

namespace
{
// Enables and disables the buttons of the navigation toolbar.
class CNavButtonCmdUI : public CCmdUI
{
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        auto* pBar = static_cast<CKTToolBar*>(m_pOther);
        UINT nStyle = pBar->GetButtonStyle(static_cast<int>(m_nIndex)) & ~TBBS_DISABLED;
        if (!bOn)
            nStyle |= TBBS_DISABLED;
        pBar->SetButtonStyle(static_cast<int>(m_nIndex), nStyle);
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
};

// The drop-down's popup: the chosen page goes to the pane, not to the frame.
class CTasksPanePopupMenu : public CKTPopupMenu
{
public:
    explicit CTasksPanePopupMenu(CKTTasksPane* pPane) : m_pPane(pPane) {}

    BOOL Create(CWnd* pWndParent, int x, int y, HMENU hMenu, BOOL bLocked = FALSE, BOOL bOwnMessage = FALSE) override
    {
        CKTTasksPane* pPane = m_pPane;
        if (!CKTPopupMenu::Create(pWndParent, x, y, hMenu, bLocked, bOwnMessage))
            return FALSE;
        SetMessageWnd(pPane);
        return TRUE;
    }

private:
    CKTTasksPane* m_pPane;
};
} // namespace

CString CTasksPaneToolBar::GetButtonToolTipText(UINT uiCmd) const
{
    if (uiCmd == CKTTasksPane::CmdOtherPanes)
    {
        CString strText;
        if (!strText.LoadString(CKTTasksPane::CmdOtherPanes))
            strText = L"Other Task Panes";
        return strText;
    }
    for (int i = 0; i < GetCount(); i++)
        if (GetButton(i)->m_nID == uiCmd)
            return GetButton(i)->m_strText;
    return CKTToolBar::GetButtonToolTipText(uiCmd);
}

void CTasksPaneToolBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    FollowOwnerVisibility();
    CWnd* pOwner = GetOwner();
    if (pOwner == nullptr)
        return;
    CNavButtonCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = static_cast<UINT>(GetCount());
    for (int i = 0; i < GetCount(); i++)
    {
        CKTToolbarButton* pButton = GetButton(i);
        if (pButton == nullptr || pButton->IsSeparator())
            continue;
        state.m_nIndex = static_cast<UINT>(i);
        state.m_nID = pButton->m_nID;
        state.DoUpdate(pOwner, FALSE);
    }
}

void CTasksPaneToolBar::FollowOwnerVisibility()
{
    CWnd* pOwner = GetOwner();
    if (GetSafeHwnd() == nullptr || pOwner == nullptr)
        return;
    const BOOL bShow = (pOwner->GetStyle() & WS_VISIBLE) != 0;
    if (bShow == ((GetStyle() & WS_VISIBLE) != 0))
        return;
    SetWindowPos(nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

CTasksPaneMenuButton::CTasksPaneMenuButton(UINT uiID, CKTTasksPane* pPane, LPCTSTR lpszText)
    : CKTToolbarMenuButton(uiID, nullptr, -1, lpszText), m_pPane(pPane)
{
    m_bText = TRUE;
    m_bImage = FALSE;
    m_bLocked = TRUE;
}

HMENU CTasksPaneMenuButton::CreateMenu() const
{
    return m_pPane != nullptr ? m_pPane->CreateOtherPanesMenu() : nullptr;
}

CKTPopupMenu* CTasksPaneMenuButton::CreatePopupMenu()
{
    return new CTasksPanePopupMenu(m_pPane);
}

void CTasksPaneMenuButton::CopyFrom(const CKTToolbarButton& src)
{
    CKTToolbarMenuButton::CopyFrom(src);
    if (src.IsKindOf(RUNTIME_CLASS(CTasksPaneMenuButton)) && &src != this)
        m_pPane = static_cast<const CTasksPaneMenuButton&>(src).m_pPane;
}
