#include "uitoolkit/bars/KTToolbarMenuButton.h"

#include "uitoolkit/bars/KTFrameImpl.h"
#include "uitoolkit/bars/KTMenuBar.h"
#include "uitoolkit/bars/KTMenuStore.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTStateVersion.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTCommandManager.h"
#include "uitoolkit/customize/KTKeyboardManager.h"
#include "uitoolkit/customize/KTUserTool.h"
#include "uitoolkit/looks/KTImageStrip.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <algorithm>

IMPLEMENT_SERIAL(CKTToolbarMenuButton, CKTToolbarButton, VERSIONABLE_SCHEMA | 1)

namespace
{
CKTMenuBar* AsMenuBar(CWnd* pWnd)
{
    return pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKTMenuBar)) ? static_cast<CKTMenuBar*>(pWnd) : nullptr;
}

BOOL IsKindOfName(const CObject* pObject, const char* lpszClassName)
{
    if (pObject == nullptr)
        return FALSE;
    for (CRuntimeClass* pClass = pObject->GetRuntimeClass(); pClass != nullptr; pClass = pClass->m_pBaseClass)
        if (strcmp(pClass->m_lpszClassName, lpszClassName) == 0)
            return TRUE;
    return FALSE;
}

// The tear-off id is stored only by a workspace whose state is 4.71 or later, or unversioned.
BOOL IsTearOffIdStored()
{
    const KTStateVersion version = KTGetLoadingStateVersion();
    return version.m_bWorkspace && !version.IsKnownAndBefore(4, 71);
}

BOOL IsSystemCommand(UINT uiCmd)
{
    return uiCmd >= 0xF000 && uiCmd < 0xF1F0;
}

// A menu item's label starts right of the image column and stops short of the submenu arrow's
// place; both sides depend on the look and the menu image size.
int MenuLabelLeft()
{
    const int iMargin = CKTVisualManager::GetInstance()->GetMenuImageMargin();
    return 2 * iMargin + CKTToolBar::GetMenuImageSize().cx + 3 * iMargin - 4 + 3;
}

int MenuLabelRightReserve()
{
    CKTMenuGlyphs::Initialize();
    return CKTMenuGlyphs::GetImageSize().cx + 3;
}

CSize GlyphSize()
{
    CKTMenuGlyphs::Initialize();
    CSize size = CKTMenuGlyphs::GetImageSize();
    if (CKTToolBar::IsLargeIcons())
        size = CSize(size.cx * 2, size.cy * 2);
    return size;
}

void DrawGlyphCentred(CDC* pDC, int iGlyph, const CRect& rect, CSize sizeGlyph)
{
    const CSize sizeNatural = CKTMenuGlyphs::GetImageSize();
    const CSize sizeDest = sizeGlyph == sizeNatural ? CSize(0, 0) : sizeGlyph;
    CKTMenuGlyphs::Draw(
        pDC, iGlyph,
        CPoint(rect.left + (rect.Width() - sizeGlyph.cx) / 2, rect.top + (rect.Height() - sizeGlyph.cy) / 2), sizeDest);
}
} // namespace

CKTToolbarMenuButton::CKTToolbarMenuButton() = default;

CKTToolbarMenuButton::CKTToolbarMenuButton(UINT uiID, HMENU hMenu, int iImage, LPCTSTR lpszText, BOOL bUserButton)
{
    m_bUserButton = bUserButton;
    m_nID = uiID;
    SetImage(iImage);
    m_strText = lpszText != nullptr ? lpszText : L"";
    m_hMenu = hMenu;
    CreateFromMenu(hMenu);
}

CKTToolbarMenuButton::~CKTToolbarMenuButton()
{
    if (m_pPopupMenu != nullptr)
        m_pPopupMenu->m_pParentBtn = nullptr;
    RemoveAllCommands();
    if (m_uiTearOffBarID != 0 && g_pTearOffIdTable != nullptr)
        g_pTearOffIdTable->AddRef(m_uiTearOffBarID, FALSE);
}

void CKTToolbarMenuButton::RemoveAllCommands()
{
    while (!m_listCommands.IsEmpty())
        delete m_listCommands.RemoveHead();
}

void CKTToolbarMenuButton::SetTearOff(UINT uiBarID)
{
    if (m_uiTearOffBarID == uiBarID)
        return;
    if (g_pTearOffIdTable != nullptr)
    {
        if (m_uiTearOffBarID != 0)
            g_pTearOffIdTable->AddRef(m_uiTearOffBarID, FALSE);
        if (uiBarID != 0)
            g_pTearOffIdTable->AddRef(uiBarID, TRUE);
    }
    m_uiTearOffBarID = uiBarID;
}

// Menu handles ----------------------------------------------------------------------------------

