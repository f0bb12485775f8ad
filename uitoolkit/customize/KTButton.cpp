#include "uitoolkit/customize/KTButton.h"

#include "uitoolkit/customize/KTCursorResource.h"
#include "uitoolkit/looks/KTDrawHelper.h"
#include "uitoolkit/looks/KTImageStrip.h"
#include "uitoolkit/looks/KTLooksResources.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"
#include "uitoolkit/looks/KTWinXPVisualManager.h"

IMPLEMENT_DYNCREATE(CKTButton, CButton)

BOOL CKTButton::s_bWinXPTheme = FALSE;

namespace
{
const int kImageMargin = 5;

UINT ImageListColorFlags(int nBitsPixel)
{
    switch (nBitsPixel)
    {
    case 8:
        return ILC_COLOR8;
    case 16:
        return ILC_COLOR16;
    case 24:
        return ILC_COLOR24;
    case 32:
        return ILC_COLOR32;
    default:
        return ILC_COLOR4;
    }
}

// Creates the list at the bitmap's size and depth and adds a copy of the bitmap, masked by
// clrMask (the image list rewrites the masked pixels of what it is given).
BOOL AddMaskedCopy(CImageList& list, HBITMAP hBitmap, const BITMAP& bmp, COLORREF clrMask)
{
    if (list.GetSafeHandle() == nullptr &&
        !list.Create(bmp.bmWidth, bmp.bmHeight, ImageListColorFlags(bmp.bmBitsPixel) | ILC_MASK, 0, 1))
        return FALSE;
    HBITMAP hCopy = (HBITMAP)::CopyImage(hBitmap, IMAGE_BITMAP, 0, 0, 0);
    if (hCopy == nullptr)
        return FALSE;
    CBitmap bmpCopy;
    bmpCopy.Attach(hCopy);
    return list.Add(&bmpCopy, clrMask) >= 0;
}

} // namespace

BEGIN_MESSAGE_MAP(CKTButton, CButton)
ON_WM_ERASEBKGND()
ON_WM_CANCELMODE()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_SETCURSOR()
ON_WM_ENABLE()
ON_WM_SIZE()
ON_WM_KILLFOCUS()
ON_WM_LBUTTONDBLCLK()
ON_WM_TIMER()
ON_MESSAGE(WM_SETFONT, &CKTButton::OnSetFont)
ON_MESSAGE(WM_GETFONT, &CKTButton::OnGetFont)
ON_MESSAGE(BM_GETCHECK, &CKTButton::OnGetCheck)
ON_MESSAGE(BM_SETCHECK, &CKTButton::OnSetCheck)
END_MESSAGE_MAP()

CKTButton::CKTButton() = default;

CKTButton::~CKTButton()
{
    CleanUp();
    delete m_pToolTip;
}

void CKTButton::CleanUp()
{
    m_Images.DeleteImageList();
    m_ImagesHot.DeleteImageList();
    m_ImagesDisabled.DeleteImageList();
    m_ImagesChecked.DeleteImageList();
    m_ImagesCheckedHot.DeleteImageList();
    m_ImagesCheckedDisabled.DeleteImageList();
    m_nStdImageId = -1;
    m_nStdImageDisabledId = -1;
    m_sizeImage = CSize(0, 0);
}

void CKTButton::SetImage(UINT uiBmpResId, UINT uiBmpHotResId, BOOL bChecked)
{
    const UINT uiLoad = LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS;
    HINSTANCE hInst = AfxGetResourceHandle();
    HBITMAP hBitmap = uiBmpResId == 0
                          ? nullptr
                          : (HBITMAP)::LoadImage(hInst, MAKEINTRESOURCE(uiBmpResId), IMAGE_BITMAP, 0, 0, uiLoad);
    HBITMAP hBitmapHot = uiBmpHotResId == 0 || hBitmap == nullptr
                             ? nullptr
                             : (HBITMAP)::LoadImage(hInst, MAKEINTRESOURCE(uiBmpHotResId), IMAGE_BITMAP, 0, 0, uiLoad);
    SetImage(hBitmap, TRUE, hBitmapHot, FALSE, bChecked);
}

