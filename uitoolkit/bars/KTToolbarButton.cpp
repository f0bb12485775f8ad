#include "uitoolkit/bars/KTToolbarButton.h"

#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/bars/KTFrameImpl.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/customize/KTCommandManager.h"
#include "uitoolkit/customize/KTKeyboardManager.h"
#include "uitoolkit/customize/KTUserTool.h"
#include "uitoolkit/customize/KTUserToolsManager.h"
#include "uitoolkit/looks/KTImageStrip.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <algorithm>
#include <new>
#include <stdexcept>

IMPLEMENT_SERIAL(CKTToolbarButton, CObject, VERSIONABLE_SCHEMA | 1)

namespace
{
CLIPFORMAT s_cfButton = 0;
CString s_strClipboardFormatName;

const UINT kDrawTextCalc = DT_CALCRECT | DT_CENTER | DT_WORDBREAK;
} // namespace

CKTToolbarButton::CKTToolbarButton()
{
    Initialize();
}

CKTToolbarButton::CKTToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText, BOOL bUserButton, BOOL bLocked)
{
    Initialize();
    m_nID = uiID;
    m_bUserButton = bUserButton;
    m_bLocked = bLocked;
    SetImage(iImage);
    m_strText = lpszText != nullptr ? lpszText : L"";
    if (m_nID != 0 && !m_bLocked)
    {
        CKTCommandManager* pManager = CKTCommandManager::GetInstance();
        if (GetImage() == -1)
        {
            const int iCmdImage = pManager->GetCmdImage(m_nID, m_bUserButton);
            (m_bUserButton ? m_iUserImage : m_iImage) = iCmdImage;
            if (iCmdImage < 0)
            {
                m_bImage = FALSE;
                m_bText = TRUE;
            }
        }
        else
            pManager->SetCmdImage(m_nID, GetImage(), m_bUserButton);
    }
}

CKTToolbarButton::~CKTToolbarButton() = default;

void CKTToolbarButton::Initialize()
{
    s_nMade++;
    m_bUserButton = FALSE;
    m_nID = 0;
    m_nStyle = TBBS_BUTTON;
    m_bText = FALSE;
    m_bImage = TRUE;
    m_bAlwaysCopied = FALSE;
    m_bWholeText = TRUE;
    m_bTextBelow = FALSE;
    m_bDragFromCollection = FALSE;
    m_rect.SetRectEmpty();
    m_iImage = -1;
    m_iUserImage = -1;
    m_bLocked = FALSE;
    m_dwReserved = 0;
    m_sizeText = CSize(0, 0);
    m_bDisableFill = FALSE;
    m_bExtraSize = FALSE;
    m_bHorz = TRUE;
    m_bWrap = FALSE;
    m_bHidden = FALSE;
}

void CKTToolbarButton::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar << static_cast<DWORD>(m_nID) << static_cast<DWORD>(m_nStyle) << static_cast<LONG>(GetImage()) << m_strText
           << static_cast<LONG>(m_bUserButton) << static_cast<LONG>(m_bDragFromCollection) << static_cast<LONG>(m_bText)
           << static_cast<LONG>(m_bImage);
        return;
    }
    DWORD nID = 0;
    DWORD nStyle = 0;
    LONG iImage = -1;
    CString strText;
    LONG bUser = FALSE;
    LONG bDrag = FALSE;
    LONG bText = FALSE;
    LONG bImage = TRUE;
    ar >> nID >> nStyle >> iImage >> strText >> bUser >> bDrag >> bText >> bImage;
    // Nothing changes until the whole record was read.
    m_nID = nID;
    m_nStyle = nStyle;
    m_strText = strText;
    m_bUserButton = bUser != 0;
    m_bDragFromCollection = bDrag != 0;
    m_bText = bText != 0;
    m_bImage = bImage != 0;
    SetImage(iImage);
}

BOOL CKTToolbarButton::OnToolbarReset(BOOL)
{
    return TRUE;
}

void CKTToolbarButton::CopyFrom(const CKTToolbarButton& src)
{
    m_nID = src.m_nID;
    m_bLocked = src.m_bLocked;
    m_bUserButton = src.m_bUserButton;
    m_nStyle = src.m_nStyle;
    SetImage(src.GetImage());
    m_strText = src.m_strText;
    m_bText = src.m_bText;
    m_bImage = src.m_bImage;
    m_bAlwaysCopied = src.m_bAlwaysCopied;
    m_strTextCustom = src.m_strTextCustom;
    m_bDragFromCollection = FALSE;
}