void CKTToolbarMenuButton::CreateFromMenu(HMENU hMenu)
{
    RemoveAllCommands();
    if (!::IsMenu(hMenu))
        return;
    const UINT uiDefault = ::GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED);
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++)
    {
        auto* pItem = new CKTToolbarMenuButton;
        pItem->m_nID = ::GetMenuItemID(hMenu, i);
        wchar_t szText[512] = {};
        ::GetMenuStringW(hMenu, i, szText, 511, MF_BYPOSITION);
        pItem->m_strText = szText;
        if (pItem->m_nID == (UINT)-1)
        {
            if (g_pTearOffIdTable != nullptr)
                pItem->SetTearOff(CKTTearOffIdTable::ParseTearOffId(pItem->m_strText));
            pItem->CreateFromMenu(::GetSubMenu(hMenu, i));
        }
        else if (pItem->m_nID == uiDefault)
            pItem->m_bDefault = TRUE;
        if (::GetMenuState(hMenu, i, MF_BYPOSITION) & MF_MENUBREAK)
            pItem->m_nStyle |= MenuBreakStyle;
        m_listCommands.AddTail(pItem);
    }
}

HMENU CKTToolbarMenuButton::CreateMenu() const
{
    if (m_listCommands.IsEmpty() && IsRealCommand() && !m_bMenuOnly)
        return nullptr;
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == nullptr)
        return nullptr;
    UINT uiDefault = (UINT)-1;
    BOOL bOk = TRUE;
    for (POSITION pos = m_listCommands.GetHeadPosition(); pos != nullptr && bOk;)
    {
        const auto* pItem = static_cast<const CKTToolbarButton*>(m_listCommands.GetNext(pos));
        UINT uiFlags = (pItem->m_nStyle & MenuBreakStyle) ? MF_MENUBREAK : 0;
        if (IsTearOffMenu())
            uiFlags |= MF_MENUBARBREAK;
        if (pItem->m_nID == 0)
            bOk = ::AppendMenuW(hMenu, MF_SEPARATOR | uiFlags, 0, nullptr);
        else if (pItem->m_nID == (UINT)-1)
        {
            const auto* pSub = pItem->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton))
                                   ? static_cast<const CKTToolbarMenuButton*>(pItem)
                                   : nullptr;
            HMENU hSubMenu = pSub != nullptr ? pSub->CreateMenu() : ::CreatePopupMenu();
            if (hSubMenu == nullptr)
            {
                bOk = FALSE;
                break;
            }
            CString strText = pItem->m_strText;
            if (pSub != nullptr && pSub->m_uiTearOffBarID != 0 && g_pTearOffIdTable != nullptr)
                CKTTearOffIdTable::FormatTearOffText(pSub->m_uiTearOffBarID, strText);
            bOk = ::AppendMenuW(hMenu, uiFlags | MF_POPUP, reinterpret_cast<UINT_PTR>(hSubMenu), strText);
            if (!bOk)
                ::DestroyMenu(hSubMenu);
        }
        else
        {
            const auto* pMenuItem = pItem->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton))
                                        ? static_cast<const CKTToolbarMenuButton*>(pItem)
                                        : nullptr;
            if (pMenuItem != nullptr && pMenuItem->m_bDefault)
                uiDefault = pItem->m_nID;
            bOk = ::AppendMenuW(hMenu, MF_STRING | uiFlags, pItem->m_nID, pItem->m_strText);
        }
    }
    if (!bOk)
    {
        ::DestroyMenu(hMenu);
        return nullptr;
    }
    if (uiDefault != (UINT)-1)
        ::SetMenuDefaultItem(hMenu, uiDefault, FALSE);
    return hMenu;
}

// Storage and copies ---------------------------------------------------------------------------

void CKTToolbarMenuButton::Serialize(CArchive& ar)
{
    CKTToolbarButton::Serialize(ar);
    if (ar.IsStoring())
    {
        if (IsTearOffIdStored())
            ar << static_cast<DWORD>(m_uiTearOffBarID);
        m_listCommands.Serialize(ar);
        return;
    }
    RemoveAllCommands();
    DWORD dwTearOff = 0;
    if (IsTearOffIdStored())
        ar >> dwTearOff;
    SetTearOff(dwTearOff);
    // Items are read into a list of their own, which alone owns them: a damaged list leaves none
    // behind. An item stored as a reference back to another object would make this button hold
    // itself, an owner or a button held elsewhere, so such a list is refused whole.
    CObList listRead;
    CKTToolBar::ReadButtonList(ar, listRead);
    if (listRead.Find(nullptr) != nullptr)
    {
        CKTToolBar::DeleteButtonList(listRead);
        AfxThrowArchiveException(CArchiveException::badIndex);
    }
    m_listCommands.AddTail(&listRead);
}