void CKTButton::SetImage(HBITMAP hBitmap, BOOL bAutoDestroy, HBITMAP hBitmapHot, BOOL bMap3dColors, BOOL bChecked)
{
    (bChecked ? m_ImagesChecked : m_Images).DeleteImageList();
    (bChecked ? m_ImagesCheckedHot : m_ImagesHot).DeleteImageList();
    (bChecked ? m_ImagesCheckedDisabled : m_ImagesDisabled).DeleteImageList();
    m_nStdImageId = -1;
    m_nStdImageDisabledId = -1;
    m_sizeImage = CSize(0, 0);

    if (hBitmap != nullptr)
    {
        FillImageLists(hBitmap, hBitmapHot, bMap3dColors, bChecked);
        CreateDisabledImage(hBitmap, bChecked);
    }
    if (bAutoDestroy)
    {
        if (hBitmapHot != nullptr)
            ::DeleteObject(hBitmapHot);
        if (hBitmap != nullptr)
            ::DeleteObject(hBitmap);
    }
}

void CKTButton::FillImageLists(HBITMAP hBitmap, HBITMAP hBitmapHot, BOOL bMap3dColors, BOOL bChecked)
{
    const COLORREF clrMask = bMap3dColors ? RGB(192, 192, 192) : ::GetSysColor(COLOR_BTNFACE);
    CImageList* lists[2] = {bChecked ? &m_ImagesChecked : &m_Images, bChecked ? &m_ImagesCheckedHot : &m_ImagesHot};
    HBITMAP bitmaps[2] = {hBitmap, hBitmapHot};
    for (int i = 0; i < 2 && bitmaps[i] != nullptr; i++)
    {
        BITMAP bmp{};
        if (::GetObject(bitmaps[i], sizeof(bmp), &bmp) == 0)
            return;
        if (i == 0)
            m_sizeImage = CSize(bmp.bmWidth, bmp.bmHeight);
        if (!AddMaskedCopy(*lists[i], bitmaps[i], bmp, clrMask))
            lists[i]->DeleteImageList();
    }
}

