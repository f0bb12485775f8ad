#pragma once
// A static control that draws a bitmap of its own, optionally with one colour left transparent,
// and a text in an area over the bitmap.
#include <string>

#include "framework/Afx.h"

class CPictureStatic : public CStatic
{
public:
    CPictureStatic() = default;
    ~CPictureStatic() override;
    CPictureStatic(const CPictureStatic&) = delete;
    CPictureStatic& operator=(const CPictureStatic&) = delete;

    // Takes ownership of the bitmap and draws it as it is; false for a null handle.
    bool SetBitmap(HBITMAP bitmap);
    // Loads the bitmap resource; pixels of the transparent colour show what lies beneath.
    bool SetBitmap(UINT resourceId, COLORREF transparent);
    // Resizes the window, keeping its top-left corner, to the bitmap's size.
    void SizeToBitmap();
    SIZE GetBitmapSize() const { return {m_width, m_height}; }
    bool IsTransparent() const { return m_transparent; }
    // Where the control's text is drawn over the bitmap, in client coordinates.
    void SetTextArea(const RECT& area);
    const std::wstring& GetText() const { return m_text; }

protected:
    void OnPaint();
    // The parent's colour for statics, under the bitmap's transparent pixels.
    BOOL OnEraseBkgnd(CDC* dc);
    LRESULT OnSetText(WPARAM, LPARAM text);
    DECLARE_MESSAGE_MAP()

private:
    void DrawTransparent(HDC dc, HDC source) const;

    HBITMAP m_bitmap = nullptr;
    int m_width = 0;
    int m_height = 0;
    COLORREF m_transparentColour = RGB(0, 0, 0);
    bool m_transparent = false;
    RECT m_clientRect = {};
    RECT m_textArea = {};
    std::wstring m_text;
};
