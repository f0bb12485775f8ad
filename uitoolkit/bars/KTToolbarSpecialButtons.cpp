#include "uitoolkit/bars/KTToolbarSpecialButtons.h"

#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarComboBoxButton.h"
#include "uitoolkit/customize/KTKeyHelper.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

IMPLEMENT_SERIAL(CCustomizeButton, CKTToolbarMenuButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CKTToolbarSystemMenuButton, CKTToolbarMenuButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CKTToolbarMenuButtonsButton, CKTToolbarButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_DYNAMIC(CKTShowAllButton, CKTToolbarMenuButton)

namespace
{
const UINT kIdsExpand = 16025;
const UINT kIdsMoreButtons = 16026;

// Ctrl and the down-arrow key, as the keyboard shows their names.
CString ExpandKeyText()
{
    ACCEL accel = {FVIRTKEY | FCONTROL, VK_DOWN, 0};
    CString strText;
    CKTKeyHelper(&accel).Format(strText);
    return strText;
}

void DrawGlyphCentred(CDC* pDC, int iGlyph, const CRect& rect)
{
    CKTMenuGlyphs::Initialize();
    const CSize size = CKTMenuGlyphs::GetImageSize();
    CKTMenuGlyphs::Draw(pDC, iGlyph,
                        CPoint(rect.left + (rect.Width() - size.cx) / 2, rect.top + (rect.Height() - size.cy) / 2));
}
} // namespace

// Customize button ------------------------------------------------------------------------------

CCustomizeButton::CCustomizeButton() = default;

CCustomizeButton::CCustomizeButton(int iCustomizeCmdId, const CString& strCustomizeText)
    : m_iCustomizeCmdId(iCustomizeCmdId), m_strCustomizeText(strCustomizeText)
{
}

void CCustomizeButton::CopyFrom(const CKTToolbarButton& src)
{
    CKTToolbarMenuButton::CopyFrom(src);
    if (!src.IsKindOf(RUNTIME_CLASS(CCustomizeButton)) || &src == this)
        return;
    const auto& other = static_cast<const CCustomizeButton&>(src);
    m_iCustomizeCmdId = other.m_iCustomizeCmdId;
    m_strCustomizeText = other.m_strCustomizeText;
    m_bIsEmpty = other.m_bIsEmpty;
}

void CCustomizeButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKTToolbarMenuButton::OnChangeParentWnd(pWndParent);
    m_pWndParentToolbar = pWndParent != nullptr && pWndParent->IsKindOf(RUNTIME_CLASS(CKTToolBar))
                              ? static_cast<CKTToolBar*>(pWndParent)
                              : nullptr;
    m_bText = FALSE;
    m_bIsEmpty = FALSE;
}

SIZE CCustomizeButton::OnCalculateSize(CDC* /*pDC*/, const CSize& sizeDefault, BOOL bHorz)
{
    if (m_bIsEmpty)
        return CSize(0, 0);
    if (m_strText.IsEmpty())
        m_strText.LoadString(kIdsMoreButtons);
    if (m_pWndParentToolbar != nullptr && m_pWndParentToolbar->IsFloating())
        return CSize(0, 0);
    CKTMenuGlyphs::Initialize();
    const CSize sizeGlyph = CKTMenuGlyphs::GetImageSize();
    const int m = CKTVisualManager::GetInstance()->GetCustomizeButtonGlyphMargin();
    return bHorz ? CSize(sizeGlyph.cx + 2 * m, sizeDefault.cy) : CSize(sizeDefault.cx, sizeGlyph.cy + 2 * m);
}

