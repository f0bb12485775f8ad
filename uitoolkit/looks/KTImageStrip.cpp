#include "uitoolkit/looks/KTImageStrip.h"

#include "pagemodel/AtomicFileWriter.h"
#include "uitoolkit/looks/KTDrawHelper.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <vector>

BOOL CKTImageStrip::s_bEmbossDisabledImages = TRUE;

namespace
{
HDC s_hdcImage = nullptr;
HDC s_hdcMask = nullptr;

const DWORD kRopPaintThroughMask = 0x00B8074A;  // black mask pixels take the brush
const DWORD kRopHalftoneOnWhite = 0x00E20746;   // white mask pixels take the brush

struct StandardColor
{
    COLORREF standard;
    int sysColor;
};
const StandardColor kStandardColors[] = {{RGB(0, 0, 0), COLOR_BTNTEXT},
                                         {RGB(128, 128, 128), COLOR_BTNSHADOW},
                                         {RGB(192, 192, 192), COLOR_BTNFACE},
                                         {RGB(255, 255, 255), COLOR_BTNHIGHLIGHT}};

COLORREF SwapRB(COLORREF color)
{
    return RGB(GetBValue(color), GetGValue(color), GetRValue(color));
}

BITMAP BitmapOf(HBITMAP hbmp)
{
    BITMAP bm{};
    if (hbmp == nullptr || ::GetObjectW(hbmp, sizeof(bm), &bm) == 0)
        return BITMAP{};
    return bm;
}

// A top-down 32-bit DIB section holding a copy of the bitmap; null when GDI refuses.
HBITMAP CopyAs32(HBITMAP hSource, DWORD** ppBits)
{
    const BITMAP bm = BitmapOf(hSource);
    if (bm.bmWidth <= 0 || bm.bmHeight <= 0)
        return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = bm.bmWidth;
    info.bmiHeader.biHeight = -bm.bmHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pvBits = nullptr;
    HBITMAP hCopy = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pvBits, nullptr, 0);
    if (hCopy == nullptr)
        return nullptr;
    HDC hSrc = ::CreateCompatibleDC(nullptr);
    HDC hDst = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOldSrc = ::SelectObject(hSrc, hSource);
    HGDIOBJ hOldDst = ::SelectObject(hDst, hCopy);
    ::BitBlt(hDst, 0, 0, bm.bmWidth, bm.bmHeight, hSrc, 0, 0, SRCCOPY);
    ::SelectObject(hSrc, hOldSrc);
    ::SelectObject(hDst, hOldDst);
    ::DeleteDC(hSrc);
    ::DeleteDC(hDst);
    ::GdiFlush();
    *ppBits = static_cast<DWORD*>(pvBits);
    return hCopy;
}

COLORREF FromDib(DWORD bgr)
{
    return RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF);
}

DWORD ToDib(COLORREF color)
{
    return (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
}

void FillWithBrush(HDC hDC, int width, int height, HBRUSH hBrush)
{
    RECT area{0, 0, width, height};
    ::FillRect(hDC, &area, hBrush);
}
} // namespace

CKTImageStrip::CKTImageStrip() : m_sizeImage(16, 15), m_sizeImageDest(0, 0)
{
    m_mapOrigResOffsets.InitHashTable(17);
    if (s_hdcImage == nullptr || s_hdcMask == nullptr)
    {
        if (s_hdcImage == nullptr)
            s_hdcImage = ::CreateCompatibleDC(nullptr);
        if (s_hdcMask == nullptr)
            s_hdcMask = ::CreateCompatibleDC(nullptr);
        if (s_hdcImage == nullptr || s_hdcMask == nullptr)
            AfxThrowResourceException();
    }
    UpdateCheckedMaskColor();
}

CKTImageStrip::~CKTImageStrip()
{
    FreeBitmaps();
    if (m_hdcMem != nullptr)
    {
        ::SelectObject(m_hdcMem, m_hbmMemOld);
        ::DeleteDC(m_hdcMem);
    }
    if (m_hbmMem != nullptr)
        ::DeleteObject(m_hbmMem);
}