BOOL CKTButton::CreateDisabledImage(HBITMAP hBitmap, BOOL bChecked)
{
    CImageList& list = bChecked ? m_ImagesCheckedDisabled : m_ImagesDisabled;
    list.DeleteImageList();

    BITMAP bmp{};
    if (hBitmap == nullptr || ::GetObject(hBitmap, sizeof(bmp), &bmp) == 0)
        return FALSE;
    HBITMAP hStripCopy = (HBITMAP)::CopyImage(hBitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (hStripCopy == nullptr)
        return FALSE;

    CClientDC dcScreen(nullptr);
    CDC dcMem;
    CBitmap bmpResult;
    BOOL bOk =
        dcMem.CreateCompatibleDC(&dcScreen) && bmpResult.CreateCompatibleBitmap(&dcScreen, bmp.bmWidth, bmp.bmHeight);
    if (bOk)
    {
        CBitmap* pOld = dcMem.SelectObject(&bmpResult);
        CRect rect(0, 0, bmp.bmWidth, bmp.bmHeight);
        ::FillRect(dcMem.GetSafeHdc(), &rect, ::GetSysColorBrush(COLOR_BTNFACE));

        CKTImageStrip strip;
        strip.SetImageSize(CSize(bmp.bmWidth, bmp.bmHeight));
        bOk = strip.AddImage(hStripCopy) >= 0;
        if (bOk)
        {
            strip.SetTransparentColor(::GetSysColor(COLOR_BTNFACE));
            CKTDrawState ds;
            bOk = strip.PrepareDrawImage(ds);
            if (bOk)
            {
                strip.Draw(&dcMem, 0, 0, 0, FALSE, TRUE);
                strip.EndDrawImage(ds);
            }
        }
        dcMem.SelectObject(pOld);
    }
    ::DeleteObject(hStripCopy);
    if (!bOk)
        return FALSE;
    BITMAP bmpDisabled = bmp;
    bmpDisabled.bmBitsPixel = (WORD)dcScreen.GetDeviceCaps(BITSPIXEL);
    if (!AddMaskedCopy(list, (HBITMAP)bmpResult.GetSafeHandle(), bmpDisabled, ::GetSysColor(COLOR_BTNFACE)))
    {
        list.DeleteImageList();
        return FALSE;
    }
    return TRUE;
}

void CKTButton::SetStdImage(int iGlyph, int iGlyphDisabled)
{
    CleanUp();
    CKTMenuGlyphs::Initialize();
    m_sizeImage = CKTMenuGlyphs::GetImageSize();
    m_nStdImageId = iGlyph;
    m_nStdImageDisabledId = iGlyphDisabled;
}

void CKTButton::SetTooltip(LPCTSTR lpszToolTipText)
{
    if (lpszToolTipText == nullptr || *lpszToolTipText == 0)
    {
        if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
            m_pToolTip->Activate(FALSE);
        m_bToolTipActive = FALSE;
        return;
    }
    if (m_pToolTip != nullptr && m_pToolTip->GetSafeHwnd() != nullptr)
        m_pToolTip->UpdateTipText(lpszToolTipText, this);
    else
    {
        if (GetSafeHwnd() == nullptr)
            return;
        if (m_pToolTip == nullptr)
            m_pToolTip = new CToolTipCtrl;
        if (!m_pToolTip->Create(this, TTS_ALWAYSTIP))
            return;
        m_pToolTip->AddTool(this, lpszToolTipText);
        if (ktGlobals.m_tipMaxWidth != -1)
            m_pToolTip->SetMaxTipWidth(ktGlobals.m_tipMaxWidth);
    }
    m_pToolTip->Activate(TRUE);
    m_bToolTipActive = TRUE;
}

void CKTButton::SetHandCursor()
{
    ktGlobals.m_hcurHand = KTGetHandCursor();
    SetMouseCursor(ktGlobals.m_hcurHand);
}

CSize CKTButton::SizeToContent(BOOL bCalcOnly)
{
    if (GetSafeHwnd() == nullptr)
        return CSize(0, 0);
    CString strText;
    GetWindowText(strText);

    CClientDC dc(this);
    HGDIOBJ hOldFont = SelectFont(&dc);
    CSize sizeText = dc.GetTextExtent(strText);
    if (strText.IsEmpty())
    {
        // An empty caption measures 0 high on some systems; the line still takes its height.
        TEXTMETRIC tm{};
        dc.GetTextMetrics(&tm);
        sizeText = CSize(0, tm.tmHeight);
    }
    dc.SelectObject(hOldFont);

    CSize size(m_sizeImage.cx + sizeText.cx + 10, std::max<int>(m_sizeImage.cy, sizeText.cy) + 10);
    if (!strText.IsEmpty())
        size.cx += 10;
    if (!bCalcOnly)
        SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return size;
}

DWORD CKTButton::TranslateStyle(DWORD dwStyle)
{
    const DWORD dwType = dwStyle & BS_TYPEMASK;
    if (dwType == BS_OWNERDRAW)
        return dwStyle;
    m_bCheckButton = dwType == BS_CHECKBOX || dwType == BS_AUTOCHECKBOX;
    m_bRadioButton = dwType == BS_RADIOBUTTON || dwType == BS_AUTORADIOBUTTON;
    m_bAutoCheck = dwType == BS_AUTOCHECKBOX || dwType == BS_AUTORADIOBUTTON;
    if (m_bCheckButton || m_bRadioButton)
    {
        if ((dwStyle & BS_CENTER) == BS_CENTER)
            m_nAlignStyle = ALIGN_CENTER;
        else if (dwStyle & BS_LEFT)
            m_nAlignStyle = ALIGN_LEFT;
        else if (dwStyle & BS_RIGHT)
            m_nAlignStyle = ALIGN_RIGHT;
    }
    return (dwStyle & ~BS_TYPEMASK) | BS_OWNERDRAW;
}

BOOL CKTButton::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style = TranslateStyle(cs.style);
    return CButton::PreCreateWindow(cs);
}

void CKTButton::PreSubclassWindow()
{
    const DWORD dwStyle = GetStyle();
    const DWORD dwNew = TranslateStyle(dwStyle);
    if (dwNew != dwStyle)
        ModifyStyle(BS_TYPEMASK, BS_OWNERDRAW, SWP_FRAMECHANGED);
    CButton::PreSubclassWindow();
}