void CKTToolbarMenuButton::CopyFrom(const CKTToolbarButton& src)
{
    CKTToolbarButton::CopyFrom(src);
    if (!src.IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)) || &src == this)
        return;
    const auto& other = static_cast<const CKTToolbarMenuButton&>(src);
    m_bDefault = other.m_bDefault;
    m_bMenuOnly = other.m_bMenuOnly;
    m_bIsRadio = other.m_bIsRadio;
    SetTearOff(other.m_uiTearOffBarID);
    RemoveAllCommands();
    for (POSITION pos = other.m_listCommands.GetHeadPosition(); pos != nullptr;)
    {
        const auto* pSrcItem = static_cast<const CKTToolbarButton*>(other.m_listCommands.GetNext(pos));
        CObject* pObject = pSrcItem->GetRuntimeClass()->CreateObject();
        if (pObject == nullptr)
            continue;
        if (!pObject->IsKindOf(RUNTIME_CLASS(CKTToolbarButton)))
        {
            delete pObject;
            continue;
        }
        auto* pItem = static_cast<CKTToolbarButton*>(pObject);
        pItem->CopyFrom(*pSrcItem);
        m_listCommands.AddTail(pItem);
    }
}

BOOL CKTToolbarMenuButton::CompareWith(const CKTToolbarButton& other) const
{
    if (m_nID != other.m_nID || !other.IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)))
        return m_nID == other.m_nID && m_listCommands.IsEmpty();
    const auto& menuOther = static_cast<const CKTToolbarMenuButton&>(other);
    if (m_listCommands.GetCount() != menuOther.m_listCommands.GetCount())
        return FALSE;
    POSITION posOther = menuOther.m_listCommands.GetHeadPosition();
    for (POSITION pos = m_listCommands.GetHeadPosition(); pos != nullptr;)
    {
        const auto* pItem = static_cast<const CKTToolbarButton*>(m_listCommands.GetNext(pos));
        const auto* pOtherItem = static_cast<const CKTToolbarButton*>(menuOther.m_listCommands.GetNext(posOther));
        if (!pItem->CompareWith(*pOtherItem))
            return FALSE;
    }
    return TRUE;
}

void CKTToolbarMenuButton::ResetImageToDefault()
{
    CKTToolbarButton::ResetImageToDefault();
    for (POSITION pos = m_listCommands.GetHeadPosition(); pos != nullptr;)
        static_cast<CKTToolbarButton*>(m_listCommands.GetNext(pos))->ResetImageToDefault();
}

void CKTToolbarMenuButton::SetRadio()
{
    m_bIsRadio = TRUE;
    if (m_pWndParent->GetSafeHwnd() == nullptr)
        return;
    CRect rectImage = m_rect;
    rectImage.right =
        rectImage.left + CKTToolBar::GetMenuImageSize().cx + 2 * CKTVisualManager::GetInstance()->GetMenuImageMargin();
    m_pWndParent->InvalidateRect(rectImage);
    m_pWndParent->UpdateWindow();
}

void CKTToolbarMenuButton::GetMenuLayoutMeasures(int& iImageOffset, int& iGlyphWidth)
{
    iImageOffset = CKTToolBar::GetMenuImageSize().cx / 2 + 3;
    CKTMenuGlyphs::Initialize();
    iGlyphWidth = CKTMenuGlyphs::GetImageSize().cx;
}

// Placement ------------------------------------------------------------------------------------

BOOL CKTToolbarMenuButton::IsOnMenuBar() const
{
    return IsKindOfName(m_pWndParent, "CKTMenuBar");
}

BOOL CKTToolbarMenuButton::IsOnPopupMenuBar() const
{
    return m_pWndParent != nullptr && m_pWndParent->IsKindOf(RUNTIME_CLASS(CKTPopupMenuBar));
}

void CKTToolbarMenuButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKTToolbarButton::OnChangeParentWnd(pWndParent);
    const BOOL bItems = !m_listCommands.IsEmpty();
    m_bMenuMode = FALSE;
    if (CKTMenuBar* pMenuBar = AsMenuBar(pWndParent))
    {
        m_bDrawDownArrow = IsRealCommand() && bItems ? TRUE : pMenuBar->IsMenuDropArrows();
        m_bText = TRUE;
        m_bImage = FALSE;
    }
    else
        m_bDrawDownArrow = m_nID == 0 || bItems;
    if (pWndParent != nullptr && pWndParent->IsKindOf(RUNTIME_CLASS(CKTPopupMenuBar)))
    {
        m_bMenuMode = TRUE;
        m_bText = TRUE;
        m_bImage = FALSE;
        m_bDrawDownArrow = m_nID == 0 || bItems;
    }
}

