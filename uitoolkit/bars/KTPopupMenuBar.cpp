// The popup menu bar: import and export of menu handles, measuring and placing the items, the
// submenu timers and the choice of an item. Keys and mouse are in KTPopupMenuBarInput.cpp.
#include "uitoolkit/bars/KTPopupMenuBar.h"

#include "uitoolkit/bars/KTMenuStore.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTCmdUsageCount.h"
#include "uitoolkit/customize/KTCommandManager.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTRegistry.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <algorithm>
#include <cerrno>
#include <cwchar>
#include <cwctype>

IMPLEMENT_SERIAL(CKTPopupMenuBar, CKTToolBar, 1)

namespace
{
const int kSeparatorHeight = 8;
const int kDefaultDelayMs = 500;
const int kMaxDelayMs = 5000;
const UINT kColumnBreak = 0x20000000;

// A measuring context with the menu font selected.
class CMenuMeasureDC
{
public:
    CMenuMeasureDC() : m_hDC(::CreateCompatibleDC(nullptr))
    {
        m_hOldFont = ::SelectObject(m_hDC, ktGlobals.m_fontText.GetSafeHandle());
        m_dc.Attach(m_hDC);
    }
    ~CMenuMeasureDC()
    {
        m_dc.Detach();
        ::SelectObject(m_hDC, m_hOldFont);
        ::DeleteDC(m_hDC);
    }
    CMenuMeasureDC(const CMenuMeasureDC&) = delete;
    CMenuMeasureDC& operator=(const CMenuMeasureDC&) = delete;
    CDC* Get() { return &m_dc; }
    void SelectFont(HFONT hFont) { ::SelectObject(m_hDC, hFont); }

private:
    HDC m_hDC;
    HGDIOBJ m_hOldFont;
    CDC m_dc;
};

} // namespace

HMENU CKTPopupMenuBar::CopyMenuTree(HMENU hSource)
{
    if (hSource == nullptr || !::IsMenu(hSource))
        return nullptr;
    HMENU hCopy = ::CreatePopupMenu();
    if (hCopy == nullptr)
        return nullptr;
    const int nCount = ::GetMenuItemCount(hSource);
    for (int i = 0; i < nCount; i++)
    {
        wchar_t szText[512] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_STRING;
        info.dwTypeData = szText;
        info.cch = 511;
        if (!::GetMenuItemInfoW(hSource, static_cast<UINT>(i), TRUE, &info))
            continue;
        if (info.hSubMenu != nullptr)
            info.hSubMenu = CopyMenuTree(info.hSubMenu);
        info.dwTypeData = szText;
        if (!::InsertMenuItemW(hCopy, static_cast<UINT>(i), TRUE, &info) && info.hSubMenu != nullptr)
            ::DestroyMenu(info.hSubMenu);
    }
    return hCopy;
}

namespace
{
CString GetMenuItemText(HMENU hMenu, int iPos)
{
    CString strText;
    const int nLength = ::GetMenuStringW(hMenu, static_cast<UINT>(iPos), nullptr, 0, MF_BYPOSITION);
    if (nLength > 0)
    {
        ::GetMenuStringW(hMenu, static_cast<UINT>(iPos), strText.GetBuffer(nLength + 1), nLength + 1, MF_BYPOSITION);
        strText.ReleaseBuffer();
    }
    return strText;
}
} // namespace

BEGIN_MESSAGE_MAP(CKTPopupMenuBar, CKTToolBar)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_TIMER()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_KILLFOCUS()
ON_MESSAGE(WM_IDLEUPDATECMDUI, &CKTPopupMenuBar::OnIdleUpdateCmdUI)
ON_COMMAND(CKTToolBar::ID_KT_BUTTON_TEXT, &CKTPopupMenuBar::OnMenuItemText)
ON_COMMAND(CKTToolBar::ID_KT_BUTTON_IMAGE_AND_TEXT, &CKTPopupMenuBar::OnMenuItemImageAndText)
END_MESSAGE_MAP()

