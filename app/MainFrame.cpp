#include "app/MainFrame.h"

#include <algorithm>
#include <iterator>

#include "app/AppRes.h"
#include "app/AppStrings.h"
#include "app/CDCApp.h"
#include "app/OwnToolbarButtons.h"
#include "framework/AfxMsgMap.h"
#include "uitoolkit/bars/KTBarPopupMessage.h"
#include "uitoolkit/bars/KTPopupMenu.h"
#include "uitoolkit/bars/KTPopupMenuBar.h"
#include "uitoolkit/bars/KTToolbarComboBoxButton.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTButton.h"
#include "uitoolkit/customize/KTCommandManager.h"
#include "uitoolkit/customize/KTToolbarCustomize.h"
#include "uitoolkit/customize/KTWindowsManagerDlg.h"
#include "uitoolkit/looks/KTVisualManagerXP.h"

IMPLEMENT_DYNCREATE(CMainFrame, CConvertingMainFrame)

namespace
{

constexpr UINT MenuBarId = 59398;
constexpr UINT StandardBarId = 59392;
constexpr UINT StatusBarId = 59393;
constexpr UINT ConvertBarId = 59396;
constexpr UINT NavigationBarId = 59397;
constexpr UINT TableBarId = 59399;
constexpr UINT FirstUserToolbarId = 59432;
constexpr UINT LastUserToolbarId = 59441;
constexpr SIZE FeedbackImageSize = {73, 25};
// Every optional check box, context help and the Help button on the customize sheet.
constexpr UINT CustomizeSheetOptions = 0x2F;
constexpr DWORD ToolbarStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_BORDER_BOTTOM | CBRS_GRIPPER | CBRS_TOOLTIPS |
                               CBRS_FLYBY | CBRS_SIZE_DYNAMIC;

const UINT Indicators[] = {
    ID_SEPARATOR,     CMainFrame::SelectionModePane, CMainFrame::ColumnModePane, ID_INDICATOR_CAPS, ID_INDICATOR_NUM,
    ID_INDICATOR_SCRL};

int CommandImage(UINT command)
{
    return CKTCommandManager::GetInstance()->GetCmdImage(command, FALSE);
}

CCDCApp* App()
{
    return dynamic_cast<CCDCApp*>(AfxGetApp());
}

} // namespace

BEGIN_MESSAGE_MAP(CMainFrame, CConvertingMainFrame)
ON_WM_CREATE()
ON_WM_CLOSE()
ON_COMMAND(ID_VIEW_TUTORIAL, &CMainFrame::OnTutorial)
ON_UPDATE_COMMAND_UI(ID_VIEW_TUTORIAL, &CMainFrame::OnUpdateTutorial)
ON_UPDATE_COMMAND_UI(CMainFrame::SelectionModePane, &CMainFrame::OnUpdateSelectionModePane)
ON_UPDATE_COMMAND_UI(CMainFrame::ColumnModePane, &CMainFrame::OnUpdateColumnModePane)
ON_UPDATE_COMMAND_UI_RANGE(ID_INDICATOR_CAPS, ID_INDICATOR_SCRL, &CMainFrame::OnUpdateKeyIndicator)
ON_COMMAND(ID_WINDOWS_DIALOG, &CMainFrame::OnWindowsDialog)
ON_COMMAND(ID_VIEW_CUSTOMIZE, &CMainFrame::OnCustomize)
ON_COMMAND_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, &CMainFrame::OnBarCheck)
ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_TOOLBAR, ID_VIEW_STATUS_BAR, &CMainFrame::OnUpdateBarCheck)
ON_COMMAND_RANGE(ID_VIEW_USER_TOOLBAR_FIRST, ID_VIEW_USER_TOOLBAR_LAST, &CMainFrame::OnUserToolbar)
ON_UPDATE_COMMAND_UI_RANGE(ID_VIEW_USER_TOOLBAR_FIRST, ID_VIEW_USER_TOOLBAR_LAST, &CMainFrame::OnUpdateUserToolbar)
ON_REGISTERED_MESSAGE(KT_WM_RESETTOOLBAR, &CMainFrame::OnResetToolbar)
ON_REGISTERED_MESSAGE(KT_WM_TOOLBARMENU, &CMainFrame::OnToolbarContextMenu)
ON_REGISTERED_MESSAGE(KT_WM_CUSTOMIZEHELP, &CMainFrame::OnCustomizeHelp)
ON_MESSAGE(WM_CHILDFRAME_DEACTIVATED, &CMainFrame::OnChildFrameDeactivated)
ON_MESSAGE(WM_CHILDFRAME_DESTROYED, &CMainFrame::OnChildFrameDestroyedMessage)
END_MESSAGE_MAP()