void CKTImageStrip::FreeBitmaps()
{
    if (!m_bReadOnly)
    {
        if (m_hbmImages != nullptr)
            ::DeleteObject(m_hbmImages);
        if (m_hbmImageLight != nullptr)
            ::DeleteObject(m_hbmImageLight);
    }
    m_hbmImages = nullptr;
    m_hbmImageLight = nullptr;
}

void CKTImageStrip::SetImageSize(SIZE sizeImage)
{
    m_sizeImage = sizeImage;
    UpdateCount();
}

int CKTImageStrip::GetResourceOffset(UINT uiResID) const
{
    int offset = -1;
    return m_mapOrigResOffsets.Lookup(uiResID, offset) ? offset : -1;
}

COLORREF CKTImageStrip::SetTransparentColor(COLORREF clrTransparent)
{
    const COLORREF old = m_clrTransparent;
    if (clrTransparent != old)
    {
        m_clrTransparent = clrTransparent;
        RebuildFadedImages();
    }
    return old;
}

void CKTImageStrip::UpdateCount()
{
    const BITMAP bm = BitmapOf(m_hbmImages);
    m_iCount = (m_sizeImage.cx > 0 && bm.bmWidth > 0) ? bm.bmWidth / m_sizeImage.cx : 0;
}

void CKTImageStrip::UpdateCheckedMaskColor()
{
    m_clrImageShadow = ktGlobals.m_bitsPerPixel > 8 ? CKTDrawHelper::PixelAlpha(ktGlobals.m_colorShadow, 170)
                                                    : ktGlobals.m_colorShadow;
}

void CKTImageStrip::RebuildFadedImages()
{
    if (m_bReadOnly)
        return;
    if (m_hbmImageLight != nullptr)
    {
        ::DeleteObject(m_hbmImageLight);
        m_hbmImageLight = nullptr;
    }
    if (m_hbmImages == nullptr || ktGlobals.m_isWin9x || ktGlobals.m_bitsPerPixel <= 8)
        return;
    DWORD* pBits = nullptr;
    m_hbmImageLight = CopyAs32(m_hbmImages, &pBits);
    if (m_hbmImageLight == nullptr)
        return;
    const BITMAP bm = BitmapOf(m_hbmImageLight);
    const DWORD transparent = m_clrTransparent == (COLORREF)-1 ? 0xFFFFFFFFu : ToDib(m_clrTransparent);
    for (int i = 0; i < bm.bmWidth * bm.bmHeight; ++i)
        if ((pBits[i] & 0xFFFFFF) != transparent)
            pBits[i] = ToDib(CKTDrawHelper::PixelAlpha(FromDib(pBits[i]), 130));
}

COLORREF PASCAL CKTImageStrip::MapToSysColor(COLORREF color, BOOL bSwapRB)
{
    const COLORREF lookup = bSwapRB ? SwapRB(color) : color;
    for (const StandardColor& entry : kStandardColors)
        if (entry.standard == lookup)
        {
            const COLORREF system = ::GetSysColor(entry.sysColor);
            return bSwapRB ? SwapRB(system) : system;
        }
    return color;
}

COLORREF PASCAL CKTImageStrip::MapFromSysColor(COLORREF color, BOOL bSwapRB)
{
    const COLORREF lookup = bSwapRB ? SwapRB(color) : color;
    for (const StandardColor& entry : kStandardColors)
        if (::GetSysColor(entry.sysColor) == lookup)
            return bSwapRB ? SwapRB(entry.standard) : entry.standard;
    return color;
}