SIZE CKTToolbarMenuButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    m_bHorz = bHorz;
    int iArrow = 0;
    if (m_bDrawDownArrow || m_bMenuMode)
    {
        CKTMenuGlyphs::Initialize();
        const CSize sizeGlyph = CKTMenuGlyphs::GetImageSize();
        iArrow = (bHorz ? sizeGlyph.cx : sizeGlyph.cy) * (CKTToolBar::IsLargeIcons() ? 2 : 1) - 1;
    }
    if (m_bMenuMode && g_pKeyboardManager != nullptr && !IsSystemCommand(m_nID))
        UpdateShortcutText();
    CSize size = CKTToolbarButton::OnCalculateSize(pDC, sizeDefault, bHorz);
    if (bHorz)
        size.cx += iArrow;
    else
        size.cy += iArrow;
    if (m_bMenuMode)
    {
        size.cx += 6 + sizeDefault.cx;
        // With large menu images or a wide look the measure above leaves the label too little
        // room: the item is at least as wide as its drawing needs, or its text is cut off.
        if (bHorz && m_bText)
            size.cx = std::max<int>(size.cx, MenuLabelLeft() + m_sizeText.cx + MenuLabelRightReserve() + 2);
    }
    if (IsOnPopupMenuBar())
        size.cy = static_cast<CKTToolBar*>(m_pWndParent)->GetRowHeight();
    if (!m_bMenuMode)
    {
        const int iMargin = 2 * CKTVisualManager::GetInstance()->GetMenuImageMargin();
        if (bHorz)
            size.cx += iMargin;
        else
            size.cy += iMargin;
    }
    return size;
}

void CKTToolbarMenuButton::UpdateShortcutText()
{
    const int iTab = m_strText.Find(L'\t');
    if (iTab >= 0)
        m_strText = m_strText.Left(iTab);
    // The frame that owns the popup menus, else the main window; then its active child.
    CFrameWnd* pFrame = CKTPopupMenu::m_pToolkitMainFrame;
    if (pFrame == nullptr || m_pWndParent == nullptr)
    {
        CWnd* pMain = AfxGetMainWnd();
        pFrame =
            pMain != nullptr && pMain->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pMain) : nullptr;
    }
    if (pFrame == nullptr)
        return;
    CString strKey;
    FindCommandKey(m_nID, pFrame, strKey);
    if (!strKey.IsEmpty())
        m_strText += L"\t" + strKey;
}

CRect CKTToolbarMenuButton::GetArrowRect() const
{
    CKTMenuGlyphs::Initialize();
    const CSize sizeGlyph = CKTMenuGlyphs::GetImageSize();
    const int iFactor = CKTToolBar::IsLargeIcons() ? 2 : 1;
    CSize sizeExtra(0, 0);
    const auto* pBar = m_pWndParent != nullptr && m_pWndParent->IsKindOf(RUNTIME_CLASS(CKTToolBar))
                           ? static_cast<const CKTToolBar*>(m_pWndParent)
                           : nullptr;
    if (pBar != nullptr && pBar->IsButtonExtraSizeAvailable())
        sizeExtra = CKTVisualManager::GetInstance()->GetButtonExtraBorder();
    CRect rect = m_rect;
    if (m_bHorz)
        rect.left = rect.right - sizeGlyph.cx * iFactor - sizeExtra.cx - 2;
    else
        rect.top = rect.bottom - sizeGlyph.cy * iFactor - sizeExtra.cy - 2;
    return rect;
}

// Opening and closing ---------------------------------------------------------------------------

BOOL CKTToolbarMenuButton::OnClick(CWnd* pWnd, BOOL bDelay)
{
    m_bClickedOnMenu = FALSE;
    if (m_bDrawDownArrow && !bDelay && !m_bMenuMode && IsRealCommand() && !m_bMenuOnly)
    {
        CPoint pt;
        ::GetCursorPos(&pt);
        if (pWnd != nullptr)
            pWnd->ScreenToClient(&pt);
        if (!GetArrowRect().PtInRect(pt))
            return FALSE;
        m_bClickedOnMenu = TRUE;
    }
    else if (m_bDrawDownArrow)
        m_bClickedOnMenu = TRUE;

    if (IsRealCommand() && !m_bDrawDownArrow && !m_bMenuOnly && !m_bClickedOnMenu)
        return FALSE;

    CKTMenuBar* pMenuBar = AsMenuBar(m_pWndParent);
    if (m_pPopupMenu != nullptr)
    {
        CKTPopupMenu* pPopup = m_pPopupMenu;
        pPopup->m_pParentBtn = nullptr;
        m_pPopupMenu = nullptr;
        if (pPopup->GetSafeHwnd() != nullptr)
            pPopup->DestroyWindow();
        if (pMenuBar != nullptr)
            pMenuBar->ClearDroppedButton();
    }
    else if (!bDelay || !IsOnPopupMenuBar() || CKTToolBar::IsCustomizeMode())
    {
        // One menu of a menu bar is open at a time.
        if (pMenuBar != nullptr && pMenuBar->GetDroppedButton() != this)
            pMenuBar->CancelDroppedButton();
        if (!OpenPopupMenu(pWnd))
            return FALSE;
        if (pMenuBar != nullptr && pMenuBar->GetSafeHwnd() != nullptr)
            pMenuBar->SetDroppedButton(this);
    }
    else
        static_cast<CKTPopupMenuBar*>(m_pWndParent)->OpenItemPopup(this, TRUE);

    if (m_pWndParent->GetSafeHwnd() != nullptr)
    {
        CRect rect = m_rect;
        rect.InflateRect(4, 4);
        m_pWndParent->InvalidateRect(rect);
    }
    return TRUE;
}