CKTPopupMenuBar::CKTPopupMenuBar()
{
    m_bMenuMode = TRUE;
    m_HiddenItemsAccel.InitHashTable(17);
}

CKTPopupMenuBar::~CKTPopupMenuBar()
{
    RemoveAllButtons();
}

int CKTPopupMenuBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CKTToolBar::OnCreate(lpcs) == -1)
        return -1;
    m_bMenuMode = TRUE;
    return 0;
}

CKTPopupMenu* CKTPopupMenuBar::GetPopupMenu() const
{
    CWnd* pParent = GetParent();
    if (pParent == nullptr || !pParent->IsKindOf(RUNTIME_CLASS(CKTPopupMenu)))
        return nullptr;
    return static_cast<CKTPopupMenu*>(pParent);
}

void CKTPopupMenuBar::RemoveAllButtons()
{
    m_pDelayedPopupMenuButton = nullptr;
    m_pDelayedClosePopupMenuButton = nullptr;
    CKTToolBar::RemoveAllButtons();
}

BOOL CKTPopupMenuBar::IsItemWithSubmenu(const CKTToolbarButton* pButton) const
{
    if (pButton == nullptr || !pButton->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)) ||
        pButton->IsKindOf(RUNTIME_CLASS(CKTShowAllButton)))
        return FALSE;
    return pButton->m_nID == static_cast<UINT>(-1) ||
           !static_cast<const CKTToolbarMenuButton*>(pButton)->GetCommands().IsEmpty();
}

// Import and export ------------------------------------------------------------------------------

BOOL CKTPopupMenuBar::ImportFromMenu(HMENU hMenu, BOOL bShowAllCommands)
{
    RemoveAllButtons();
    m_HiddenItemsAccel.RemoveAll();
    m_bAreAllCommandsShown = TRUE;
    m_uiDefaultMenuCmdId = 0;
    if (hMenu == nullptr || !::IsMenu(hMenu))
        return FALSE;

    // The owner may update the menu before it is read.
    CKTPopupMenu* pPopup = GetPopupMenu();
    CWnd* pOwner = pPopup != nullptr ? pPopup->GetMessageWnd() : nullptr;
    if (pOwner == nullptr)
        pOwner = CKTPopupMenu::m_pToolkitMainFrame;
    if (pOwner == nullptr && GetSafeHwnd() != nullptr)
        pOwner = GetTopLevelFrame();
    if (pOwner == nullptr)
        pOwner = AfxGetMainWnd();
    if (pOwner != nullptr && pOwner->GetSafeHwnd() != nullptr)
        pOwner->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(hMenu), MAKELPARAM(m_iOffset, 0));
    if (!::IsMenu(hMenu))
        return FALSE;

    const BOOL bHideRarelyUsed = !m_bTrackMode && !bShowAllCommands && !m_bMenuBarShowAllCommands &&
                                 m_bRecentlyUsedMenus && GetUsageCount().HasEnoughStatistics();
    // A separator is added only in front of a shown item that follows another shown item, so
    // that none stands at either end or next to another, whatever was hidden around it.
    BOOL bSeparatorPending = FALSE;
    const int nCount = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nCount; i++)
    {
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
        if (!::GetMenuItemInfoW(hMenu, static_cast<UINT>(i), TRUE, &info))
            continue;
        const UINT uiState = ::GetMenuState(hMenu, static_cast<UINT>(i), MF_BYPOSITION);
        if (info.fType & MFT_SEPARATOR)
        {
            bSeparatorPending = GetCount() > 0;
            continue;
        }
        CString strText = GetMenuItemText(hMenu, i);
        UINT uiCmd = info.wID;
        UINT uiTearOffId = 0;
        if (info.hSubMenu != nullptr)
        {
            uiCmd = static_cast<UINT>(-1);
            if (g_pTearOffIdTable != nullptr)
                uiTearOffId = CKTTearOffIdTable::ParseTearOffId(strText);
        }
        if (bHideRarelyUsed && IsCommandRarelyUsed(uiCmd))
        {
            if (!IsCommandForbidden(uiCmd))
            {
                m_bAreAllCommandsShown = FALSE;
                const wchar_t ch = GetMnemonic(strText);
                if (ch != 0)
                    m_HiddenItemsAccel.SetAt(ch, uiCmd);
            }
            continue;
        }
        if (bSeparatorPending)
        {
            InsertSeparator();
            bSeparatorPending = FALSE;
        }
        CKTToolbarMenuButton* pItem = new CKTToolbarMenuButton;
        pItem->m_nID = uiCmd;
        pItem->m_strText = strText;
        pItem->m_bText = TRUE;
        pItem->m_bImage = FALSE;
        // The item shows the image its command has on the toolbars, else the user's image.
        CKTCommandManager* pManager = CKTCommandManager::GetInstance();
        pItem->m_iImage = pManager->GetCmdImage(uiCmd, FALSE);
        if (pItem->m_iImage < 0)
        {
            pItem->m_bUserButton = TRUE;
            pItem->m_iUserImage = pManager->GetCmdImage(uiCmd, TRUE);
        }
        const int iIndex = InsertButton(pItem);
        if (iIndex < 0)
        {
            delete pItem;
            continue;
        }
        pItem->m_bImage = pItem->GetImage() >= 0;
        UINT nStyle = pItem->m_nStyle;
        if (uiState & (MF_GRAYED | MF_DISABLED))
            nStyle |= TBBS_DISABLED;
        if (uiState & MF_CHECKED)
            nStyle |= TBBS_CHECKED;
        if (info.fType & MFT_MENUBREAK)
            nStyle |= kColumnBreak;
        pItem->SetStyle(nStyle);
        // The item carries its submenu itself, so that it keeps it when it is copied, dragged
        // or stored.
        if (info.hSubMenu != nullptr)
            pItem->CreateFromMenu(info.hSubMenu);
        pItem->SetTearOff(uiTearOffId);
        pItem->OnChangeParentWnd(this);
    }
    const UINT uiDefault = ::GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED);
    m_uiDefaultMenuCmdId = uiDefault == static_cast<UINT>(-1) ? 0 : uiDefault;
    if (GetSafeHwnd() != nullptr)
        RebuildAccelerationKeys();
    return TRUE;
}

