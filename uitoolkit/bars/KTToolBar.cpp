// The toolbar's model: class-wide data, creation, images and resources, the button list.
#include "uitoolkit/bars/KTToolBar.h"

#include "uitoolkit/bars/KTFrameImpl.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTCmdUsageCount.h"
#include "uitoolkit/customize/KTCommandManager.h"
#include "uitoolkit/customize/KTUserToolsManager.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <memory>

IMPLEMENT_SERIAL(CKTToolBar, CControlBar, VERSIONABLE_SCHEMA | 1)

CObList CKTToolBar::m_AllToolbars;
CKTImageStrip CKTToolBar::m_Images;
CKTImageStrip CKTToolBar::m_ColdImages;
CKTImageStrip CKTToolBar::m_MenuImages;
CKTImageStrip CKTToolBar::m_DisabledImages;
CKTImageStrip CKTToolBar::m_DisabledMenuImages;
CKTImageStrip CKTToolBar::m_LargeImages;
CKTImageStrip CKTToolBar::m_LargeColdImages;
CKTImageStrip CKTToolBar::m_LargeDisabledImages;
CMap<UINT, UINT, int, int> CKTToolBar::m_DefaultImages;
CList<UINT, UINT> CKTToolBar::m_lstBasicCommands;
CList<UINT, UINT> CKTToolBar::m_lstUnpermittedCommands;

UINT KT_WM_TOOLBARMENU = 0;
UINT KT_WM_CUSTOMIZETOOLBAR = 0;
UINT KT_WM_CREATETOOLBAR = 0;
UINT KT_WM_DELETETOOLBAR = 0;
UINT KT_WM_CUSTOMIZEHELP = 0;
UINT KT_WM_RESETTOOLBAR = 0;
UINT KT_WM_RESETMENU = 0;
UINT KT_WM_SHOWREGULARMENU = 0;
UINT KT_WM_RESETCONTEXTMENU = 0;
UINT KT_WM_RESETKEYBOARD = 0;

namespace
{
// Registered with the other class-wide data, before any bar exists.
struct MessageRegistration
{
    MessageRegistration() { CKTToolBar::RegisterMessages(); }
} s_registerMessages;

CKTCmdUsageCount* s_pUsageCount = nullptr;

BOOL IsBasicCommandForCounter(UINT uiCmd)
{
    return CKTToolBar::IsBasicCommand(uiCmd);
}

// The layout of a type-241 toolbar resource.
struct ToolbarResourceHeader
{
    WORD wVersion;
    WORD wWidth;
    WORD wHeight;
    WORD wItemCount;
};
} // namespace

void CKTToolBar::RegisterMessages()
{
    if (KT_WM_TOOLBARMENU != 0)
        return;
    KT_WM_TOOLBARMENU = ::RegisterWindowMessageW(L"KTTOOLBAR_POPUPMENU");
    KT_WM_CUSTOMIZETOOLBAR = ::RegisterWindowMessageW(L"KTTOOLBAR_CUSTOMIZE");
    KT_WM_CREATETOOLBAR = ::RegisterWindowMessageW(L"KTTOOLBAR_CREATE");
    KT_WM_DELETETOOLBAR = ::RegisterWindowMessageW(L"KTTOOLBAR_DELETE");
    KT_WM_CUSTOMIZEHELP = ::RegisterWindowMessageW(L"KTTOOLBAR_CUSTOMIZEHELP");
    KT_WM_RESETTOOLBAR = ::RegisterWindowMessageW(L"KTTOOLBAR_RESETTOOLBAR");
    KT_WM_RESETMENU = ::RegisterWindowMessageW(L"KTTOOLBAR_RESETMENU");
    KT_WM_SHOWREGULARMENU = ::RegisterWindowMessageW(L"KTTOOLBAR_SHOWREGULARMENU");
    KT_WM_RESETCONTEXTMENU = ::RegisterWindowMessageW(L"KTTOOLBAR_RESETCONTEXTMENU");
    KT_WM_RESETKEYBOARD = ::RegisterWindowMessageW(L"KTTOOLBAR_RESETKEYBAORD");
}

CKTToolBar::CKTToolBar() : m_NcPainter(this) {}