BOOL CKTToolbarMenuButton::OpenPopupMenu(CWnd* pWnd)
{
    if (m_pPopupMenu != nullptr)
        return FALSE;
    if (pWnd == nullptr)
        pWnd = m_pWndParent;
    if (pWnd->GetSafeHwnd() == nullptr)
        return FALSE;
    HMENU hMenu = CreateMenu();
    if (hMenu == nullptr && !IsEmptyMenuAllowed())
        return FALSE;
    CKTPopupMenu* pPopup = CreatePopupMenu();
    if (pPopup == nullptr)
    {
        if (hMenu != nullptr)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    if (pPopup->GetMenuBar()->GetCount() > 0 && hMenu != nullptr)
    {
        // The popup was filled by a subclass: the menu handle is not needed.
        ::DestroyMenu(hMenu);
        hMenu = nullptr;
    }

    CRect rectParent = m_rect;
    pWnd->ClientToScreen(&rectParent);
    CPoint point;
    CKTPopupMenu::DropDirection direction = CKTPopupMenu::DROP_DIRECTION_BOTTOM;
    const DWORD dwBarStyle =
        pWnd->IsKindOf(RUNTIME_CLASS(CControlBar)) ? static_cast<CControlBar*>(pWnd)->GetBarStyle() : CBRS_ALIGN_TOP;
    if (IsOnPopupMenuBar())
    {
        CWnd* pParentPopup = pWnd->GetParent();
        CRect rectPopup;
        pParentPopup->GetWindowRect(&rectPopup);
        point = CPoint(rectPopup.right + 1, rectParent.top - 2);
        direction = CKTPopupMenu::DROP_DIRECTION_RIGHT;
        if (pParentPopup->GetExStyle() & WS_EX_LAYOUTRTL)
        {
            point.x = rectPopup.left - 1;
            direction = CKTPopupMenu::DROP_DIRECTION_LEFT;
        }
    }
    else if (!IsKindOfName(pWnd, "CKTMenuBar") || (dwBarStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)))
    {
        point = CPoint(pPopup->m_bRightAlign ? rectParent.right - 2 : rectParent.left, rectParent.bottom - 1);
    }
    else
    {
        point = CPoint(rectParent.right, rectParent.top);
        direction = CKTPopupMenu::DROP_DIRECTION_RIGHT;
    }

    pPopup->m_pParentBtn = this;
    pPopup->m_DropDirection = direction;
    m_pPopupMenu = pPopup;
    if (!pPopup->Create(pWnd, point.x, point.y, hMenu))
    {
        // A popup that failed deletes itself with its window; only forget it.
        m_pPopupMenu = nullptr;
        return FALSE;
    }
    return TRUE;
}

CKTPopupMenu* CKTToolbarMenuButton::CreatePopupMenu()
{
    return new CKTPopupMenu;
}

void CKTToolbarMenuButton::OnCancelMode()
{
    if (m_pPopupMenu != nullptr)
    {
        CKTPopupMenu* pPopup = m_pPopupMenu;
        // The popup may refuse (a tear-off drag holds it): nothing changes then.
        if (pPopup->GetSafeHwnd() != nullptr && !pPopup->CanBeCancelled())
            return;
        if (pPopup->GetSafeHwnd() != nullptr)
        {
            CKTPopupMenuBar* pBar = pPopup->GetMenuBar();
            for (int i = 0; i < pBar->GetCount(); i++)
                pBar->GetButton(i)->OnCancelMode();
        }
        pPopup->m_pParentBtn = nullptr;
        m_pPopupMenu = nullptr;
        if (pPopup->GetSafeHwnd() != nullptr)
            pPopup->CloseMenu();
    }
    if (m_pWndParent->GetSafeHwnd() != nullptr)
    {
        CRect rect = m_rect;
        rect.InflateRect(4, 4);
        m_pWndParent->InvalidateRect(rect);
        m_pWndParent->UpdateWindow();
    }
    m_bToBeClosed = FALSE;
}

BOOL CKTToolbarMenuButton::CancelOpenItems()
{
    if (m_pPopupMenu != nullptr && m_pPopupMenu->GetSafeHwnd() != nullptr)
    {
        CKTPopupMenuBar* pBar = m_pPopupMenu->GetMenuBar();
        for (int i = 0; i < pBar->GetCount(); i++)
            pBar->GetButton(i)->OnCancelMode();
    }
    return TRUE;
}

void CKTToolbarMenuButton::OnAfterDrop()
{
    if (m_pWndParent == nullptr || m_pWndParent->GetSafeHwnd() == nullptr)
        return;
    CKTPopupMenu* pOuter = nullptr;
    for (CWnd* pWnd = m_pWndParent->GetParent(); pWnd != nullptr && pWnd->IsKindOf(RUNTIME_CLASS(CKTPopupMenu));
         pWnd = pWnd->GetParent())
        pOuter = static_cast<CKTPopupMenu*>(pWnd);
    // Posted: the drag returns into the handler of a bar this close destroys.
    if (pOuter != nullptr)
        pOuter->PostMessage(WM_CLOSE);
}