BOOL CKTToolbarButton::IsEditableCommand(UINT uiCmd)
{
    // A submenu is no command: menus are moved and edited like the commands in them.
    if (uiCmd == (UINT)-1)
        return TRUE;
    if (uiCmd >= 0xE110 && uiCmd <= 0xE11F)
        return FALSE;
    if (uiCmd >= 0xE210 && uiCmd <= 0xE21F)
        return FALSE;
    if (uiCmd >= 0xF000 && uiCmd <= 0xF1EF)
        return FALSE;
    if (g_pUserToolsManager != nullptr && uiCmd == g_pUserToolsManager->GetToolsEntryCmd())
        return FALSE;
    return uiCmd < 0xFF00;
}

CKTUserTool* CKTToolbarButton::FindUserTool(UINT uiCmd)
{
    return g_pUserToolsManager != nullptr ? g_pUserToolsManager->FindTool(uiCmd) : nullptr;
}

CKTUserTool* CKTToolbarButton::GetToolWithIcon() const
{
    // A menu item marks a command without a strip image as a user-image item: only an image of
    // the user's own replaces the tool's icon.
    return m_bUserButton && m_iUserImage >= 0 ? nullptr : FindUserTool(m_nID);
}

BOOL CKTToolbarButton::FindCommandKey(UINT uiCmd, CFrameWnd* pFrame, CString& strKey)
{
    strKey.Empty();
    if (pFrame == nullptr || uiCmd == 0 || uiCmd == (UINT)-1)
        return FALSE;
    if (CKTKeyboardManager::FindDefaultAccelerator(uiCmd, strKey, pFrame, TRUE))
        return TRUE;
    CFrameWnd* pChild = pFrame->GetActiveFrame();
    if (pChild != nullptr && pChild != pFrame && CKTKeyboardManager::FindDefaultAccelerator(uiCmd, strKey, pChild, FALSE))
        return TRUE;
    strKey.Empty();
    return FALSE;
}

BOOL CKTToolbarButton::IsEditable() const
{
    return IsEditableCommand(m_nID);
}

BOOL CKTToolbarButton::OnClick(CWnd*, BOOL)
{
    return FALSE;
}

BOOL CKTToolbarButton::OnClickUp()
{
    return FALSE;
}

void CKTToolbarButton::OnChangeParentWnd(CWnd* pWndParent)
{
    m_pWndParent = pWndParent;
    const CKTToolBar* pBar = pWndParent != nullptr && pWndParent->IsKindOf(RUNTIME_CLASS(CKTToolBar))
                                 ? static_cast<const CKTToolBar*>(pWndParent)
                                 : nullptr;
    m_bExtraSize = pBar != nullptr ? pBar->IsButtonExtraSizeAvailable() : FALSE;
}

BOOL CKTToolbarButton::LoadCommandText(UINT uiCmd, CString& strText)
{
    CString strResource;
    if (uiCmd == 0 || !strResource.LoadString(uiCmd))
        return FALSE;
    const int iNewLine = strResource.Find(L'\n');
    if (iNewLine < 0)
        return FALSE;
    strText = strResource.Mid(iNewLine + 1).Left(256);
    return TRUE;
}

BOOL CKTToolbarButton::LoadDefaultText()
{
    if (m_strText.IsEmpty() && m_nID != 0 && m_nID != (UINT)-1)
    {
        CString strText;
        if (LoadCommandText(m_nID, strText))
            m_strText = strText;
    }
    return TRUE;
}

BOOL CKTToolbarButton::ExportToMenuButton(CKTToolbarMenuButton& menuButton) const
{
    if (m_nID == 0 || m_nID == (UINT)-1)
        return FALSE;
    CString strText;
    if (!LoadCommandText(m_nID, strText))
        return FALSE;
    menuButton.m_strText = strText;
    return TRUE;
}

