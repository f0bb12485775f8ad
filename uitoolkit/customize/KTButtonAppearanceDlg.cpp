#include "uitoolkit/customize/KTButtonAppearanceDlg.h"

#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/bars/KTToolbarButton.h"
#include "uitoolkit/customize/KTCommandManager.h"
#include "uitoolkit/customize/KTImageEditDlg.h"
#include "uitoolkit/customize/KTUserTool.h"
#include "uitoolkit/customize/KTUserToolsManager.h"
#include "uitoolkit/looks/KTImageStrip.h"
#include "uitoolkit/looks/KTUIGlobals.h"

IMPLEMENT_DYNAMIC(CKTButtonAppearanceDlg, CDialog)

BEGIN_MESSAGE_MAP(CKTButtonAppearanceDlg, CDialog)
ON_BN_CLICKED(IDC_KT_IMAGE_ONLY, &CKTButtonAppearanceDlg::OnImageOnly)
ON_BN_CLICKED(IDC_KT_TEXT_ONLY, &CKTButtonAppearanceDlg::OnTextOnly)
ON_BN_CLICKED(IDC_KT_IMAGE_AND_TEXT, &CKTButtonAppearanceDlg::OnImageAndText)
ON_BN_CLICKED(IDC_KT_DEFAULT_IMAGE, &CKTButtonAppearanceDlg::OnDefaultImage)
ON_BN_CLICKED(IDC_KT_USER_IMAGE, &CKTButtonAppearanceDlg::OnUserImage)
ON_BN_CLICKED(IDC_KT_IMAGES_LIST, &CKTButtonAppearanceDlg::OnImagesList)
ON_BN_CLICKED(IDC_KT_NEW_IMAGE, &CKTButtonAppearanceDlg::OnNewImage)
ON_BN_CLICKED(IDC_KT_EDIT_IMAGE, &CKTButtonAppearanceDlg::OnEditImage)
ON_WM_PAINT()
END_MESSAGE_MAP()

namespace
{
// The colour an edited image is copied onto: the strip's own transparent colour may be any.
const COLORREF kEditBackground = RGB(192, 192, 192);

// A bitmap of the size that the screen can show, filled with the brush; null when it cannot be
// made.
HBITMAP CreateFilledBitmap(CWnd* pWnd, CSize size, HBRUSH hBrush)
{
    CClientDC dcScreen(pWnd);
    HBITMAP hbm = ::CreateCompatibleBitmap(dcScreen.GetSafeHdc(), size.cx, size.cy);
    if (hbm == nullptr)
        return nullptr;
    HDC hdc = ::CreateCompatibleDC(dcScreen.GetSafeHdc());
    if (hdc == nullptr)
    {
        ::DeleteObject(hbm);
        return nullptr;
    }
    HGDIOBJ hOld = ::SelectObject(hdc, hbm);
    RECT rect = {0, 0, size.cx, size.cy};
    ::FillRect(hdc, &rect, hBrush);
    ::SelectObject(hdc, hOld);
    ::DeleteDC(hdc);
    return hbm;
}
} // namespace

CKTButtonAppearanceDlg::CKTButtonAppearanceDlg(CKTToolbarButton* pButton, CKTImageStrip* pImages, CWnd* pParent,
                                               int iStartImage, BOOL bMenuMode, HINSTANCE hInstRes)
    : CDialog(IDD, pParent), m_pButton(pButton), m_pImages(pImages), m_iStartImage(iStartImage), m_bMenuMode(bMenuMode),
      m_hInstRes(hInstRes != nullptr ? hInstRes : AfxGetResourceHandle())
{
    if (g_pUserToolsManager != nullptr)
        m_pUserTool = g_pUserToolsManager->FindTool(m_pButton->m_nID);
    m_iImage = m_pButton->m_bUserButton ? m_pButton->m_iUserImage : m_pButton->m_iImage;
    // A button without a user image still takes one when its command has no image of its own; a
    // user tool has its icon instead.
    m_bUserButton = m_pButton->m_bUserButton || (m_pUserTool == nullptr && GetDefaultImage() < 0);
    m_bImage = m_pButton->m_bImage;
    if (m_bMenuMode && CKTCommandManager::GetInstance()->IsMenuItemWithoutImage(m_pButton->m_nID))
        m_bImage = FALSE;
    m_bText = m_bMenuMode || m_pButton->m_bTextBelow || m_pButton->m_bText;
}

CKTButtonAppearanceDlg::~CKTButtonAppearanceDlg()
{
    DeleteListButtons();
}