void CCustomizeButton::OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* /*pImages*/, BOOL bHorz, BOOL bCustomizeMode,
                              BOOL bHighlight, BOOL /*bDrawBorder*/, BOOL /*bGrayDisabledButtons*/)
{
    if (m_bMenuMode)
        return;
    m_bDefaultDraw = TRUE;
    CKTVisualManager* pLook = CKTVisualManager::GetInstance();
    const BOOL bDropped = IsDroppedDown();
    FillInterior(pDC, rect, bHighlight || bDropped);

    CKTMenuGlyphs::Initialize();
    const CSize sizeGlyph = CKTMenuGlyphs::GetImageSize();
    const int m = pLook->GetCustomizeButtonGlyphMargin();
    const BOOL bShift = (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED) || bDropped) && !pLook->IsMenuFlatLook();
    if (m_iCustomizeCmdId > 0)
    {
        CRect rectBox = rect;
        if (bHorz)
            rectBox.top = rectBox.bottom - (sizeGlyph.cy + 2 * m);
        else
            rectBox.right = rectBox.left + sizeGlyph.cx + 2 * m;
        if (bShift)
            rectBox.OffsetRect(1, 1);
        DrawGlyphCentred(pDC, bHorz ? CKTMenuGlyphs::IdArrowDown : CKTMenuGlyphs::IdArrowRight, rectBox);
    }
    if (!m_lstInvisibleButtons.IsEmpty())
    {
        CRect rectBox = rect;
        if (bHorz)
            rectBox.bottom = rectBox.top + sizeGlyph.cy + 2 * m;
        else
            rectBox.left = rectBox.right - (sizeGlyph.cx + 2 * m);
        if (bShift)
            rectBox.OffsetRect(1, 1);
        DrawGlyphCentred(pDC, bHorz ? CKTMenuGlyphs::IdChevronHorizontal : CKTMenuGlyphs::IdChevronVertical, rectBox);
    }
    if (bCustomizeMode)
        return;
    if ((m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) || bDropped)
        pLook->OnDrawButtonBorder(pDC, this, rect, CKTVisualManager::ButtonsIsPressed);
    else if (bHighlight && !(m_nStyle & (TBBS_CHECKED | TBBS_DISABLED | TBBS_INDETERMINATE)))
        pLook->OnDrawButtonBorder(pDC, this, rect, CKTVisualManager::ButtonsIsHighlighted);
}

void CCustomizeButton::BuildMenuItems(CObList& listItems, BOOL bShowImages) const
{
    // Separators at either end of the hidden list are left out.
    POSITION posFirst = m_lstInvisibleButtons.GetHeadPosition();
    while (posFirst != nullptr && static_cast<CKTToolbarButton*>(m_lstInvisibleButtons.GetAt(posFirst))->IsSeparator())
        m_lstInvisibleButtons.GetNext(posFirst);
    POSITION posLast = m_lstInvisibleButtons.GetTailPosition();
    while (posLast != nullptr && static_cast<CKTToolbarButton*>(m_lstInvisibleButtons.GetAt(posLast))->IsSeparator())
        m_lstInvisibleButtons.GetPrev(posLast);

    BOOL bAny = FALSE;
    for (POSITION pos = posFirst; pos != nullptr && posLast != nullptr;)
    {
        const POSITION posThis = pos;
        const auto* pHidden = static_cast<const CKTToolbarButton*>(m_lstInvisibleButtons.GetNext(pos));
        CKTToolbarButton* pItem = nullptr;
        if (pHidden->IsSeparator())
        {
            pItem = new CKTToolbarButton;
            pItem->m_nStyle = TBBS_SEPARATOR;
        }
        else if (pHidden->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)))
        {
            CObject* pObject = pHidden->GetRuntimeClass()->CreateObject();
            if (pObject != nullptr && pObject->IsKindOf(RUNTIME_CLASS(CKTToolbarButton)))
            {
                pItem = static_cast<CKTToolbarButton*>(pObject);
                pItem->CopyFrom(*pHidden);
            }
            else
                delete pObject;
        }
        else if (pHidden->m_nID != 0)
        {
            const int iImage = bShowImages ? pHidden->GetImage() : -1;
            auto* pMenuItem =
                new CKTToolbarMenuButton(pHidden->m_nID, nullptr, iImage, pHidden->m_strText, pHidden->m_bUserButton);
            pItem = pMenuItem;
        }
        if (pItem != nullptr && !pItem->IsSeparator())
        {
            pItem->m_bText = TRUE;
            if (pHidden->m_strText.IsEmpty() || pHidden->IsKindOf(RUNTIME_CLASS(CKTToolbarComboBoxButton)))
                CKTToolbarButton::LoadCommandText(pHidden->m_nID, pItem->m_strText);
            else
                pItem->m_strText = pHidden->m_strText;
        }
        if (pItem != nullptr)
        {
            listItems.AddTail(pItem);
            bAny = TRUE;
        }
        if (posThis == posLast)
            break;
    }
    if (m_iCustomizeCmdId > 0)
    {
        if (bAny)
        {
            auto* pSeparator = new CKTToolbarButton;
            pSeparator->m_nStyle = TBBS_SEPARATOR;
            listItems.AddTail(pSeparator);
        }
        auto* pCustomize = new CKTToolbarMenuButton(m_iCustomizeCmdId, nullptr, -1, m_strCustomizeText);
        pCustomize->m_bText = TRUE;
        pCustomize->m_bImage = FALSE;
        listItems.AddTail(pCustomize);
    }
}

