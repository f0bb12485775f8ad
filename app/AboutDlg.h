#pragma once
// The about box: the product picture with the program's version written over it.
#include "app/PictureStatic.h"
#include "framework/Afx.h"

class CAboutDlg : public CDialog
{
public:
    static constexpr UINT TemplateId = 100;
    static constexpr UINT PictureId = 1057;
    // The grey of the picture's background, through which the dialog shows.
    static constexpr COLORREF Background = RGB(192, 192, 192);

    // bitsPerPixel is the screen's colour depth; 0 reads it from the screen.
    explicit CAboutDlg(CWnd* parent = nullptr, int bitsPerPixel = 0);

    // The picture shown now: 168 or 170, or after a swap 173 or 174.
    UINT GetPictureId() const { return m_pictureId; }
    CPictureStatic& Picture() { return m_picture; }

protected:
    BOOL OnInitDialog() override;
    void OnLButtonDblClk(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void ShowPicture(UINT id);

    CPictureStatic m_picture;
    int m_bitsPerPixel;
    UINT m_pictureId = 0;
};
