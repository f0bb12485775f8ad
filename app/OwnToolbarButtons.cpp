#include "app/OwnToolbarButtons.h"

#include <algorithm>

#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/looks/KTVisualManager.h"

IMPLEMENT_SERIAL(CKTToolbarButtonImage, CKTToolbarButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CKTLabelButton, CKTToolbarButton, VERSIONABLE_SCHEMA | 1)
IMPLEMENT_SERIAL(CKTPageBoxButton, CKTToolbarEditBoxButton, VERSIONABLE_SCHEMA | 1)

CKTToolbarButtonImage::CKTToolbarButtonImage(UINT command, UINT bitmapId, SIZE imageSize)
    : CKTToolbarButton(command, -1), m_imageSize(imageSize)
{
    // The base made a text button of a command with no image in the command manager; this
    // button's image is its own picture.
    if (LoadBitmap(bitmapId))
    {
        m_bImage = TRUE;
        m_bText = FALSE;
    }
}

BOOL CKTToolbarButtonImage::LoadBitmap(UINT bitmapId)
{
    m_bitmapId = 0;
    m_strip.Clear();
    if (bitmapId == 0 || m_imageSize.cx < 1 || m_imageSize.cy < 1 || m_imageSize.cx > MaxImageSide ||
        m_imageSize.cy > MaxImageSide)
        return FALSE;
    m_strip.SetImageSize(m_imageSize);
    if (!m_strip.Load(bitmapId) || m_strip.GetCount() < 1)
    {
        m_strip.Clear();
        return FALSE;
    }
    m_bitmapId = bitmapId;
    return TRUE;
}

void CKTToolbarButtonImage::Serialize(CArchive& ar)
{
    CKTToolbarButton::Serialize(ar);
    if (ar.IsStoring())
    {
        ar << static_cast<DWORD>(m_bitmapId) << static_cast<LONG>(m_imageSize.cx) << static_cast<LONG>(m_imageSize.cy);
        return;
    }
    DWORD bitmapId = 0;
    LONG width = 0, height = 0;
    ar >> bitmapId >> width >> height;
    // A stored size outside what a picture of ours can be loads no picture: the strip would be
    // sized by it.
    m_imageSize = CSize(width, height);
    LoadBitmap(bitmapId);
}

void CKTToolbarButtonImage::CopyFrom(const CKTToolbarButton& src)
{
    CKTToolbarButton::CopyFrom(src);
    const CKTToolbarButtonImage* image = dynamic_cast<const CKTToolbarButtonImage*>(&src);
    if (!image)
        return;
    m_imageSize = image->m_imageSize;
    LoadBitmap(image->m_bitmapId);
}

void CKTToolbarButtonImage::OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip*, BOOL bHorz, BOOL bCustomizeMode,
                                   BOOL bHighlight, BOOL bDrawBorder, BOOL bGrayDisabledButtons)
{
    // The base button draws image 0 of the button's own strip; the bar's strip session stays
    // open around this one.
    CKTDrawState state;
    const BOOL drawing = m_strip.GetCount() > 0 && m_strip.PrepareDrawImage(state);
    const int savedImage = m_iImage;
    const BOOL savedUser = m_bUserButton;
    m_iImage = drawing ? 0 : -1;
    m_bUserButton = FALSE;
    CKTToolbarButton::OnDraw(pDC, rect, drawing ? &m_strip : nullptr, bHorz, bCustomizeMode, bHighlight, bDrawBorder,
                             bGrayDisabledButtons);
    m_iImage = savedImage;
    m_bUserButton = savedUser;
    if (drawing)
        m_strip.EndDrawImage(state);
}

SIZE CKTToolbarButtonImage::OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz)
{
    CSize least(m_imageSize.cx + 4, m_imageSize.cy + 2);
    if (CKTToolBar::IsLargeIcons())
        least = CSize(least.cx * 2, least.cy * 2);
    const CSize size(std::max<int>(sizeDefault.cx, least.cx), std::max<int>(sizeDefault.cy, least.cy));
    // The base sizes a button without image by its text only; this one always has its picture's room.
    const int savedImage = m_iImage;
    const BOOL savedUser = m_bUserButton;
    m_iImage = 0;
    m_bUserButton = FALSE;
    const SIZE result = CKTToolbarButton::OnCalculateSize(pDC, size, bHorz);
    m_iImage = savedImage;
    m_bUserButton = savedUser;
    return result;
}

CKTLabelButton::CKTLabelButton(LPCTSTR text, UINT command) : CKTToolbarButton(command, -1, text)
{
    SetStyle(m_nStyle);
}

void CKTLabelButton::SetStyle(UINT nStyle)
{
    CKTToolbarButton::SetStyle(nStyle | TBBS_DISABLED);
}

void CKTLabelButton::OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip*, BOOL, BOOL, BOOL bHighlight, BOOL, BOOL)
{
    FillInterior(pDC, rect, bHighlight);
    // The colour of an ordinary button: the label is disabled only so that it cannot be pressed.
    const UINT savedStyle = m_nStyle;
    m_nStyle &= ~TBBS_DISABLED;
    const COLORREF colour =
        CKTVisualManager::GetInstance()->GetToolbarButtonTextColor(this, CKTVisualManager::ButtonsIsRegular);
    m_nStyle = savedStyle;
    const HDC dc = pDC->GetSafeHdc();
    const COLORREF oldColour = ::SetTextColor(dc, colour);
    const int oldMode = ::SetBkMode(dc, TRANSPARENT);
    CRect area = rect;
    const CString label = PrepareLabel(m_strText);
    ::DrawTextW(dc, label, -1, &area, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_NOCLIP | DT_NOPREFIX);
    ::SetBkMode(dc, oldMode);
    ::SetTextColor(dc, oldColour);
}

void CKTPageBoxButton::ShowPage(const CString& text)
{
    m_ownChange = true;
    CKTToolbarEditBoxButton::SetContents(text);
    m_ownChange = false;
}

void CKTPageBoxButton::SetContents(const CString& text)
{
    if (m_ownChange)
        CKTToolbarEditBoxButton::SetContents(text);
}
