#pragma once
// The "Windows" dialog of an MDI frame: lists the frame's document windows by title and lets the
// user activate one, save, close or minimize several, and cascade or tile a chosen set. The
// frame's ShowWindowsDialog runs it. Help is the application's: the Help button and F1 send the
// registered message "WINDOW_HELP" to the main window.
//
// Made on the stack for one modal run; the frame is borrowed.

#include "framework/Afx.h"

#include <vector>

class CKTMDIFrameWnd;

class CKTWindowsManagerDlg : public CDialog
{
    DECLARE_DYNAMIC(CKTWindowsManagerDlg)
public:
    enum
    {
        IDD = 16927,
        IDC_WINDOWS_LIST = 16923,
        IDC_ACTIVATE = 16920,
        IDC_SAVE = 16921,
        IDC_CLOSE_WINDOWS = 16922,
        IDC_CASCADE = 16926,
        IDC_TILE_HORZ = 16924,
        IDC_TILE_VERT = 16928,
        IDC_MINIMIZE = 16925,
        IDC_HELP_BUTTON = 57670
    };

    CKTWindowsManagerDlg(CKTMDIFrameWnd* pMDIFrame, BOOL bHelpButton = FALSE);

    // "WINDOW_HELP": sent to the main window with 0 and the dialog.
    static UINT GetHelpMessage();
    // Makes the frames' ShowWindowsDialog run this dialog.
    static void Install();

    BOOL IsArrangementAllowed() const { return m_bMDIActions; }
    CListBox& GetList() { return m_wndList; }

protected:
    BOOL OnInitDialog() override;
    void OnActivate();
    void OnSave();
    void OnClose();
    void OnCascade();
    void OnTileHorz();
    void OnTileVert();
    void OnMinimize();
    void OnSelChange();
    void OnHelp();
    BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    void OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDIS);
    DECLARE_MESSAGE_MAP()

    void FillWindowList();
    void SelActive();
    void UpdateButtons();
    // Restores the selected windows, minimizes the others and sends the MDI client the message.
    void MDIMessage(UINT uMsg, WPARAM wParam);
    // The selected items' window handles in list order.
    std::vector<HWND> GetSelectedWindows();

    CListBox m_wndList;
    CKTMDIFrameWnd* m_pMDIFrame;
    BOOL m_bShowHelpButton;
    BOOL m_bMDIActions = TRUE;
    std::vector<HWND> m_lstCloseDisabled;
};
