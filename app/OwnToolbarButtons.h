#pragma once
// The program's own toolbar buttons: one that shows a bitmap of its own in place of a command
// image (the feedback button), and one that is only a text label. Both are stored with customized
// toolbars and restored from them, as every toolkit button is.
#include "uitoolkit/bars/KTToolbarButton.h"
#include "uitoolkit/bars/KTToolbarEditBoxButton.h"
#include "uitoolkit/looks/KTImageStrip.h"

class CKTToolbarButtonImage : public CKTToolbarButton
{
    DECLARE_SERIAL(CKTToolbarButtonImage)
public:
    CKTToolbarButtonImage() = default;
    CKTToolbarButtonImage(UINT command, UINT bitmapId, SIZE imageSize);

    // Loads the bitmap resource at the button's image size; on failure the button keeps no
    // bitmap (id 0) and is drawn without image.
    BOOL LoadBitmap(UINT bitmapId);
    void SetImageSize(SIZE size) { m_imageSize = size; }
    CSize GetImageSize() const { return m_imageSize; }
    UINT GetBitmapId() const { return m_bitmapId; }
    const CKTImageStrip& GetStrip() const { return m_strip; }

    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKTToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;

    // Sizes a stored record may carry; anything else is not a picture of ours.
    static constexpr int MaxImageSide = 1024;

private:
    CKTImageStrip m_strip;
    UINT m_bitmapId = 0;
    CSize m_imageSize = CSize(0, 0);
};

class CKTLabelButton : public CKTToolbarButton
{
    DECLARE_SERIAL(CKTLabelButton)
public:
    CKTLabelButton() = default;
    // A command lets the label's text follow that command's update handler (a page count).
    explicit CKTLabelButton(LPCTSTR text, UINT command = 0);

    // A label is always disabled: it can never be pressed.
    void SetStyle(UINT nStyle) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
};

// The page box of a document window's page bar. Every window shows its own document's page: the
// box takes no text from the boxes of other windows, as the toolkit's boxes of one command do.
class CKTPageBoxButton : public CKTToolbarEditBoxButton
{
    DECLARE_SERIAL(CKTPageBoxButton)
public:
    CKTPageBoxButton() = default;
    CKTPageBoxButton(UINT command, DWORD style, int width) : CKTToolbarEditBoxButton(command, -1, style, width) {}

    // The page this box shows.
    void ShowPage(const CString& text);
    // Other boxes of the command hand their text on through here: this box keeps its own.
    void SetContents(const CString& text) override;
    void OnGlobalSync() override {}

private:
    bool m_ownChange = false;
};