CKTToolBar::~CKTToolBar()
{
    DestroyWindow();
    DeleteResourceItems();
    RemoveAllButtons();
}

// Creation --------------------------------------------------------------------------------------

BOOL CKTToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, TBSTYLE_FLAT, dwStyle, CRect(1, 1, 1, 1), nID);
}

BOOL CKTToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders, UINT nID)
{
    SetBorders(std::max<int>(rcBorders.left, 1), std::max<int>(rcBorders.top, 1), rcBorders.right, rcBorders.bottom);
    m_dwStyle = (dwStyle | CBRS_GRIPPER) & CBRS_ALL;
    if (nID == AFX_IDW_TOOLBAR)
        m_dwStyle |= CBRS_HIDE_INPLACE;
    DWORD dwWndStyle = dwStyle & ~CBRS_ALL;
    dwWndStyle |= CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER | CCS_NORESIZE | dwCtrlStyle;

    CString strClassName;
    strClassName.Format(L"KTToolBar:%x:%x:%x:%x", (UINT)(UINT_PTR)AfxGetInstanceHandle(), CS_DBLCLKS,
                        (UINT)(UINT_PTR)::LoadCursorW(nullptr, IDC_ARROW), COLOR_BTNFACE + 1);
    WNDCLASSW wc = {};
    if (!::GetClassInfoW(AfxGetInstanceHandle(), strClassName, &wc))
    {
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = strClassName;
        if (!AfxRegisterClass(&wc))
            AfxThrowResourceException();
    }
    CRect rect(0, 0, 0, 0);
    if (!CWnd::Create(strClassName, nullptr, dwWndStyle, rect, pParentWnd, nID))
        return FALSE;
    return TRUE;
}

BOOL CKTToolBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

int CKTToolBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CControlBar::OnCreate(lpcs) == -1)
        return -1;
    m_penSeparator.CreatePen(PS_SOLID, 1, ktGlobals.m_colorBarShadow);
    // The framework's split cursors for customize-mode resizing, or the system's where a program
    // lacks them; loaded once for all bars.
    if (m_hcurSplitHorz == nullptr)
    {
        m_hcurSplitHorz = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(AFX_IDC_HSPLITBAR));
        if (m_hcurSplitHorz == nullptr)
            m_hcurSplitHorz = ::LoadCursorW(nullptr, IDC_SIZEWE);
        m_hcurSplitVert = ::LoadCursorW(AfxGetResourceHandle(), MAKEINTRESOURCEW(AFX_IDC_VSPLITBAR));
        if (m_hcurSplitVert == nullptr)
            m_hcurSplitVert = ::LoadCursorW(nullptr, IDC_SIZENS);
    }
    // Without OLE there are no button drags to receive.
    if (AfxOleIsInitialized())
        m_DropTarget.Register(this);
    m_AllToolbars.AddTail(this);
    return 0;
}

void CKTToolBar::OnDestroy()
{
    m_penSeparator.DeleteObject();
    EndStretch(CPoint(0, 0), FALSE);
    m_DropTarget.Revoke();
    if (m_pSelToolbar == this)
        m_pSelToolbar = nullptr;
    // The help-mode hook would hand its next mouse move to a destroyed bar.
    if (m_pLastHookedToolbar == this)
        m_pLastHookedToolbar = nullptr;
    POSITION pos = m_AllToolbars.Find(this);
    if (pos != nullptr)
        m_AllToolbars.RemoveAt(pos);
    CControlBar::OnDestroy();
}

// Sizes and images --------------------------------------------------------------------------------

void CKTToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButton = sizeButton;
    m_sizeImage = sizeImage;
    m_sizeCurButton = m_bLargeIcons ? CSize(sizeButton.cx * 2, sizeButton.cy * 2) : CSize(sizeButton);
    m_sizeCurImage = m_bLargeIcons ? CSize(sizeImage.cx * 2, sizeImage.cy * 2) : CSize(sizeImage);
    m_Images.SetImageSize(sizeImage);
    m_ColdImages.SetImageSize(sizeImage);
    m_DisabledImages.SetImageSize(sizeImage);
    const CSize sizeLarge(sizeImage.cx * 2, sizeImage.cy * 2);
    m_LargeImages.SetImageSize(sizeLarge);
    m_LargeColdImages.SetImageSize(sizeLarge);
    m_LargeDisabledImages.SetImageSize(sizeLarge);
    if (m_pUserImages != nullptr)
        m_pUserImages->SetImageSize(sizeImage);
}

