#include "app/SettingsPages.h"

#include "app/AppRes.h"
#include "app/AppStrings.h"
#include "table/ui/AutomationSupport.h"
#include "table/ui/ExcelAutomation.h"

namespace
{

constexpr int FormatLength = 64;
constexpr int TargetCount = IDC_TARGET_LAST - IDC_TARGET_FIRST + 1;
constexpr int PageChoiceCount = IDC_CONVERT_RANGE - IDC_CONVERT_CURRENT + 1;
const wchar_t* const SelectionDirections[] = {L"Automatic", L"Left-to-Right", L"Right-to-Left"};
constexpr int SelectionDirectionCount = 3;

// The formats' edits with their labels, in the order Excel tries them.
struct FormatField
{
    UINT edit;
    UINT label;
};
constexpr FormatField FormatFields[] = {{IDC_EXCEL_CURRENCY, IDC_LABEL_CURRENCY},
                                        {IDC_EXCEL_DATE, IDC_LABEL_DATE},
                                        {IDC_EXCEL_TIME, IDC_LABEL_TIME},
                                        {IDC_EXCEL_NUMBER, IDC_LABEL_NUMBER}};

std::wstring ItemText(HWND dialog, UINT id)
{
    HWND item = ::GetDlgItem(dialog, static_cast<int>(id));
    const int length = ::GetWindowTextLengthW(item);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::GetWindowTextW(item, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

bool Checked(HWND dialog, UINT id)
{
    return ::IsDlgButtonChecked(dialog, static_cast<int>(id)) == BST_CHECKED;
}

void Check(HWND dialog, UINT id, bool on)
{
    ::CheckDlgButton(dialog, static_cast<int>(id), on ? BST_CHECKED : BST_UNCHECKED);
}

// The index of the checked button of a group; -1 when none is checked.
int CheckedIndex(HWND dialog, UINT first, int count)
{
    for (int i = 0; i < count; ++i)
        if (Checked(dialog, first + static_cast<UINT>(i)))
            return i;
    return -1;
}

// Checks the button of the value; a value from the profile outside the group checks none.
void CheckIndex(HWND dialog, UINT first, int count, int value)
{
    for (int i = 0; i < count; ++i)
        Check(dialog, first + static_cast<UINT>(i), i == value);
}

// "&Currency Format:" names its field as "Currency Format".
std::wstring FieldName(const std::wstring& label)
{
    std::wstring name;
    for (wchar_t c : label)
        if (c != L'&' && c != L':')
            name += c;
    return name;
}

} // namespace

CSettingsConversionPage::CSettingsConversionPage(ConvertingOptions& options)
    : CPropertyPage(IDD_SETTINGS_CONVERSION), m_options(options)
{
}

BOOL CSettingsConversionPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    CheckIndex(m_hWnd, IDC_TARGET_FIRST, TargetCount, static_cast<int>(m_options.m_target));
    CheckIndex(m_hWnd, IDC_CONVERT_CURRENT, PageChoiceCount, m_options.m_convertPages);
    Check(m_hWnd, IDC_ASK_PAGES, m_options.m_askConvertPages);
    Check(m_hWnd, IDC_USE_WIZARD, false);
    Check(m_hWnd, IDC_ASK_TARGET, false);
    ::SetFocus(::GetDlgItem(m_hWnd, IDC_TARGET_FIRST));
    return FALSE;
}

void CSettingsConversionPage::OnOK()
{
    const int target = CheckedIndex(m_hWnd, IDC_TARGET_FIRST, TargetCount);
    if (target >= 0)
        m_options.m_target = static_cast<ConversionTarget>(target);
    const int pages = CheckedIndex(m_hWnd, IDC_CONVERT_CURRENT, PageChoiceCount);
    if (pages >= 0)
        m_options.m_convertPages = pages;
    m_options.m_askConvertPages = Checked(m_hWnd, IDC_ASK_PAGES);
    CPropertyPage::OnOK();
}

CSettingsOutputPage::CSettingsOutputPage(ConvertingOptions& options)
    : CPropertyPage(IDD_SETTINGS_OUTPUT), m_testFormats(TestFormatsOnExcel), m_options(options)
{
}

BOOL CSettingsOutputPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    Check(m_hWnd, IDC_EXCEL_KEEP_FORMAT, m_options.m_excelKeepFormatting);
    Check(m_hWnd, IDC_EXCEL_MERGE, m_options.m_excelMergeCells);
    Check(m_hWnd, IDC_WORD_KEEP_FORMAT, m_options.m_wordKeepFormatting);
    Check(m_hWnd, IDC_WORD_MERGE, m_options.m_wordMergeCells);
    const std::pair<UINT, const std::wstring*> formats[] = {{IDC_EXCEL_NUMBER, &m_options.m_excelNumber},
                                                            {IDC_EXCEL_CURRENCY, &m_options.m_excelCurrency},
                                                            {IDC_EXCEL_DATE, &m_options.m_excelDate},
                                                            {IDC_EXCEL_TIME, &m_options.m_excelTime}};
    for (const auto& format : formats)
    {
        ::SendDlgItemMessageW(m_hWnd, static_cast<int>(format.first), EM_LIMITTEXT, FormatLength, 0);
        // A longer text from the profile is cut to what the field takes.
        ::SetDlgItemTextW(m_hWnd, static_cast<int>(format.first), format.second->substr(0, FormatLength).c_str());
    }
    ::CheckRadioButton(m_hWnd, IDC_ASK_FILENAME, IDC_GENERATE_FILENAME,
                       m_options.m_askForFilename ? IDC_ASK_FILENAME : IDC_GENERATE_FILENAME);
    ::SetFocus(::GetDlgItem(m_hWnd, IDC_EXCEL_KEEP_FORMAT));
    return FALSE;
}