// Drawing --------------------------------------------------------------------------------------

void CKTToolbarMenuButton::OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz, BOOL bCustomizeMode,
                                  BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    if (m_bMenuMode)
    {
        DrawMenuItem(pDC, rect, pImages, bCustomizeMode, bHighlight, bGrayDisabledButtons);
        return;
    }
    CKTVisualManager* pLook = CKTVisualManager::GetInstance();
    const BOOL bDropped = m_pPopupMenu != nullptr;
    FillInterior(pDC, rect, bHighlight || bDropped);

    const CSize sizeGlyph = GlyphSize();
    CRect rectParent = rect;
    if (m_bExtraSize)
    {
        const CSize sizeExtra = pLook->GetButtonExtraBorder();
        rectParent.DeflateRect(sizeExtra.cx / 2 + 1, sizeExtra.cy / 2 + 1);
    }
    const int iMargin = pLook->GetMenuImageMargin();
    CRect rectContent = rect;
    if (bHorz)
        rectContent.DeflateRect(iMargin, 0);
    else
        rectContent.DeflateRect(0, iMargin);
    CRect rectArrow = rectParent;
    if (m_bDrawDownArrow)
    {
        if (bHorz)
        {
            rectContent.right -= sizeGlyph.cx + 2;
            rectArrow.left = rectContent.right - 1;
        }
        else
        {
            rectContent.bottom -= sizeGlyph.cy + 2;
            rectArrow.top = rectContent.bottom - 1;
        }
    }

    const UINT nStyleSaved = m_nStyle;
    if (pLook->IsMenuFlatLook())
        m_nStyle &= ~(TBBS_PRESSED | TBBS_CHECKED);
    else if (m_bClickedOnMenu && IsSplitButton())
        m_nStyle &= ~TBBS_PRESSED;
    else if (bDropped)
        m_nStyle |= TBBS_PRESSED;
    const BOOL bDisableFill = m_bDisableFill;
    m_bDisableFill = TRUE;
    CKTToolbarButton::OnDraw(pDC, rectContent, pImages, bHorz, bCustomizeMode, bHighlight, FALSE, bGrayDisabledButtons);
    m_bDisableFill = bDisableFill;
    const UINT nStyleDrawn = m_nStyle;
    m_nStyle = nStyleSaved;

    const BOOL bPressedOrChecked = (nStyleDrawn & (TBBS_PRESSED | TBBS_CHECKED)) != 0;
    if (m_bDrawDownArrow)
    {
        if (bPressedOrChecked && !pLook->IsMenuFlatLook())
            rectArrow.OffsetRect(1, 1);
        if ((bHighlight || bPressedOrChecked || bDropped) && IsSplitButton())
        {
            CRect rectSeparator = rectArrow;
            if (bHorz)
                rectSeparator.right = rectSeparator.left + 2;
            else
                rectSeparator.bottom = rectSeparator.top + 2;
            const BOOL bActive = bHighlight || (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED));
            pLook->OnDrawDropDownSeparator(
                pDC, this, rectSeparator,
                bActive ? CKTVisualManager::ButtonsIsPressed : CKTVisualManager::ButtonsIsRegular, bHorz);
        }
        const BOOL bDisabled = bCustomizeMode ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
        int iGlyph = bHorz ? CKTMenuGlyphs::IdArrowDown : CKTMenuGlyphs::IdArrowRight;
        if (bDisabled)
            iGlyph++;
        CRect rectGlyph = rectArrow;
        if (bDropped && !(m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) && !pLook->IsMenuFlatLook())
            rectGlyph.OffsetRect(1, 1);
        DrawGlyphCentred(pDC, iGlyph, rectGlyph, sizeGlyph);
    }

    if (bCustomizeMode || !bDrawBorder)
        return;
    if (!(m_nStyle & (TBBS_CHECKED | TBBS_PRESSED)) && !bDropped)
    {
        if (bHighlight && !(m_nStyle & (TBBS_CHECKED | TBBS_DISABLED | TBBS_INDETERMINATE)))
            pLook->OnDrawButtonBorder(pDC, this, rect, CKTVisualManager::ButtonsIsHighlighted);
        return;
    }
    if (m_bClickedOnMenu && IsSplitButton() && !pLook->IsMenuFlatLook())
    {
        pLook->OnDrawButtonBorder(pDC, this, rectContent, CKTVisualManager::ButtonsIsHighlighted);
        CRect rectArrowBorder = rectArrow;
        rectArrowBorder.right--;
        rectArrowBorder.bottom--;
        pLook->OnDrawButtonBorder(pDC, this, rectArrowBorder, CKTVisualManager::ButtonsIsPressed);
    }
    else
        pLook->OnDrawButtonBorder(pDC, this, rect, CKTVisualManager::ButtonsIsPressed);
}