BOOL CKTImageStrip::MapTo3dColors(BOOL bSwapRB, COLORREF clrSrc, COLORREF clrDest)
{
    if (m_hbmImages == nullptr || m_bReadOnly || (clrSrc != (COLORREF)-1 && clrDest == (COLORREF)-1))
        return FALSE;
    // The pixels are read here in their true colours, so the lookups never swap; the flag is
    // kept for callers that pass colours of a DIB's byte order.
    (void)bSwapRB;
    auto map = [clrSrc, clrDest](COLORREF color)
    {
        if (clrSrc == (COLORREF)-1)
            return MapToSysColor(color, FALSE);
        return color == clrSrc ? clrDest : color;
    };

    const BITMAP bm = BitmapOf(m_hbmImages);
    if (bm.bmBitsPixel <= 8 && bm.bmBits != nullptr)
    {
        // A palette DIB section: its colour table is the whole of its colours.
        HDC hDC = ::CreateCompatibleDC(nullptr);
        HGDIOBJ hOld = ::SelectObject(hDC, m_hbmImages);
        RGBQUAD table[256];
        const UINT count = ::GetDIBColorTable(hDC, 0, 256, table);
        for (UINT i = 0; i < count; ++i)
        {
            const COLORREF mapped = map(RGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue));
            table[i] = RGBQUAD{GetBValue(mapped), GetGValue(mapped), GetRValue(mapped), 0};
        }
        ::SetDIBColorTable(hDC, 0, count, table);
        ::SelectObject(hDC, hOld);
        ::DeleteDC(hDC);
    }
    else
    {
        DWORD* pBits = nullptr;
        HBITMAP hCopy = CopyAs32(m_hbmImages, &pBits);
        if (hCopy == nullptr)
            return FALSE;
        for (int i = 0; i < bm.bmWidth * bm.bmHeight; ++i)
            pBits[i] = ToDib(map(FromDib(pBits[i])));
        ::DeleteObject(m_hbmImages);
        m_hbmImages = hCopy;
    }
    RebuildFadedImages();
    return TRUE;
}

BOOL CKTImageStrip::AppendBitmap(HBITMAP hbmp)
{
    if (m_hbmImages == nullptr)
    {
        m_hbmImages = hbmp;
        return TRUE;
    }
    return AddImage(hbmp) >= 0 ? (::DeleteObject(hbmp), TRUE) : FALSE;
}

BOOL CKTImageStrip::Load(UINT uiResID, HINSTANCE hinstRes, BOOL bAdd)
{
    if (m_bReadOnly)
        return FALSE;
    if (bAdd && GetResourceOffset(uiResID) >= 0)
        return TRUE;
    if (hinstRes == nullptr)
        hinstRes = AfxGetResourceHandle();
    HBITMAP hbmp = static_cast<HBITMAP>(::LoadImageW(hinstRes, MAKEINTRESOURCEW(uiResID), IMAGE_BITMAP, 0, 0,
                                                     LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS));
    if (hbmp == nullptr)
        return FALSE;
    if (!bAdd)
        Clear();

    const int firstIndex = m_iCount;
    const int bitsPerPixel = BitmapOf(hbmp).bmBitsPixel;
    // The system maps some greys of palette bitmaps only, and not black and white: every
    // bitmap goes through the standard-colour table here.
    {
        CKTImageStrip mapper;
        mapper.m_hbmImages = hbmp;
        mapper.MapTo3dColors(FALSE);
        hbmp = mapper.m_hbmImages;
        mapper.m_hbmImages = nullptr;
    }
    if (!AppendBitmap(hbmp))
    {
        ::DeleteObject(hbmp);
        return FALSE;
    }
    if (firstIndex == 0)
        m_nBitsPerPixel = bitsPerPixel;
    m_mapOrigResOffsets.SetAt(uiResID, firstIndex);
    m_lstOrigResIds.AddTail(uiResID);
    m_lstOrigResInstances.AddTail(hinstRes);
    UpdateCount();
    RebuildFadedImages();
    return TRUE;
}

BOOL CKTImageStrip::LoadFromFile(LPCTSTR lpszBmpFileName)
{
    if (m_bReadOnly || lpszBmpFileName == nullptr)
        return FALSE;
    Clear();
    CString path(lpszBmpFileName);
    if (path.FindOneOf(L"\\/:") < 0)
    {
        wchar_t module[MAX_PATH];
        const DWORD length = ::GetModuleFileNameW(nullptr, module, MAX_PATH);
        CString folder(module, static_cast<int>(length));
        path = folder.Left(folder.ReverseFind(L'\\') + 1) + path;
    }
    HBITMAP hbmp = static_cast<HBITMAP>(
        ::LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS));
    if (hbmp == nullptr)
        return FALSE;
    m_hbmImages = hbmp;
    m_bUserImagesList = TRUE;
    m_strUserImagesFileName = path;
    const DWORD attributes = ::GetFileAttributesW(path);
    m_bFileReadOnly = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    m_nBitsPerPixel = BitmapOf(hbmp).bmBitsPixel;
    MapTo3dColors(FALSE);
    m_bModified = FALSE;
    UpdateCount();
    RebuildFadedImages();
    return TRUE;
}