void CKTToolBar::SetMenuSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeMenuButton = sizeButton;
    m_sizeMenuImage = sizeImage;
    m_MenuImages.SetImageSize(sizeImage);
    m_DisabledMenuImages.SetImageSize(sizeImage);
}

void CKTToolBar::SetLockedSizes(SIZE sizeButton, SIZE sizeImage)
{
    m_sizeButtonLocked = sizeButton;
    m_sizeImageLocked = sizeImage;
    const BOOL bLarge = m_bLargeIcons && m_bLargeIconsAreEnbaled;
    m_sizeCurButtonLocked = bLarge ? CSize(sizeButton.cx * 2, sizeButton.cy * 2) : CSize(sizeButton);
    m_sizeCurImageLocked = bLarge ? CSize(sizeImage.cx * 2, sizeImage.cy * 2) : CSize(sizeImage);
    m_ImagesLocked.SetImageSize(sizeImage);
    m_ColdImagesLocked.SetImageSize(sizeImage);
    m_DisabledImagesLocked.SetImageSize(sizeImage);
    const CSize sizeLarge(sizeImage.cx * 2, sizeImage.cy * 2);
    m_LargeImagesLocked.SetImageSize(sizeLarge);
    m_LargeColdImagesLocked.SetImageSize(sizeLarge);
    m_LargeDisabledImagesLocked.SetImageSize(sizeLarge);
    m_MenuImagesLocked.SetImageSize(sizeImage);
    m_MenuImagesLockedDisabled.SetImageSize(sizeImage);
}

CSize CKTToolBar::GetButtonSize() const
{
    if (m_bLocked)
        return m_bLargeIconsAreEnbaled ? m_sizeCurButtonLocked : m_sizeButtonLocked;
    return m_bLargeIconsAreEnbaled ? m_sizeCurButton : m_sizeButton;
}

CSize CKTToolBar::GetImageSize() const
{
    if (m_bLocked)
        return m_bLargeIconsAreEnbaled ? m_sizeCurImageLocked : m_sizeImageLocked;
    return m_bLargeIconsAreEnbaled ? m_sizeCurImage : m_sizeImage;
}

void CKTToolBar::SetLargeIcons(BOOL bLargeIcons)
{
    m_bLargeIcons = bLargeIcons;
    m_sizeCurButton = bLargeIcons ? CSize(m_sizeButton.cx * 2, m_sizeButton.cy * 2) : m_sizeButton;
    m_sizeCurImage = bLargeIcons ? CSize(m_sizeImage.cx * 2, m_sizeImage.cy * 2) : m_sizeImage;
    for (POSITION pos = m_AllToolbars.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolBar* pBar = static_cast<CKTToolBar*>(m_AllToolbars.GetNext(pos));
        if (pBar->m_bLocked)
        {
            const BOOL bLarge = bLargeIcons && pBar->m_bLargeIconsAreEnbaled;
            const CSize b = pBar->m_sizeButtonLocked, i = pBar->m_sizeImageLocked;
            pBar->m_sizeCurButtonLocked = bLarge ? CSize(b.cx * 2, b.cy * 2) : b;
            pBar->m_sizeCurImageLocked = bLarge ? CSize(i.cx * 2, i.cy * 2) : i;
        }
        pBar->AdjustLayout();
    }
}

BOOL CKTToolBar::SetUserImages(CKTImageStrip* pUserImages)
{
    if (pUserImages == nullptr || pUserImages->GetCount() <= 0 || pUserImages->GetImageSize() != m_sizeImage)
        return FALSE;
    m_pUserImages = pUserImages;
    return TRUE;
}

CSize CKTToolBar::GetMenuImageSize()
{
    return (m_sizeMenuImage.cx == -1 && m_sizeMenuImage.cy == -1) ? m_sizeImage : m_sizeMenuImage;
}

CSize CKTToolBar::GetMenuButtonSize()
{
    return m_sizeMenuButton;
}

