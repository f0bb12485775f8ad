#pragma once
// The toolkit's open dialog: the system's Explorer file dialog with a tab strip above its file
// list. "New" (optional) lists kinds of new documents, "Existing" is the system's own view,
// "Recent" lists the application's recent files. Choosing an item on "New" or "Recent" ends the
// dialog as OK does; afterwards GetPage tells which page ended it and the getters what was
// chosen. A logo bitmap can stand above the tabs.
//
// Without a filter the dialog builds one from the application's document templates. One such
// dialog runs at a time (its window procedure is swapped through a process-wide slot).

#include "framework/Afx.h"

class CKTFileDialog : public CFileDialog
{
    DECLARE_DYNAMIC(CKTFileDialog)
public:
    enum Page
    {
        PAGE_NEW = 0,
        PAGE_EXISTING = 1,
        PAGE_RECENT = 2
    };
    enum ControlId
    {
        IDC_KT_FILEDLG_TABS = 200,
        IDC_KT_FILEDLG_NEW = 201,
        IDC_KT_FILEDLG_RECENT = 202
    };

    // bFillRecent: the dialog lists the application's recent files itself; a caller that fills
    // the list on its own turns it off.
    CKTFileDialog(LPCTSTR lpszTitle, BOOL bNewPage = TRUE, LPCTSTR lpszDefExt = nullptr, LPCTSTR lpszFileName = nullptr,
                  DWORD dwFlags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR lpszFilter = nullptr,
                  CWnd* pParentWnd = nullptr, BOOL bFillRecent = TRUE);
    ~CKTFileDialog() override;

    // Before DoModal: the "New" page's images (borrowed) and entries.
    void SetNewImages(CImageList* pImages) { m_pImagesNew = pImages; }
    void AddNewDocument(LPCTSTR lpszText, int iImage);
    // Before DoModal: a logo above the tabs (borrowed), the window's icons, extra room.
    void SetLogo(CBitmap* pBmpLogo) { m_pBmpLogo = pBmpLogo; }
    void SetDlgIcon(HICON hIconBig, HICON hIconSmall)
    {
        m_hIconBig = hIconBig;
        m_hIconSmall = hIconSmall;
    }
    void SetExtraSize(int cx, int cy)
    {
        m_nExtraWidth = cx;
        m_nExtraHeight = cy;
    }

    // After DoModal: the page that ended the dialog and what it chose there.
    int GetPage() const { return m_nPage; }
    int GetNewDocumentIndex() const { return m_iNewItemIndex; }
    const CString& GetRecentFilePath() const { return m_strRecentFilePath; }

    // A row of the recent list (file name, folder, small shell icon); for callers that fill the
    // list themselves once the dialog is up.
    void AddRecentFile(const CString& strPath);

    CListCtrl& GetNewList() { return m_wndNewList; }
    CListCtrl& GetRecentList() { return m_wndRecentList; }
    CTabCtrl& GetTabs() { return m_wndTab; }

    // The filter the dialog builds from the document templates ("name\0*.ext\0...All Files\0*.*\0")
    // and the default extension that comes with it.
    static const CString& GetTemplateFilter() { return s_strFilter; }
    static const CString& GetTemplateDefExt() { return s_strDefExt; }

protected:
    void OnInitDone() override;

    void LayoutPages();
    void SwitchPage();
    void OpenSelectedItem();
    CRect TabRect() const;

    static LRESULT CALLBACK ExplorerWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    CTabCtrl m_wndTab;
    CListCtrl m_wndNewList;
    CListCtrl m_wndRecentList;
    CList<HWND, HWND> m_lstHiddenControls;
    CImageList* m_pImagesNew = nullptr;
    CImageList m_imagesRecent;
    // The full path of each row of the recent list (the row's data is its index).
    CStringArray m_arrRecentPaths;
    CObList m_lstNewDocuments;
    BOOL m_bNewPage;
    int m_nPage = PAGE_NEW;
    CString m_strTitle;
    CString m_strRecentFilePath;
    int m_iNewItemIndex = -1;
    CBitmap* m_pBmpLogo = nullptr;
    CRect m_rectLogo;
    HICON m_hIconBig = nullptr;
    HICON m_hIconSmall = nullptr;
    int m_nLogoHeightExtra = 0;
    int m_nExtraWidth = 0;
    int m_nExtraHeight = 0;
    BOOL m_bFillRecent;

private:
    // Builds the template filter and default extension into the process-wide strings.
    static void BuildTemplateFilter();

    static CString s_strFilter;
    static CString s_strDefExt;
    static WNDPROC s_pfnPrevProc;
    static CKTFileDialog* s_pActiveDialog;
};
