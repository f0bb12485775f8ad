// Layout files, the conversion commands and the close checks of the layout editor.
#include "table/LayoutView.h"

#include "pagemodel/OxReadWrite.h"
#include "pagemodel/AtomicFileWriter.h"
#include "table/ConversionMessages.h"
#include "table/LayoutActions.h"

namespace
{

constexpr const wchar_t* CannotWriteFile = L"Cannot write to file";
constexpr const wchar_t* CannotReadLayout = L"Cannot read layout from the file";
constexpr const wchar_t* MergedCellsLoadQuestion =
    L"The layout contains merged cells, which are only available in Row and Cell Editing Mode.\n"
    L"Do you wish to change to that mode?\nPress Yes to change modes\nPress No to split the cells\n"
    L"Press Cancel to cancel the loading";
constexpr const wchar_t* LayoutFilter = L"Layout Files (*.layout)|*.layout|All Files (*.*)|*.*||";
constexpr const wchar_t* ExcelMissing =
    L"Microsoft Excel must be installed on this computer for this option to be available";
constexpr const wchar_t* WordMissing =
    L"Microsoft Word must be installed on this computer for this option to be available";
constexpr const wchar_t* PredefinedRangeInvalid = L"Predefined page range is not valid for this PDF file";
constexpr const wchar_t* NotConvertedQuestion = L"The data was not converted; do you wish to close the file anyway?";

constexpr int32_t ExitConversionFailed = 301;
constexpr int32_t ExitNothingToConvert = 402;

} // namespace

// --- layout files ----------------------------------------------------------------------------

bool LayoutView::OpenLayout()
{
    std::wstring path;
    if (!Shell().AskOpenLayout(GetViewWindow(), path) || !OpenLayoutFile(path))
        return false;
    // The loaded layout's merged cells and the view's modes, buttons and zoom box agree again.
    CheckMergedCellsMode();
    return true;
}

bool LayoutView::OpenLayoutFile(const std::wstring& path)
{
    OxReadWriteFile file;
    if (!file.Open(path.c_str(), true, false))
    {
        ModalResult(CannotReadLayout, MB_OK | MB_ICONERROR);
        return false;
    }
    // The file is read into a copy: a refused file leaves the layout and the undo list alone.
    ConvertingTableLayout& layout = GetLayout();
    ConvertingTableLayout loaded = layout;
    if (!loaded.Read(file))
    {
        ModalResult(CannotReadLayout, MB_OK | MB_ICONERROR);
        return false;
    }
    file.Close();
    if (!ConfirmMergedCells(loaded))
        return false;
    loaded.SetTrailerValue(layout.GetTrailerValue());
    loaded.SetTrailerFlag(layout.GetTrailerFlag());
    InvalidateLayoutRect(nullptr);
    const ConvertingTableLayout before = layout;
    layout = loaded;
    m_selection.clear();
    // Recorded as fitted, so that Redo never brings back a table reaching off the page.
    FitLayoutToPage();
    Add(std::make_unique<LayoutChange>(before, layout));
    if (!layout.IsEmpty())
    {
        m_autoColumnDetection = false;
        InvalidateLayoutRect(nullptr);
    }
    UpdatePreview();
    Shell().AddRecentLayout(path);
    return true;
}

bool LayoutView::ConfirmMergedCells(ConvertingTableLayout& layout)
{
    LayoutShell& shell = Shell();
    if (shell.IsAdvancedMode() || !layout.HasMergedCells())
        return true;
    switch (ModalResult(MergedCellsLoadQuestion, MB_YESNOCANCEL | MB_ICONQUESTION))
    {
    case IDCANCEL:
        return false;
    case IDYES:
        shell.SetAdvancedMode(true);
        SetRowAndCellEditing(true);
        return true;
    default:
        layout.ResetIds();
        return true;
    }
}

std::wstring LayoutView::LayoutNameFor(const std::wstring& documentName)
{
    std::wstring name = documentName;
    const size_t dot = name.rfind(L'.');
    const size_t slash = name.find_last_of(L"\\/");
    if (dot != std::wstring::npos && (slash == std::wstring::npos || dot > slash))
        name.erase(dot);
    return name + L".layout";
}

void LayoutView::SaveLayout(const wchar_t* name)
{
    const std::wstring document = name ? std::wstring(name) : GetDocumentName();
    std::wstring path;
    if (!Shell().AskSaveFile(GetViewWindow(), LayoutFilter, L"layout", LayoutNameFor(document), path))
        return;
    if (SaveLayoutFile(path))
        Shell().AddRecentLayout(path);
}

bool LayoutView::SaveLayoutFile(const std::wstring& path)
{
    // Write refuses a layout the reader would refuse; a failed save keeps the old file.
    AtomicFileWriter writer;
    const bool saved = writer.Begin(path.c_str()) && GetLayout().Write(writer) && writer.Commit();
    if (!saved)
    {
        writer.Discard();
        ModalResult(CannotWriteFile, MB_OK | MB_ICONERROR);
    }
    return saved;
}

// --- conversion ------------------------------------------------------------------------------

bool LayoutView::CanConvert() const
{
    return !GetLayout().IsEmpty() && GetLayout().HasConvertedColumn() && !Shell().IsTextSelectionMode();
}

