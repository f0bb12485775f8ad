#pragma once
// The customize sheet's catalogue: every command that can be put on a bar, as toolbar buttons
// grouped in named categories, with "All Commands" holding each command once. Built from the
// application's menus (top-level menu names become categories, submenus become menu buttons) and
// from buttons the program adds; the pages list it and drag new buttons from it.
//
// The sheet owns its pages: the Keyboard page (shown when the keyboard manager exists and the
// frame has a table), the pages the caller hands in, and the Options page, always last.
//
// Names and texts compare exactly (case counts). Two entries are the same when their command ids
// are equal and not -1; menu buttons (id -1) are the same when their texts are equal. The sheet
// owns the lists and their buttons. User-interface thread only.

#include "framework/Afx.h"

class CKTKeyboardPage;
class CKTOptionsPage;
class CKTToolbarButton;
class CComboBox;
class CListBox;

class CKTToolbarCustomize : public CPropertySheet
{
    DECLARE_DYNAMIC(CKTToolbarCustomize)
public:
    // Option bits of the constructor.
    enum Options
    {
        KT_CUSTOMIZE_MENU_SHADOWS = 0x01,
        KT_CUSTOMIZE_TEXT_LABELS = 0x02,
        KT_CUSTOMIZE_LOOK2000 = 0x04,
        KT_CUSTOMIZE_MENU_ANIMATIONS = 0x08,
        KT_CUSTOMIZE_NOHELP = 0x10,
        KT_CUSTOMIZE_CONTEXT_HELP = 0x20,
        KT_CUSTOMIZE_NOTOOLS = 0x40
    };

    // bAutoSet: the application's menus fill the catalogue (build-from-menus).
    CKTToolbarCustomize(CFrameWnd* pWndParentFrame, BOOL bAutoSet = FALSE, UINT uiFlags = 0x2F,
                        CList<CPropertyPage*, CPropertyPage*>* plistCustomPages = nullptr);
    ~CKTToolbarCustomize() override;

    // The commands of a menu resource; FALSE when it cannot be loaded.
    BOOL AddMenu(UINT uiMenuResId);
    // The items of a menu, under the category (none: each top-level submenu names its own) with
    // the menu path that forms the buttons' menu-path names.
    void AddMenuItems(HMENU hMenu, BOOL bPopup = FALSE, LPCTSTR lpszCategory = nullptr, LPCTSTR lpszMenuPath = nullptr);
    // A copy of the button in the category (after iInsertAfter, -1: at the end) and in "All
    // Commands". Commands that never go on a bar are refused, and a button without text takes
    // its command's prompt text; one with neither is not added.
    void AddCategoryButton(LPCTSTR lpszCategory, const CKTToolbarButton& button, int iInsertAfter = -1);
    // Every button of the command, in every category, becomes a copy of the given button (of its
    // class), keeping the old text when the given one has none.
    void ReplaceButton(UINT uiCmd, const CKTToolbarButton& button);

    // Each named category in order, then "All Commands", with its button list as item data.
    // Without bAddEmpty a category without a real command (only separators or menu buttons) is
    // left out.
    void FillCategoryCombo(CComboBox& wndCategory, BOOL bAddEmpty = TRUE) const;
    void FillCategoryList(CListBox& wndCategory, BOOL bAddEmpty = TRUE) const;
    // Every button of "All Commands" (its menu-path name when set), the command as item data.
    virtual void FillCommandList(CListBox& wndCommands) const;
    // The text of the command's first "All Commands" button; null when none.
    LPCTSTR GetCommandText(UINT uiCmd) const;
    static int CountButtonsWithText(const CString& strText, const CObList* pList);

    // The category's button list; null when there is none.
    const CObList* GetCategoryButtons(LPCTSTR lpszCategory) const;
    const CStringList& GetCategoryNames() const { return m_strCategoriesList; }
    const CString& GetAllCommandsCategory() const { return m_strAllCommands; }
    UINT GetFlags() const { return m_uiFlags; }
    CKTKeyboardPage* GetKeyboardPage() const { return m_pKeyboardPage; }
    CKTOptionsPage* GetOptionsPage() const { return m_pOptionsPage; }
    // TRUE for a toolkit frame that shows a menu bar.
    static BOOL HasMenuBar(CFrameWnd* pFrame);
    CFrameWnd* GetParentFrame() const { return m_pParentFrame; }

    // The menu-path name of an item: path and text, the first character after each space upper
    // case, spaces removed, cut at the first tab.
    static CString MakeMenuPathName(const CString& strPath, const CString& strText);
    // The catalogue's text of a menu item or button: every "&" removed, cut at the first tab.
    static CString CleanItemText(const CString& strText);
    static BOOL IsRefusedCommand(UINT uiCmd);

protected:
    // Every multi-document template's menu, then the frame's default menu.
    void AddAllMenus();
    // The category's list, made (and its name recorded) when missing.
    CObList* CategoryList(const CString& strCategory);
    static BOOL IsSameEntry(const CKTToolbarButton& a, const CKTToolbarButton& b);
    template <class Control>
    void FillCategories(Control& wndCategory, BOOL bAddEmpty) const;

    CMap<CString, LPCTSTR, CObList*, CObList*> m_ButtonsByCategory;
    CStringList m_strCategoriesList;
    CKTKeyboardPage* m_pKeyboardPage = nullptr;
    CKTOptionsPage* m_pOptionsPage = nullptr;
    CList<CPropertyPage*, CPropertyPage*> m_listCustomPages;
    CString m_strAllCommands;
    CFrameWnd* m_pParentFrame;
    BOOL m_bAutoSet;
    UINT m_uiFlags;
};