COLORREF CKTToolBar::GetCustomTextColor()
{
    return m_clrCustomText == (COLORREF)-1 ? ktGlobals.m_colorBarText : m_clrCustomText;
}

void CKTToolBar::AddBasicCommand(UINT uiCmd)
{
    if (m_lstBasicCommands.Find(uiCmd) == nullptr)
        m_lstBasicCommands.AddTail(uiCmd);
}

void CKTToolBar::SetBasicCommands(const CList<UINT, UINT>& lstCommands)
{
    m_lstBasicCommands.RemoveAll();
    for (POSITION pos = lstCommands.GetHeadPosition(); pos != nullptr;)
        AddBasicCommand(lstCommands.GetNext(pos));
}

BOOL CKTToolBar::IsBasicCommand(UINT uiCmd)
{
    return m_lstBasicCommands.Find(uiCmd) != nullptr;
}

void CKTToolBar::AddForbiddenCommand(UINT uiCmd)
{
    if (m_lstUnpermittedCommands.Find(uiCmd) == nullptr)
        m_lstUnpermittedCommands.AddTail(uiCmd);
}

BOOL CKTToolBar::IsCommandForbidden(UINT uiCmd)
{
    return m_lstUnpermittedCommands.Find(uiCmd) != nullptr;
}

CKTCmdUsageCount& CKTToolBar::GetUsageCount()
{
    if (s_pUsageCount == nullptr)
    {
        s_pUsageCount = new CKTCmdUsageCount;
        CKTCmdUsageCount::SetBasicCommandTest(&IsBasicCommandForCounter);
    }
    return *s_pUsageCount;
}

BOOL CKTToolBar::IsUserDefined() const
{
    CKTFrameSupport* pSupport = KTGetFrameSupport(GetTopFrame());
    return pSupport != nullptr && pSupport->IsUserToolbar(this);
}

BOOL CKTToolBar::IsCommandRarelyUsed(UINT uiCmd)
{
    if (m_bCustomizeMode || uiCmd == 0 || uiCmd == (UINT)-1)
        return FALSE;
    if (g_pUserToolsManager != nullptr && uiCmd == g_pUserToolsManager->GetToolsEntryCmd())
        return FALSE;
    if ((uiCmd >= 0xE110 && uiCmd <= 0xE11F) || (uiCmd >= 0xF000 && uiCmd <= 0xF1EF) ||
        (uiCmd >= 0xE210 && uiCmd <= 0xE21F) || uiCmd >= 0xFF00)
        return FALSE;
    if (m_lstBasicCommands.IsEmpty() || IsBasicCommand(uiCmd))
        return FALSE;
    return !GetUsageCount().IsFrequentlyUsedCmd(uiCmd);
}

void CKTToolBar::CleanUpImages()
{
    m_Images.Clear();
    m_ColdImages.Clear();
    m_MenuImages.Clear();
    m_DisabledImages.Clear();
    m_DisabledMenuImages.Clear();
    m_LargeImages.Clear();
    m_LargeColdImages.Clear();
    m_LargeDisabledImages.Clear();
    m_DefaultImages.RemoveAll();
    delete s_pUsageCount;
    s_pUsageCount = nullptr;
}

BOOL CKTToolBar::GetDefaultImage(UINT uiCmd, int& iImage)
{
    iImage = -1;
    return m_DefaultImages.Lookup(uiCmd, iImage);
}

CKTImageStrip* CKTToolBar::GetListItemImages(BOOL bUserImage)
{
    if (bUserImage)
        return m_pUserImages;
    if (m_MenuImages.GetCount() > 0)
        return &m_MenuImages;
    return m_Images.GetCount() > 0 ? &m_Images : nullptr;
}

BOOL CKTToolBar::LoadBitmap(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL bLocked, UINT uiDisabledResID,
                            UINT uiMenuDisabledResID)
{
    ToolbarImageResources params;
    params.m_uiHotResID = uiResID;
    params.m_uiColdResID = uiColdResID;
    params.m_uiMenuResID = uiMenuResID;
    params.m_uiDisabledResID = uiDisabledResID;
    params.m_uiMenuDisabledResID = uiMenuDisabledResID;
    return LoadBitmapEx(params, bLocked);
}

