#include "uitoolkit/customize/KTImageEditDlg.h"

#include "uitoolkit/looks/KTUIGlobals.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <algorithm>
#include <vector>

IMPLEMENT_DYNAMIC(CKTImageEditDlg, CDialog)

BEGIN_MESSAGE_MAP(CKTImageEditDlg, CDialog)
ON_WM_PAINT()
ON_WM_DESTROY()
ON_COMMAND(IDC_KT_COLORS, &CKTImageEditDlg::OnColors)
ON_COMMAND_RANGE(ID_KT_FILL, ID_KT_ELLIPSE, &CKTImageEditDlg::OnToolCommand)
ON_UPDATE_COMMAND_UI_RANGE(ID_KT_FILL, ID_KT_ELLIPSE, &CKTImageEditDlg::OnUpdateToolCommand)
ON_COMMAND(ID_KT_COPY, &CKTImageEditDlg::OnCopy)
ON_COMMAND(ID_KT_PASTE, &CKTImageEditDlg::OnPaste)
ON_COMMAND(ID_KT_CLEAR, &CKTImageEditDlg::OnClear)
ON_UPDATE_COMMAND_UI_RANGE(ID_KT_COPY, ID_KT_CLEAR, &CKTImageEditDlg::OnUpdateAlways)
ON_MESSAGE(WM_KICKIDLE, &CKTImageEditDlg::OnKickIdle)
END_MESSAGE_MAP()

namespace
{
// The tool each tool command selects.
int ToolOfCommand(UINT nID)
{
    switch (nID)
    {
    case CKTImageEditDlg::ID_KT_FILL:
        return CKTImagePaintArea::ToolFill;
    case CKTImageEditDlg::ID_KT_SELECT_COLOR:
        return CKTImagePaintArea::ToolSelectColor;
    case CKTImageEditDlg::ID_KT_LINE:
        return CKTImagePaintArea::ToolLine;
    case CKTImageEditDlg::ID_KT_RECTANGLE:
        return CKTImagePaintArea::ToolRectangle;
    case CKTImageEditDlg::ID_KT_ELLIPSE:
        return CKTImagePaintArea::ToolEllipse;
    default:
        return CKTImagePaintArea::ToolPencil;
    }
}

// The system's default palette without its four middle entries, for strips of up to 8 bits.
BOOL CreateEditPalette(CPalette& palette)
{
    PALETTEENTRY entries[20] = {};
    if (::GetPaletteEntries(static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE)), 0, 20, entries) != 20)
        return FALSE;
    std::vector<BYTE> buffer(sizeof(LOGPALETTE) + 16 * sizeof(PALETTEENTRY));
    auto* pLog = reinterpret_cast<LOGPALETTE*>(buffer.data());
    pLog->palVersion = 0x300;
    pLog->palNumEntries = 16;
    int n = 0;
    for (int i = 0; i < 20; i++)
        if (i < 8 || i >= 12)
            pLog->palPalEntry[n++] = entries[i];
    return palette.CreatePalette(pLog);
}
} // namespace

CKTImageEditDlg::CKTImageEditDlg(HBITMAP hbmImage, CWnd* pParent, int nBitsPerPixel)
    : CDialog(IDD, pParent), m_nBitsPerPixel(nBitsPerPixel), m_wndLargeDrawArea(this)
{
    m_bitmap.Attach(hbmImage);
    BITMAP bmp = {};
    if (hbmImage != nullptr && m_bitmap.GetBitmap(&bmp))
    {
        m_sizeImage = CSize(bmp.bmWidth, bmp.bmHeight);
        if (m_nBitsPerPixel == -1)
            m_nBitsPerPixel = bmp.bmBitsPixel;
    }
}

CKTImageEditDlg::~CKTImageEditDlg()
{
    m_bitmap.Detach();
}