CMainFrame::~CMainFrame()
{
    for (HMENU menu : m_buttonMenus)
        if (::IsMenu(menu))
            ::DestroyMenu(menu);
}

bool CMainFrame::CreateToolbar(CKTToolBar& bar, UINT id, UINT resourceId, UINT images, UINT disabledImages, UINT title)
{
    if (!bar.CreateEx(this, TBSTYLE_FLAT, ToolbarStyle, CRect(1, 1, 1, 1), id))
        return false;
    ToolbarImageResources resources;
    resources.m_uiHotResID = images;
    resources.m_uiColdResID = images;
    resources.m_uiDisabledResID = m_highColour ? disabledImages : 0;
    if (!bar.LoadToolBarEx(resourceId, resources))
        return false;
    bar.SetWindowText(LoadAppString(title).c_str());
    return true;
}

int CMainFrame::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CConvertingMainFrame::OnCreate(lpcs) == -1)
        return -1;
    CKTVisualManager::SetDefaultManager(RUNTIME_CLASS(CKTVisualManagerXP));
    CKTButton::EnableWinXPTheme(TRUE);

    // Images the user drew for buttons, when the file is there; none is no error.
    m_userImages.SetImageSize(CSize(19, 19));
    if (m_userImages.LoadFromFile(L".\\UserImages.bmp"))
        CKTToolBar::SetUserImages(&m_userImages);
    CKTToolBar::EnableAltCustomization(TRUE);

    if (!m_menuBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_HIDE_INPLACE, MenuBarId))
        return -1;
    m_menuBar.SetBarStyle(m_menuBar.GetBarStyle() | CBRS_SIZE_DYNAMIC);
    CKTMenuBar::SetRecentlyUsedMenus(FALSE);

    HDC screen = ::GetDC(nullptr);
    m_highColour = ::GetDeviceCaps(screen, BITSPIXEL) * ::GetDeviceCaps(screen, PLANES) > 8;
    ::ReleaseDC(nullptr, screen);
    SetWindowText(GetTitle());

    if (!CreateToolbar(m_standardBar, StandardBarId, IDR_MAINFRAME, IDB_STANDARD, IDB_STANDARD_DISABLED,
                       IDS_TOOLBAR_STANDARD) ||
        !CreateToolbar(m_convertBar, ConvertBarId, IDR_CONVERT_BAR, IDB_CONVERT, IDB_CONVERT_DISABLED,
                       IDS_TOOLBAR_CONVERT) ||
        !CreateToolbar(m_navigationBar, NavigationBarId, IDR_NAVIGATION_BAR, IDB_NAVIGATION, IDB_NAVIGATION_DISABLED,
                       IDS_TOOLBAR_NAVIGATION) ||
        !CreateToolbar(m_tableBar, TableBarId, IDR_TABLE_BAR, IDB_TABLE, IDB_TABLE_DISABLED, IDS_TOOLBAR_TABLE))
        return -1;
    ToolbarImageResources menuImages;
    menuImages.m_uiHotResID = IDB_MENU_IMAGES;
    menuImages.m_uiColdResID = IDB_MENU_IMAGES;
    menuImages.m_uiDisabledResID = m_highColour ? IDB_MENU_IMAGES_DISABLED : 0;
    CKTToolBar::AddToolBarImages(IDR_MENU_IMAGES, menuImages);

    if (!m_statusBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, StatusBarId) ||
        !m_statusBar.SetIndicators(Indicators, static_cast<int>(std::size(Indicators))))
        return -1;

    EnableDocking(CBRS_ALIGN_ANY);
    if (!m_tutorialPane.Create(LoadAppString(IDS_TUTORIAL_TITLE).c_str(), this, CSize(270, 150), TRUE, ID_VIEW_TUTORIAL,
                               WS_CHILD | WS_VISIBLE | CBRS_LEFT))
        return -1;
    m_tutorialPane.SetBarStyle(m_tutorialPane.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY | CBRS_SIZE_DYNAMIC);

    CKTToolBar::SetBasicCommands(CList<UINT, UINT>());
    m_menuBar.EnableDocking(CBRS_ALIGN_ANY);
    for (CKTToolBar* bar : {&m_standardBar, &m_convertBar, &m_navigationBar, &m_tableBar})
        bar->EnableDocking(CBRS_ALIGN_ANY);
    m_tutorialPane.EnableDocking(CBRS_ALIGN_ANY);

    DockControlBar(&m_menuBar);
    DockControlBar(&m_standardBar);
    DockControlBarLeftOf(&m_navigationBar, &m_standardBar);
    DockControlBar(&m_tableBar);
    DockControlBarLeftOf(&m_convertBar, &m_tableBar);
    DockControlBar(&m_tutorialPane, AFX_IDW_DOCKBAR_LEFT);
    ShowControlBar(&m_convertBar, FALSE, TRUE);

    GetFrameSupport().EnableUserToolbars(nullptr, FirstUserToolbarId, LastUserToolbarId);
    EnableWindowsDialog(ID_WINDOWS_DIALOG, IDS_WINDOWS_MENU, TRUE, FALSE);
    // The dialog lives in the toolkit's library and announces itself only once linked in: named
    // here, the program carries it.
    CKTWindowsManagerDlg::Install();
    return 0;
}