BOOL CKTToolBar::LoadToolBar(UINT uiResID, UINT uiColdResID, UINT uiMenuResID, BOOL bLocked, UINT uiDisabledResID,
                             UINT uiMenuDisabledResID, UINT uiHotResID)
{
    ToolbarImageResources params;
    params.m_uiHotResID = uiHotResID != 0 ? uiHotResID : uiResID;
    params.m_uiColdResID = uiColdResID;
    params.m_uiMenuResID = uiMenuResID;
    params.m_uiDisabledResID = uiDisabledResID;
    params.m_uiMenuDisabledResID = uiMenuDisabledResID;
    return LoadToolBarEx(uiResID, params, bLocked);
}

BOOL CKTToolBar::LoadBitmapEx(const ToolbarImageResources& params, BOOL bLocked)
{
    m_bLocked = bLocked;
    if (!bLocked)
    {
        if (!m_Images.Load(params.m_uiHotResID, nullptr, TRUE))
            return FALSE;
        m_iImagesOffset = m_Images.GetResourceOffset(params.m_uiHotResID);
        const struct
        {
            UINT id;
            CKTImageStrip* pStrip;
        } more[] = {{params.m_uiColdResID, &m_ColdImages},
                    {params.m_uiMenuResID, &m_MenuImages},
                    {params.m_uiDisabledResID, &m_DisabledImages},
                    {params.m_uiMenuDisabledResID, &m_DisabledMenuImages},
                    {params.m_uiLargeHotResID, &m_LargeImages},
                    {params.m_uiLargeColdResID, &m_LargeColdImages},
                    {params.m_uiLargeDisabledResID, &m_LargeDisabledImages}};
        for (const auto& m : more)
            if (m.id != 0 && !m.pStrip->Load(m.id, nullptr, TRUE))
                return FALSE;
        return TRUE;
    }
    const struct
    {
        UINT id;
        CKTImageStrip* pStrip;
    } own[] = {{params.m_uiHotResID, &m_ImagesLocked},
               {params.m_uiColdResID, &m_ColdImagesLocked},
               {params.m_uiDisabledResID, &m_DisabledImagesLocked},
               {params.m_uiLargeHotResID, &m_LargeImagesLocked},
               {params.m_uiLargeColdResID, &m_LargeColdImagesLocked},
               {params.m_uiLargeDisabledResID, &m_LargeDisabledImagesLocked},
               {params.m_uiMenuResID, &m_MenuImagesLocked},
               {params.m_uiMenuDisabledResID, &m_MenuImagesLockedDisabled}};
    for (const auto& o : own)
        if (o.id != 0 && !o.pStrip->Load(o.id, nullptr, TRUE))
            return FALSE;
    return TRUE;
}

BOOL CKTToolBar::LoadToolBarEx(UINT uiToolbarResID, const ToolbarImageResources& paramsIn, BOOL bLocked)
{
    const HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRsrc = ::FindResourceW(hInst, MAKEINTRESOURCEW(uiToolbarResID), MAKEINTRESOURCEW(241));
    if (hRsrc == nullptr)
        return FALSE;
    HGLOBAL hGlobal = ::LoadResource(hInst, hRsrc);
    const DWORD cbResource = ::SizeofResource(hInst, hRsrc);
    const BYTE* pData = hGlobal != nullptr ? static_cast<const BYTE*>(::LockResource(hGlobal)) : nullptr;
    if (pData == nullptr || cbResource < sizeof(ToolbarResourceHeader))
        return FALSE;
    ToolbarResourceHeader header;
    memcpy(&header, pData, sizeof(header));
    // The item count must fit in the resource.
    if (header.wWidth == 0 || header.wHeight == 0 ||
        sizeof(header) + static_cast<DWORD>(header.wItemCount) * sizeof(WORD) > cbResource)
        return FALSE;
    std::unique_ptr<WORD[]> ids(new WORD[header.wItemCount + 1]);
    memcpy(ids.get(), pData + sizeof(header), header.wItemCount * sizeof(WORD));

    const CSize sizeImage(header.wWidth, header.wHeight);
    const CSize sizeButton(header.wWidth + 6, header.wHeight + 6);
    if (bLocked)
        SetLockedSizes(sizeButton, sizeImage);
    else
        SetSizes(sizeButton, sizeImage);

    ToolbarImageResources params = paramsIn;
    if (params.m_uiHotResID == 0)
        params.m_uiHotResID = uiToolbarResID;
    if (m_uiOriginalResID == 0 && !LoadBitmapEx(params, bLocked))
        return FALSE;
    m_bLocked = bLocked;

    if (!bLocked)
    {
        int iImage = m_iImagesOffset;
        for (int i = 0; i < header.wItemCount; i++)
            if (ids[i] != 0)
                m_DefaultImages.SetAt(ids[i], iImage++);
    }
    m_uiOriginalResID = uiToolbarResID;
    const BOOL bResult = CreateButtonsFromResource(ids.get(), header.wItemCount);
    if (!bResult)
        m_uiOriginalResID = 0;
    return bResult;
}

