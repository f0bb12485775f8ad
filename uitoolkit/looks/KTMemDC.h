#pragma once
// Double buffering for the toolkit's paints: drawing goes to a memory bitmap of the window's
// client size and is copied to the screen in one step when the buffer goes, so that a window
// that repaints often (scrolling tabs, hot tracking) does not flicker. When the bitmap cannot be
// made (no memory, a huge window) drawing goes straight to the screen.

#include "framework/Afx.h"

class CKTMemDC
{
public:
    // rectClient: the client area of the window that dcPaint paints (its origin at 0, 0).
    CKTMemDC(CDC& dcPaint, const CRect& rectClient) : m_dcPaint(dcPaint), m_rect(rectClient)
    {
        if (!m_rect.IsRectEmpty() && m_dcMem.CreateCompatibleDC(&dcPaint) &&
            m_bmp.CreateCompatibleBitmap(&dcPaint, m_rect.Width(), m_rect.Height()))
        {
            m_pOldBitmap = m_dcMem.SelectObject(&m_bmp);
            m_bMemory = TRUE;
        }
    }
    // Copies what lies inside the paint's clip box back to the screen.
    ~CKTMemDC()
    {
        if (!m_bMemory)
            return;
        CRect rectCopy;
        if (m_dcPaint.GetClipBox(&rectCopy) == NULLREGION || !rectCopy.IntersectRect(rectCopy, m_rect))
            rectCopy = m_rect;
        m_dcPaint.BitBlt(rectCopy.left, rectCopy.top, rectCopy.Width(), rectCopy.Height(), &m_dcMem, rectCopy.left,
                         rectCopy.top, SRCCOPY);
        m_dcMem.SelectObject(m_pOldBitmap);
    }
    CKTMemDC(const CKTMemDC&) = delete;
    CKTMemDC& operator=(const CKTMemDC&) = delete;

    // Where to draw: the memory bitmap, or the screen when there is none.
    CDC& GetDC() { return m_bMemory ? m_dcMem : m_dcPaint; }
    BOOL IsMemDC() const { return m_bMemory; }

private:
    CDC& m_dcPaint;
    CRect m_rect;
    CDC m_dcMem;
    CBitmap m_bmp;
    CBitmap* m_pOldBitmap = nullptr;
    BOOL m_bMemory = FALSE;
};