HMENU CKTPopupMenuBar::ExportToMenu() const
{
    HMENU hMenu = ::CreatePopupMenu();
    if (hMenu == nullptr)
        return nullptr;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->IsSeparator())
        {
            ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        if (!pButton->IsKindOf(RUNTIME_CLASS(CKTToolbarMenuButton)) ||
            pButton->IsKindOf(RUNTIME_CLASS(CKTShowAllButton)))
            continue;
        const auto* pItem = static_cast<const CKTToolbarMenuButton*>(pButton);
        HMENU hSubMenu = IsItemWithSubmenu(pItem) ? pItem->CreateMenu() : nullptr;
        if (hSubMenu != nullptr)
        {
            CString strText = pButton->m_strText;
            if (pItem->GetTearOffBarID() != 0 && g_pTearOffIdTable != nullptr)
                CKTTearOffIdTable::FormatTearOffText(pItem->GetTearOffBarID(), strText);
            const UINT uiFlags = MF_POPUP | ((pButton->m_nStyle & kColumnBreak) ? MF_MENUBREAK : 0);
            if (!::AppendMenuW(hMenu, uiFlags, reinterpret_cast<UINT_PTR>(hSubMenu), strText))
                ::DestroyMenu(hSubMenu);
            continue;
        }
        ::AppendMenuW(hMenu, MF_STRING, pButton->m_nID, pButton->m_strText);
    }
    if (m_uiDefaultMenuCmdId != 0)
        ::SetMenuDefaultItem(hMenu, m_uiDefaultMenuCmdId, FALSE);
    return hMenu;
}

// Size and layout ------------------------------------------------------------------------------------

