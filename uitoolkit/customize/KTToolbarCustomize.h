#pragma once
// The customize sheet: the modeless property sheet through which the user customizes toolbars,
// menus and shortcuts. While it is open the frame is in customize mode (its other child windows
// disabled, every toolbar in customize mode); only one is open at a time. It holds the catalogue
// of every command that can be put on a bar, as toolbar buttons grouped in named categories, with
// "All Commands" holding each command once. Built from the application's menus (top-level menu
// names become categories, submenus become menu buttons) and from buttons the program adds; the
// pages list it and drag new buttons from it.
//
// Pages in order: Commands, Toolbars, Tools (with a user-tools manager), Keyboard (with the
// keyboard manager and a frame table), Menu (with a context menu manager or a menu bar), Mouse
// (with a mouse manager), the pages the caller hands in, and Options, always last.
//
// Names and texts compare exactly (case counts). Two entries are the same when their command ids
// are equal and not -1; menu buttons (id -1) are the same when their texts are equal. The sheet
// owns its pages, the lists and their buttons; a sheet opened with Create deletes itself when its
// window goes. User-interface thread only.

#include "framework/Afx.h"

class CKTCustomizePage;
class CKTKeyboardPage;
class CKTMenuBar;
class CKTMenuPage;
class CKTOptionsPage;
class CKTToolBar;
class CKTToolbarButton;
class CKTToolbarsPage;
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

    // The sheet window, a child of the frame's, and customize mode entered; FALSE (customize
    // mode left alone) when the window cannot be made.
    virtual BOOL Create();
    // Customize mode on or off: the frame's child windows other than dock bars and toolbars are
    // disabled (enabled), every toolbar switched, and the frame told ("KTTOOLBAR_CUSTOMIZE").
    void SetFrameCustMode(BOOL bCustMode);
    // The open sheet, or null.
    static CKTToolbarCustomize* GetOpenSheet() { return s_pOpenSheet; }

    // New, Rename and Delete on the Toolbars page.
    void EnableUserDefinedToolbars(BOOL bEnable = TRUE);
    // A toolbar was shown or hidden: its check on the Toolbars page follows.
    void ShowToolBar(CKTToolBar* pBar, BOOL bShow);

    // The Tools and Mouse pages come with the user-tools and mouse managers. Their part fills the
    // entry: a page made for every sheet (the sheet owns it) and whether the manager exists now;
    // the page is added only then. The Tools page calls the hooks below.
    struct PageSource
    {
        CPropertyPage* (*pfnCreatePage)();
        BOOL (*pfnManagerExists)();
        BOOL IsActive() const { return pfnManagerExists != nullptr && pfnManagerExists(); }
    };
    inline static PageSource s_ToolsPage = {nullptr, nullptr};
    inline static PageSource s_MousePage = {nullptr, nullptr};
    virtual void OnToolsPageInit() {}
    virtual void OnToolChanging(CObject* /*pTool*/) {}
    virtual void OnToolChanged(CObject* /*pTool*/) {}
    // FALSE keeps the sheet open on the Tools page.
    virtual BOOL ValidateTools(const CObList& /*lstTools*/) { return TRUE; }
    // The tools' list that Close validates; null without user tools. Filled with the Tools page.
    inline static const CObList* (*s_pfnGetTools)() = nullptr;

    // The commands of a menu resource; FALSE when it cannot be loaded.
    BOOL AddMenu(UINT uiMenuResId);
    // The items of a menu, under the category (none: each top-level submenu names its own) with
    // the menu path that forms the buttons' menu-path names. Within a category the user tools'
    // entry command stands for the tools' buttons, and a window menu gains the MDI frame's
    // "Windows..." command when the frame offers it.
    void AddMenuItems(HMENU hMenu, BOOL bPopup = FALSE, LPCTSTR lpszCategory = nullptr, LPCTSTR lpszMenuPath = nullptr);
    // A copy of the button in the category (after iInsertAfter, -1: at the end) and in "All
    // Commands". Commands that never go on a bar are refused, and a button without text takes
    // its command's prompt text; one with neither is not added. A user tool's command takes its
    // tool's label and image 0, and is not added while no tool has it.
    void AddCategoryButton(LPCTSTR lpszCategory, const CKTToolbarButton& button, int iInsertAfter = -1);
    // One button per user tool (its command, image 0, its label); nothing without a user-tools
    // manager.
    void AddUserToolButtons(LPCTSTR lpszCategory);
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
    CKTCustomizePage* GetCommandsPage() const { return m_pCustomizePage; }
    CKTToolbarsPage* GetToolbarsPage() const { return m_pToolbarsPage; }
    CKTMenuPage* GetMenuPage() const { return m_pMenuPage; }
    CPropertyPage* GetToolsPage() const { return m_pToolsPage; }
    CPropertyPage* GetMousePage() const { return m_pMousePage; }
    CKTKeyboardPage* GetKeyboardPage() const { return m_pKeyboardPage; }
    CKTOptionsPage* GetOptionsPage() const { return m_pOptionsPage; }
    // TRUE for a toolkit frame that shows a menu bar.
    static BOOL HasMenuBar(CFrameWnd* pFrame);
    // The menu bar of a toolkit frame; null for none.
    static CKTMenuBar* GetFrameMenuBar(CFrameWnd* pFrame);
    CFrameWnd* GetParentFrame() const { return m_pParentFrame; }

    // The menu-path name of an item: path and text, the first character after each space upper
    // case, spaces removed, cut at the first tab.
    static CString MakeMenuPathName(const CString& strPath, const CString& strText);
    // The catalogue's text of a menu item or button: every "&" removed, cut at the first tab.
    static CString CleanItemText(const CString& strText);
    static BOOL IsRefusedCommand(UINT uiCmd);

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    int OnCreate(LPCREATESTRUCT lpCreateStruct);
    LRESULT OnHelp(WPARAM wParam, LPARAM lParam);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    DECLARE_MESSAGE_MAP()

    // The Close button where the standard buttons were, and the Help button beside it.
    void LayOutButtons();
    void SendHelpToFrame();

    // Every multi-document template's menu, then the frame's default menu (its menu bar's when
    // the frame has none).
    void AddAllMenus();
    // The category's list, made (and its name recorded) when missing.
    CObList* CategoryList(const CString& strCategory);
    static BOOL IsSameEntry(const CKTToolbarButton& a, const CKTToolbarButton& b);
    template <class Control>
    void FillCategories(Control& wndCategory, BOOL bAddEmpty) const;

    CMap<CString, LPCTSTR, CObList*, CObList*> m_ButtonsByCategory;
    CStringList m_strCategoriesList;
    CKTCustomizePage* m_pCustomizePage = nullptr;
    CKTToolbarsPage* m_pToolbarsPage = nullptr;
    CPropertyPage* m_pToolsPage = nullptr;
    CKTKeyboardPage* m_pKeyboardPage = nullptr;
    CKTMenuPage* m_pMenuPage = nullptr;
    CPropertyPage* m_pMousePage = nullptr;
    CKTOptionsPage* m_pOptionsPage = nullptr;
    CList<CPropertyPage*, CPropertyPage*> m_listCustomPages;
    CString m_strAllCommands;
    CFrameWnd* m_pParentFrame;
    BOOL m_bAutoSet;
    UINT m_uiFlags;
    // Set by Create: the window's end deletes the sheet.
    BOOL m_bAutoDelete = FALSE;
    CBitmap m_bmpHelp;

    inline static CKTToolbarCustomize* s_pOpenSheet = nullptr;
};
