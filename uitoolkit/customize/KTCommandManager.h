#pragma once
// The one place where the toolkit remembers which toolbar image belongs to which command: a map
// of standard images (index in the toolbars' shared strip), a map of user images (index in the
// user-image strip), and the commands whose menu items the user chose to show as text only.
// Only that last list is saved ("CommandsWithoutImages" under "<path>KTCommandManager"); the
// image maps are rebuilt at every start from the toolbars' resources and saved buttons.
//
// A single static instance that lives from static initialisation to exit, so callers never test
// for it. User-interface thread only.

#include "framework/Afx.h"

class CKTCommandManager
{
public:
    static CKTCommandManager* GetInstance();

    CKTCommandManager(const CKTCommandManager&) = delete;
    CKTCommandManager& operator=(const CKTCommandManager&) = delete;

    // The command's image index in the user-image map (bUserImage) or the standard map; -1 none.
    int GetCmdImage(UINT uiCmd, BOOL bUserImage) const;
    // Records the image. Commands 0 and -1 are ignored, and a command keeps the kind of image
    // it has: no user image for a command with a standard image, and the other way round.
    void SetCmdImage(UINT uiCmd, int iImage, BOOL bUserImage);
    void ClearUserCmdImage(UINT uiCmd);
    // Empties both maps and the list of commands without images.
    void ClearAllCmdImages();

    // Takes the command off the list of commands without menu images (bEnable) or appends it
    // once (!bEnable).
    void EnableMenuItemImage(UINT uiCmd, BOOL bEnable = TRUE);
    BOOL IsMenuItemWithoutImage(UINT uiCmd) const;
    const CList<UINT, UINT>& GetCommandsWithoutImages() const { return m_lstCommandsWithoutImages; }

    // lpszProfileName: the workspace's registry path (ending in a backslash); empty or null
    // builds it from the section "KTToolBars". LoadState appends the stored commands that are
    // not listed yet, in their stored order; a missing key or a damaged value leaves the list as
    // it was and answers FALSE.
    BOOL LoadState(LPCTSTR lpszProfileName = nullptr);
    BOOL SaveState(LPCTSTR lpszProfileName = nullptr);

private:
    CKTCommandManager();
    ~CKTCommandManager() = default;

    static CString ManagerKey(LPCTSTR lpszProfileName);

    CMap<UINT, UINT, int, int> m_CommandIndex;
    CMap<UINT, UINT, int, int> m_CommandIndexUser;
    CList<UINT, UINT> m_lstCommandsWithoutImages;
};

// GetCmdImage on the single manager.
int GetCommandImage(UINT uiCmd, BOOL bUserImage = FALSE);