BOOL CKTImageStrip::Save(LPCTSTR lpszBmpFileName)
{
    if (!m_bUserImagesList || m_hbmImages == nullptr || m_bFileReadOnly || m_bReadOnly)
        return FALSE;
    const CString target(lpszBmpFileName != nullptr ? lpszBmpFileName : m_strUserImagesFileName.GetString());
    if (!m_bModified && target.CompareNoCase(m_strUserImagesFileName) == 0 &&
        ::GetFileAttributesW(target) != INVALID_FILE_ATTRIBUTES)
        return TRUE;

    const BITMAP bm = BitmapOf(m_hbmImages);
    const WORD bitCount = bm.bmBitsPixel;
    const UINT colors = bitCount <= 8 ? (1u << bitCount) : 0;
    std::vector<BYTE> info(sizeof(BITMAPINFOHEADER) + colors * sizeof(RGBQUAD));
    BITMAPINFOHEADER& header = *reinterpret_cast<BITMAPINFOHEADER*>(info.data());
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = bm.bmWidth;
    header.biHeight = bm.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = bitCount;
    header.biCompression = BI_RGB;
    const DWORD stride = ((bm.bmWidth * bitCount + 31) / 32) * 4;
    std::vector<BYTE> bits(static_cast<size_t>(stride) * bm.bmHeight);
    HDC hDC = ::GetDC(nullptr);
    const int rows = ::GetDIBits(hDC, m_hbmImages, 0, bm.bmHeight, bits.data(),
                                 reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hDC);
    if (rows != bm.bmHeight)
        return FALSE;
    header.biSizeImage = static_cast<DWORD>(bits.size());

    // The file must not depend on this user's colour scheme: the standard greys go back in.
    RGBQUAD* table = reinterpret_cast<RGBQUAD*>(info.data() + sizeof(BITMAPINFOHEADER));
    for (UINT i = 0; i < colors; ++i)
    {
        const COLORREF standard = MapFromSysColor(RGB(table[i].rgbRed, table[i].rgbGreen, table[i].rgbBlue));
        table[i] = RGBQUAD{GetBValue(standard), GetGValue(standard), GetRValue(standard), 0};
    }
    if (bitCount == 32)
        for (size_t i = 0; i + 4 <= bits.size(); i += 4)
        {
            DWORD* pPixel = reinterpret_cast<DWORD*>(&bits[i]);
            *pPixel = ToDib(MapFromSysColor(FromDib(*pPixel)));
        }

    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;
    fileHeader.bfOffBits = static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + info.size());
    fileHeader.bfSize = static_cast<DWORD>(fileHeader.bfOffBits + bits.size());
    std::vector<BYTE> file;
    file.insert(file.end(), reinterpret_cast<BYTE*>(&fileHeader), reinterpret_cast<BYTE*>(&fileHeader) + sizeof(fileHeader));
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), bits.begin(), bits.end());
    if (!AtomicFileWriter::WriteWholeFile(target, file.data(), static_cast<uint32_t>(file.size())))
        return FALSE;
    m_bModified = FALSE;
    return TRUE;
}

int CKTImageStrip::AddImage(HBITMAP hbmp)
{
    if (m_bReadOnly || hbmp == nullptr)
        return -1;
    const BITMAP added = BitmapOf(hbmp);
    if (added.bmWidth <= 0 || added.bmHeight <= 0)
        return -1;
    const BITMAP old = BitmapOf(m_hbmImages);
    const int width = old.bmWidth + added.bmWidth;
    const int height = m_hbmImages != nullptr ? old.bmHeight : added.bmHeight;

    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* pvBits = nullptr;
    HBITMAP hCombined = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pvBits, nullptr, 0);
    if (hCombined == nullptr)
        return -1;
    HDC hDst = ::CreateCompatibleDC(nullptr);
    HDC hSrc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOldDst = ::SelectObject(hDst, hCombined);
    HGDIOBJ hOldSrc = nullptr;
    if (m_hbmImages != nullptr)
    {
        hOldSrc = ::SelectObject(hSrc, m_hbmImages);
        ::BitBlt(hDst, 0, 0, old.bmWidth, old.bmHeight, hSrc, 0, 0, SRCCOPY);
        ::SelectObject(hSrc, hbmp);
    }
    else
    {
        hOldSrc = ::SelectObject(hSrc, hbmp);
    }
    ::BitBlt(hDst, old.bmWidth, 0, added.bmWidth, added.bmHeight, hSrc, 0, 0, SRCCOPY);
    ::SelectObject(hSrc, hOldSrc);
    ::SelectObject(hDst, hOldDst);
    ::DeleteDC(hSrc);
    ::DeleteDC(hDst);

    if (m_hbmImages != nullptr)
        ::DeleteObject(m_hbmImages);
    m_hbmImages = hCombined;
    m_bModified = TRUE;
    UpdateCount();
    RebuildFadedImages();
    return m_iCount - 1;
}