HMENU CMainFrame::LoadButtonMenu(UINT resourceId)
{
    HMENU menu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(resourceId));
    if (!menu)
        return nullptr;
    m_buttonMenus.push_back(menu);
    return ::GetSubMenu(menu, 0);
}

LRESULT CMainFrame::OnResetToolbar(WPARAM wParam, LPARAM)
{
    switch (static_cast<UINT>(wParam))
    {
    case IDR_MAINFRAME: {
        const ConvertingOptions* options = App() ? &App()->Options() : nullptr;
        const UINT target = options ? options->GetTargetCommand() : FirstTargetCommand;
        HMENU convert = LoadButtonMenu(IDR_MENU_CONVERT);
        if (!convert)
            break;
        CKTToolbarMenuButton convertButton(ConvertCommand, convert,
                                           CommandImage(target != 0 ? target : FirstTargetCommand));
        convertButton.SetMenuOnly(FALSE);
        if (m_standardBar.ReplaceButton(ConvertCommand, convertButton) <= 0)
            break;
        HMENU modes = LoadButtonMenu(IDR_MENU_SELECTION_MODE);
        if (!modes)
            break;
        CKTToolbarMenuButton modeButton(SelectionModeCommand, modes, CommandImage(TableEditingCommand));
        modeButton.SetMenuOnly(TRUE);
        if (m_standardBar.ReplaceButton(SelectionModeCommand, modeButton) <= 0)
            break;
        m_standardBar.ReplaceButton(ID_HELP_FEEDBACK,
                                    CKTToolbarButtonImage(ID_HELP_FEEDBACK, IDB_FEEDBACK, FeedbackImageSize));
        break;
    }
    case IDR_NAVIGATION_BAR: {
        CKTToolbarComboBoxButton zoom(ZoomBoxCommand, CommandImage(ZoomBoxCommand), CBS_DROPDOWN);
        FillZoomComboButton(zoom);
        m_navigationBar.ReplaceButton(ZoomBoxCommand, zoom, TRUE);
        break;
    }
    case IDR_TABLE_BAR: {
        HMENU columns = LoadButtonMenu(IDR_MENU_COLUMN_MODE);
        if (!columns)
            break;
        CKTToolbarMenuButton columnButton(ColumnModeCommand, columns, CommandImage(ColumnsCommand));
        columnButton.SetMenuOnly(TRUE);
        m_tableBar.ReplaceButton(ColumnModeCommand, columnButton);
        break;
    }
    default:
        break;
    }
    return 0;
}

HMENU CMainFrame::LoadToolbarMenu()
{
    HMENU menu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_TOOLBAR_MENU));
    if (!menu)
        return nullptr;
    HMENU popup = ::GetSubMenu(menu, 0);
    // The popup leaves its menu so that it can live on alone.
    ::RemoveMenu(menu, 0, MF_BYPOSITION);
    ::DestroyMenu(menu);
    GetFrameSupport().SetUserToolbarMenuItems(popup, ID_VIEW_USER_TOOLBAR_FIRST, ID_VIEW_USER_TOOLBAR_LAST);
    return popup;
}