CKTPopupMenu* CCustomizeButton::CreatePopupMenu()
{
    auto* pPopup = new CKTPopupMenu;
    // A locked toolbar's images are its own and do not fit the menu.
    const BOOL bShowImages = m_pWndParentToolbar != nullptr && !m_pWndParentToolbar->IsLocked();
    CObList listItems;
    BuildMenuItems(listItems, bShowImages);
    while (!listItems.IsEmpty())
    {
        CKTToolbarButton* pItem = static_cast<CKTToolbarButton*>(listItems.RemoveHead());
        pPopup->GetMenuBar()->InsertButton(*pItem);
        delete pItem;
    }
    // The bar's hidden commands go, with their states, where its shown ones go.
    if (m_pWndParentToolbar != nullptr && m_pWndParentToolbar->GetSafeHwnd() != nullptr)
        pPopup->SetMessageWnd(m_pWndParentToolbar->GetCommandTarget());
    return pPopup;
}

// System menu button -------------------------------------------------------------------------------

CKTToolbarSystemMenuButton::CKTToolbarSystemMenuButton(HMENU hSystemMenu, HICON hSystemIcon)
    : CKTToolbarMenuButton(0, hSystemMenu, -1), m_hSysMenuIcon(hSystemIcon), m_hSystemMenu(hSystemMenu)
{
    m_bText = FALSE;
    m_bImage = FALSE;
}

void CKTToolbarSystemMenuButton::CopyFrom(const CKTToolbarButton& src)
{
    CKTToolbarMenuButton::CopyFrom(src);
    if (!src.IsKindOf(RUNTIME_CLASS(CKTToolbarSystemMenuButton)) || &src == this)
        return;
    const auto& other = static_cast<const CKTToolbarSystemMenuButton&>(src);
    m_hSysMenuIcon = other.m_hSysMenuIcon;
    m_hSystemMenu = other.m_hSystemMenu;
}

void CKTToolbarSystemMenuButton::CreateFromMenu(HMENU hMenu)
{
    m_hSystemMenu = hMenu;
}

HMENU CKTToolbarSystemMenuButton::CreateMenu() const
{
    // The items are the system menu's, taken afresh with their states.
    CKTToolbarMenuButton items;
    items.CKTToolbarMenuButton::CreateFromMenu(m_hSystemMenu);
    HMENU hMenu = items.CKTToolbarMenuButton::CreateMenu();
    if (hMenu == nullptr || !::IsMenu(m_hSystemMenu))
        return hMenu;
    const int nCount = ::GetMenuItemCount(m_hSystemMenu);
    for (int i = 0; i < nCount; i++)
    {
        const UINT uiCmd = ::GetMenuItemID(m_hSystemMenu, i);
        const UINT uiState = ::GetMenuState(m_hSystemMenu, i, MF_BYPOSITION);
        if (uiState & MF_CHECKED)
            ::CheckMenuItem(hMenu, uiCmd, MF_BYCOMMAND | MF_CHECKED);
        if (uiState & MF_DISABLED)
            ::EnableMenuItem(hMenu, uiCmd, MF_BYCOMMAND | MF_DISABLED);
        if (uiState & MF_GRAYED)
            ::EnableMenuItem(hMenu, uiCmd, MF_BYCOMMAND | MF_GRAYED);
    }
    return hMenu;
}

void CKTToolbarSystemMenuButton::OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip*, BOOL, BOOL, BOOL, BOOL, BOOL)
{
    if (m_hSysMenuIcon == nullptr)
        return;
    CSize size(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
    if (size.cy > ::GetSystemMetrics(SM_CYSMSIZE))
        size = CSize(16, 16);
    ::DrawIconEx(pDC->GetSafeHdc(), rect.left, rect.top + (rect.Height() - size.cy) / 2, m_hSysMenuIcon, size.cx,
                 size.cy, 0, nullptr, DI_NORMAL);
}

SIZE CKTToolbarSystemMenuButton::OnCalculateSize(CDC*, const CSize& sizeDefault, BOOL)
{
    return CSize(::GetSystemMetrics(SM_CXSMICON), sizeDefault.cy);
}

void CKTToolbarSystemMenuButton::OnCancelMode()
{
    CKTPopupMenu* pPopup = m_pPopupMenu;
    if (pPopup != nullptr && pPopup->GetSafeHwnd() != nullptr && !pPopup->CanBeCancelled())
        return;
    m_pPopupMenu = nullptr;
    m_bToBeClosed = FALSE;
    if (pPopup != nullptr)
    {
        pPopup->m_pParentBtn = nullptr;
        if (pPopup->GetSafeHwnd() != nullptr)
            pPopup->CloseMenu();
    }
}

BOOL CKTToolbarSystemMenuButton::OnDblClick(CWnd* pWnd)
{
    if (CKTToolBar::IsCustomizeMode())
        return FALSE;
    CWnd* pFrame = pWnd != nullptr ? pWnd->GetParentFrame() : nullptr;
    if (pFrame != nullptr && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        pFrame = pFrame->GetParent();
    if (pFrame == nullptr || !pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)))
        return TRUE;
    CMDIChildWnd* pChild = static_cast<CMDIFrameWnd*>(pFrame)->MDIGetActive();
    if (pChild == nullptr)
        return TRUE;
    CMenu* pSysMenu = pChild->GetSystemMenu(FALSE);
    if (pSysMenu == nullptr)
        return TRUE;
    MENUITEMINFOW info = {};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE;
    if (::GetMenuItemInfoW(pSysMenu->GetSafeHmenu(), SC_CLOSE, FALSE, &info) && (info.fState & 0x3) == 0)
        pChild->SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    return TRUE;
}