void CKTToolbarButton::SetImage(int iImage)
{
    if (IsSeparator())
    {
        m_iImage = iImage;
        return;
    }
    (m_bUserButton ? m_iUserImage : m_iImage) = iImage;
    if (!m_bLocked && m_nID != 0)
    {
        CKTCommandManager* pManager = CKTCommandManager::GetInstance();
        if (iImage != -1)
        {
            if (m_bUpdateImages || m_bUserButton)
                pManager->SetCmdImage(m_nID, iImage, m_bUserButton);
        }
        else
        {
            m_iImage = pManager->GetCmdImage(m_nID, FALSE);
            m_iUserImage = pManager->GetCmdImage(m_nID, TRUE);
            // A command with only a user image is a user-image button; flipping the flag
            // instead would drop such a button to text at every other load.
            if (m_iImage == -1 && m_iUserImage != -1)
                m_bUserButton = TRUE;
            else if (m_iImage != -1 && m_iUserImage == -1)
                m_bUserButton = FALSE;
        }
    }
    if (GetImage() < 0)
    {
        m_bImage = FALSE;
        m_bText = TRUE;
    }
}

void CKTToolbarButton::ResetImageToDefault()
{
    // A user tool's button shows the tool's icon, never a default image.
    if (m_bUserButton || (int)m_nID <= 0 || FindUserTool(m_nID) != nullptr)
        return;
    int iImage = -1;
    if (CKTToolBar::GetDefaultImage(m_nID, iImage) && iImage >= 0)
    {
        SetImage(iImage);
        return;
    }
    if (m_bImage)
    {
        m_bImage = FALSE;
        m_bText = TRUE;
        if (m_strText.IsEmpty())
            LoadCommandText(m_nID, m_strText);
    }
}

CString CKTToolbarButton::PrepareLabel(const CString& strText)
{
    CString strLabel;
    const int n = strText.GetLength();
    for (int i = 0; i < n; i++)
    {
        const wchar_t ch = strText[i];
        if (ch != L'&')
            strLabel += ch;
        else if (i + 1 < n && strText[i + 1] == L'&')
        {
            strLabel += L'&';
            i++;
        }
    }
    return strLabel;
}

SIZE CKTToolbarButton::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    if (IsSeparator())
    {
        const int iWidth = m_iImage <= 0 ? 8 : m_iImage;
        return bHorz ? CSize(iWidth, sizeDefault.cy) : CSize(sizeDefault.cx, iWidth);
    }
    CSize size = sizeDefault;
    // A user tool's icon takes the image's room.
    if (!m_bImage || (GetImage() < 0 && GetToolWithIcon() == nullptr))
    {
        const CSize sizeExtra = m_bExtraSize ? CKTVisualManager::GetInstance()->GetButtonExtraBorder() : CSize(0, 0);
        if (bHorz)
            size.cx = sizeExtra.cx;
        else
            size.cy = sizeExtra.cy;
    }
    m_sizeText = CSize(0, 0);
    if (m_strText.IsEmpty() || pDC == nullptr)
        return size;
    const HDC hdc = pDC->GetSafeHdc();
    if (m_bTextBelow && bHorz)
    {
        CRect rectText(0, 0, sizeDefault.cx * 3, sizeDefault.cy);
        const int iHeight = ::DrawTextW(hdc, m_strText, -1, &rectText, kDrawTextCalc);
        m_sizeText = CSize(rectText.Width() + 6, iHeight);
        size.cx = std::max<int>(size.cx, m_sizeText.cx) + 12;
        size.cy += m_sizeText.cy + 2 * AFX_CY_BORDER;
        return size;
    }
    if (m_bText)
    {
        const CString strLabel = PrepareLabel(m_strText);
        SIZE ext = {0, 0};
        ::GetTextExtentPoint32W(hdc, strLabel, strLabel.GetLength(), &ext);
        m_sizeText = ext;
        if (bHorz)
            size.cx += ext.cx + 9;
        else
            size.cy += ext.cx + 9;
    }
    return size;
}

int CKTToolbarButton::FaceState(BOOL bHighlight) const
{
    if (bHighlight)
        return CKTVisualManager::ButtonsIsHighlighted;
    if (m_nStyle & (TBBS_CHECKED | TBBS_PRESSED))
        return CKTVisualManager::ButtonsIsPressed;
    return CKTVisualManager::ButtonsIsRegular;
}

void CKTToolbarButton::FillInterior(CDC* pDC, const CRect& rect, BOOL bHighlight)
{
    if (m_bDisableFill)
        return;
    CKTVisualManager::GetInstance()->OnFillButtonInterior(
        pDC, this, rect, static_cast<CKTVisualManager::ButtonState>(FaceState(bHighlight)));
}