BOOL CMainFrame::OnShowPopupMenu(CKTPopupMenu* pMenuPopup)
{
    if (!pMenuPopup)
        return TRUE;
    CKTPopupMenuBar* items = pMenuPopup->GetMenuBar();
    bool toolbarsMenu = false;
    for (int i = 0; items && i < items->GetCount() && !toolbarsMenu; ++i)
        toolbarsMenu = items->GetButton(i)->m_nID == ID_VIEW_TOOLBARS_PLACEHOLDER;
    if (!toolbarsMenu)
        return TRUE;
    // The toolbars' list is no menu to customize: it only ever shows the bars there are.
    if (CKTToolBar::IsCustomizeMode())
        return FALSE;
    HMENU popup = LoadToolbarMenu();
    if (!popup)
        return TRUE;
    items->RemoveAllButtons();
    items->ImportFromMenu(popup, TRUE);
    ::DestroyMenu(popup);
    return TRUE;
}

LRESULT CMainFrame::OnToolbarContextMenu(WPARAM, LPARAM lParam)
{
    HMENU popup = LoadToolbarMenu();
    if (!popup)
        return 0;
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    CKTPopupMenu* menu = new CKTPopupMenu;
    // The popup owns the menu from here and deletes itself when it closes, or when its creation
    // fails.
    menu->Create(this, x, y, popup, FALSE, TRUE);
    return 0;
}

LRESULT CMainFrame::OnCustomizeHelp(WPARAM, LPARAM)
{
    return 0;
}

void CMainFrame::OnCustomize()
{
    // One sheet at a time: a second request only brings the open one forward.
    if (CKTToolbarCustomize* open = CKTToolbarCustomize::GetOpenSheet())
    {
        open->SetActiveWindow();
        return;
    }
    auto* sheet = new CKTToolbarCustomize(this, TRUE, CustomizeSheetOptions);
    sheet->AddMenu(IDR_KESTTYPE);
    CKTToolbarComboBoxButton zoom(ZoomBoxCommand, CommandImage(ZoomBoxCommand), CBS_DROPDOWN);
    FillZoomComboButton(zoom);
    sheet->AddCategoryButton(L"View", zoom);
    sheet->ReplaceButton(ID_HELP_FEEDBACK, CKTToolbarButtonImage(ID_HELP_FEEDBACK, IDB_FEEDBACK, FeedbackImageSize));
    sheet->EnableUserDefinedToolbars(TRUE);
    // From here the sheet deletes itself when its window goes; without a window nobody else will.
    if (!sheet->Create())
        delete sheet;
    else
        sheet->CenterWindow(this);
}