BOOL CKTImageStrip::UpdateImage(int iImage, HBITMAP hbmp)
{
    if (m_bReadOnly || m_hbmImages == nullptr || hbmp == nullptr || iImage < 0 || iImage >= m_iCount)
        return FALSE;
    HDC hDst = ::CreateCompatibleDC(nullptr);
    HDC hSrc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOldDst = ::SelectObject(hDst, m_hbmImages);
    HGDIOBJ hOldSrc = ::SelectObject(hSrc, hbmp);
    ::BitBlt(hDst, iImage * m_sizeImage.cx, 0, m_sizeImage.cx, m_sizeImage.cy, hSrc, 0, 0, SRCCOPY);
    ::SelectObject(hSrc, hOldSrc);
    ::SelectObject(hDst, hOldDst);
    ::DeleteDC(hSrc);
    ::DeleteDC(hDst);
    m_bModified = TRUE;
    RebuildFadedImages();
    return TRUE;
}

BOOL CKTImageStrip::CopyImageToClipboard(int iImage)
{
    if (m_hbmImages == nullptr || iImage < 0 || iImage >= m_iCount)
        return FALSE;
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hImage = ::CreateCompatibleBitmap(hScreen, m_sizeImage.cx, m_sizeImage.cy);
    ::ReleaseDC(nullptr, hScreen);
    if (hImage == nullptr)
        return FALSE;
    HDC hDst = ::CreateCompatibleDC(nullptr);
    HDC hSrc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOldDst = ::SelectObject(hDst, hImage);
    HGDIOBJ hOldSrc = ::SelectObject(hSrc, m_hbmImages);
    ::BitBlt(hDst, 0, 0, m_sizeImage.cx, m_sizeImage.cy, hSrc, iImage * m_sizeImage.cx, 0, SRCCOPY);
    ::SelectObject(hSrc, hOldSrc);
    ::SelectObject(hDst, hOldDst);
    ::DeleteDC(hSrc);
    ::DeleteDC(hDst);

    CWnd* pMainWnd = AfxGetMainWnd();
    if (!::OpenClipboard(pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr))
    {
        ::DeleteObject(hImage);
        return FALSE;
    }
    ::EmptyClipboard();
    // The clipboard owns the bitmap once it took it.
    const BOOL placed = ::SetClipboardData(CF_BITMAP, hImage) != nullptr;
    if (!placed)
        ::DeleteObject(hImage);
    ::CloseClipboard();
    return placed;
}

void CKTImageStrip::Clear()
{
    FreeBitmaps();
    m_bReadOnly = FALSE;
    m_lstOrigResIds.RemoveAll();
    m_lstOrigResInstances.RemoveAll();
    m_mapOrigResOffsets.RemoveAll();
    m_iCount = 0;
}

void CKTImageStrip::CopyTo(CKTImageStrip& imageList)
{
    if (&imageList == this)
        return;
    imageList.Clear();
    imageList.m_bReadOnly = TRUE;
    imageList.m_hbmImages = m_hbmImages;
    imageList.m_hbmImageLight = m_hbmImageLight;
    imageList.m_sizeImage = m_sizeImage;
    imageList.m_bUserImagesList = m_bUserImagesList;
    imageList.m_strUserImagesFileName = m_strUserImagesFileName;
    imageList.m_iCount = m_iCount;
    imageList.m_clrTransparent = m_clrTransparent;
    imageList.m_nBitsPerPixel = m_nBitsPerPixel;
}

