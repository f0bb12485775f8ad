#pragma once
// The program's main window: its menu bar, the Standard, Convert, Navigation and Table toolbars
// with the richer buttons that replace their placeholders, the status bar, the tutorial pane that
// follows what the user does, the toolbar context menu, and the question before closing while
// printing is switched to this program.
#include <vector>

#include "app/ConvertingMainFrame.h"
#include "app/NoAppMenuBar.h"
#include "app/TutorialPane.h"
#include "uitoolkit/bars/KTStatusBar.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/looks/KTImageStrip.h"

class CMainFrame : public CConvertingMainFrame
{
    DECLARE_DYNCREATE(CMainFrame)
public:
    CMainFrame() = default;
    ~CMainFrame() override;
    CKTMenuBar* GetMenuBar() const override { return const_cast<CKTNoAppMenuBar*>(&m_menuBar); }
    void RefreshAfterLayoutChange(bool flag) override;

    // True when the client area holds at least one child frame of this program.
    bool HasChildFrames() const;
    // Shows the step the user has reached, and widens the pane to half the window while no
    // document is open (back to its earlier width, at most three quarters, once one is).
    void UpdateTutorialStep(bool keepFirstStep);
    // The step last shown, -1 before any.
    int GetTutorialStep() const { return m_tutorialStep; }
    bool IsTutorialWidened() const { return m_tutorialWidened; }

    CKTToolBar& GetStandardBar() { return m_standardBar; }
    CKTToolBar& GetConvertBar() { return m_convertBar; }
    CKTToolBar& GetNavigationBar() { return m_navigationBar; }
    CKTToolBar& GetTableBar() { return m_tableBar; }
    CKTStatusBar& GetStatusBar() { return m_statusBar; }
    CTutorialPane& GetTutorialPane() { return m_tutorialPane; }

    BOOL OnShowPopupMenu(CKTPopupMenu* pMenuPopup) override;

    static constexpr UINT SelectionModePane = 116;
    static constexpr UINT ColumnModePane = 117;

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnClose();
    void OnTutorial();
    void OnUpdateTutorial(CCmdUI* ui);
    void OnUpdateSelectionModePane(CCmdUI* ui);
    void OnUpdateColumnModePane(CCmdUI* ui);
    // CAP, NUM and SCRL: lit while their key is toggled on.
    void OnUpdateKeyIndicator(CCmdUI* ui);
    void OnWindowsDialog();
    // The customize sheet over this frame, modeless; customize mode lasts while it is open.
    void OnCustomize();
    // "Standard Toolbar" and "Status Bar": the bar of the command's id shown or hidden.
    void OnBarCheck(UINT id);
    void OnUpdateBarCheck(CCmdUI* ui);
    void OnUserToolbar(UINT id);
    void OnUpdateUserToolbar(CCmdUI* ui);
    LRESULT OnResetToolbar(WPARAM wParam, LPARAM lParam);
    LRESULT OnToolbarContextMenu(WPARAM wParam, LPARAM lParam);
    LRESULT OnCustomizeHelp(WPARAM wParam, LPARAM lParam);
    LRESULT OnChildFrameDeactivated(WPARAM wParam, LPARAM lParam);
    LRESULT OnChildFrameDestroyedMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    bool CreateToolbar(CKTToolBar& bar, UINT id, UINT resourceId, UINT images, UINT disabledImages, UINT title);
    // Sets the docked width of the tutorial pane and lays the frame out again.
    void SetTutorialWidth(int width);
    // The toolbar context menu's popup with the user toolbars' names; null when it cannot load.
    HMENU LoadToolbarMenu();
    // The first popup of the menu resource, kept for the menu buttons made of it.
    HMENU LoadButtonMenu(UINT resourceId);

    // Menus of the menu buttons: the buttons keep their handles.
    std::vector<HMENU> m_buttonMenus;

    int m_rememberedTutorialWidth = 0;
    bool m_tutorialWidened = false;
    CKTNoAppMenuBar m_menuBar;
    CKTStatusBar m_statusBar;
    CKTToolBar m_standardBar;
    CKTToolBar m_convertBar;
    CKTToolBar m_navigationBar;
    CKTToolBar m_tableBar;
    CTutorialPane m_tutorialPane;
    CKTImageStrip m_userImages;
    bool m_highColour = true;
    int m_tutorialStep = -1;
};