BOOL CKTButtonAppearanceDlg::RunForButton(CKTToolbarButton* pButton, CKTToolBar* pBar)
{
    if (pButton == nullptr)
        return FALSE;
    CKTButtonAppearanceDlg dlg(pButton, CKTToolBar::GetUserImages(), pBar, 0,
                               pBar != nullptr && pBar->IsPureMenuButton(pButton));
    return dlg.DoModal() == IDOK;
}

void CKTButtonAppearanceDlg::Install()
{
    CKTToolBar::m_pfnButtonAppearance = &CKTButtonAppearanceDlg::RunForButton;
}

int CKTButtonAppearanceDlg::GetDefaultImage() const
{
    int iImage = -1;
    if (!CKTToolBar::GetDefaultImage(m_pButton->m_nID, iImage) || iImage < 0)
        return -1;
    return iImage;
}

BOOL CKTButtonAppearanceDlg::IsLocked() const
{
    return m_pButton->IsLocked();
}

void CKTButtonAppearanceDlg::DeleteListButtons()
{
    if (m_wndButtonList.GetSafeHwnd() != nullptr)
        m_wndButtonList.RemoveButtons();
    while (!m_Buttons.IsEmpty())
        delete static_cast<CKTToolbarButton*>(m_Buttons.RemoveHead());
}

BOOL CKTButtonAppearanceDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_wndButtonList.SubclassDlgItem(IDC_KT_IMAGES_LIST, this);

    if (m_pImages == nullptr)
    {
        m_wndButtonList.EnableWindow(FALSE);
        GetDlgItem(IDC_KT_USER_IMAGE)->EnableWindow(FALSE);
        if (m_iImage < 0)
        {
            GetDlgItem(IDC_KT_IMAGE_ONLY)->EnableWindow(FALSE);
            GetDlgItem(IDC_KT_IMAGE_AND_TEXT)->EnableWindow(FALSE);
        }
    }
    else
    {
        m_wndButtonList.SetImages(m_pImages);
        FillImagesList();
        if (m_bUserButton)
            m_wndButtonList.SelectImage(m_iImage);
    }

    const BOOL bUser = m_bUserButton && !IsLocked();
    CheckDlgButton(IDC_KT_USER_IMAGE, bUser ? BST_CHECKED : BST_UNCHECKED);
    CheckDlgButton(IDC_KT_DEFAULT_IMAGE, bUser ? BST_UNCHECKED : BST_CHECKED);

    if (!m_bImage)
    {
        m_bText = TRUE;
        CheckDlgButton(IDC_KT_TEXT_ONLY, BST_CHECKED);
        m_wndButtonList.EnableWindow(FALSE);
    }
    else
        CheckDlgButton(m_bText ? IDC_KT_IMAGE_AND_TEXT : IDC_KT_IMAGE_ONLY, BST_CHECKED);

    const int iTab = m_pButton->m_strText.Find(L'\t');
    if (iTab >= 0)
    {
        m_strButtonText = m_pButton->m_strText.Left(iTab);
        m_strAccel = m_pButton->m_strText.Mid(iTab + 1);
    }
    else
        m_strButtonText = m_pButton->m_strText;
    SetDlgItemText(IDC_KT_BUTTON_TEXT, m_strButtonText);

    CWnd* pParent = GetParent();
    CFrameWnd* pFrame = pParent != nullptr
                            ? (pParent->IsFrameWnd() ? static_cast<CFrameWnd*>(pParent) : pParent->GetParentFrame())
                            : nullptr;
    if (pFrame != nullptr && m_pButton->m_nID != 0 && m_pButton->m_nID != (UINT)-1)
    {
        const HINSTANCE hOld = AfxGetResourceHandle();
        AfxSetResourceHandle(m_hInstRes);
        pFrame->GetMessageString(m_pButton->m_nID, m_strDescription);
        AfxSetResourceHandle(hOld);
    }
    SetDlgItemText(IDC_KT_DESCRIPTION, m_strDescription);

    if (m_bMenuMode && m_iImage < 0)
    {
        GetDlgItem(IDC_KT_TEXT_ONLY)->EnableWindow(FALSE);
        GetDlgItem(IDC_KT_IMAGE_AND_TEXT)->EnableWindow(FALSE);
    }
    if (m_pButton->m_bTextBelow)
        GetDlgItem(IDC_KT_IMAGE_ONLY)->EnableWindow(FALSE);

    CWnd* pArea = GetDlgItem(IDC_KT_DEFAULT_IMAGE_AREA);
    if (pArea != nullptr)
    {
        pArea->GetWindowRect(&m_rectDefaultImage);
        ScreenToClient(&m_rectDefaultImage);
        m_rectDefaultImage = CRect(m_rectDefaultImage.TopLeft(), CKTToolBar::GetDefaultImageSize());
        // The static only marks the place: shown, it would paint over the preview.
        pArea->ShowWindow(SW_HIDE);
    }
    EnableControls();
    return TRUE;
}

