#pragma once
// The one item type of every command bar: toolbar buttons, separators, menu items and hosted
// controls all derive from it. A bar owns a list of buttons, asks each for its size, places it
// (m_rect), draws it, routes clicks to it and stores it through the framework's archive; buttons
// travel between bars as copies (CopyFrom) or as serialised data under GetClipboardFormat.
//
// User-interface thread only. The bar that lists a button owns it; m_pWndParent is borrowed.

#include "framework/Afx.h"

class CKTImageStrip;
class CKTToolBar;
class CKTToolbarMenuButton;
class CKTUserTool;
class COleDataSource;
class COleDataObject;

class CKTToolbarButton : public CObject
{
    DECLARE_SERIAL(CKTToolbarButton)
public:
    CKTToolbarButton();
    CKTToolbarButton(UINT uiID, int iImage, LPCTSTR lpszText = nullptr, BOOL bUserButton = FALSE, BOOL bLocked = FALSE);
    ~CKTToolbarButton() override;
    CKTToolbarButton(const CKTToolbarButton&) = delete;
    CKTToolbarButton& operator=(const CKTToolbarButton&) = delete;

    // Command id, style, current image, text, user-image flag, drag flag, show-text and
    // show-image flags; loading sets the image through SetImage.
    void Serialize(CArchive& ar) override;

    virtual BOOL OnToolbarReset(BOOL bFromResource);
    virtual void CopyFrom(const CKTToolbarButton& src);
    virtual void OnDraw(CDC* pDC, const CRect& rect, CKTImageStrip* pImages, BOOL bHorz = TRUE,
                        BOOL bCustomizeMode = FALSE, BOOL bHighlight = FALSE, BOOL bDrawBorder = TRUE,
                        BOOL bGrayDisabledButtons = TRUE);
    virtual SIZE OnCalculateSize(CDC* pDC, const CSize& sizeDefault, BOOL bHorz);
    // TRUE when the button handled the click itself (a menu button opening its popup).
    virtual BOOL OnClick(CWnd* pWnd, BOOL bDelay = TRUE);
    // TRUE when the button took its own release, so that the bar sends no command.
    virtual BOOL OnClickUp();
    virtual void OnChangeParentWnd(CWnd* pWndParent);
    virtual BOOL LoadDefaultText();
    virtual void OnMove() {}
    virtual void OnSize(int /*iSize*/) {}
    virtual HWND GetHwnd() { return nullptr; }
    virtual BOOL CanBeStretched() const { return FALSE; }
    // TRUE: the bar posts the hosted control's notification to its owner as a command.
    virtual BOOL NotifyCommand(int /*iNotifyCode*/) { return FALSE; }
    // Hosted controls take over the state of the first other button with the same command.
    virtual void OnGlobalSync() {}
    virtual HBRUSH OnCtlColor(CDC* /*pDC*/, UINT /*nCtlColor*/) { return nullptr; }
    virtual BOOL CanBeStored() const { return TRUE; }
    // Whether a drag may drop the button on the bar.
    virtual BOOL CanBeDropped(CKTToolBar* /*pToolbar*/) { return TRUE; }
    virtual BOOL DrawsBorder() const { return TRUE; }
    virtual void OnCancelMode() {}
    virtual BOOL IsEditable() const;
    // Told that the button was added to the customize catalogue.
    virtual void OnAddToCustomizePage() {}
    virtual BOOL OnCustomizeMenu(CMenu* /*pPopup*/) { return FALSE; }
    virtual int DrawAsListItem(CDC* pDC, const CRect& rect, BOOL bSelected);
    virtual BOOL IsDroppedDown() const { return FALSE; }
    // Cancels whatever the items of the button's open menu hold open (their submenus), leaving
    // the menu itself open; the base has none.
    virtual BOOL CancelOpenItems() { return TRUE; }
    virtual BOOL OnToolHitTest(const CWnd* pWnd, TOOLINFO* pTI);
    // The drag of this button ended in a drop on a bar (moved or copied there); the button is
    // still on its own bar, which may remove it right after.
    virtual void OnAfterDrop() {}
    virtual void OnShow(BOOL /*bShow*/) {}
    virtual CRect GetInvalidateRect() const { return m_rect; }
    virtual void SetStyle(UINT nStyle) { m_nStyle = nStyle; }
    virtual void ResetImageToDefault();
    virtual BOOL CompareWith(const CKTToolbarButton& other) const { return m_nID == other.m_nID; }
    virtual void EnableWindow(BOOL bEnable = TRUE);
    virtual BOOL IsWindowVisible();
    virtual BOOL IsOwnerOf(HWND hwnd);
    virtual BOOL HasFocus() const;
    virtual void SetImage(int iImage);
    virtual BOOL IsExtraSize() const { return m_bExtraSize; }
    // Fills the menu button's text from the command's string resource; FALSE when it cannot.
    virtual BOOL ExportToMenuButton(CKTToolbarMenuButton& menuButton) const;
    // The radio mark a command handler's SetRadio asks for; the base shows it as checked.
    virtual void SetRadio() {}
    // A double click the bar hands over instead of a press; TRUE when the button took it.
    virtual BOOL OnDblClick(CWnd* /*pWnd*/) { return FALSE; }
    // A click in help mode; TRUE when the button handled it itself (a menu button opens its
    // menu), so that the bar asks no help for it.
    virtual BOOL OnContextHelp(CWnd* /*pWnd*/) { return FALSE; }

