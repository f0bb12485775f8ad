#pragma once
// Property pages, sheets and dialogs that can host toolkit popup menus (through
// CKTDialogMenuHelper): keys go to the open menu, clicks elsewhere close it, the caption stays
// active while the menu is, and commands from the menu are counted.
//
// The page and the sheet carry two image numbers (normal, selected) that a page selector of the
// sheet may read; the program creates none of these classes itself.

#include "uitoolkit/customize/KTDialogForwarding.h"

class CKTPropertyPage : public CKTDialogForwarding<CPropertyPage>
{
    DECLARE_DYNCREATE(CKTPropertyPage)
public:
    CKTPropertyPage();
    explicit CKTPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);

    BOOL OnSetActive() override;

    // The page's images in a sheet's page selector (-1: none).
    int m_nIcon = -1;
    int m_nSelIconNum = -1;

protected:
    DECLARE_MESSAGE_MAP()

    void* m_pCategory = nullptr;
    int m_nPageIndex = 0;
};

class CKTPropertySheet : public CKTDialogForwarding<CPropertySheet>
{
    DECLARE_DYNAMIC(CKTPropertySheet)
public:
    CKTPropertySheet();
    explicit CKTPropertySheet(UINT nIDCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);
    explicit CKTPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = nullptr, UINT iSelectPage = 0);

    // A page of the sheet became active.
    virtual void OnActivatePage(CPropertyPage* pPage);
    CPropertyPage* GetLastActivePage() const { return m_pLastActivePage; }

protected:
    DECLARE_MESSAGE_MAP()

    CPropertyPage* m_pLastActivePage = nullptr;
};