void CKTButtonAppearanceDlg::FillImagesList()
{
    if (m_pImages == nullptr)
        return;
    CWaitCursor wait;
    DeleteListButtons();
    for (int i = m_iStartImage; i < m_pImages->GetCount(); i++)
    {
        auto* pButton = new CKTToolbarButton;
        pButton->m_bUserButton = TRUE;
        pButton->SetImage(i);
        m_Buttons.AddTail(pButton);
        m_wndButtonList.AddButton(pButton);
    }
    m_wndButtonList.Invalidate();
}

void CKTButtonAppearanceDlg::EnableControls()
{
    const BOOL bLocked = IsLocked();
    // A user tool's button shows the tool's menu text, edited on the Tools page.
    GetDlgItem(IDC_KT_BUTTON_TEXT)->EnableWindow(m_bText && m_pUserTool == nullptr);
    const BOOL bList = m_bImage && m_pImages != nullptr && m_bUserButton && !bLocked;
    m_wndButtonList.EnableWindow(bList);
    const BOOL bNew = bList && !m_pImages->IsReadOnly();
    GetDlgItem(IDC_KT_NEW_IMAGE)->EnableWindow(bNew);
    GetDlgItem(IDC_KT_EDIT_IMAGE)->EnableWindow(bNew && m_iImage >= 0);
    GetDlgItem(IDC_KT_USER_IMAGE)->EnableWindow(m_bImage && m_pImages != nullptr && !bLocked);
    GetDlgItem(IDC_KT_DEFAULT_IMAGE)
        ->EnableWindow(m_pUserTool != nullptr || (m_bImage && GetDefaultImage() >= 0 && !bLocked));
    InvalidateRect(m_rectDefaultImage);
}

void CKTButtonAppearanceDlg::OnImageOnly()
{
    m_bImage = TRUE;
    m_bText = FALSE;
    EnableControls();
}

void CKTButtonAppearanceDlg::OnTextOnly()
{
    m_bImage = FALSE;
    m_bText = TRUE;
    EnableControls();
}

void CKTButtonAppearanceDlg::OnImageAndText()
{
    m_bImage = TRUE;
    m_bText = TRUE;
    EnableControls();
}

void CKTButtonAppearanceDlg::OnUserImage()
{
    m_iImage = -1;
    m_bUserButton = TRUE;
    CheckDlgButton(IDC_KT_DEFAULT_IMAGE, BST_UNCHECKED);
    CheckDlgButton(IDC_KT_USER_IMAGE, BST_CHECKED);
    EnableControls();
    m_wndButtonList.SelectImage(-1);
}

void CKTButtonAppearanceDlg::OnDefaultImage()
{
    m_iImage = m_pButton->GetImage();
    m_bUserButton = FALSE;
    CheckDlgButton(IDC_KT_USER_IMAGE, BST_UNCHECKED);
    CheckDlgButton(IDC_KT_DEFAULT_IMAGE, BST_CHECKED);
    EnableControls();
}

void CKTButtonAppearanceDlg::OnImagesList()
{
    CKTToolbarButton* pSelected = m_wndButtonList.GetSelectedButton();
    m_iImage = pSelected != nullptr ? pSelected->GetImage() : -1;
    GetDlgItem(IDC_KT_EDIT_IMAGE)->EnableWindow(m_iImage >= 0 && m_pImages != nullptr && !m_pImages->IsReadOnly());
}

void CKTButtonAppearanceDlg::OnNewImage()
{
    if (m_pImages == nullptr)
        return;
    HBITMAP hbm = CreateFilledBitmap(&m_wndButtonList, m_pImages->GetImageSize(),
                                     static_cast<HBRUSH>(ktGlobals.m_brushFace.GetSafeHandle()));
    if (hbm == nullptr)
    {
        ShowMessage(IDS_KT_CANT_CREATE_IMAGE);
        return;
    }
    if (EditImage(hbm, m_pImages->GetBitsPerPixel()) == IDOK)
    {
        const int iNew = m_pImages->AddImage(hbm);
        if (iNew < 0)
            ShowMessage(IDS_KT_CANT_CREATE_IMAGE);
        else
        {
            FillImagesList();
            m_wndButtonList.SelectImage(iNew);
        }
    }
    ::DeleteObject(hbm);
}