void CKTImageStrip::OnSysColorChange()
{
    if (m_bReadOnly)
        return;
    if (m_bUserImagesList)
    {
        const CString fileName = m_strUserImagesFileName;
        const BOOL modified = m_bModified;
        if (!modified)
            LoadFromFile(fileName);
    }
    else if (!m_lstOrigResIds.IsEmpty())
    {
        // Reload into an emptied strip in the recorded order, so that count and indices stay.
        std::vector<std::pair<UINT, HINSTANCE>> resources;
        POSITION posId = m_lstOrigResIds.GetHeadPosition();
        POSITION posInstance = m_lstOrigResInstances.GetHeadPosition();
        while (posId != nullptr && posInstance != nullptr)
        {
            const UINT id = m_lstOrigResIds.GetNext(posId);
            resources.emplace_back(id, m_lstOrigResInstances.GetNext(posInstance));
        }
        Clear();
        for (const auto& resource : resources)
            Load(resource.first, resource.second, TRUE);
        m_bModified = FALSE;
    }
    UpdateCheckedMaskColor();
}

void CKTImageStrip::CreateMask(int iImage, BOOL bHighlightAlsoWhite, BOOL bEmboss)
{
    const int w = m_sizeImage.cx, h = m_sizeImage.cy;
    ::PatBlt(s_hdcMask, 0, 0, w + 2, h + 2, WHITENESS);
    ::SetBkColor(s_hdcImage, m_clrTransparent != (COLORREF)-1 ? m_clrTransparent : ktGlobals.m_colorFace);
    ::BitBlt(s_hdcMask, 0, 0, w, h, s_hdcImage, iImage * w, 0, SRCCOPY);
    if (bHighlightAlsoWhite)
    {
        ::SetBkColor(s_hdcImage, ktGlobals.m_colorHighlight);
        ::BitBlt(s_hdcMask, 0, 0, w, h, s_hdcImage, iImage * w, 0, SRCPAINT);
    }
    if (bEmboss)
        ::BitBlt(s_hdcMask, 1, 1, w + 1, h + 1, s_hdcMask, 0, 0, SRCAND);
}

BOOL CKTImageStrip::PrepareDrawImage(CKTDrawState& ds, CSize sizeImageDest, BOOL bFadeInactive)
{
    if (m_hbmImages == nullptr || s_hdcImage == nullptr || s_hdcMask == nullptr)
        return FALSE;
    ds = CKTDrawState{};
    m_bFadeInactive = bFadeInactive && m_hbmImageLight != nullptr && m_nBitsPerPixel >= 1 && m_nBitsPerPixel <= 4;
    ds.m_hbmOldImages =
        static_cast<HBITMAP>(::SelectObject(s_hdcImage, m_bFadeInactive ? m_hbmImageLight : m_hbmImages));
    ds.m_hbmMono = ::CreateBitmap(m_sizeImage.cx + 2, m_sizeImage.cy + 2, 1, 1, nullptr);
    if (ds.m_hbmMono == nullptr)
    {
        ::SelectObject(s_hdcImage, ds.m_hbmOldImages);
        return FALSE;
    }
    ds.m_hbmMonoOld = static_cast<HBITMAP>(::SelectObject(s_hdcMask, ds.m_hbmMono));

    m_sizeImageDest = (sizeImageDest.cx < 1 || sizeImageDest.cy < 1) ? m_sizeImage : sizeImageDest;
    m_bStretch = m_sizeImageDest != m_sizeImage;
    if (m_bStretch || m_clrTransparent != (COLORREF)-1)
    {
        HDC hScreen = ::GetDC(nullptr);
        m_hdcMem = ::CreateCompatibleDC(hScreen);
        m_hbmMem = ::CreateCompatibleBitmap(hScreen, m_sizeImage.cx + 2, m_sizeImage.cy + 2);
        ::ReleaseDC(nullptr, hScreen);
        if (m_hdcMem != nullptr && m_hbmMem != nullptr)
            m_hbmMemOld = static_cast<HBITMAP>(::SelectObject(m_hdcMem, m_hbmMem));
    }
    return TRUE;
}

