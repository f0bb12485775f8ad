#pragma once
// A button that stands for a group of commands: it shows the image of the group's current
// command, a short click runs that command, and holding the mouse button down for half a second
// drops a small toolbar with every command of the group beside it. Choosing one there runs it and
// makes it the current command.
//
// CKTDropDownToolBar holds a group's commands; the application creates one per group (it need
// not be shown). CKTDropDownFrame is the borderless popup that shows a temporary toolbar of that
// class, sharing the group toolbar's buttons, while the group is dropped down.
//
// User-interface thread only. The button borrows its group toolbar and its open frame; the frame
// deletes itself after its window is gone and tells the button; the group toolbar owns the
// buttons that the frame's toolbar only shows.
#include "uitoolkit/bars/KTToolBar.h"

class CKTDropDownFrame;
class CKTDropDownToolBar;

class CKTDropDownToolbarButton : public CKTToolbarButton
{
    DECLARE_SERIAL(CKTDropDownToolbarButton)
public:
    CKTDropDownToolbarButton();
    CKTDropDownToolbarButton(LPCTSTR lpszName, CKTDropDownToolBar* pToolBar);
    // Stops a running press-and-hold timer and closes an open frame.
    ~CKTDropDownToolbarButton() override;

    // Base fields, the group toolbar's control id (0 without one), the name, the current image.
    void Serialize(CArchive& ar) override;
    void CopyFrom(const CKTToolbarButton& src) override;
    void OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz = TRUE, BOOL bCustomizeMode = FALSE,
                BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE, BOOL bGrayDisabledButtons = TRUE) override;
    SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz) override;
    // Starts the press-and-hold timer; its second call (the timer) drops the group down. Always
    // FALSE, so that a short click runs the current command.
    BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE) override;
    BOOL OnClickUp() override;
    // Help mode on the button starts the hold, so that the group drops down for the user to pick
    // the command to ask about.
    BOOL OnContextHelp(CWnd* pWnd) override { return OnClick(pWnd, FALSE); }
    void OnChangeParentWnd(CWnd* pWndParent) override;
    // A menu button named after the group with the group's commands as its items.
    BOOL ExportToMenuButton(CKTToolbarMenuButton& menuButton) const override;
    void OnCancelMode() override;
    BOOL OnCustomizeMenu(CMenu* pPopup) override;
    int DrawAsListItem(CDC* pDC, const CRect& rect, BOOL bSelected) override;
    BOOL IsExtraSize() const override;
    // The button always shows its current command's image, so an own image of -1 does not turn
    // it into a text button (as it does a plain one, which would lose its image flag at a load).
    void SetImage(int iImage) override;

    // Makes the command current: its id and its image from the group toolbar.
    void SetDefaultCommand(UINT uiCmd);
    // Opens the frame beside the button; FALSE without a group toolbar or with a frame open.
    BOOL DropDown(CWnd* pWnd = nullptr);
    // Closes the open frame, if any.
    void CloseFrame();

    CKTDropDownToolBar* GetToolBar() const { return m_pToolBar; }
    const CString& GetName() const { return m_strName; }
    CKTDropDownFrame* GetFrame() const { return m_pPopupMenu; }
    int GetCurrentImage() const { return m_iSelectedImage; }
    BOOL IsTimerRunning() const { return m_uiTimer != 0; }
    // The button whose press-and-hold timer runs; null when none does.
    static CKTDropDownToolbarButton* GetPressedButton() { return m_pPressed; }

    static const UINT PressAndHoldMs = 500;

private:
    friend class CKTDropDownFrame;
    static void CALLBACK OnPressTimer(HWND hwnd, UINT uMsg, UINT_PTR idEvent, DWORD dwTime);
    void StopTimer();

    CKTDropDownToolBar* m_pToolBar = nullptr;
    CString m_strName;
    CKTDropDownFrame* m_pPopupMenu = nullptr;
    CWnd* m_pWndBar = nullptr;
    UINT_PTR m_uiTimer = 0;
    int m_iSelectedImage = 0;
    BOOL m_bDrawCurrentImage = FALSE;
    BOOL m_bLocalUserButton = FALSE;

    inline static CKTDropDownToolbarButton* m_pPressed = nullptr;
};

class CKTDropDownToolBar : public CKTToolBar
{
    DECLARE_SERIAL(CKTDropDownToolBar)
public:
    CKTDropDownToolBar();

    // Group toolbars keep their own images: the locked flag is always passed on.
    BOOL LoadBitmap(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                    UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0) override;
    BOOL LoadToolBar(UINT uiResID, UINT uiColdResID = 0, UINT uiMenuResID = 0, BOOL bLocked = FALSE,
                     UINT uiDisabledResID = 0, UINT uiMenuDisabledResID = 0, UINT uiHotResID = 0) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    // A chosen command becomes the drop-down button's current one and goes to the owner; the
    // frame closes once the release has been handled.
    BOOL OnSendCommand(const CKTToolbarButton* pButton) override;

    // The image strip that holds the group's images (this bar's own).
    CKTImageStrip* GetGroupImages() { return &m_ImagesLocked; }
    CSize GetGroupImageSize() const { return m_sizeImageLocked; }

protected:
    friend class CKTDropDownFrame;
    // The frame's toolbar shows the group toolbar's buttons and images without owning them.
    void ShareFrom(CKTDropDownToolBar& source);
    void ReleaseShared();

    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};

class CKTDropDownFrame : public CMiniFrameWnd
{
    DECLARE_SERIAL(CKTDropDownFrame)
public:
    CKTDropDownFrame();
    ~CKTDropDownFrame() override;

    // x = y = -1: 5 pixels right and below the parent's client origin.
    BOOL Create(CWnd* pWndParent, int x, int y, CKTDropDownToolBar* pWndOriginToolbar);
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // Closes the frame once the message being handled has returned.
    void CloseLater();

    CKTDropDownToolBar& GetToolBar() { return m_wndToolBar; }
    CKTDropDownToolbarButton* GetParentButton() const { return m_pParentBtn; }

    // Set by DropDown; cleared by the button before it destroys the frame itself.
    CKTDropDownToolbarButton* m_pParentBtn = nullptr;

    static const UINT ToolBarId = 0xE827;

protected:
    void PostNcDestroy() override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    void OnDestroy();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnActivateApp(BOOL bActive, DWORD dwThreadID);
    void OnClose();
    LRESULT OnCloseLater(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

    CKTDropDownToolBar m_wndToolBar;
    CKTDropDownToolBar* m_pWndOriginToolbar = nullptr;
    int m_x = 0;
    int m_y = 0;
    BOOL m_bCloseLaterPosted = FALSE;
};