int CKTPopupMenuBar::GetRowHeight() const
{
    const CSize sizeGlyph = CKTMenuGlyphs::GetImageSize();
    const CSize sizeImage = GetMenuImageSize();
    const int nHeight = std::max<int>(sizeGlyph.cy, sizeImage.cy) + 2 * 2 + 2;
    return std::max<int>(nHeight, ktGlobals.m_textHeight);
}

CSize CKTPopupMenuBar::CalcSize(BOOL)
{
    if (m_Buttons.IsEmpty())
        return CSize(50 + 2, 20 + 2);
    CMenuMeasureDC dc;
    const CSize sizeGlyph = CKTMenuGlyphs::GetImageSize();
    const CSize sizeDefault(sizeGlyph.cx + 2, std::max<int>(sizeGlyph.cy + 2, GetRowHeight()));
    m_arColumns.RemoveAll();
    int nTotalWidth = 0;
    int nColumnWidth = 0;
    int nColumnHeight = 0;
    int nTallest = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (!m_bCustomizeMode && (pButton->m_nStyle & kColumnBreak) && nColumnHeight > 0)
        {
            nTotalWidth += nColumnWidth + 1;
            m_arColumns.Add(nTotalWidth);
            nTallest = std::max(nTallest, nColumnHeight);
            nColumnWidth = nColumnHeight = 0;
        }
        CSize size;
        if (pButton->IsSeparator())
            size = CSize(0, kSeparatorHeight);
        else
        {
            const BOOL bDefault = m_uiDefaultMenuCmdId != 0 && pButton->m_nID == m_uiDefaultMenuCmdId;
            dc.SelectFont(static_cast<HFONT>(bDefault ? ktGlobals.m_fontBold.GetSafeHandle()
                                                      : ktGlobals.m_fontText.GetSafeHandle()));
            size = pButton->OnCalculateSize(dc.Get(), sizeDefault, TRUE);
            size.cy = std::max<int>(size.cy, ktGlobals.m_textHeight);
            if (pButton->m_strText.Find(L'\t') >= 0)
                size.cx += 10;
        }
        nColumnWidth = std::max<int>(nColumnWidth, size.cx);
        nColumnHeight += size.cy;
    }
    nTallest = std::max(nTallest, nColumnHeight);
    CSize sizeResult(nTotalWidth + nColumnWidth + 2, nTallest + 2);
    if (m_iMaxWidth > 0 && m_iMaxWidth < sizeResult.cx)
        sizeResult.cx = m_iMaxWidth;
    return sizeResult;
}

void CKTPopupMenuBar::AdjustLocations()
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (!m_bFirstLayoutDone)
    {
        m_xSeparatorOffsetLeft = GetMenuImageSize().cx / 2 + 3;
        m_xSeparatorOffsetRight = CKTMenuGlyphs::GetImageSize().cx;
    }
    CRect rectClient;
    GetClientRect(&rectClient);
    CMenuMeasureDC dc;
    const CSize sizeGlyph = CKTMenuGlyphs::GetImageSize();
    const CSize sizeDefault(sizeGlyph.cx + 2, std::max<int>(sizeGlyph.cy + 2, GetRowHeight()));
    const int yTop = rectClient.top - GetRowHeight() * m_iOffset + 1;
    int x = rectClient.left;
    int y = yTop;
    int iColumn = 0;
    int nColumnWidth =
        (!m_arColumns.IsEmpty() && !m_bCustomizeMode) ? m_arColumns[0] - rectClient.left : rectClient.Width();
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (!m_bCustomizeMode && (pButton->m_nStyle & kColumnBreak) && y != yTop && iColumn < m_arColumns.GetSize())
        {
            x = m_arColumns[iColumn] + 1;
            iColumn++;
            nColumnWidth = iColumn < m_arColumns.GetSize() ? m_arColumns[iColumn] - x : rectClient.right - x;
            y = yTop;
        }
        CRect rect;
        if (pButton->IsSeparator())
            rect =
                CRect(x + m_xSeparatorOffsetLeft, y, x + nColumnWidth - m_xSeparatorOffsetRight, y + kSeparatorHeight);
        else
        {
            const CSize size = pButton->OnCalculateSize(dc.Get(), sizeDefault, TRUE);
            rect = CRect(x, y, x + nColumnWidth, y + std::max<int>(size.cy, ktGlobals.m_textHeight));
        }
        if (pButton->m_bHidden)
        {
            pButton->m_bHidden = FALSE;
            pButton->OnShow(TRUE);
        }
        if (rect != pButton->m_rect)
        {
            pButton->m_rect = rect;
            pButton->OnMove();
        }
        y = rect.bottom;
    }
    m_bPressSinceLayout = FALSE;
    m_bFirstLayoutDone = TRUE;
}