BOOL CKTImageStrip::Draw(CDC* pDCDest, int xDest, int yDest, int iImage, BOOL bHilite, BOOL bDisabled,
                         BOOL bIndeterminate, BOOL bShadow, BOOL bInactive)
{
    if (pDCDest == nullptr || iImage < 0 || iImage >= m_iCount)
        return FALSE;
    if (bShadow && ktGlobals.m_bitsPerPixel <= 8)
        return TRUE;
    if (m_bStretch)
    {
        bHilite = FALSE;
        bIndeterminate = FALSE;
    }
    const BOOL normalForThisCall = m_bFadeInactive && !bInactive;
    if (normalForThisCall)
        ::SelectObject(s_hdcImage, m_hbmImages);

    const int w = m_sizeImage.cx, h = m_sizeImage.cy;
    const BOOL useSurface = m_hdcMem != nullptr && (m_bStretch || m_clrTransparent != (COLORREF)-1);
    HDC hTarget = useSurface ? m_hdcMem : pDCDest->GetSafeHdc();
    const int x = useSurface ? 0 : xDest;
    const int y = useSurface ? 0 : yDest;
    if (useSurface)
    {
        if (m_clrTransparent != (COLORREF)-1 && m_clrTransparent != ktGlobals.m_colorFace)
        {
            HBRUSH hBrush = ::CreateSolidBrush(m_clrTransparent);
            FillWithBrush(m_hdcMem, w + 2, h + 2, hBrush);
            ::DeleteObject(hBrush);
        }
        else
        {
            FillWithBrush(m_hdcMem, w + 2, h + 2, static_cast<HBRUSH>(ktGlobals.m_brushFace.GetSafeHandle()));
        }
    }

    // A deep strip greys its disabled images from the drawn colours instead of a silhouette.
    const BOOL greyDeepImage = bDisabled && m_nBitsPerPixel == 24;
    if (greyDeepImage)
        bDisabled = FALSE;

    if (!bHilite && !bDisabled && !bIndeterminate && !bShadow)
    {
        ::BitBlt(hTarget, x, y, w, h, s_hdcImage, iImage * w, 0, SRCCOPY);
        if (greyDeepImage)
        {
            CDC* pTarget = CDC::FromHandle(hTarget);
            CKTDrawHelper(pTarget).DesaturateRect(CRect(x, y, x + w, y + h), -1, m_clrTransparent);
        }
    }

    if (bDisabled || bShadow || bIndeterminate)
    {
        CreateMask(iImage, TRUE, FALSE);
        const COLORREF oldText = ::SetTextColor(hTarget, bHilite ? m_clrImageShadow : RGB(0, 0, 0));
        const COLORREF oldBk = ::SetBkColor(hTarget, RGB(255, 255, 255));
        if (bDisabled && s_bEmbossDisabledImages && ktGlobals.m_sysBrushHighlight != nullptr)
        {
            HGDIOBJ hOld = ::SelectObject(hTarget, ktGlobals.m_sysBrushHighlight);
            ::BitBlt(hTarget, x + 1, y + 1, w, h, s_hdcMask, 0, 0, kRopPaintThroughMask);
            ::SelectObject(hTarget, hOld);
        }
        HGDIOBJ hOld = ::SelectObject(hTarget, ktGlobals.m_sysBrushShadow);
        ::BitBlt(hTarget, x, y, w, h, s_hdcMask, 0, 0, kRopPaintThroughMask);
        ::SelectObject(hTarget, hOld);
        ::SetTextColor(hTarget, oldText);
        ::SetBkColor(hTarget, oldBk);
    }

    if (bHilite || bIndeterminate)
    {
        HGDIOBJ hOld = ::SelectObject(hTarget, ktGlobals.m_brushHalftone.GetSafeHandle());
        CreateMask(iImage, !bIndeterminate, bDisabled);
        const COLORREF oldText = ::SetTextColor(hTarget, RGB(0, 0, 0));
        const COLORREF oldBk = ::SetBkColor(hTarget, RGB(255, 255, 255));
        ::BitBlt(hTarget, x, y, w, h, s_hdcMask, 0, 0, kRopHalftoneOnWhite);
        ::SetTextColor(hTarget, oldText);
        ::SetBkColor(hTarget, oldBk);
        ::SelectObject(hTarget, hOld);
    }

    if (useSurface)
    {
        // Onto the caller's context, leaving its pixels where the surface holds the transparent
        // colour (or the face colour when none is set).
        const COLORREF clear = m_clrTransparent != (COLORREF)-1 ? m_clrTransparent : ktGlobals.m_colorFace;
        const int dw = m_sizeImageDest.cx, dh = m_sizeImageDest.cy;
        HDC hDest = pDCDest->GetSafeHdc();
        HDC hColor = ::CreateCompatibleDC(hDest);
        HBITMAP hColorBmp = ::CreateCompatibleBitmap(hDest, dw, dh);
        HDC hMonoDC = ::CreateCompatibleDC(hDest);
        HBITMAP hMonoBmp = ::CreateBitmap(dw, dh, 1, 1, nullptr);
        if (hColor != nullptr && hColorBmp != nullptr && hMonoDC != nullptr && hMonoBmp != nullptr)
        {
            HGDIOBJ hOldColor = ::SelectObject(hColor, hColorBmp);
            HGDIOBJ hOldMono = ::SelectObject(hMonoDC, hMonoBmp);
            if (m_bStretch)
            {
                ::SetStretchBltMode(hColor, COLORONCOLOR);
                ::StretchBlt(hColor, 0, 0, dw, dh, m_hdcMem, 0, 0, w, h, SRCCOPY);
            }
            else
            {
                ::BitBlt(hColor, 0, 0, dw, dh, m_hdcMem, 0, 0, SRCCOPY);
            }
            ::SetBkColor(hColor, clear);
            ::BitBlt(hMonoDC, 0, 0, dw, dh, hColor, 0, 0, SRCCOPY);
            ::SetTextColor(hColor, RGB(255, 255, 255));
            ::SetBkColor(hColor, RGB(0, 0, 0));
            ::BitBlt(hColor, 0, 0, dw, dh, hMonoDC, 0, 0, SRCAND);
            const COLORREF oldText = ::SetTextColor(hDest, RGB(0, 0, 0));
            const COLORREF oldBk = ::SetBkColor(hDest, RGB(255, 255, 255));
            ::BitBlt(hDest, xDest, yDest, dw, dh, hMonoDC, 0, 0, SRCAND);
            ::SetTextColor(hDest, oldText);
            ::SetBkColor(hDest, oldBk);
            ::BitBlt(hDest, xDest, yDest, dw, dh, hColor, 0, 0, SRCPAINT);
            ::SelectObject(hMonoDC, hOldMono);
            ::SelectObject(hColor, hOldColor);
        }
        if (hMonoBmp != nullptr)
            ::DeleteObject(hMonoBmp);
        if (hColorBmp != nullptr)
            ::DeleteObject(hColorBmp);
        if (hMonoDC != nullptr)
            ::DeleteDC(hMonoDC);
        if (hColor != nullptr)
            ::DeleteDC(hColor);
    }

    if (normalForThisCall)
        ::SelectObject(s_hdcImage, m_hbmImageLight);
    return TRUE;
}

