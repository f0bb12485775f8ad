#pragma once
// The keeper of the whole user-interface state. The application derives from CKTWorkspace (as a
// second base beside its application class); the one object is reachable from every part of the
// toolkit through GetWorkspace. Under its registry section word it saves and restores, in a fixed
// order, the version stamp, the toolbar parameters, the command images, every toolbar and sizing
// bar of a frame, the frame's own user and tear-off bars, the frame's dock state and the main
// window's placement.
//
// A saved state is read as untrusted: a value that cannot be read keeps that item as it was, and
// nothing stored stops the program from starting. User-interface thread only.

#include "framework/Afx.h"
#include "framework/AfxDockState.h"

#include <memory>

class CKTContextMenuManager;
class CKTFrameSupport;
class CKTToolBar;

// The frame's side of a load or save: the frame window whose bars are handled, and the bar lists
// that the frame itself keeps (user toolbars, tear-off bars). The defaults suit a frame without
// such lists.
class CKTWorkspaceFrame
{
public:
    explicit CKTWorkspaceFrame(CFrameWnd* pFrame) : m_pFrame(pFrame) {}
    virtual ~CKTWorkspaceFrame() = default;
    CKTWorkspaceFrame(const CKTWorkspaceFrame&) = delete;
    CKTWorkspaceFrame& operator=(const CKTWorkspaceFrame&) = delete;

    CFrameWnd* GetFrame() const { return m_pFrame; }

    // A user toolbar is loaded and saved by the frame, never with the other toolbars.
    virtual BOOL IsUserToolbar(const CControlBar* /*pBar*/) const { return FALSE; }
    virtual void LoadUserToolbars() {}
    virtual void LoadTearOffBars() {}
    virtual void SaveUserToolbars(BOOL /*bFrameOnly*/) {}
    virtual void SaveTearOffBars(BOOL /*bFrameOnly*/) {}
    // TRUE when every bar that the state records as docked is a bar of the frame (a state with
    // no bars is valid): a state naming a bar the frame no longer has would leave holes.
    virtual BOOL IsDockStateValid(const CDockState& state) const;

private:
    CFrameWnd* m_pFrame;
};

class CKTWorkspace
{
public:
    // The saved-state version that this toolkit writes.
    static const int kVersionMajor = 6;
    static const int kVersionMinor = 3;

    // bResourceSmartUpdate: toolbars keep their resource items and are reset when the program's
    // resources changed since the state was saved.
    explicit CKTWorkspace(BOOL bResourceSmartUpdate = FALSE);
    virtual ~CKTWorkspace();
    CKTWorkspace(const CKTWorkspace&) = delete;
    CKTWorkspace& operator=(const CKTWorkspace&) = delete;

    // Creates the keyboard manager, which this workspace then owns; FALSE when one exists.
    BOOL InitKeyboardManager();
    // The same for the context menu manager.
    BOOL InitContextMenuManager();
    // The context menu manager, made on the first call.
    CKTContextMenuManager* GetContextMenuManager();
    // The view double-click bindings; FALSE when a mouse manager exists.
    BOOL InitMouseManager();
    // The user tools with their command range (see CKTUserToolsManager); FALSE when a user-tools
    // manager exists.
    BOOL InitUserToolsManager(UINT uiCmdToolsDummy, UINT uiCmdFirst, UINT uiCmdLast,
                              CRuntimeClass* pToolRTC = nullptr, UINT uiArgMenuID = 0, UINT uiInitDirMenuID = 0);
    // Tear-off menus, whose bars take their ids from the range; FALSE when enabled already.
    BOOL EnableTearOffMenus(UINT uiFirstId, UINT uiLastId);

    // Replaces the section word (null or empty: "KTWorkspace") and returns it.
    LPCTSTR SetRegistryBase(LPCTSTR lpszSectionName = nullptr);
    LPCTSTR GetRegistryBase() const { return m_strRegSection; }
    // The registry path of the section, with the sub-section and a backslash appended when one
    // is given; always ends in a backslash.
    CString GetRegSectionPath(LPCTSTR lpszSubSection = L"") const;