void CKTToolbarButton::OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz, BOOL bCustomizeMode,
                              BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    CKTVisualManager* pLook = CKTVisualManager::GetInstance();
    m_bHorz = bHorz;
    FillInterior(pDC, rect, bHighlight);

    const HDC hdc = pDC->GetSafeHdc();
    const CSize sizeImage = pImages != nullptr ? pImages->GetImageSize() : CSize(0, 0);
    CRect rectInternal = rect;
    if (m_bExtraSize)
    {
        const CSize sizeExtra = pLook->GetButtonExtraBorder();
        rectInternal.DeflateRect(sizeExtra.cx / 2, sizeExtra.cy / 2);
    }

    const BOOL bTextBelow = m_bTextBelow && bHorz;
    const BOOL bTextBeside = m_bText && !m_strText.IsEmpty() && !bTextBelow;
    CString strLabel;
    int iTextWidth = 0;
    int iTextHeight = 0;
    if (bTextBeside)
    {
        strLabel = PrepareLabel(m_strText);
        SIZE ext = {0, 0};
        ::GetTextExtentPoint32W(hdc, strLabel, strLabel.GetLength(), &ext);
        iTextWidth = ext.cx + 6;
        TEXTMETRICW tm = {};
        ::GetTextMetricsW(hdc, &tm);
        iTextHeight = tm.tmHeight;
    }

    CSize sizeSpace;
    if (bTextBelow)
        sizeSpace = CSize(rectInternal.Width(), sizeImage.cy + 6);
    else if (bHorz)
        sizeSpace = CSize(rectInternal.Width() - iTextWidth, rectInternal.Height());
    else
        sizeSpace = CSize(rectInternal.Width(), rectInternal.Height() - iTextWidth);

    const BOOL bDisabled = bCustomizeMode ? !IsEditable() : (m_nStyle & TBBS_DISABLED) != 0;
    const BOOL bPressed = (m_nStyle & (TBBS_PRESSED | TBBS_CHECKED)) != 0;
    const int iImage = GetImage();
    CKTUserTool* pTool = m_bImage ? GetToolWithIcon() : nullptr;
    if (pTool != nullptr)
    {
        const CSize sizeIcon = sizeImage.cx > 0 ? sizeImage : CSize(::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON));
        pTool->DrawToolIcon(pDC, CRect(CPoint(rectInternal.left + (sizeSpace.cx - sizeIcon.cx) / 2,
                                              rectInternal.top + (sizeSpace.cy - sizeIcon.cy) / 2),
                                       sizeIcon));
    }
    else if (m_bImage && pImages != nullptr && iImage >= 0 && iImage < pImages->GetCount())
    {
        int x = rectInternal.left + (sizeSpace.cx - sizeImage.cx) / 2;
        int y = rectInternal.top + (sizeSpace.cy - sizeImage.cy) / 2;
        if ((m_nStyle & TBBS_PRESSED) && bHighlight && pLook->IsOffsetPressedButton())
        {
            x++;
            y++;
        }
        // The strip's "hot" state is the dithered face of a checked button, not the hover. A
        // shadowed image is the shadow, then the image raised above it.
        const BOOL bShadow = bHighlight && !bPressed && !bDisabled && pLook->IsShadowHighlightedImage();
        if (bShadow)
        {
            pImages->Draw(pDC, x + 1, y + 1, iImage, FALSE, FALSE, FALSE, TRUE);
            x--;
            y--;
        }
        pImages->Draw(pDC, x, y, iImage, FALSE, bDisabled && bGrayDisabledButtons, (m_nStyle & TBBS_INDETERMINATE) != 0,
                      FALSE, !bHighlight && !bPressed && pLook->IsFadeInactiveImage());
    }

    if ((bTextBeside || (bTextBelow && !m_strText.IsEmpty())) && !m_strText.IsEmpty())
    {
        const COLORREF clrText =
            pLook->GetToolbarButtonTextColor(this, static_cast<CKTVisualManager::ButtonState>(FaceState(bHighlight)));
        const COLORREF clrOld = ::SetTextColor(hdc, clrText);
        const int iOldMode = ::SetBkMode(hdc, TRANSPARENT);
        if (bTextBelow)
        {
            CRect rectText(rectInternal.left + 3, rectInternal.top + sizeSpace.cy, rectInternal.right - 3,
                           rectInternal.bottom);
            ::DrawTextW(hdc, m_strText, -1, &rectText, DT_CENTER | DT_WORDBREAK);
        }
        else if (bHorz)
        {
            CRect rectText(rectInternal.left + sizeSpace.cx + 3,
                           rectInternal.top + (sizeSpace.cy - iTextHeight - 1) / 2, rectInternal.right - 3,
                           rectInternal.bottom);
            rectText.bottom = rectText.top + iTextHeight + 1;
            ::DrawTextW(hdc, m_strText, -1, &rectText, DT_SINGLELINE | DT_LEFT | DT_VCENTER);
        }
        else
        {
            // The bar selected its rotated font: the text runs down with its top toward the right.
            const int x = rectInternal.left + (sizeSpace.cx - iTextHeight + 1) / 2 + iTextHeight;
            const int y = rectInternal.top + sizeSpace.cy + 3;
            ::ExtTextOutW(hdc, x, y, 0, nullptr, strLabel, strLabel.GetLength(), nullptr);
        }
        ::SetBkMode(hdc, iOldMode);
        ::SetTextColor(hdc, clrOld);
    }

    if (!bCustomizeMode && bDrawBorder && DrawsBorder())
    {
        if (bPressed)
            pLook->OnDrawButtonBorder(pDC, this, rect, CKTVisualManager::ButtonsIsPressed);
        else if (bHighlight && (m_nStyle & (TBBS_CHECKED | TBBS_DISABLED | TBBS_INDETERMINATE)) == 0)
            pLook->OnDrawButtonBorder(pDC, this, rect, CKTVisualManager::ButtonsIsHighlighted);
    }
}

