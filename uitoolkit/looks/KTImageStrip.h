#pragma once
// A strip of equal-size images side by side in one bitmap (image i at x = i * width), loaded from
// bitmap resources (several may be appended) or from a bitmap file (the user-defined images,
// saved back to it). Standard greys are mapped to the user's colours; images are drawn one at a
// time in the states a button needs, between PrepareDrawImage and EndDrawImage.
//
// User-interface thread only. The strip owns its bitmaps unless it is a read-only copy
// (CopyTo), which shares another strip's and never frees or changes them. Failures return FALSE
// or -1 and leave the strip as it was before the failing step.

#include "framework/Afx.h"

// What a draw session changed in the shared device contexts, to be put back by EndDrawImage.
struct CKTDrawState
{
    HBITMAP m_hbmMono = nullptr;
    HBITMAP m_hbmMonoOld = nullptr;
    HBITMAP m_hbmOldImages = nullptr;
};

class CKTImageStrip
{
public:
    CKTImageStrip();
    ~CKTImageStrip();
    CKTImageStrip(const CKTImageStrip&) = delete;
    CKTImageStrip& operator=(const CKTImageStrip&) = delete;

    void SetImageSize(SIZE sizeImage);
    CSize GetImageSize() const { return m_sizeImage; }
    int GetCount() const { return m_iCount; }
    HBITMAP GetImageWell() const { return m_hbmImages; }
    BOOL IsReadOnly() const { return m_bReadOnly; }
    BOOL IsFileReadOnly() const { return m_bFileReadOnly; }
    BOOL IsModified() const { return m_bModified; }
    BOOL IsUserImagesList() const { return m_bUserImagesList; }
    int GetBitsPerPixel() const { return m_nBitsPerPixel; }
    COLORREF GetCheckedMaskColor() const { return m_clrImageShadow; }
    // The index of the first image the resource added, -1 when it is not in the strip.
    int GetResourceOffset(UINT uiResID) const;

    // The colour left out when drawing (-1: none); changing it rebuilds the faded images.
    COLORREF SetTransparentColor(COLORREF clrTransparent);
    COLORREF GetTransparentColor() const { return m_clrTransparent; }

    // hinstRes null: the application's resources. With bAdd the bitmap is appended (a resource
    // already in the strip is not loaded again); without it the strip is replaced.
    BOOL Load(UINT uiResID, HINSTANCE hinstRes = nullptr, BOOL bAdd = FALSE);
    // A path without a folder is taken beside the program file. A missing or unreadable file
    // leaves the strip empty.
    BOOL LoadFromFile(LPCTSTR lpszBmpFileName);
    // Writes a strip loaded from a file to lpszBmpFileName (null: its own file), completely or
    // not at all. Nothing for a read-only file; nothing written for an unmodified strip saved
    // to its own file while that file is there. A failed save keeps the strip modified.
    BOOL Save(LPCTSTR lpszBmpFileName = nullptr);

    // Appends the bitmap's images; the index of the last image, -1 on failure.
    int AddImage(HBITMAP hbmp);
    // Copies the bitmap (one image's size, from its top-left corner) over image iImage.
    BOOL UpdateImage(int iImage, HBITMAP hbmp);
    BOOL CopyImageToClipboard(int iImage);
    void Clear();
    // Makes imageList a read-only copy sharing this strip's bitmaps.
    void CopyTo(CKTImageStrip& imageList);
    // Rebuilds the strip from its resources (same order, count and indices) or its file for the
    // new system colours.
    void OnSysColorChange();

    // The four standard greys and their system colours, both ways; other colours unchanged.
    // bSwapRB: the colour is in a DIB's blue-green-red order.
    static COLORREF PASCAL MapToSysColor(COLORREF color, BOOL bSwapRB = FALSE);
    static COLORREF PASCAL MapFromSysColor(COLORREF color, BOOL bSwapRB = FALSE);
    // clrSrc -1: every standard grey becomes its system colour; else clrSrc becomes clrDest.
    BOOL MapTo3dColors(BOOL bSwapRB = FALSE, COLORREF clrSrc = (COLORREF)-1, COLORREF clrDest = (COLORREF)-1);

    BOOL PrepareDrawImage(CKTDrawState& ds, CSize sizeImageDest = CSize(0, 0), BOOL bFadeInactive = FALSE);
    BOOL Draw(CDC* pDC, int x, int y, int iImage, BOOL bHilite = FALSE, BOOL bDisabled = FALSE,
              BOOL bIndeterminate = FALSE, BOOL bShadow = FALSE, BOOL bInactive = FALSE);
    void EndDrawImage(CKTDrawState& ds);

    // Deletes the device contexts that all strips share.
    static void PASCAL CleanUp();

    // Whether disabled images get a highlight copy one pixel down and right; the visual
    // manager in use sets it.
    static BOOL s_bEmbossDisabledImages;

protected:
    void UpdateCount();
    void RebuildFadedImages();
    void UpdateCheckedMaskColor();
    void FreeBitmaps();
    void CreateMask(int iImage, BOOL bHighlightAlsoWhite, BOOL bEmboss);
    BOOL AppendBitmap(HBITMAP hbmp);

    CSize m_sizeImage;
    CSize m_sizeImageDest;
    HBITMAP m_hbmImages = nullptr;
    HBITMAP m_hbmImageLight = nullptr;
    BOOL m_bUserImagesList = FALSE;
    CString m_strUserImagesFileName;
    BOOL m_bModified = FALSE;
    int m_iCount = 0;
    CList<UINT, UINT> m_lstOrigResIds;
    CList<HINSTANCE, HINSTANCE> m_lstOrigResInstances;
    CMap<UINT, UINT, int, int> m_mapOrigResOffsets;
    BOOL m_bStretch = FALSE;
    HDC m_hdcMem = nullptr;
    HBITMAP m_hbmMem = nullptr;
    HBITMAP m_hbmMemOld = nullptr;
    COLORREF m_clrTransparent = (COLORREF)-1;
    BOOL m_bReadOnly = FALSE;
    BOOL m_bFileReadOnly = FALSE;
    COLORREF m_clrImageShadow = 0;
    BOOL m_bFadeInactive = FALSE;
    int m_nBitsPerPixel = 0;
};
