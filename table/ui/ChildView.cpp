#include "table/ui/ChildView.h"

#include <algorithm>

#include "table/CDCTableParser.h"
#include "table/ConversionMessages.h"
#include "table/ConvertingTableGrid.h"
#include "table/TableDetection.h"
#include "table/ui/ExcelExporter.h"
#include "table/ui/WordExporter.h"

namespace
{

constexpr const wchar_t* CannotSave = L"Cannot save the file";
constexpr const wchar_t* WorkFileFilter = L"Quillmere Tabulist (*.kest)|*.kest|All Files (*.*)|*.*||";
constexpr UINT CmdSaveFile = 0xE103;   // ID_FILE_SAVE
constexpr UINT CmdSaveFileAs = 0xE104; // ID_FILE_SAVE_AS
constexpr int WheelLines = 3;

// A conversion of printed pages: the parser reads them from the open work file.
class CDCConversionJob : public ConversionJob
{
public:
    CDCConversionJob(CDCWorkFile* workFile, HDC dc) : m_workFile(workFile), m_dc(dc) {}

protected:
    std::unique_ptr<ConvertingTableParser> CreateParser() override
    {
        return std::make_unique<CDCTableParser>(m_workFile, m_dc);
    }

private:
    CDCWorkFile* m_workFile;
    HDC m_dc;
};

// A device context of the window for as long as the holder lives.
class WindowDC
{
public:
    explicit WindowDC(HWND window) : m_window(window), m_dc(::GetDC(window)) {}
    ~WindowDC() { ::ReleaseDC(m_window, m_dc); }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

} // namespace

BEGIN_MESSAGE_MAP(CChildView, CBitmapLayoutView)
    ON_WM_MOUSEWHEEL()
    ON_COMMAND_RANGE(LayoutView::CmdConvertToFirst, LayoutView::CmdConvertToLast, &CChildView::OnConvertToCommand)
    ON_UPDATE_COMMAND_UI_RANGE(LayoutView::CmdConvertToFirst, LayoutView::CmdConvertToLast, &CChildView::OnUpdateConvertTo)
    ON_COMMAND(CmdSaveFile, &CChildView::OnFileSave)
    ON_COMMAND(CmdSaveFileAs, &CChildView::OnFileSaveAs)
END_MESSAGE_MAP()

CChildView::CChildView() : m_image(std::make_unique<CDCPageImage>()), m_words(std::make_unique<PageWordList>()) {}

CChildView::~CChildView() = default;

bool CChildView::LoadFile(const std::wstring& path)
{
    if (m_frame)
        m_frame->SetDocumentPath(path);
    if (!m_workFile.Open(path.c_str()))
        return false;
    int screen = 96;
    if (m_hWnd)
    {
        WindowDC dc(m_hWnd);
        screen = ::GetDeviceCaps(dc.Get(), LOGPIXELSX);
    }
    SetMaxZoomFor(m_workFile.GetResolution(), screen);
    m_loading = true;
    const bool shown = GoToPage(1);
    m_loading = false;
    if (!shown)
    {
        m_workFile.Close();
        return false;
    }
    if (m_frame)
        m_frame->SetDocumentName(m_workFile.GetFileName());
    if (m_workFile.HasLayout())
    {
        if (!m_workFile.LoadLayout(GetLayout()))
            GetLayout().Clear();
    }
    // A stored layout with merged cells asks for Row and Cell Editing as a loaded one does; the
    // layout is drawn and previewed from there.
    CheckMergedCellsMode();
    return true;
}

int32_t CChildView::GetPageCount() const
{
    return static_cast<int32_t>(std::min<uint32_t>(m_workFile.GetPageCount(), INT32_MAX));
}

bool CChildView::GoToPage(int32_t n)
{
    if (n < 1 || n > GetPageCount())
        return false;
    // Both are loaded aside first: a page that cannot be shown leaves the view wholly as it was.
    auto image = std::make_unique<CDCPageImage>();
    if (!m_workFile.LoadPageImage(static_cast<uint32_t>(n), *image))
        return false;
    auto words = std::make_unique<PageWordList>();
    {
        WindowDC dc(m_hWnd);
        if (!m_workFile.GetPageWords(static_cast<uint32_t>(n), dc.Get(), *words))
            return false;
    }
    ClearTextSelection();
    m_image = std::move(image);
    m_words = std::move(words);
    SetPageSize(m_image->GetWidth(), m_image->GetHeight());
    RebuildWordOrders();
    m_currentPage = n;
    if (m_frame)
        m_frame->SetCurrentPage(n);
    m_scrollX = m_scrollY = 0;
    UpdateScrollBars();
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    // The first page of a file being loaded waits for its layout.
    if (m_loading)
        UpdatePreview();
    else
        CheckMergedCellsMode();
    Shell().RefreshMainFrame();
    return true;
}

void CChildView::RebuildWordOrders()
{
    m_leftToRightOrder.clear();
    m_rightToLeftOrder.clear();
    WordList words = WordsOf(*m_words);
    if (words.size() > 1)
        SortWordsForParsing(words);
    for (const ConvertingWord* word : words)
        m_leftToRightOrder.push_back(word->m_sequence);
    // Right to left: the same lines, each read from its right end.
    size_t lineStart = 0;
    for (size_t i = 1; i <= words.size(); ++i)
    {
        if (i == words.size() || !IsSameTextLine(words[i]->m_rect, words[lineStart]->m_rect))
        {
            for (size_t k = i; k > lineStart; --k)
                m_rightToLeftOrder.push_back(words[k - 1]->m_sequence);
            lineStart = i;
        }
    }
}

void CChildView::DrawPage(HDC dc, const RECT& destination)
{
    if (!m_image || m_image->IsEmpty())
        return;
    // Shrunk, the default mode drops whole rows and columns of pixels and thin strokes vanish;
    // half-tone averages them so that every stroke stays readable.
    const bool shrunk = destination.right - destination.left < m_image->GetWidth() ||
                        destination.bottom - destination.top < m_image->GetHeight();
    m_image->SetStretchMode(shrunk ? HALFTONE : COLORONCOLOR);
    m_image->Draw(dc, &destination, nullptr);
}

bool CChildView::DetectColumns(bool keepFormats, bool* noWords)
{
    return DetectTableColumns(WordsOf(*m_words), GetLayout(), keepFormats, noWords);
}

bool CChildView::DetectRows()
{
    return DetectTableRows(WordsOf(*m_words), GetLayout());
}

bool CChildView::GetWord(int32_t n, ConvertingWord& word)
{
    return m_words->GetWord(n, word);
}

std::unique_ptr<ConvertingTableGrid> CChildView::ParseCurrentPage()
{
    if (!m_workFile.IsOpen() || m_currentPage < 1)
        return nullptr;
    WindowDC dc(m_hWnd);
    ConvertingTableLayout layout = GetLayout();
    CDCTableParser parser(&m_workFile, dc.Get());
    parser.SetLayout(&layout);
    return parser.ParsePage(m_currentPage, nullptr, false);
}

void CChildView::OnActionsChanged()
{
    m_modified = GetActionState() != m_savedState;
    if (m_frame)
        m_frame->SetModified(m_modified);
    Shell().RefreshMainFrame();
}

void CChildView::MarkSaved()
{
    m_savedState = GetActionState();
    m_modified = false;
    if (m_frame)
        m_frame->SetModified(false);
}

bool CChildView::SaveDocument(const std::wstring& path)
{
    const std::wstring target = path.empty() ? m_workFile.GetFileName() : path;
    // A layout the reader would refuse is never stored.
    const bool saved =
        m_workFile.IsOpen() && GetLayout().IsConsistent() && m_workFile.Save(target.c_str(), &GetLayout(), true);
    if (!saved)
    {
        ModalResult(CannotSave, MB_OK | MB_ICONERROR);
        return false;
    }
    MarkSaved();
    if (m_frame)
        m_frame->SetDocumentName(m_workFile.GetFileName());
    return true;
}

bool CChildView::SaveDocumentAs()
{
    std::wstring path;
    if (!Shell().AskSaveFile(m_hWnd, WorkFileFilter, L"kest", SuggestedName(), path))
        return false;
    return SaveDocument(path);
}

std::wstring CChildView::SuggestedName() const
{
    std::wstring name = m_frame ? m_frame->GetDocumentName() : m_workFile.GetFileName();
    const size_t cut = name.find_first_of(L":*?|<>/\\");
    if (cut != std::wstring::npos)
        name.erase(cut);
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos)
        name.erase(dot);
    return name;
}