void CKTButton::DrawItem(LPDRAWITEMSTRUCT lpDIS)
{
    if (lpDIS == nullptr)
        return;
    CDC* pDC = CDC::FromHandle(lpDIS->hDC);
    CRect rectClient = lpDIS->rcItem;
    OnFillBackground(pDC, rectClient);
    OnDrawBorder(pDC, rectClient, lpDIS->itemState);
    OnDraw(pDC, rectClient, lpDIS->itemState);
    if ((lpDIS->itemState & ODS_FOCUS) && m_bDrawFocus)
        OnDrawFocusRect(pDC, rectClient);
}

void CKTButton::OnFillBackground(CDC* pDC, const CRect& rectClient)
{
    if (m_bTransparent)
        ktGlobals.DrawParentBackground(this, pDC, &rectClient);
    else if (m_clrFace == (COLORREF)-1)
        ::FillRect(pDC->GetSafeHdc(), &rectClient, ::GetSysColorBrush(COLOR_BTNFACE));
    else
        pDC->FillSolidRect(&rectClient, m_clrFace);

    if (m_bChecked && m_bHighlightChecked && !(m_bPushed && m_bHighlighted))
    {
        CKTDrawHelper dh(pDC);
        dh.HighlightRect(rectClient);
    }
}

void CKTButton::OnDrawBorder(CDC* pDC, CRect& rectClient, UINT uiState)
{
    if (m_nFlatStyle == BUTTONSTYLE_NOBORDERS)
    {
        rectClient.DeflateRect(2, 2);
        return;
    }
    BOOL bThemed = FALSE;
    if (s_bWinXPTheme)
    {
        // The themed looks (the 2003 look derives from the Windows XP one) draw the frame through
        // their theme part; every other look leaves it to the button.
        CKTWinXPVisualManager* pThemed = dynamic_cast<CKTWinXPVisualManager*>(CKTVisualManager::GetInstance());
        bThemed = pThemed != nullptr && pThemed->DrawPushButton(pDC, rectClient, this, uiState);
    }
    const BOOL bPressed = (m_bPushed && m_bHighlighted) || (uiState & ODS_SELECTED) || m_bChecked;
    if (bPressed)
    {
        if (!bThemed)
        {
            pDC->Draw3dRect(&rectClient, ktGlobals.m_colorDarkShadow, ktGlobals.m_colorHighlight);
            rectClient.DeflateRect(1, 1);
            if (m_nFlatStyle != BUTTONSTYLE_FLAT)
                pDC->Draw3dRect(&rectClient, ktGlobals.m_colorShadow, ktGlobals.m_colorLight);
            rectClient.DeflateRect(1, 1);
        }
        else
            rectClient.DeflateRect(2, 2);
        rectClient.left += m_sizePushOffset.cx;
        rectClient.top += m_sizePushOffset.cy;
        return;
    }
    if (bThemed || (m_nFlatStyle == BUTTONSTYLE_FLAT && !m_bHighlighted))
    {
        rectClient.DeflateRect(2, 2);
        return;
    }
    pDC->Draw3dRect(&rectClient, ktGlobals.m_colorHighlight, ktGlobals.m_colorDarkShadow);
    rectClient.DeflateRect(1, 1);
    if (m_nFlatStyle == BUTTONSTYLE_3D || (m_nFlatStyle == BUTTONSTYLE_SEMIFLAT && m_bHighlighted))
        pDC->Draw3dRect(&rectClient, ktGlobals.m_colorLight, ktGlobals.m_colorShadow);
    rectClient.DeflateRect(1, 1);
}

void CKTButton::OnDrawFocusRect(CDC* pDC, const CRect& rectClient)
{
    CRect rect = rectClient;
    rect.DeflateRect(2, 2);
    const COLORREF clrFrame = m_clrFace == (COLORREF)-1 ? ::GetSysColor(COLOR_BTNFACE) : m_clrFace;
    pDC->Draw3dRect(&rect, clrFrame, clrFrame);
    pDC->DrawFocusRect(&rect);
}