int CKTPopupMenuBar::GetLastItemBottom() const
{
    if (m_Buttons.IsEmpty())
        return 0;
    int nBottom = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
        nBottom = std::max<int>(nBottom, static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos))->m_rect.bottom);
    return nBottom;
}

void CKTPopupMenuBar::DrawSeparator(CDC* pDC, const CRect& rect, BOOL)
{
    CKTVisualManager::GetInstance()->OnDrawSeparator(pDC, this, rect, FALSE);
}

void CKTPopupMenuBar::DoPaint(CDC* pDC)
{
    CKTToolBar::DoPaint(pDC);
    if (m_bCustomizeMode || !m_bRecentlyUsedMenus)
        return;
    CKTPopupMenu* pPopup = GetPopupMenu();
    if (pPopup == nullptr || pPopup->GetParentButton() == nullptr)
        return;
    // Runs of rarely used items (a separator between two of them joins the run).
    CRect rectRun;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        const BOOL bRare = !pButton->IsSeparator() && IsCommandRarelyUsed(pButton->m_nID);
        if (bRare)
        {
            if (rectRun.IsRectEmpty())
                rectRun = pButton->m_rect;
            else
                rectRun.bottom = pButton->m_rect.bottom;
        }
        else if (!pButton->IsSeparator() && !rectRun.IsRectEmpty())
        {
            CKTVisualManager::GetInstance()->OnHighlightRarelyUsedMenuItems(pDC, rectRun);
            rectRun.SetRectEmpty();
        }
    }
    if (!rectRun.IsRectEmpty())
        CKTVisualManager::GetInstance()->OnHighlightRarelyUsedMenuItems(pDC, rectRun);
}

CWnd* CKTPopupMenuBar::GetCommandTarget() const
{
    CKTPopupMenu* pPopup = GetPopupMenu();
    if (pPopup != nullptr && pPopup->GetMessageWnd() != nullptr)
        return pPopup->GetMessageWnd();
    return CKTToolBar::GetCommandTarget();
}

// The menu show delay ---------------------------------------------------------------------------------

int CKTPopupMenuBar::ParseMenuShowDelay(LPCWSTR lpszValue)
{
    if (lpszValue == nullptr)
        return kDefaultDelayMs;
    while (*lpszValue != 0 && std::iswspace(*lpszValue))
        lpszValue++;
    wchar_t* pEnd = nullptr;
    errno = 0;
    const long long nValue = std::wcstoll(lpszValue, &pEnd, 10);
    if (pEnd == lpszValue)
        return kDefaultDelayMs;
    while (*pEnd != 0 && std::iswspace(*pEnd))
        pEnd++;
    if (*pEnd != 0)
        return kDefaultDelayMs;
    if (nValue < 0)
        return 0;
    if (nValue > kMaxDelayMs || errno == ERANGE)
        return kMaxDelayMs;
    return static_cast<int>(nValue);
}

int CKTPopupMenuBar::GetMenuShowDelay()
{
    if (m_nMenuShowDelay >= 0)
        return m_nMenuShowDelay;
    CKTRegistry reg(FALSE, TRUE);
    CString strValue;
    const BOOL bFound = reg.Open(L"Control Panel\\Desktop") && reg.Read(L"MenuShowDelay", strValue);
    m_nMenuShowDelay = ParseMenuShowDelay(bFound ? static_cast<LPCWSTR>(strValue) : nullptr);
    return m_nMenuShowDelay;
}