void CKTImageStrip::EndDrawImage(CKTDrawState& ds)
{
    if (s_hdcImage != nullptr && ds.m_hbmOldImages != nullptr)
        ::SelectObject(s_hdcImage, ds.m_hbmOldImages);
    if (s_hdcMask != nullptr && ds.m_hbmMonoOld != nullptr)
        ::SelectObject(s_hdcMask, ds.m_hbmMonoOld);
    if (ds.m_hbmMono != nullptr)
        ::DeleteObject(ds.m_hbmMono);
    ds = CKTDrawState{};
    if (m_hdcMem != nullptr)
    {
        ::SelectObject(m_hdcMem, m_hbmMemOld);
        ::DeleteDC(m_hdcMem);
        m_hdcMem = nullptr;
    }
    if (m_hbmMem != nullptr)
    {
        ::DeleteObject(m_hbmMem);
        m_hbmMem = nullptr;
    }
    m_hbmMemOld = nullptr;
    m_sizeImageDest = CSize(0, 0);
    m_bStretch = FALSE;
}

void PASCAL CKTImageStrip::CleanUp()
{
    if (s_hdcImage != nullptr)
        ::DeleteDC(s_hdcImage);
    if (s_hdcMask != nullptr)
        ::DeleteDC(s_hdcMask);
    s_hdcImage = nullptr;
    s_hdcMask = nullptr;
}