    // Offers the button's class and data to the source under GetClipboardFormat; nothing for a
    // button that cannot be stored. FALSE only when the data could not be written.
    BOOL PrepareDrag(COleDataSource& srcItem);
    // The button in the data, or null: missing, short or foreign data (any process may offer
    // data under this format) never yields a button.
    static CKTToolbarButton* CreateFromOleData(COleDataObject* pDataObject);
    // How many buttons were made so far. An object an archive hands back without making a button
    // was read before: a reference back to it.
    static unsigned GetMadeCount() { return s_nMade; }
    // Reads one button from a loading archive: null when the stored object is not a button.
    // Archive, memory and other framework exceptions pass to the caller.
    static CKTToolbarButton* ReadButton(CArchive& ar);
    static CLIPFORMAT GetClipboardFormat();
    // Replaces the name the format is registered under; only before its first use.
    static void SetClipboardFormatName(LPCTSTR lpszName);

    void FillInterior(CDC* pDC, const CRect& rect, BOOL bHighlight);

    // The current image: the user image with the user-image flag, else the standard one.
    int GetImage() const { return m_bUserButton ? m_iUserImage : m_iImage; }
    BOOL IsLocked() const { return m_bLocked; }
    BOOL IsDragFromCollection() const { return m_bDragFromCollection; }
    void SetDragFromCollection(BOOL bDrag) { m_bDragFromCollection = bDrag; }
    CSize GetTextSize() const { return m_sizeText; }
    BOOL IsHorizontal() const { return m_bHorz; }
    BOOL IsSeparator() const { return (m_nStyle & TBBS_SEPARATOR) != 0; }

    // The label as drawn: "&&" becomes "&", every other "&" goes.
    static CString PrepareLabel(const CString& strText);
    // The part after the first newline of the command's string resource (at most 256
    // characters); FALSE when there is no such string or no newline in it.
    static BOOL LoadCommandText(UINT uiCmd, CString& strText);
    // FALSE for the recent-file, recent-window and system command ranges, ids from 0xFF00 up to
    // 0xFFFF and the user tools' entry command; a submenu (-1) is editable.
    static BOOL IsEditableCommand(UINT uiCmd);
    // The user tool bound to the command, or null (always null without a user tools manager).
    static CKTUserTool* FindUserTool(UINT uiCmd);
    // The command's shortcut key in the frame's accelerators, else in its active child's.
    static BOOL FindCommandKey(UINT uiCmd, CFrameWnd* pFrame, CString& strKey);

    // Whether SetImage records standard images with the command manager; the workspace
    // clears it while it loads saved toolbars.
    inline static BOOL m_bUpdateImages = TRUE;

    BOOL m_bUserButton = FALSE;
    UINT m_nID = 0;
    UINT m_nStyle = 0;
    CString m_strText;
    BOOL m_bText = FALSE;
    BOOL m_bImage = TRUE;
    // Copied with the button; derived buttons give it a meaning.
    BOOL m_bAlwaysCopied = FALSE;
    // When cleared, menu items shorten their label and append "...".
    BOOL m_bWholeText = TRUE;
    BOOL m_bTextBelow = FALSE;
    CString m_strTextCustom;
    BOOL m_bDragFromCollection = FALSE;
    CRect m_rect;
    // For a separator: its width (0 or less means 8).
    int m_iImage = -1;
    int m_iUserImage = -1;
    BOOL m_bLocked = FALSE;
    DWORD m_dwReserved = 0;
    CSize m_sizeText;
    BOOL m_bDisableFill = FALSE;
    BOOL m_bExtraSize = FALSE;
    BOOL m_bHorz = TRUE;
    // The button ends a row of its bar.
    BOOL m_bWrap = FALSE;
    // Laid out of sight (a separator at a row start, a button in the overflow list).
    BOOL m_bHidden = FALSE;
    // Shown in the customize lists when set.
    CString m_strMenuPath;
    // The bar that holds the button (a toolbar, menu bar or popup menu bar); borrowed.
    CWnd* m_pWndParent = nullptr;

protected:
    void Initialize();
    inline static unsigned s_nMade = 0;
    // The face state FillInterior and the border use: 2 highlighted, 1 checked or pressed, else 0.
    int FaceState(BOOL bHighlight) const;
    // The user tool whose icon the button shows instead of a strip image: a tool's command
    // without a user image.
    CKTUserTool* GetToolWithIcon() const;
};