bool CChildView::AddPrintedFile(const std::wstring& path)
{
    if (!m_workFile.IsOpen())
        return false;
    HCURSOR old = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    const bool added = m_workFile.AddWorkFile(path.c_str());
    ::SetCursor(old);
    if (!added)
        return false;
    ::DeleteFileW(path.c_str());
    Shell().RefreshMainFrame();
    return true;
}

bool CChildView::Convert()
{
    if (!m_workFile.IsOpen() || GetLayout().IsEmpty())
        return false;
    const LayoutOptions& options = Shell().GetOptions();
    ExcelExporter excel({options.m_excelKeepFormatting, options.m_excelMergeCells, options.m_excelNumber,
                         options.m_excelCurrency, options.m_excelDate, options.m_excelTime});
    WordExporter word({options.m_wordKeepFormatting, options.m_wordMergeCells});
    // The exporters live for this conversion only; the converter forgets them on the way out.
    struct Exporters
    {
        TableConverter& converter;
        ~Exporters()
        {
            for (int32_t target = 0; target < ConversionTargetCount; ++target)
                converter.SetExporter(static_cast<ConversionTarget>(target), nullptr);
        }
    } exporters{*this};
    for (ConversionTarget target : {TargetExcelSheet, TargetExcelFile, TargetClipboardExcel})
        SetExporter(target, &excel);
    SetExporter(TargetClipboardWord, &word);
    WindowDC dc(m_hWnd);
    CDCConversionJob job(&m_workFile, dc.Get());
    job.SetTarget(options.m_target);
    if (!RunConversion(job, m_currentPage, GetPageCount()) || !StartConversion(job))
    {
        // The user's own cancel settles the question as a conversion would: closing the view
        // does not start it again. A failure leaves the view unconverted.
        if (TakeUserCancel())
            MarkConverted();
        return false;
    }
    if (job.Succeeded())
    {
        // A conversion that worked lets the view close without the unconverted warning; one
        // that failed does not.
        MarkConverted();
        if ((Shell().GetRunFlags() & LayoutShell::RunAutoClose) != 0)
            ::PostMessageW(Shell().GetMainWindow(), WM_CLOSE, 0, 0);
        return true;
    }
    ModalResult(ConversionErrorMessage(GetErrorText(), IsErrorFinal()), MB_OK | MB_ICONERROR);
    return false;
}

BOOL CChildView::OnMouseWheel(UINT, short delta, CPoint)
{
    // Three line steps a notch, whatever the size of the delta.
    const int step = delta > 0 ? -LineStep : delta < 0 ? LineStep : 0;
    for (int i = 0; i < WheelLines; ++i)
        ScrollBy(0, step);
    return TRUE;
}

void CChildView::OnConvertToCommand(UINT id)
{
    OnConvertTo(id);
}

void CChildView::OnUpdateConvertTo(CCmdUI* ui)
{
    ui->SetCheck(static_cast<int32_t>(ui->m_nID - CmdConvertToFirst) == Shell().GetOptions().m_target ? 1 : 0);
}

void CChildView::OnFileSave()
{
    SaveDocument();
}

void CChildView::OnFileSaveAs()
{
    SaveDocumentAs();
}
