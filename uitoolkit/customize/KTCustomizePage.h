#pragma once
// The customize sheet's "Commands" page: the catalogue's categories, the commands of the chosen
// category drawn as buttons with their images, and the chosen command's description. New toolbar
// and menu buttons are dragged from its commands list. The sheet owns the catalogue; the page and
// its list only point into it.

#include "framework/Afx.h"

class CKTToolbarButton;
class CKTToolbarCustomize;

// The commands of a category, each drawn as its button; a press on an item starts dragging the
// button onto a bar.
class CKTCommandsListBox : public CListBox
{
    DECLARE_DYNAMIC(CKTCommandsListBox)
public:
    CKTCommandsListBox() = default;

    int GetItemHeight() const { return m_iItemHeight; }
    CKTToolbarButton* GetButton(int nIndex) const;

    void DrawItem(LPDRAWITEMSTRUCT lpDIS) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override;

protected:
    void PreSubclassWindow() override;
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnLButtonDown(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

    int m_iImageWidth = 0;
    int m_iItemHeight = 0;
};

class CKTCustomizePage : public CPropertyPage
{
    DECLARE_DYNCREATE(CKTCustomizePage)
public:
    enum
    {
        IDD = 16104
    };

    CKTCustomizePage();

    void SetAllCommandsCategory(LPCTSTR lpszCategory) { m_strAllCategory = lpszCategory; }
    CKTToolbarButton* GetSelectedButton() const { return m_pSelButton; }
    CKTCommandsListBox& GetCommandsList() { return m_wndCommandsList; }
    const CString& GetDescription() const { return m_strDescription; }

protected:
    BOOL OnInitDialog() override;
    void OnSelchangeCategory();
    void OnSelchangeCommands();
    DECLARE_MESSAGE_MAP()

    CKTToolbarCustomize* GetSheet() const;
    void UpdateDescription();

    CListBox m_wndCategory;
    CKTCommandsListBox m_wndCommandsList;
    CString m_strDescription;
    CKTToolbarButton* m_pSelButton = nullptr;
    CString m_strAllCategory;
};