void LayoutView::OnConvert()
{
    LayoutShell& shell = Shell();
    if (CanConvert())
    {
        if (Convert())
            return;
        if (shell.IsNoUI())
        {
            if (shell.GetExitCode() == 0)
                shell.SetExitCode(ExitConversionFailed);
            if (LayoutFrame* frame = GetFrame())
                ::PostMessageW(frame->GetFrameWindow(), WM_CLOSE, 0, 0);
        }
        return;
    }
    if (!shell.IsNoUI())
        return;
    MarkConverted();
    if (shell.GetExitCode() == 0)
        shell.SetExitCode(ExitNothingToConvert);
    if (LayoutFrame* frame = GetFrame())
        ::PostMessageW(frame->GetFrameWindow(), WM_CLOSE, 0, 0);
}

void LayoutView::OnConvertTo(UINT command)
{
    if (command < CmdConvertToFirst || command > CmdConvertToLast)
        return;
    if (CanConvert())
    {
        Shell().GetOptions().m_target = static_cast<ConversionTarget>(command - CmdConvertToFirst);
        Shell().UpdateConvertButton();
    }
    OnConvert();
}

bool LayoutView::RunConversion(ConversionJob& job, int32_t currentPage, int32_t pageCount)
{
    LayoutShell& shell = Shell();
    LayoutOptions& options = shell.GetOptions();
    bool pagesFilled = false;
    m_userCancelled = false;
    if (!shell.IsNoUI() && !shell.HasRangeOption() && options.m_askConvertPages)
    {
        ConversionPagesAnswer answer;
        if (!shell.AskConversionPages(GetViewWindow(), options.m_convertPages, pageCount, currentPage, answer))
        {
            m_userCancelled = true;
            return false;
        }
        options.m_convertPages = answer.m_convertPages;
        if (answer.m_dontAskAgain)
            options.m_askConvertPages = false;
        if (answer.m_convertPages == 2)
        {
            job.SetPages(answer.m_pages);
            pagesFilled = true;
        }
    }
    switch (options.m_convertPages)
    {
    case 0:
        job.SetPages({{currentPage, currentPage + 1}});
        job.SetPerPageDetection(false);
        return true;
    case 1:
        job.SetPages({{1, pageCount + 1}});
        job.SetPerPageDetection(pageCount != 1 && GetLayout().GetAutoRowDetection());
        return true;
    default:
        break;
    }
    if (!pagesFilled)
    {
        PageRangeList pages;
        if (shell.GetRangeOption(pages))
        {
            if (pages.empty() || pages.back().end > pageCount + 1 || pages.front().first < 1)
            {
                ModalResult(PredefinedRangeInvalid, MB_OK | MB_ICONERROR);
                return false;
            }
        }
        else
        {
            if (shell.IsNoUI())
                return false;
            pages = {{currentPage, currentPage + 1}};
            if (!shell.AskPageRange(GetViewWindow(), pageCount, pages))
            {
                m_userCancelled = true;
                return false;
            }
        }
        job.SetPages(pages);
    }
    if (!IsValidPageRangeList(job.GetPages(), pageCount))
        return false;
    job.SetPerPageDetection(NeedsPerPageDetection(job.GetPages(), currentPage, GetLayout().GetAutoRowDetection()));
    return true;
}

bool LayoutView::StartConversion(ConversionJob& job)
{
    m_userCancelled = false;
    LayoutShell& shell = Shell();
    const LayoutOptions& options = shell.GetOptions();
    job.SetLayout(&GetLayout());
    const ConversionTarget target = job.GetTarget();
    bool needsExcel = target == TargetExcelSheet || target == TargetClipboardExcel;
    if (target == TargetExcelFile)
    {
        std::wstring output;
        if (!shell.GetOutputOption(output))
            output = GetDocumentName();
        if (output.empty())
        {
            // With a user interface an empty name is the user's: the save dialog or the
            // overwrite question was cancelled.
            m_userCancelled = !shell.IsNoUI();
            return false;
        }
        job.SetOutputFileName(output);
        needsExcel = true;
    }
    if (needsExcel && !options.m_excelInstalled)
    {
        ModalResult(ExcelMissing, MB_OK | MB_ICONERROR);
        return false;
    }
    if (target == TargetClipboardWord && !options.m_wordInstalled)
    {
        ModalResult(WordMissing, MB_OK | MB_ICONERROR);
        return false;
    }
    SetNotice(std::wstring());
    if (!RunJob(job, !shell.IsNoUI()))
    {
        m_userCancelled = true;
        return false;
    }
    // What the conversion had to change (cells cut to what the target holds) is said once,
    // after it, to a user who is there to read it.
    if (!shell.IsNoUI() && !GetNotice().empty())
        ModalResult(GetNotice(), MB_OK | MB_ICONWARNING);
    return true;
}

bool LayoutView::TakeUserCancel()
{
    const bool cancelled = m_userCancelled;
    m_userCancelled = false;
    return cancelled;
}

bool LayoutView::RunJob(ConversionJob& job, bool)
{
    job.Run(this, nullptr);
    return true;
}

bool LayoutView::CanClose()
{
    if (m_converted)
        return true;
    if (Convert())
        return true;
    return ConfirmCloseUnconverted();
}

bool LayoutView::ConfirmCloseUnconverted()
{
    if ((Shell().GetRunFlags() & LayoutShell::RunWarnUnconverted) == 0)
        return true;
    return ModalResult(NotConvertedQuestion, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
}