// Window buttons ---------------------------------------------------------------------------------

void CKTToolbarMenuButtonsButton::CopyFrom(const CKTToolbarButton& src)
{
    CKTToolbarButton::CopyFrom(src);
    if (src.IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButtonsButton)))
        m_uiSystemCommand = static_cast<const CKTToolbarMenuButtonsButton&>(src).m_uiSystemCommand;
}

void CKTToolbarMenuButtonsButton::OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip*, BOOL, BOOL, BOOL bHighlight, BOOL,
                                         BOOL)
{
    CKTVisualManager::GetInstance()->OnDrawMenuSystemButton(pDC, rect, m_uiSystemCommand, m_nStyle, bHighlight);
}

SIZE CKTToolbarMenuButtonsButton::OnCalculateSize(CDC*, const CSize&, BOOL)
{
    return CSize(::GetSystemMetrics(SM_CXMENUSIZE), ::GetSystemMetrics(SM_CYMENUSIZE));
}

// Show-all item -----------------------------------------------------------------------------------

void CKTShowAllButton::OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip*, BOOL, BOOL, BOOL bHighlight, BOOL, BOOL)
{
    CRect rectItem = rect;
    rectItem.DeflateRect(0, 1);
    FillInterior(pDC, rectItem, bHighlight);
    CKTVisualManager* pLook = CKTVisualManager::GetInstance();
    const BOOL bPressed = (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) != 0;
    const CKTVisualManager::ButtonState state = bHighlight ? CKTVisualManager::ButtonsIsHighlighted
                                                : bPressed ? CKTVisualManager::ButtonsIsPressed
                                                           : CKTVisualManager::ButtonsIsRegular;
    pLook->OnDrawShowAllMenuItems(pDC, rectItem, state);
    if (bPressed)
        pLook->OnDrawButtonBorder(pDC, this, rectItem, CKTVisualManager::ButtonsIsPressed);
    else if (bHighlight)
        pLook->OnDrawButtonBorder(pDC, this, rectItem, CKTVisualManager::ButtonsIsHighlighted);
}

SIZE CKTShowAllButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL)
{
    return CSize(50, CKTVisualManager::GetInstance()->GetShowAllMenuItemsHeight(pDC, sizeDefault));
}

BOOL CKTShowAllButton::OnClick(CWnd*, BOOL bDelay)
{
    if (m_pWndParent == nullptr || !m_pWndParent->IsKindOf(RUNTIME_CLASS(CKTPopupMenuBar)))
        return FALSE;
    auto* pBar = static_cast<CKTPopupMenuBar*>(m_pWndParent);
    if (!bDelay)
    {
        if (CKTPopupMenu* pPopup = pBar->GetPopupMenu())
            pPopup->ShowAllItems();
        return TRUE;
    }
    // "ShowAllMenusAfterDelay": resting on the item twice the submenu delay expands the menu.
    if (CKTToolBar::m_bShowAllMenusAfterDelay)
        pBar->OpenItemPopup(this, TRUE, 2);
    return TRUE;
}

BOOL CKTShowAllButton::OpenPopupMenu(CWnd* pWnd)
{
    return OnClick(pWnd, FALSE);
}

BOOL CKTShowAllButton::OnToolHitTest(const CWnd*, TOOLINFO* pTI)
{
    if (pTI == nullptr)
        return FALSE;
    CString strFormat;
    strFormat.LoadString(kIdsExpand);
    CString strText;
    strText.Format(strFormat, static_cast<LPCTSTR>(ExpandKeyText()));
    // The tool record owns the text.
    const int nLength = strText.GetLength() + 1;
    auto* pszText = static_cast<LPWSTR>(malloc(nLength * sizeof(wchar_t)));
    if (pszText == nullptr)
        return FALSE;
    wcscpy_s(pszText, nLength, strText);
    pTI->lpszText = pszText;
    pTI->uId = 0;
    return TRUE;
}