UINT CSettingsOutputPage::TestFormatsOnExcel(HWND page)
{
    ExcelApplication excel;
    if (!excel.CreateDispatch(L"Excel.Application"))
        return 0;
    UINT refused = 0;
    try
    {
        ExcelWorkbooks books(excel.GetWorkbooks());
        ExcelWorkbook book(books.Add(OmittedArgument()));
        ExcelWorksheets sheets(book.GetWorksheets());
        ExcelWorksheet sheet(sheets.GetItem(COleVariant(1L)));
        ExcelRange cell(sheet.GetRange(COleVariant(L"A1"), OmittedArgument()));
        for (const FormatField& field : FormatFields)
        {
            try
            {
                cell.SetNumberFormat(COleVariant(ItemText(page, field.edit).c_str()));
            }
            catch (CException* e)
            {
                e->Delete();
                refused = field.edit;
                break;
            }
        }
        book.Close(COleVariant(static_cast<short>(FALSE), VT_BOOL), OmittedArgument(), OmittedArgument());
    }
    catch (CException* e)
    {
        // Excel that cannot even open a sheet cannot judge the formats: they are taken as typed.
        e->Delete();
    }
    return refused;
}

BOOL CSettingsOutputPage::OnKillActive()
{
    if (m_options.m_excelInstalled && m_testFormats)
    {
        UINT refused = 0;
        {
            CWaitCursor wait;
            refused = m_testFormats(m_hWnd);
        }
        if (refused != 0)
        {
            UINT label = 0;
            for (const FormatField& field : FormatFields)
                if (field.edit == refused)
                    label = field.label;
            const std::wstring text = FormatAppString(IDS_INVALID_FORMAT, FieldName(ItemText(m_hWnd, label)));
            AfxMessageBox(text.c_str(), MB_OK | MB_ICONERROR);
            ::SetFocus(::GetDlgItem(m_hWnd, static_cast<int>(refused)));
            return FALSE;
        }
    }
    return CPropertyPage::OnKillActive();
}

void CSettingsOutputPage::OnOK()
{
    m_options.m_excelKeepFormatting = Checked(m_hWnd, IDC_EXCEL_KEEP_FORMAT);
    m_options.m_excelMergeCells = Checked(m_hWnd, IDC_EXCEL_MERGE);
    m_options.m_wordKeepFormatting = Checked(m_hWnd, IDC_WORD_KEEP_FORMAT);
    m_options.m_wordMergeCells = Checked(m_hWnd, IDC_WORD_MERGE);
    m_options.m_excelNumber = ItemText(m_hWnd, IDC_EXCEL_NUMBER);
    m_options.m_excelCurrency = ItemText(m_hWnd, IDC_EXCEL_CURRENCY);
    m_options.m_excelDate = ItemText(m_hWnd, IDC_EXCEL_DATE);
    m_options.m_excelTime = ItemText(m_hWnd, IDC_EXCEL_TIME);
    m_options.m_askForFilename = Checked(m_hWnd, IDC_ASK_FILENAME);
    CPropertyPage::OnOK();
}

CSettingsDisplayPage::CSettingsDisplayPage(ConvertingOptions& options)
    : CPropertyPage(IDD_SETTINGS_DISPLAY), m_options(options)
{
}

BOOL CSettingsDisplayPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    Check(m_hWnd, IDC_SHOW_HANDLES, m_options.m_drawHandles);
    Check(m_hWnd, IDC_ROW_LINES, m_options.m_drawRowAlways);
    HWND directions = ::GetDlgItem(m_hWnd, IDC_SELECTION_DIR);
    for (const wchar_t* direction : SelectionDirections)
        ::SendMessageW(directions, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(direction));
    const int32_t direction = m_options.m_textSelectionDir;
    ::SendMessageW(directions, CB_SETCURSEL,
                   direction >= 0 && direction < SelectionDirectionCount ? static_cast<WPARAM>(direction)
                                                                         : static_cast<WPARAM>(-1),
                   0);
    ::SetFocus(::GetDlgItem(m_hWnd, IDC_SHOW_HANDLES));
    return FALSE;
}

void CSettingsDisplayPage::OnOK()
{
    m_options.m_drawHandles = Checked(m_hWnd, IDC_SHOW_HANDLES);
    m_options.m_drawRowAlways = Checked(m_hWnd, IDC_ROW_LINES);
    const LRESULT direction = ::SendDlgItemMessageW(m_hWnd, IDC_SELECTION_DIR, CB_GETCURSEL, 0, 0);
    if (direction >= 0 && direction < SelectionDirectionCount)
        m_options.m_textSelectionDir = static_cast<int32_t>(direction);
    CPropertyPage::OnOK();
}

namespace
{

// The sheet opens over the window it belongs to, not at the screen's corner.
class CCentredSheet : public CPropertySheet
{
public:
    using CPropertySheet::CPropertySheet;
    BOOL OnInitDialog() override
    {
        const BOOL result = CPropertySheet::OnInitDialog();
        CenterWindow();
        return result;
    }
};

} // namespace

INT_PTR RunSettingsSheet(ConvertingOptions& working, CWnd* parent, CSettingsOutputPage::FormatTest formatTest)
{
    CCentredSheet sheet(LoadAppString(IDS_SETTINGS).c_str(), parent);
    CSettingsConversionPage conversion(working);
    CSettingsOutputPage output(working);
    output.m_testFormats = formatTest;
    CSettingsDisplayPage display(working);
    sheet.AddPage(&conversion);
    sheet.AddPage(&output);
    sheet.AddPage(&display);
    return sheet.DoModal();
}