BOOL CKTImageEditDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_wndLargeDrawArea.SubclassDlgItem(IDC_KT_PAINT_AREA, this);
    m_wndLargeDrawArea.SetBitmap(&m_bitmap);

    // The tools: a locked bar, three buttons a row, at the top-left of its place.
    CRect rectTools;
    GetDlgItem(IDC_KT_TOOLS)->GetWindowRect(&rectTools);
    ScreenToClient(&rectTools);
    rectTools.DeflateRect(2, 2);
    m_wndToolbar.EnableLargeIcons(FALSE);
    if (m_wndToolbar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY, AFX_IDW_TOOLBAR) &&
        m_wndToolbar.LoadToolBar(IDR_KT_IMAGE_EDIT_TOOLS, 0, 0, TRUE))
    {
        m_wndToolbar.SetBarStyle(m_wndToolbar.GetBarStyle() & ~(CBRS_BORDER_ANY | CBRS_GRIPPER));
        m_wndToolbar.SetBorders(10, 5, 10, 5);
        const int nButtonWidth =
            m_wndToolbar.GetButtonSize().cx + (m_wndToolbar.IsButtonExtraSizeAvailable()
                                                   ? CKTVisualManager::GetInstance()->GetButtonExtraBorder().cx
                                                   : 0);
        m_wndToolbar.WrapToolBar(3 * nButtonWidth);
        CSize size = m_wndToolbar.CalcSize(FALSE);
        size.cx += 20;
        size.cy += 10;
        m_wndToolbar.SetWindowPos(&CWnd::wndTop, rectTools.left, rectTools.top, size.cx, size.cy, SWP_NOACTIVATE);
        m_wndToolbar.AdjustLocations();
        m_wndToolbar.SetOwner(this);
    }

    CRect rectColors;
    GetDlgItem(IDC_KT_COLORS)->GetWindowRect(&rectColors);
    ScreenToClient(&rectColors);
    rectColors.DeflateRect(2, 2);
    CPalette* pPalette = nullptr;
    if (m_nBitsPerPixel <= 8 && CreateEditPalette(m_palette))
        pPalette = &m_palette;
    m_wndPalette.CreateControl(this, rectColors, IDC_KT_COLORS, 4, pPalette);
    m_wndPalette.SetColor(RGB(0, 0, 0));

    CRect rectPreview;
    GetDlgItem(IDC_KT_PREVIEW)->GetWindowRect(&rectPreview);
    ScreenToClient(&rectPreview);
    const CPoint ptCentre = rectPreview.CenterPoint();
    m_rectPreviewImage = CRect(CPoint(ptCentre.x - m_sizeImage.cx / 2, ptCentre.y - m_sizeImage.cy / 2), m_sizeImage);
    m_rectPreviewFrame = m_rectPreviewImage;
    m_rectPreviewFrame.InflateRect(4, 4);
    m_wndLargeDrawArea.SetPreviewRect(m_rectPreviewImage);
    return TRUE;
}

void CKTImageEditDlg::OnDestroy()
{
    if (m_wndToolbar.GetSafeHwnd() != nullptr)
        m_wndToolbar.DestroyWindow();
    if (m_wndPalette.GetSafeHwnd() != nullptr)
        m_wndPalette.DestroyWindow();
    CDialog::OnDestroy();
}

void CKTImageEditDlg::OnPaint()
{
    CPaintDC dc(this);
    dc.Draw3dRect(m_rectPreviewFrame, ktGlobals.m_colorHighlight, ktGlobals.m_colorShadow);
    CDC dcMem;
    dcMem.CreateCompatibleDC(&dc);
    CBitmap* pOld = dcMem.SelectObject(&m_bitmap);
    dc.BitBlt(m_rectPreviewImage.left, m_rectPreviewImage.top, m_sizeImage.cx, m_sizeImage.cy, &dcMem, 0, 0, SRCCOPY);
    dcMem.SelectObject(pOld);
}

LRESULT CKTImageEditDlg::OnKickIdle(WPARAM, LPARAM)
{
    if (m_wndToolbar.GetSafeHwnd() != nullptr)
        m_wndToolbar.OnUpdateCmdUI(reinterpret_cast<CFrameWnd*>(this), TRUE);
    return 0;
}

void CKTImageEditDlg::OnToolCommand(UINT nID)
{
    m_iTool = ToolOfCommand(nID);
}

void CKTImageEditDlg::OnUpdateToolCommand(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(ToolOfCommand(pCmdUI->m_nID) == m_iTool);
}

void CKTImageEditDlg::OnUpdateAlways(CCmdUI* pCmdUI)
{
    pCmdUI->Enable();
}

void CKTImageEditDlg::OnColors()
{
    m_wndLargeDrawArea.SetColor(m_wndPalette.GetColor());
}

void CKTImageEditDlg::OnPickColor(COLORREF color)
{
    m_wndPalette.SetColor(color);
    m_wndLargeDrawArea.SetColor(color);
    m_iTool = CKTImagePaintArea::ToolPencil;
}

void CKTImageEditDlg::RepaintPreview()
{
    InvalidateRect(m_rectPreviewImage);
    m_wndLargeDrawArea.Invalidate();
    UpdateWindow();
    m_wndLargeDrawArea.UpdateWindow();
}

