#include "app/PageDialogs.h"

#include "app/AppRes.h"
#include "app/PageListParser.h"
#include "pagemodel/RtlText.h"

namespace
{

constexpr const wchar_t* OnlyNumbers = L"Please enter only numeric ranges and page numbers, separated by commas";
constexpr const wchar_t* BadPages = L"The page numbers that you entered are incorrect.\nPage numbers and ranges are "
                                    L"only allowed from 1 up to %d, which is the last page.";
constexpr UINT HelpCommand = 57670;

std::wstring WithCount(const wchar_t* format, int32_t count)
{
    std::wstring text = format;
    const size_t at = text.find(L"%d");
    if (at != std::wstring::npos)
        text.replace(at, 2, std::to_wstring(count));
    return text;
}

std::wstring WindowText(HWND window)
{
    const int length = ::GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::GetWindowTextW(window, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

} // namespace

void CPageListDlg::ShowList()
{
    ::SetDlgItemTextW(m_hWnd, IDC_PAGE_LIST, FormatPageList(m_pages).c_str());
    const std::wstring format = WindowText(::GetDlgItem(m_hWnd, IDC_PAGE_COUNT));
    ::SetDlgItemTextW(m_hWnd, IDC_PAGE_COUNT, WithCount(format.c_str(), m_pageCount).c_str());
}

bool CPageListDlg::ReadList()
{
    HWND edit = ::GetDlgItem(m_hWnd, IDC_PAGE_LIST);
    PageRangeList pages;
    std::wstring message;
    if (!ParsePageList(WindowText(edit), pages))
        message = OnlyNumbers;
    else if (pages.front().first < 1 || pages.back().end - 1 > m_pageCount)
        message = WithCount(BadPages, m_pageCount);
    if (!message.empty())
    {
        ::MessageBoxW(m_hWnd, message.c_str(), L"Kest", MB_OK | MB_ICONINFORMATION);
        ::SetFocus(edit);
        return false;
    }
    m_pages = pages;
    return true;
}

BEGIN_MESSAGE_MAP(CConversionPagesDlg, CDialog)
ON_BN_CLICKED(IDC_CURRENT_PAGE_ONLY, &CConversionPagesDlg::OnChoice)
ON_BN_CLICKED(IDC_PAGES, &CConversionPagesDlg::OnPagesChosen)
ON_BN_CLICKED(IDC_PAGES_HELP, &CConversionPagesDlg::OnHelpButton)
END_MESSAGE_MAP()

CConversionPagesDlg::CConversionPagesDlg(CWnd* parent) : CPageListDlg(IDD_CONVERSION_PAGES, parent) {}

void CConversionPagesDlg::Init(int32_t mode, int32_t pageCount, int32_t currentPage)
{
    m_pageCount = pageCount;
    m_currentPage = currentPage;
    m_choice = mode == 0 ? 0 : 1;
    m_pages = mode == 1 ? PageRangeList{{1, pageCount + 1}} : PageRangeList{{currentPage, currentPage + 1}};
}

BOOL CConversionPagesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow();
    ShowList();
    ::CheckRadioButton(m_hWnd, IDC_CURRENT_PAGE_ONLY, IDC_PAGES, m_choice == 1 ? IDC_PAGES : IDC_CURRENT_PAGE_ONLY);
    ::CheckDlgButton(m_hWnd, IDC_DONT_ASK_AGAIN, m_dontAskAgain ? BST_CHECKED : BST_UNCHECKED);
    EnableList();
    return TRUE;
}

void CConversionPagesDlg::EnableList()
{
    ::EnableWindow(::GetDlgItem(m_hWnd, IDC_PAGE_LIST), ::IsDlgButtonChecked(m_hWnd, IDC_PAGES) == BST_CHECKED);
}

void CConversionPagesDlg::OnChoice()
{
    EnableList();
}

void CConversionPagesDlg::OnPagesChosen()
{
    EnableList();
    ::SetFocus(::GetDlgItem(m_hWnd, IDC_PAGE_LIST));
}

void CConversionPagesDlg::OnHelpButton()
{
    if (CWnd* main = AfxGetMainWnd())
        ::SendMessageW(main->m_hWnd, WM_COMMAND, HelpCommand, 0);
}

void CConversionPagesDlg::OnOK()
{
    const bool pages = ::IsDlgButtonChecked(m_hWnd, IDC_PAGES) == BST_CHECKED;
    // The list is read only when it is what the user chose; a disabled edit may hold anything.
    if (pages && !ReadList())
        return;
    m_choice = pages ? 1 : 0;
    m_dontAskAgain = ::IsDlgButtonChecked(m_hWnd, IDC_DONT_ASK_AGAIN) == BST_CHECKED;
    CDialog::OnOK();
}

CPageRangeDlg::CPageRangeDlg() : CPageListDlg(IDD_PAGE_RANGE, nullptr) {}

BOOL CPageRangeDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow();
    ShowList();
    return TRUE;
}

void CPageRangeDlg::OnOK()
{
    if (ReadList())
        CDialog::OnOK();
}

BEGIN_MESSAGE_MAP(CStringDlg, CDialog)
ON_MESSAGE(WM_HELP, &CStringDlg::OnHelpRequest)
ON_MESSAGE(WM_HELPHITTEST, &CStringDlg::OnHelpHitTest)
END_MESSAGE_MAP()

CStringDlg::CStringDlg(CWnd* parent) : CDialog(IDD_STRING, parent) {}

LRESULT CStringDlg::OnHelpRequest(WPARAM, LPARAM)
{
    if (m_helpContext == 0)
        return Default();
    if (CWinApp* app = AfxGetApp())
        app->WinHelp(m_helpContext, HELP_CONTEXT);
    return TRUE;
}

LRESULT CStringDlg::OnHelpHitTest(WPARAM, LPARAM)
{
    return m_helpContext != 0 ? static_cast<LRESULT>(m_helpContext) : Default();
}

HWND CStringDlg::Edit() const
{
    return ::GetDlgItem(m_hWnd, m_multiLine ? IDC_STRING_MULTILINE : IDC_STRING_EDIT);
}

BOOL CStringDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow();
    if (!m_caption.empty())
        ::SetWindowTextW(m_hWnd, m_caption.c_str());
    ::SetDlgItemTextW(m_hWnd, IDC_STRING_LABEL, m_label.c_str());
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_STRING_LABEL), m_label.empty() ? SW_HIDE : SW_SHOW);
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_STRING_MULTILINE), m_multiLine ? SW_SHOW : SW_HIDE);
    ::ShowWindow(::GetDlgItem(m_hWnd, IDC_STRING_EDIT), m_multiLine ? SW_HIDE : SW_SHOW);
    HWND edit = Edit();
    if (m_numbersOnly)
        ::SetWindowLongPtrW(edit, GWL_STYLE, ::GetWindowLongPtrW(edit, GWL_STYLE) | ES_NUMBER);
    ::SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(m_maxLength), 0);
    ::SetWindowTextW(edit, m_text.c_str());
    ::SetFocus(edit);
    return FALSE;
}

void CStringDlg::OnOK()
{
    HWND edit = Edit();
    std::wstring text = WindowText(edit);
    if (!m_allowEmpty)
    {
        text = TrimText(text);
        if (text.empty())
        {
            ::SetFocus(edit);
            return;
        }
    }
    m_text = text;
    CDialog::OnOK();
}