void CMainFrame::OnBarCheck(UINT id)
{
    CControlBar* bar = GetControlBar(id);
    if (!bar)
        return;
    ShowControlBar(bar, (bar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    RecalcLayout();
}

void CMainFrame::OnUpdateBarCheck(CCmdUI* ui)
{
    CControlBar* bar = GetControlBar(ui->m_nID);
    ui->Enable(bar != nullptr);
    ui->SetCheck(bar && (bar->GetStyle() & WS_VISIBLE) != 0 ? 1 : 0);
}

void CMainFrame::OnWindowsDialog()
{
    ShowWindowsDialog();
}

void CMainFrame::OnUserToolbar(UINT id)
{
    CKTToolBar* bar = GetFrameSupport().GetUserToolbarByIndex(static_cast<int>(id - ID_VIEW_USER_TOOLBAR_FIRST));
    if (!bar)
        return;
    ShowControlBar(bar, (bar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    RecalcLayout();
}

void CMainFrame::OnUpdateUserToolbar(CCmdUI* ui)
{
    CKTToolBar* bar = GetFrameSupport().GetUserToolbarByIndex(static_cast<int>(ui->m_nID - ID_VIEW_USER_TOOLBAR_FIRST));
    ui->Enable(bar != nullptr);
    ui->SetCheck(bar && (bar->GetStyle() & WS_VISIBLE) != 0 ? 1 : 0);
}

void CMainFrame::OnTutorial()
{
    ShowControlBar(&m_tutorialPane, !m_tutorialPane.IsVisible(), FALSE);
    RecalcLayout();
}

void CMainFrame::OnUpdateTutorial(CCmdUI* ui)
{
    ui->SetCheck(m_tutorialPane.m_hWnd && m_tutorialPane.IsVisible() ? 1 : 0);
}

void CMainFrame::OnUpdateSelectionModePane(CCmdUI* ui)
{
    ui->Enable(GetActiveChildFrame() != nullptr);
    const UINT command = CConvertingApp::IsTextSelectionModeOfApp() ? TextSelectionCommand : TableEditingCommand;
    std::wstring text;
    if (HMENU menu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDR_MENU_SELECTION_MODE)))
    {
        wchar_t item[128] = {};
        ::GetMenuStringW(menu, command, item, 128, MF_BYCOMMAND);
        ::DestroyMenu(menu);
        text = item;
    }
    const size_t ampersand = text.find(L'&');
    if (ampersand != std::wstring::npos)
        text.erase(ampersand, 1);
    text = text.substr(0, text.find(L' '));
    ui->SetText(text.c_str());
}

void CMainFrame::OnUpdateColumnModePane(CCmdUI* ui)
{
    ui->Enable(GetActiveChildFrame() != nullptr);
}

void CMainFrame::OnUpdateKeyIndicator(CCmdUI* ui)
{
    const int key = ui->m_nID == ID_INDICATOR_CAPS ? VK_CAPITAL : ui->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK : VK_SCROLL;
    ui->Enable((::GetKeyState(key) & 1) != 0);
}

bool CMainFrame::HasChildFrames() const
{
    if (!m_hWndMDIClient)
        return false;
    for (HWND child = ::GetWindow(m_hWndMDIClient, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (dynamic_cast<CChildFrame*>(CWnd::FromHandlePermanent(child)))
            return true;
    return false;
}

void CMainFrame::SetTutorialWidth(int width)
{
    m_tutorialPane.SetVertSize(CSize(width, m_tutorialPane.GetVertSize().cy));
    RecalcLayout();
}

void CMainFrame::UpdateTutorialStep(bool keepFirstStep)
{
    if (!m_tutorialPane.m_hWnd || !m_tutorialPane.IsVisible())
        return;
    int step = 0;
    CChildFrame* active = GetActiveChildFrame();
    if (active)
    {
        step = 1;
        if (active->GetView().GetLayout().IsEmpty())
            step = App() && App()->IsAdvancedMode() ? 5 : 3;
        else if (!keepFirstStep)
            step = 2;
    }
    CRect window;
    GetWindowRect(&window);
    if (active && m_tutorialWidened)
    {
        SetTutorialWidth(std::min(m_rememberedTutorialWidth, window.Width() * 3 / 4));
        m_tutorialWidened = false;
    }
    else if (!active && !m_tutorialWidened)
    {
        m_rememberedTutorialWidth = m_tutorialPane.GetVertSize().cx;
        m_tutorialWidened = true;
        SetTutorialWidth(window.Width() / 2);
    }
    m_tutorialStep = step;
    m_tutorialPane.ShowStep(step);
}

void CMainFrame::RefreshAfterLayoutChange(bool flag)
{
    CConvertingMainFrame::RefreshAfterLayoutChange(flag);
    UpdateTutorialStep(false);
}

LRESULT CMainFrame::OnChildFrameDeactivated(WPARAM, LPARAM)
{
    if (HasChildFrames())
        UpdateTutorialStep(false);
    return 0;
}

LRESULT CMainFrame::OnChildFrameDestroyedMessage(WPARAM, LPARAM)
{
    // The frame told us while it was being destroyed; by now it is gone, and a new frame may live
    // at its address: nothing here may compare with it.
    if (!GetActiveChildFrame())
        UpdateTutorialStep(false);
    // A maximized window that went leaves no name of its own behind in the title.
    OnUpdateFrameTitle(TRUE);
    return 0;
}

void CMainFrame::OnClose()
{
    if (IsWaitingForModal())
        return;
    CCDCApp* app = App();
    if (app && !app->m_defaultPrinter.GetSaved().empty() &&
        app->ShowMessage(m_hWnd, LoadAppString(IDS_CLOSE_QUESTION), MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) !=
            IDYES)
        return;
    if (m_tutorialWidened && m_tutorialPane.m_hWnd && m_tutorialPane.IsVisible())
    {
        CRect window;
        GetWindowRect(&window);
        m_tutorialPane.SetVertSize(
            CSize(std::min(m_rememberedTutorialWidth, window.Width() * 3 / 4), m_tutorialPane.GetVertSize().cy));
        m_tutorialWidened = false;
        RecalcLayout();
    }
    CConvertingMainFrame::OnClose();
}
