#pragma once
// The least of the main frame that the page views need before the toolkit's bars exist: the
// mode and convert buttons and the refresh are recorded, there is no find dialog yet, and the
// frame holds the search that Find Next reads. Its window class is the one a starting copy looks
// for, it answers the hand-off of print jobs and keeps the print target.
#include <string>
#include <vector>

#include "framework/Afx.h"
#include "table/LayoutShell.h"

class CChildFrame;

class CConvertingMainFrame : public CMDIFrameWnd, public OxTextFindInterface
{
    DECLARE_DYNAMIC(CConvertingMainFrame)
public:
    void SetColumnModeButton(CWnd* frame, int32_t kind);
    void UpdateConvertButton(CWnd* frame);
    void RefreshAfterLayoutChange(bool flag);
    void UpdateSelectionModeButton() { ++m_selectionModeUpdates; }
    // After the saved interface state was loaded: the toolbar buttons of the conversion and
    // column-mode commands open their menus wherever they are clicked.
    virtual void RestorePopupButtons() { ++m_popupButtonRestores; }
    // Called once when start-up has finished with the user interface on.
    virtual void OnUIReady() {}
    // Redraws every child frame, after options that change how pages are shown.
    void RefreshChildFrames();
    // Posts the command to every child frame of the client area.
    void PostToChildFrames(UINT command);
    bool GetFindDialogRect(RECT& rect) const;
    void MoveFindDialogAway() {}

    // The child frame that shows the file at path (names compared without regard to case), or null.
    CChildFrame* FindChildFrame(const std::wstring& path) const;
    // The frame of the last print job's document, or null.
    CChildFrame* GetPrintTarget() const { return m_printTarget; }
    void SetPrintTarget(CChildFrame* frame) { m_printTarget = frame; }
    // Called by a child frame while its window is destroyed: it is forgotten at once.
    void OnChildFrameDestroyed(CChildFrame* frame);

    std::vector<int32_t> m_columnModeButtons;
    int m_convertButtonUpdates = 0;
    int m_refreshes = 0;
    int m_selectionModeUpdates = 0;
    int m_popupButtonRestores = 0;

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnCopyData(CWnd* sender, COPYDATASTRUCT* data);
    DECLARE_MESSAGE_MAP()

private:
    CChildFrame* m_printTarget = nullptr;
};

// The program's main frame.
class CMainFrame : public CConvertingMainFrame
{
    DECLARE_DYNCREATE(CMainFrame)
};