void CKTButtonAppearanceDlg::OnEditImage()
{
    if (m_pImages == nullptr || m_iImage < 0)
        return;
    CBrush brushBackground(kEditBackground);
    HBITMAP hbm = CreateFilledBitmap(&m_wndButtonList, m_pImages->GetImageSize(),
                                     static_cast<HBRUSH>(brushBackground.GetSafeHandle()));
    if (hbm == nullptr)
        return;

    // The image is copied onto light grey with light grey as its transparent colour, then the
    // strip gets its own transparent colour back.
    const COLORREF clrTransparent = m_pImages->GetTransparentColor();
    if (clrTransparent != kEditBackground)
        m_pImages->SetTransparentColor(kEditBackground);
    {
        CClientDC dcScreen(this);
        CDC dcMem;
        dcMem.CreateCompatibleDC(&dcScreen);
        HGDIOBJ hOld = ::SelectObject(dcMem.GetSafeHdc(), hbm);
        CKTDrawState ds;
        if (m_pImages->PrepareDrawImage(ds))
        {
            m_pImages->Draw(&dcMem, 0, 0, m_iImage);
            m_pImages->EndDrawImage(ds);
        }
        ::SelectObject(dcMem.GetSafeHdc(), hOld);
    }
    if (clrTransparent != kEditBackground)
        m_pImages->SetTransparentColor(clrTransparent);

    if (EditImage(hbm, m_pImages->GetBitsPerPixel()) == IDOK)
    {
        m_pImages->UpdateImage(m_iImage, hbm);
        m_wndButtonList.Invalidate();
    }
    ::DeleteObject(hbm);
}

INT_PTR CKTButtonAppearanceDlg::EditImage(HBITMAP hbmImage, int nBitsPerPixel)
{
    CKTImageEditDlg dlg(hbmImage, this, nBitsPerPixel);
    return dlg.DoModal();
}

void CKTButtonAppearanceDlg::ShowMessage(UINT nIDPrompt)
{
    AfxMessageBox(nIDPrompt, MB_OK | MB_ICONSTOP);
}

void CKTButtonAppearanceDlg::OnOK()
{
    GetDlgItemText(IDC_KT_BUTTON_TEXT, m_strButtonText);
    int iImage = m_iImage;
    if (!m_bUserButton)
        iImage = m_pUserTool != nullptr ? 0 : GetDefaultImage();
    if (m_bImage && iImage < 0)
    {
        ShowMessage(IDS_KT_SELECT_IMAGE);
        return;
    }
    if (m_bText && m_strButtonText.IsEmpty())
    {
        ShowMessage(IDS_KT_ENTER_TEXT);
        return;
    }

    if (!m_pButton->m_bTextBelow)
        m_pButton->m_bText = m_bText;
    if (m_bMenuMode)
        CKTCommandManager::GetInstance()->EnableMenuItemImage(m_pButton->m_nID, m_bImage);
    else
        m_pButton->m_bImage = m_bImage;
    // The dialog's choice of image kind, so that a default image is never kept as a user image.
    m_pButton->m_bUserButton = m_bUserButton;
    m_pButton->SetImage(iImage);
    m_pButton->m_strText = m_strButtonText;
    if (!m_strAccel.IsEmpty())
        m_pButton->m_strText += L'\t' + m_strAccel;
    EndDialog(IDOK);
}

void CKTButtonAppearanceDlg::OnPaint()
{
    CPaintDC dc(this);
    if (m_pUserTool != nullptr)
    {
        m_pUserTool->DrawToolIcon(&dc, m_rectDefaultImage);
        return;
    }
    if (IsLocked())
    {
        // A locked button keeps its own look: its image alone.
        const BOOL bText = m_pButton->m_bText;
        const BOOL bImage = m_pButton->m_bImage;
        m_pButton->m_bText = FALSE;
        m_pButton->m_bImage = TRUE;
        CKTImageStrip* pStrip = CKTToolBar::GetImages();
        CKTDrawState ds;
        if (pStrip->PrepareDrawImage(ds))
        {
            m_pButton->OnDraw(&dc, m_rectDefaultImage, pStrip, TRUE);
            pStrip->EndDrawImage(ds);
        }
        m_pButton->m_bText = bText;
        m_pButton->m_bImage = bImage;
        return;
    }
    const int iDefault = GetDefaultImage();
    if (!m_bImage || iDefault < 0)
        return;
    CKTImageStrip* pStrip = CKTToolBar::GetImages();
    CKTDrawState ds;
    if (pStrip->PrepareDrawImage(ds))
    {
        pStrip->Draw(&dc, m_rectDefaultImage.left, m_rectDefaultImage.top, iDefault);
        pStrip->EndDrawImage(ds);
    }
}