int CKTToolbarButton::DrawAsListItem(CDC* pDC, const CRect& rect, BOOL bSelected)
{
    CKTImageStrip* pImages = CKTToolBar::GetListItemImages(m_bUserButton);
    CKTVisualManager* pLook = CKTVisualManager::GetInstance();
    const HDC hdc = pDC->GetSafeHdc();
    const CSize sizeMenuImage = CKTToolBar::GetMenuImageSize();
    const int iColumn = sizeMenuImage.cx + 2 * pLook->GetMenuImageMargin() + 2;
    CRect rectImage(rect.left, rect.top, rect.left + iColumn, rect.bottom);
    const int iImage = GetImage();
    CKTUserTool* pTool = GetToolWithIcon();
    if (pTool != nullptr)
        pTool->DrawToolIcon(pDC, rectImage);
    else if (pImages != nullptr && iImage >= 0 && iImage < pImages->GetCount())
    {
        CKTDrawState ds;
        if (pImages->PrepareDrawImage(ds, sizeMenuImage))
        {
            pImages->Draw(pDC, rectImage.left + (rectImage.Width() - sizeMenuImage.cx) / 2,
                          rectImage.top + (rectImage.Height() - sizeMenuImage.cy) / 2, iImage);
            pImages->EndDrawImage(ds);
        }
    }
    CRect rectText = rect;
    rectText.left = rectImage.right + 3;
    const COLORREF clrOld =
        ::SetTextColor(hdc, bSelected ? ktGlobals.m_colorSelectionText : ktGlobals.m_colorWindowText);
    const int iOldMode = ::SetBkMode(hdc, TRANSPARENT);
    const CString strText = m_strText.IsEmpty() ? m_strTextCustom : m_strText;
    ::DrawTextW(hdc, strText, -1, &rectText, DT_SINGLELINE | DT_VCENTER);
    SIZE ext = {0, 0};
    const CString strLabel = PrepareLabel(strText);
    ::GetTextExtentPoint32W(hdc, strLabel, strLabel.GetLength(), &ext);
    ::SetBkMode(hdc, iOldMode);
    ::SetTextColor(hdc, clrOld);
    return std::min<int>(rect.Width(), rectText.left - rect.left + ext.cx);
}

