#pragma once
// The dialogs that ask which pages a conversion takes, and the one-line text prompt.
#include <string>

#include "framework/Afx.h"
#include "table/PageRangeList.h"

// Shared by both page dialogs: the list shown in the edit, read back on OK.
class CPageListDlg : public CDialog
{
public:
    CPageListDlg(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {}
    PageRangeList m_pages;
    int32_t m_pageCount = 0;

protected:
    void ShowList();
    // False, after telling the user why, when the edit holds no valid list within the pages.
    bool ReadList();
};

class CConversionPagesDlg : public CPageListDlg
{
public:
    explicit CConversionPagesDlg(CWnd* parent = nullptr);
    // mode 0: the current page; 1: every page; 2: page ranges, preset to the current page.
    void Init(int32_t mode, int32_t pageCount, int32_t currentPage);
    // 2 when "Pages" was chosen, else 0.
    int32_t GetConvertPages() const { return m_choice == 1 ? 2 : 0; }
    bool m_dontAskAgain = false;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnChoice();
    void OnPagesChosen();
    void OnHelpButton();
    DECLARE_MESSAGE_MAP()

private:
    void EnableList();
    int32_t m_currentPage = 1;
    int32_t m_choice = -1; // 0 current page, 1 pages
};

class CPageRangeDlg : public CPageListDlg
{
public:
    CPageRangeDlg();

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};

class CStringDlg : public CDialog
{
public:
    explicit CStringDlg(CWnd* parent = nullptr);
    std::wstring m_text;
    std::wstring m_caption;
    // What the user types, above the edit (with its access key); none when empty.
    std::wstring m_label;
    bool m_allowEmpty = false;
    bool m_numbersOnly = false;
    int m_maxLength = 255;
    DWORD m_helpContext = 0;
    bool m_multiLine = false;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
    // With a help context the dialog's help is that context; without one the framework's.
    LRESULT OnHelpRequest(WPARAM, LPARAM);
    LRESULT OnHelpHitTest(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    HWND Edit() const;
};
