#pragma once
// The Button Appearance dialog: whether a toolbar or menu button shows its image, its text or
// both, its text, and whether it shows the command's default image or one of the shared user
// images, which the user can add to or edit in the image editor. OK writes the choices back into
// the button (IDOK); the calling bar lays itself out again.
//
// User-interface thread only. The button and the user image strip are borrowed; the dialog owns
// the buttons it makes for its images list.

#include "framework/Afx.h"
#include "uitoolkit/customize/KTButtonsList.h"

class CKTToolbarButton;
class CKTToolBar;
class CKTImageStrip;
class CKTUserTool;

class CKTButtonAppearanceDlg : public CDialog
{
    DECLARE_DYNAMIC(CKTButtonAppearanceDlg)
public:
    enum
    {
        IDD = 16132,
        IDC_KT_IMAGE_ONLY = 16505,
        IDC_KT_TEXT_ONLY = 16506,
        IDC_KT_IMAGE_AND_TEXT = 16507,
        IDC_KT_DESCRIPTION = 16603,
        IDC_KT_BUTTON_TEXT = 16500,
        IDC_KT_DEFAULT_IMAGE = 16530,
        IDC_KT_USER_IMAGE = 16529,
        IDC_KT_DEFAULT_IMAGE_AREA = 16531,
        IDC_KT_IMAGES_LIST = 16508,
        IDC_KT_NEW_IMAGE = 16509,
        IDC_KT_EDIT_IMAGE = 16510,
        IDS_KT_SELECT_IMAGE = 16001,
        IDS_KT_ENTER_TEXT = 16002,
        IDS_KT_CANT_CREATE_IMAGE = 16003
    };

    CKTButtonAppearanceDlg(CKTToolbarButton* pButton, CKTImageStrip* pImages, CWnd* pParent, int iStartImage = 0,
                           BOOL bMenuMode = FALSE, HINSTANCE hInstRes = nullptr);
    ~CKTButtonAppearanceDlg() override;

    // The toolbars' hook: runs the dialog for a button of the bar with the shared user images;
    // TRUE when the user chose OK. The customize sheet installs it.
    static BOOL RunForButton(CKTToolbarButton* pButton, CKTToolBar* pBar);
    static void Install();

    int GetImageIndex() const { return m_iImage; }
    BOOL IsImageShown() const { return m_bImage; }
    BOOL IsTextShown() const { return m_bText; }
    BOOL IsUserImage() const { return m_bUserButton; }
    // The user tool whose command the button runs, null for any other command.
    CKTUserTool* GetUserTool() const { return m_pUserTool; }
    CKTButtonsList& GetImagesList() { return m_wndButtonList; }
    const CRect& GetDefaultImageRect() const { return m_rectDefaultImage; }

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    // Shows a message from the string table; a test may answer it instead.
    virtual void ShowMessage(UINT nIDPrompt);
    // The image editor on a bitmap of the strip's image size; IDOK when the user kept the drawing.
    virtual INT_PTR EditImage(HBITMAP hbmImage, int nBitsPerPixel);

    void OnImageOnly();
    void OnTextOnly();
    void OnImageAndText();
    void OnDefaultImage();
    void OnUserImage();
    void OnImagesList();
    void OnNewImage();
    void OnEditImage();
    void OnPaint();
    DECLARE_MESSAGE_MAP()

    void FillImagesList();
    void EnableControls();
    void DeleteListButtons();
    // The command's image in the toolbars' map, -1 when none.
    int GetDefaultImage() const;
    BOOL IsLocked() const;

    CKTToolbarButton* m_pButton;
    CKTImageStrip* m_pImages;
    CKTUserTool* m_pUserTool = nullptr;
    int m_iStartImage;
    BOOL m_bMenuMode;
    HINSTANCE m_hInstRes;
    int m_iImage = -1;
    BOOL m_bImage = FALSE;
    BOOL m_bText = FALSE;
    BOOL m_bUserButton = FALSE;
    CString m_strButtonText;
    CString m_strAccel;
    CString m_strDescription;
    CObList m_Buttons;
    CKTButtonsList m_wndButtonList;
    CRect m_rectDefaultImage;
};