void CKTButton::OnDraw(CDC* pDC, const CRect& rect, UINT uiState)
{
    CString strText;
    GetWindowText(strText);

    CRect rectText = rect;
    CRect rectImage = rect;
    if (m_sizeImage.cx != 0 && !strText.IsEmpty())
    {
        if (m_bRightImage)
        {
            rectText.right = rect.right - m_sizeImage.cx - kImageMargin;
            rectImage.left = rectText.right;
            rectImage.right = rect.right - kImageMargin;
        }
        else
        {
            rectImage.left = rect.left + kImageMargin;
            rectImage.right = rect.left + m_sizeImage.cx + kImageMargin;
            rectText.left = rectImage.right;
        }
    }
    CPoint ptImage(rectImage.left + std::max<int>(0, (rectImage.Width() - m_sizeImage.cx) / 2),
                   rectImage.top + std::max<int>(0, (rectImage.Height() - m_sizeImage.cy) / 2));

    HGDIOBJ hOldFont = SelectFont(pDC);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    COLORREF clrText = m_clrRegular == (COLORREF)-1 ? ::GetSysColor(COLOR_BTNTEXT) : m_clrRegular;
    if (m_bHighlighted && m_clrHover != (COLORREF)-1)
        clrText = m_clrHover;

    UINT uiDTFlags = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    switch (m_nAlignStyle)
    {
    case ALIGN_LEFT:
        uiDTFlags |= DT_LEFT;
        rectText.left += kImageMargin;
        break;
    case ALIGN_RIGHT:
        uiDTFlags |= DT_RIGHT;
        rectText.right -= kImageMargin;
        break;
    default:
        uiDTFlags |= DT_CENTER;
        break;
    }

    const BOOL bDisabled = (uiState & ODS_DISABLED) && m_bGrayDisabled;
    if (bDisabled)
    {
        CRect rectShadow = rectText;
        rectShadow.OffsetRect(1, 1);
        pDC->SetTextColor(::GetSysColor(COLOR_BTNHIGHLIGHT));
        OnDrawText(pDC, rectShadow, strText, uiDTFlags, uiState);
        clrText = ::GetSysColor(COLOR_GRAYTEXT);
    }

    if (m_bDelayFullTextTooltipSet)
    {
        const BOOL bCut = pDC->GetTextExtent(strText).cx > rectText.Width();
        SetTooltip(bCut ? (LPCTSTR)strText : nullptr);
        m_bDelayFullTextTooltipSet = FALSE;
    }

    pDC->SetTextColor(clrText);
    OnDrawText(pDC, rectText, strText, uiDTFlags, uiState);

    if (m_nStdImageId != -1)
    {
        const int iGlyph = (uiState & ODS_DISABLED) && m_bGrayDisabled && m_nStdImageDisabledId != 0
                               ? m_nStdImageDisabledId
                               : m_nStdImageId;
        CKTMenuGlyphs::Draw(pDC, iGlyph, ptImage);
    }
    else
    {
        const BOOL bUseChecked =
            m_bChecked && m_ImagesChecked.GetSafeHandle() != nullptr && m_ImagesChecked.GetImageCount() > 0;
        CImageList& normal = bUseChecked ? m_ImagesChecked : m_Images;
        CImageList& hot = bUseChecked ? m_ImagesCheckedHot : m_ImagesHot;
        CImageList& disabled = bUseChecked ? m_ImagesCheckedDisabled : m_ImagesDisabled;
        CImageList* pList = &normal;
        if ((uiState & ODS_DISABLED) && m_bGrayDisabled && disabled.GetSafeHandle() != nullptr)
            pList = &disabled;
        else if (m_bHighlighted && hot.GetSafeHandle() != nullptr)
            pList = &hot;
        if (pList->GetSafeHandle() != nullptr && pList->GetImageCount() > 0)
            pList->Draw(pDC, 0, ptImage, ILD_NORMAL);
    }

    pDC->SetBkMode(nOldMode);
    pDC->SelectObject(hOldFont);
}

void CKTButton::OnDrawText(CDC* pDC, const CRect& rect, const CString& strText, UINT uiDTFlags, UINT)
{
    CRect rectText = rect;
    pDC->DrawText(strText, &rectText, uiDTFlags);
}

HGDIOBJ CKTButton::SelectFont(CDC* pDC)
{
    return pDC->SelectObject(m_hFont != nullptr ? (HGDIOBJ)m_hFont : ::GetStockObject(DEFAULT_GUI_FONT));
}