void CKTImageEditDlg::OnClear()
{
    CClientDC dcScreen(this);
    CDC dcMem;
    dcMem.CreateCompatibleDC(&dcScreen);
    CBitmap* pOld = dcMem.SelectObject(&m_bitmap);
    dcMem.FillRect(CRect(CPoint(0, 0), m_sizeImage), &ktGlobals.m_brushFace);
    dcMem.SelectObject(pOld);
    RepaintPreview();
}

void CKTImageEditDlg::OnCopy()
{
    try
    {
        CClientDC dcScreen(this);
        CBitmap bitmapCopy;
        CDC dcSrc, dcDst;
        if (!bitmapCopy.CreateCompatibleBitmap(&dcScreen, m_sizeImage.cx, m_sizeImage.cy) ||
            !dcSrc.CreateCompatibleDC(&dcScreen) || !dcDst.CreateCompatibleDC(&dcScreen))
        {
            ShowMessage(IDS_KT_CANT_COPY);
            return;
        }
        CBitmap* pOldSrc = dcSrc.SelectObject(&m_bitmap);
        CBitmap* pOldDst = dcDst.SelectObject(&bitmapCopy);
        dcDst.BitBlt(0, 0, m_sizeImage.cx, m_sizeImage.cy, &dcSrc, 0, 0, SRCCOPY);
        dcDst.SelectObject(pOldDst);
        dcSrc.SelectObject(pOldSrc);
        if (!::OpenClipboard(m_hWnd))
        {
            ShowMessage(IDS_KT_CANT_COPY);
            return;
        }
        if (!::EmptyClipboard())
        {
            ::CloseClipboard();
            ShowMessage(IDS_KT_CANT_COPY);
            return;
        }
        // The clipboard owns the bitmap once it took it.
        if (::SetClipboardData(CF_BITMAP, bitmapCopy.GetSafeHandle()) == nullptr)
        {
            ::CloseClipboard();
            ShowMessage(IDS_KT_CANT_COPY);
            return;
        }
        bitmapCopy.Detach();
        ::CloseClipboard();
    }
    catch (CException* e)
    {
        e->Delete();
        ShowMessage(IDS_KT_INTERNAL_ERROR);
    }
}

void CKTImageEditDlg::OnPaste()
{
    if (!::IsClipboardFormatAvailable(CF_BITMAP) || !::OpenClipboard(m_hWnd))
    {
        ShowMessage(IDS_KT_CANT_PASTE);
        return;
    }
    HBITMAP hbmClip = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP));
    BITMAP bmp = {};
    if (hbmClip == nullptr || ::GetObjectW(hbmClip, sizeof(bmp), &bmp) == 0)
    {
        ::CloseClipboard();
        ShowMessage(IDS_KT_CANT_PASTE);
        return;
    }
    CClientDC dcScreen(this);
    CDC dcSrc, dcDst;
    if (!dcSrc.CreateCompatibleDC(&dcScreen) || !dcDst.CreateCompatibleDC(&dcScreen))
    {
        ::CloseClipboard();
        ShowMessage(IDS_KT_CANT_PASTE);
        return;
    }
    HGDIOBJ hOldSrc = ::SelectObject(dcSrc.GetSafeHdc(), hbmClip);
    CBitmap* pOldDst = dcDst.SelectObject(&m_bitmap);
    if (hOldSrc == nullptr || pOldDst == nullptr)
    {
        if (hOldSrc != nullptr)
            ::SelectObject(dcSrc.GetSafeHdc(), hOldSrc);
        if (pOldDst != nullptr)
            dcDst.SelectObject(pOldDst);
        ::CloseClipboard();
        ShowMessage(IDS_KT_CANT_PASTE);
        return;
    }
    // A smaller picture is centred on the button face, a larger one keeps its top-left part.
    dcDst.FillRect(CRect(CPoint(0, 0), m_sizeImage), &ktGlobals.m_brushFace);
    const int cx = std::min(static_cast<int>(bmp.bmWidth), static_cast<int>(m_sizeImage.cx));
    const int cy = std::min(static_cast<int>(bmp.bmHeight), static_cast<int>(m_sizeImage.cy));
    const int x = std::max(0, static_cast<int>((m_sizeImage.cx - bmp.bmWidth) / 2));
    const int y = std::max(0, static_cast<int>((m_sizeImage.cy - bmp.bmHeight) / 2));
    dcDst.BitBlt(x, y, cx, cy, &dcSrc, 0, 0, SRCCOPY);
    dcDst.SelectObject(pOldDst);
    ::SelectObject(dcSrc.GetSafeHdc(), hOldSrc);
    ::CloseClipboard();
    RepaintPreview();
}

void CKTImageEditDlg::ShowMessage(UINT nIDPrompt)
{
    AfxMessageBox(nIDPrompt, MB_OK | MB_ICONSTOP);
}
