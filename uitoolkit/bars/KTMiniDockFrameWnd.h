#pragma once
// The toolkit's floating frame: a tool window around a floating bar, with a roll-up button for
// sizing bars (rolled up to its caption by hand, or automatically when the cursor leaves it),
// resizing from every edge, a close that asks the bar, and a tear-off drag for popup menus.
#include "framework/Afx.h"
#include "framework/AfxMiniDockFrameWnd.h"

class CKTSizingControlBar;

class CKTMiniDockFrameWnd : public CMiniDockFrameWnd
{
    DECLARE_DYNCREATE(CKTMiniDockFrameWnd)
public:
    // Roll-up modes (the sizing bar keeps the mode and the rolled flag; the frame copies them).
    enum
    {
        kRollNone = 0,
        kRollManual = 1,
        kRollAuto = 2,
        kRollAutoOff = 3,    // automatic roll-up switched off by the button, from kRollAuto
        kRollAutoNarrow = 4, // automatic, and rolled as narrow as its title
        kRollAutoNarrowOff = 5
    };

    CKTMiniDockFrameWnd();

    BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;
    // Moves a just-created frame with the cursor until the left button drops it (TRUE) or Escape
    // or the right button cancel it (FALSE: the bar is destroyed and deleted).
    BOOL StartTearOff(CControlBar* pBar);

    // The first bar of the frame when that is a sizing bar.
    CKTSizingControlBar* GetSizingBar() const;
    void SetRollState(int nRollingType, BOOL bRolled);
    int GetRollingType() const { return m_nRollingType; }
    BOOL IsRolled() const { return m_bRolled; }
    CRect GetRollButtonRect() const { return m_rectRollButton; }
    // The window width of a frame rolled in mode 4: its title and the caption buttons.
    int GetRolledWidth();
    // Clicks the roll button (as the mouse does).
    void OnRollButton();

    // Whether a popup menu of the toolkit is open: automatic roll-up waits while one is. The popup
    // menus answer through this hook once they exist; none is open until then.
    static BOOL (*m_pfnIsPopupMenuOpen)();
    // The top-level frame's hook that forgets a cancelled tear-off bar (the frame support of the
    // toolkit's frames sets it).
    static void (*m_pfnRemoveTearOffBar)(CFrameWnd* pTopFrame, CControlBar* pBar);

    // Timer ticks of 250 ms before an automatic roll-up.
    static const int kRollCountdown = 6;

protected:
    void RollUp(BOOL bRolled);
    void KeepReachable();

    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnNcRButtonDown(UINT nHitTest, CPoint point);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnNcPaint();
    BOOL OnNcActivate(BOOL bActive);
    void OnSize(UINT nType, int cx, int cy);
    void OnWindowPosChanging(WINDOWPOS* lpwndpos);
    void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    void OnTimer(UINT_PTR nIDEvent);
    void OnClose();
    void OnSysCommand(UINT nID, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
    // Restore, Minimize and Maximize go; Close is greyed while the bar cannot be closed.
    void TrimSystemMenu();

    int m_nRollingType = kRollNone;
    BOOL m_bRolled = FALSE;
    CRect m_rectRollButton; // window coordinates; empty without a roll button
    int m_nRolledLeft = -1;
    int m_nRolledRight = -1;
    int m_nRollCountdown = 0;
    UINT_PTR m_nRollTimer = 0;

    inline static BOOL m_bKeepingReachable = FALSE;
};