void CKTToolbarMenuButton::DrawMenuItem(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bCustomizeMode,
                                        BOOL bHighlight, BOOL bGrayDisabledButtons)
{
    CKTVisualManager* pLook = CKTVisualManager::GetInstance();
    const BOOL bDisabled = bCustomizeMode ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
    if (m_pPopupMenu != nullptr && !m_bToBeClosed)
        bHighlight = TRUE;

    const int iMargin = pLook->GetMenuImageMargin();
    const CSize sizeImage = CKTToolBar::GetMenuImageSize();
    CRect rectImage(rect.left + iMargin, rect.top, rect.left + 2 * iMargin + sizeImage.cx, rect.bottom);

    // Images: the user image first, then the default one, whatever the show-image flag says.
    int iImage = -1;
    CKTImageStrip* pStrip = nullptr;
    if (m_bUserButton && m_iUserImage >= 0)
    {
        iImage = m_iUserImage;
        pStrip = CKTToolBar::GetUserImages();
    }
    else if (m_iImage >= 0 && IsRealCommand())
    {
        iImage = m_iImage;
        pStrip = pImages != nullptr ? pImages : CKTToolBar::GetListItemImages(FALSE);
    }
    if (IsRealCommand() && CKTCommandManager::GetInstance()->IsMenuItemWithoutImage(m_nID))
        iImage = -1;
    const BOOL bChecked = (m_nStyle & TBBS_CHECKED) != 0;
    BOOL bImageDrawn = FALSE;
    if (CKTUserTool* pTool = GetToolWithIcon())
    {
        pTool->DrawToolIcon(pDC, rectImage);
        bImageDrawn = TRUE;
    }
    else if (pStrip != nullptr && iImage >= 0 && iImage < pStrip->GetCount())
    {
        CKTDrawState ds;
        if (pStrip->PrepareDrawImage(ds, sizeImage))
        {
            int x = rectImage.left + (rectImage.Width() - sizeImage.cx) / 2;
            int y = rectImage.top + (rectImage.Height() - sizeImage.cy) / 2;
            if (bChecked && !pLook->IsShadowHighlightedImage())
            {
                x++;
                y++;
            }
            if (bHighlight && !bDisabled && !bChecked && !bCustomizeMode && pLook->IsShadowHighlightedImage())
            {
                pStrip->Draw(pDC, x, y, iImage, FALSE, FALSE, FALSE, TRUE);
                x--;
                y--;
            }
            pStrip->Draw(pDC, x, y, iImage, FALSE, bDisabled && !bCustomizeMode && bGrayDisabledButtons);
            pStrip->EndDrawImage(ds);
            bImageDrawn = TRUE;
        }
    }

    // Without an image of its own the frame that owns the menus may draw one (a user tool's icon).
    if (!bImageDrawn && IsRealCommand() && !CKTCommandManager::GetInstance()->IsMenuItemWithoutImage(m_nID))
    {
        CKTFrameHooks* pHooks = KTGetFrameHooks(CKTPopupMenu::GetTopFrame(m_pWndParent));
        if (pHooks != nullptr && pHooks->OnDrawMenuImage(pDC, this, rectImage))
            bImageDrawn = TRUE;
    }

    BOOL bGlyph = FALSE;
    if (bChecked && !bImageDrawn)
    {
        FillInterior(pDC, rectImage, FALSE);
        const int iGlyph = m_bIsRadio ? (bDisabled ? CKTMenuGlyphs::IdRadioDisabled : CKTMenuGlyphs::IdRadio)
                                      : (bDisabled ? CKTMenuGlyphs::IdCheckDisabled : CKTMenuGlyphs::IdCheck);
        CKTMenuGlyphs::Initialize();
        DrawGlyphCentred(pDC, iGlyph, rectImage, CKTMenuGlyphs::GetImageSize());
        pLook->OnDrawButtonBorder(pDC, this, rectImage, CKTVisualManager::ButtonsIsPressed);
        bGlyph = TRUE;
    }
    else if (bChecked)
        pLook->OnDrawButtonBorder(pDC, this, rectImage, CKTVisualManager::ButtonsIsPressed);
    else if (bImageDrawn && bHighlight && !bDisabled)
        pLook->OnDrawButtonBorder(pDC, this, rectImage, CKTVisualManager::ButtonsIsHighlighted);

    if (!bImageDrawn && IsSystemCommand(m_nID))
    {
        int iGlyph = -1;
        switch (m_nID)
        {
        case SC_MINIMIZE:
            iGlyph = CKTMenuGlyphs::IdMinimize;
            break;
        case SC_RESTORE:
            iGlyph = CKTMenuGlyphs::IdRestore;
            break;
        case SC_CLOSE:
            iGlyph = CKTMenuGlyphs::IdClose;
            break;
        case SC_MAXIMIZE:
            iGlyph = CKTMenuGlyphs::IdMaximize;
            break;
        default:
            break;
        }
        if (iGlyph >= 0)
        {
            CRect rectGlyph = rectImage;
            rectGlyph.DeflateRect(iMargin, iMargin);
            CKTMenuGlyphs::Initialize();
            DrawGlyphCentred(pDC, bDisabled ? iGlyph + 1 : iGlyph, rectGlyph, CKTMenuGlyphs::GetImageSize());
            if (bHighlight)
                pLook->OnDrawButtonBorder(pDC, this, rectImage, CKTVisualManager::ButtonsIsHighlighted);
            bGlyph = TRUE;
        }
    }

    CRect rectText = rect;
    rectText.left = rect.left + MenuLabelLeft() - 3;
    COLORREF clrText = bDisabled ? ktGlobals.m_colorGrayText : ktGlobals.m_colorText;
    if (bHighlight)
    {
        CRect rectHighlight = rect;
        rectHighlight.left = (bImageDrawn || bGlyph) ? rectText.left - 1 : rect.left;
        rectHighlight.right--;
        clrText = bDisabled ? ktGlobals.m_colorFace : ktGlobals.m_colorSelectionText;
        pLook->OnHighlightMenuItem(pDC, this, rectHighlight, clrText);
    }

    CString strLabel = m_strText;
    CString strShortcut;
    const int iTab = strLabel.Find(L'\t');
    if (iTab >= 0)
    {
        strShortcut = strLabel.Mid(iTab + 1);
        strLabel = strLabel.Left(iTab);
    }
    CRect rectLabel = rectText;
    rectLabel.left += 3;
    rectLabel.right -= MenuLabelRightReserve();

    CFont* pOldFont = nullptr;
    if (m_bDefault && IsRealCommand() && !m_bMenuOnly)
        pOldFont = pDC->SelectObject(&ktGlobals.m_fontBold);
    if (!m_bWholeText)
    {
        const CString strEllipsis = L"...";
        CString strShort = strLabel;
        while (!strShort.IsEmpty() && pDC->GetTextExtent(strShort + strEllipsis).cx > rectLabel.Width())
            strShort = strShort.Left(strShort.GetLength() - 1);
        strLabel = strShort + strEllipsis;
    }
    const int iOldMode = pDC->SetBkMode(TRANSPARENT);
    auto drawTexts = [&](const CRect& rectAt, COLORREF clr) {
        pDC->SetTextColor(clr);
        CRect r = rectAt;
        pDC->DrawText(strLabel, &r, DT_SINGLELINE | DT_VCENTER);
        if (!strShortcut.IsEmpty())
        {
            r = rectAt;
            pDC->DrawText(strShortcut, &r, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
        }
    };
    const COLORREF clrOld = pDC->GetTextColor();
    if (bDisabled && !bHighlight)
    {
        CRect rectEtched = rectLabel;
        rectEtched.OffsetRect(1, 1);
        drawTexts(rectEtched, ktGlobals.m_colorHighlight);
        drawTexts(rectLabel, ktGlobals.m_colorGrayText);
    }
    else
        drawTexts(rectLabel, clrText);
    if (pOldFont != nullptr)
        pDC->SelectObject(pOldFont);

    if (m_nID == (UINT)-1 || m_bDrawDownArrow || m_bMenuOnly)
    {
        const BOOL bRtl = m_pWndParent->GetSafeHwnd() != nullptr && (m_pWndParent->GetExStyle() & WS_EX_LAYOUTRTL);
        CFont* pOld = pDC->SelectObject(&ktGlobals.m_fontSymbols);
        CRect rectArrow = rect;
        pDC->DrawText(bRtl ? L"3" : L"4", &rectArrow, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
        pDC->SelectObject(pOld);
    }
    pDC->SetTextColor(clrOld);
    pDC->SetBkMode(iOldMode);
}

int CKTToolbarMenuButton::DrawAsListItem(CDC* pDC, const CRect& rect, BOOL bSelected)
{
    const int iWidth = CKTToolbarButton::DrawAsListItem(pDC, rect, bSelected);
    if (m_nID != 0 && m_listCommands.IsEmpty())
        return iWidth;
    CKTMenuGlyphs::Initialize();
    const CSize sizeGlyph = CKTMenuGlyphs::GetImageSize();
    CRect rectGlyph(rect.right - sizeGlyph.cx, rect.top, rect.right, rect.bottom);
    DrawGlyphCentred(pDC, bSelected ? CKTMenuGlyphs::IdArrowRightSelected : CKTMenuGlyphs::IdArrowRight, rectGlyph,
                     sizeGlyph);
    const int x = rectGlyph.left - 3;
    pDC->FillSolidRect(x, rect.top + 2, 1, rect.Height() - 4, ktGlobals.m_colorShadow);
    pDC->FillSolidRect(x + 1, rect.top + 2, 1, rect.Height() - 4, ktGlobals.m_colorHighlight);
    return iWidth;
}