    // A given section word replaces the stored one. Without a frame support only the toolbar
    // parameters and the command images are handled. Always TRUE: what cannot be read keeps its
    // default.
    virtual BOOL LoadState(LPCTSTR lpszSectionName = nullptr, CKTFrameSupport* pFrameImpl = nullptr);
    // Deletes everything saved below the section, the dock state and the sizing bars included.
    virtual BOOL CleanState(LPCTSTR lpszSectionName = nullptr);
    // FALSE only while saving is disabled.
    virtual BOOL SaveState(LPCTSTR lpszSectionName = nullptr, CKTFrameSupport* pFrameImpl = nullptr);

    // Runs the command that the mouse manager binds to the view: a user tool when it is one,
    // else the command sent to the window's frame. FALSE (and a beep for a view without a
    // command) when nothing ran.
    virtual BOOL OnViewDoubleClick(CWnd* pWnd, int iViewId);
    // The first submenu of the context menu registered under the id; FALSE without a context
    // menu manager or such a menu.
    virtual BOOL ShowPopupMenu(UINT uiMenuResId, const CPoint& point, CWnd* pWnd);
    // Context help of a control from the application's help file.
    virtual void OnContextHelp(CWnd* pWnd, const DWORD* dwHelpIDArray);
    // The main frame closes: its whole state is saved.
    virtual void OnClosingMainFrame(CKTFrameSupport* pFrameImpl);

    virtual void OnBeforeLoadState() {}
    virtual void OnAfterLoadState() {}
    virtual void OnBeforeSaveState() {}
    virtual void OnAfterSaveState() {}

    // "WindowPlacement": the main window's normal rectangle, placement flags and show command.
    // TRUE only when everything was read (written); a failed read may leave earlier values set.
    virtual BOOL LoadWindowPlacement(CRect& rectNormalPosition, int& nFlags, int& nShowCmd);
    virtual BOOL StoreWindowPlacement(const CRect& rectNormalPosition, int nFlags, int nShowCmd);

    // LoadState and SaveState for a frame given by its workspace side (null: no frame).
    BOOL LoadFrameState(LPCTSTR lpszSectionName, CKTWorkspaceFrame* pFrame);
    BOOL SaveFrameState(LPCTSTR lpszSectionName, CKTWorkspaceFrame* pFrame);

    // The version the last LoadState found stored (-1: none) while it runs; 6.3 after it.
    int GetDataVersionMajor() const { return m_iSavedVersionMajor; }
    int GetDataVersionMinor() const { return m_iSavedVersionMinor; }
    // Toolbars save their original resource items and compare them when they load.
    BOOL IsResourceSmartUpdate() const { return m_bResourceSmartUpdate; }

    // Maps the frame support that LoadState and SaveState receive to its workspace side; the
    // frame support installs it. The default answers null: the frame is not handled.
    static std::unique_ptr<CKTWorkspaceFrame> (*m_pfnFrameOfSupport)(CKTFrameSupport* pFrameImpl);

    BOOL m_bForceDockStateLoad = FALSE;
    BOOL m_bLoadSaveFrameBarsOnly = FALSE;
    BOOL m_bSaveState = TRUE;
    BOOL m_bForceImageReset = FALSE;

protected:
    // The toolbars' own saved state (their parameters, names and buttons), kept by the toolbars
    // under the workspace's path.
    virtual BOOL LoadToolBarParameters(const CString& strPath);
    virtual BOOL SaveToolBarParameters(const CString& strPath);
    virtual BOOL LoadToolBarState(CKTToolBar* pBar, const CString& strPath);
    virtual BOOL SaveToolBarState(CKTToolBar* pBar, const CString& strPath);

    // The bar takes part in a load or save of the frame.
    BOOL IsBarOfFrame(CControlBar* pBar, CFrameWnd* pFrame) const;

    CString m_strRegSection;
    int m_iSavedVersionMajor = -1;
    int m_iSavedVersionMinor = -1;
    BOOL m_bResourceSmartUpdate;
    BOOL m_bKeyboardManagerAutocreated = FALSE;
    BOOL m_bContextMenuManagerAutocreated = FALSE;
    BOOL m_bMouseManagerAutocreated = FALSE;
    BOOL m_bUserToolsManagerAutocreated = FALSE;
    BOOL m_bTearOffManagerAutocreated = FALSE;

private:
    void LoadFrameBars(const CString& strPath, CKTWorkspaceFrame& frame, BOOL& bResourcesChanged);
    void SaveFrameBars(const CString& strPath, CKTWorkspaceFrame& frame);
};

// The application's workspace, null when there is none.
CKTWorkspace* GetWorkspace();
