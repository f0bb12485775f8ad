#pragma once
// The shaped window that shows the product picture while the program starts. It closes itself
// 1.5 s after start-up has finished, or at once when clicked after that point.
#include "framework/Afx.h"

class CSplashScreen : public CWnd
{
public:
    static constexpr UINT_PTR CloseTimer = 154;
    static constexpr UINT CloseDelay = 1500;
    static constexpr UINT_PTR OnTopTimer = 155;
    static constexpr UINT OnTopInterval = 100;
    static constexpr int OutlinePointCount = 69;
    // The tab above the picture's body, in window coordinates.
    static const POINT Outline[OutlinePointCount];

    CSplashScreen() = default;
    ~CSplashScreen() override;

    // bitsPerPixel is the screen's colour depth; 0 reads it from the screen. The splash is always
    // made with new: it deletes itself when its window goes, and a failed Create has deleted it.
    bool Create(int bitsPerPixel = 0);
    void StartCloseTimer();
    // Back above every other window on the screen: a window shown after the picture is put on
    // top of it by the display, whatever the system's order says.
    void KeepOnTop();
    bool IsCloseTimerRunning() const { return m_closeTimerRunning; }
    // The resource of the picture shown; 0 before Create.
    UINT GetBitmapId() const { return m_bitmapId; }
    // The pointer kept there is cleared when the window goes, so that nobody holds it after.
    void SetOwnerSlot(CSplashScreen** slot) { m_ownerSlot = slot; }

protected:
    void OnPaint();
    void OnTimer(UINT_PTR id);
    void OnLButtonUp(UINT flags, CPoint point);
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    void CloseNow();

    HBITMAP m_bitmap = nullptr;
    UINT m_bitmapId = 0;
    int m_width = 0;
    int m_height = 0;
    bool m_closeTimerRunning = false;
    CSplashScreen** m_ownerSlot = nullptr;
};