BOOL CKTToolbarButton::OnToolHitTest(const CWnd* pWnd, TOOLINFO* pTI)
{
    // Popup menus name the frame that owns them; a bar asks the frame it belongs to.
    CFrameWnd* pFrame = CKTPopupMenu::m_pToolkitMainFrame;
    if (pFrame != nullptr && pFrame->GetSafeHwnd() == nullptr)
        pFrame = nullptr;
    if (pFrame == nullptr && pWnd != nullptr)
        pFrame = pWnd->IsKindOf(RUNTIME_CLASS(CKTToolBar)) ? static_cast<const CKTToolBar*>(pWnd)->GetTopFrame()
                                                          : pWnd->GetTopLevelFrame();
    if (pFrame == nullptr)
    {
        CWnd* pMain = AfxGetMainWnd();
        pFrame = pMain != nullptr && pMain->IsFrameWnd() ? static_cast<CFrameWnd*>(pMain) : nullptr;
    }
    CKTFrameHooks* pHooks = KTGetFrameHooks(pFrame);
    return pHooks != nullptr && pHooks->OnMenuButtonToolHitTest(this, pTI);
}

void CKTToolbarButton::EnableWindow(BOOL bEnable)
{
    const HWND hwnd = GetHwnd();
    if (hwnd != nullptr)
        ::EnableWindow(hwnd, bEnable);
}

BOOL CKTToolbarButton::IsWindowVisible()
{
    const HWND hwnd = GetHwnd();
    return hwnd != nullptr && (::GetWindowLongW(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
}

BOOL CKTToolbarButton::IsOwnerOf(HWND hwnd)
{
    const HWND hwndOwn = GetHwnd();
    return hwndOwn != nullptr && hwnd != nullptr && (hwnd == hwndOwn || ::IsChild(hwndOwn, hwnd));
}

BOOL CKTToolbarButton::HasFocus() const
{
    const HWND hwndOwn = const_cast<CKTToolbarButton*>(this)->GetHwnd();
    const HWND hwndFocus = ::GetFocus();
    return hwndOwn != nullptr && hwndFocus != nullptr && (hwndFocus == hwndOwn || ::IsChild(hwndOwn, hwndFocus));
}

void CKTToolbarButton::SetClipboardFormatName(LPCTSTR lpszName)
{
    if (s_cfButton == 0 && lpszName != nullptr)
        s_strClipboardFormatName = lpszName;
}

CLIPFORMAT CKTToolbarButton::GetClipboardFormat()
{
    if (s_cfButton == 0)
    {
        CString strName = s_strClipboardFormatName;
        if (strName.IsEmpty())
            strName.Format(L"KTToolbarButton%lx", (unsigned long)(ULONG_PTR)AfxGetInstanceHandle());
        s_cfButton = static_cast<CLIPFORMAT>(::RegisterClipboardFormatW(strName));
    }
    return s_cfButton;
}

BOOL CKTToolbarButton::PrepareDrag(COleDataSource& srcItem)
{
    if (!CanBeStored())
        return TRUE;
    try
    {
        CSharedFile file(GMEM_MOVEABLE | GMEM_DDESHARE, 4096);
        {
            CArchive ar(&file, CArchive::store, 4096);
            ar.WriteClass(GetRuntimeClass());
            Serialize(ar);
            ar.Close();
        }
        srcItem.CacheGlobalData(GetClipboardFormat(), file.Detach());
    }
    catch (CException* e)
    {
        e->Delete();
        return FALSE;
    }
    return TRUE;
}

CKTToolbarButton* CKTToolbarButton::ReadButton(CArchive& ar)
{
    CRuntimeClass* pClass = ar.ReadClass(RUNTIME_CLASS(CKTToolbarButton));
    if (pClass == nullptr || !pClass->IsDerivedFrom(RUNTIME_CLASS(CKTToolbarButton)))
        return nullptr;
    CObject* pObject = pClass->CreateObject();
    if (pObject == nullptr)
        return nullptr;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CKTToolbarButton)))
    {
        delete pObject;
        return nullptr;
    }
    CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(pObject);
    try
    {
        pButton->Serialize(ar);
    }
    catch (...)
    {
        delete pButton;
        throw;
    }
    return pButton;
}

CKTToolbarButton* CKTToolbarButton::CreateFromOleData(COleDataObject* pDataObject)
{
    if (pDataObject == nullptr)
        return nullptr;
    CFile* pFile = pDataObject->GetFileData(GetClipboardFormat());
    if (pFile == nullptr)
        return nullptr;
    CKTToolbarButton* pButton = nullptr;
    try
    {
        CArchive ar(pFile, CArchive::load, 4096);
        pButton = ReadButton(ar);
        ar.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        delete pButton;
        pButton = nullptr;
    }
    catch (const std::exception&)
    {
        delete pButton;
        pButton = nullptr;
    }
    delete pFile;
    return pButton;
}