BOOL CKTToolBar::AddToolBarImages(UINT uiResID, const ToolbarImageResources& params)
{
    CKTToolBar bar;
    return bar.LoadToolBarEx(uiResID, params, FALSE);
}

BOOL CKTToolBar::CreateButtonsFromResource(const WORD* pIDs, int nCount)
{
    std::unique_ptr<CKTToolbarButton> pCustomizeCopy;
    if (m_pCustomizeBtn != nullptr)
    {
        CObject* pObject = m_pCustomizeBtn->GetRuntimeClass()->CreateObject();
        if (pObject != nullptr)
        {
            pCustomizeCopy.reset(static_cast<CKTToolbarButton*>(pObject));
            pCustomizeCopy->CopyFrom(*m_pCustomizeBtn);
        }
    }
    RemoveAllButtons();
    DeleteResourceItems();

    int iImage = m_iImagesOffset;
    for (int i = 0; i < nCount; i++)
    {
        const UINT uiCmd = pIDs[i];
        m_OrigButtons.AddTail(new CKTToolbarButton(uiCmd, -1, nullptr, FALSE, TRUE));
        if (uiCmd == 0)
        {
            InsertSeparator();
            continue;
        }
        std::unique_ptr<CKTToolbarButton> pButton(new CKTToolbarButton(uiCmd, iImage, nullptr, FALSE, m_bLocked));
        if (InsertButton(pButton.get()) >= 0)
        {
            pButton.release();
            if (!m_bLocked)
                m_DefaultImages.SetAt(uiCmd, iImage);
        }
        iImage++;
    }
    if (pCustomizeCopy != nullptr && InsertButton(pCustomizeCopy.get()) >= 0)
        m_pCustomizeBtn = pCustomizeCopy.release();

    if (GetSafeHwnd() != nullptr)
    {
        OnReset();
        if (CWnd* pTarget = GetMessageTarget())
            pTarget->SendMessage(KT_WM_RESETTOOLBAR, m_uiOriginalResID, 0);
    }
    return TRUE;
}

void CKTToolBar::DeleteResourceItems()
{
    while (!m_OrigButtons.IsEmpty())
        delete m_OrigButtons.RemoveHead();
}

void CKTToolBar::ResetAllImages()
{
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
        static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos))->ResetImageToDefault();
    if (IsFloating())
        AdjustLayout();
}

CWnd* CKTToolBar::GetCommandTarget() const
{
    // Docked or floating, a bar's parent is a dock bar, which carries out no command: without an
    // owner of its own the bar serves the frame it docks to.
    CWnd* pTarget = m_hWndOwner == nullptr && m_pDockSite != nullptr ? m_pDockSite : GetOwner();
    if (pTarget == nullptr)
        pTarget = GetParent();
    if (m_bRouteCommandsViaFrame && pTarget != nullptr && !pTarget->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
    {
        CFrameWnd* pFrame = pTarget->GetParentFrame();
        if (pFrame != nullptr)
            pTarget = pFrame;
    }
    return pTarget;
}

BOOL CKTToolBar::LoadButtonDefaultText(CKTToolbarButton* pButton)
{
    if (pButton == nullptr || pButton->m_nID == 0 || pButton->m_nID == (UINT)-1)
        return FALSE;
    CString strText;
    if (!CKTToolbarButton::LoadCommandText(pButton->m_nID, strText))
        return FALSE;
    pButton->m_strText = strText;
    return TRUE;
}
