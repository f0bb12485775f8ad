#pragma once
// What the layout editor and the page views ask of the running program and of the frame that
// holds a view. The program's application and frames implement these; the table layer never
// sees their classes. All of it runs on the user-interface thread.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "table/ConversionTarget.h"
#include "table/PageRangeList.h"

class ConvertingTableGrid;

// The options record's fields that the views read and write.
struct LayoutOptions
{
    ConversionTarget m_target = TargetExcelSheet;
    int32_t m_convertPages = 0; // 0 current page, 1 all pages, 2 page ranges
    bool m_askConvertPages = true;
    bool m_excelInstalled = false; // "Excel.Application" is registered
    bool m_wordInstalled = false;  // "Word.Application" is registered
    bool m_drawHandles = false;
    bool m_drawRowAlways = false;
    int32_t m_textSelectionDir = 0; // 0 automatic, 1 left to right, 2 right to left
    bool m_excelKeepFormatting = true;
    bool m_excelMergeCells = true;
    bool m_wordKeepFormatting = true;
    bool m_wordMergeCells = true;
    std::wstring m_excelNumber = L"0.0000";
    std::wstring m_excelCurrency = L"[$$-409]#,##0.00_);[Red]([$$-409]#,##0.00)";
    std::wstring m_excelDate = L"mm/dd/yy";
    std::wstring m_excelTime = L"hh:mm";
};

// The answer of the pages-to-convert question.
struct ConversionPagesAnswer
{
    int32_t m_convertPages = 0; // 0 current page, 2 page ranges
    bool m_dontAskAgain = false;
    PageRangeList m_pages;
};

// The search the main frame's find dialog holds: read by the Find Next command.
struct OxTextFindInterface
{
    std::wstring m_findText;
    bool m_searchDown = true;
    bool m_matchCase = false;
};

class LayoutShell
{
public:
    // Run flags of the command line.
    static constexpr uint32_t RunAutoClose = 0x8000;
    static constexpr uint32_t RunWarnUnconverted = 0x4000;

    virtual ~LayoutShell() = default;

    virtual bool IsTextSelectionMode() const = 0;
    virtual void SetSelectionMode(int32_t mode) = 0;
    virtual bool IsAdvancedMode() const = 0;
    virtual void SetAdvancedMode(bool on) = 0;
    virtual bool IsNoUI() const = 0;
    virtual bool HasRangeOption() const = 0;
    virtual bool GetRangeOption(PageRangeList& pages) const = 0;
    virtual bool GetOutputOption(std::wstring& output) const = 0;
    virtual uint32_t GetRunFlags() const = 0;
    virtual int32_t GetExitCode() const = 0;
    virtual void SetExitCode(int32_t code) = 0;
    virtual LayoutOptions& GetOptions() = 0;

    // The main frame.
    virtual HWND GetMainWindow() const = 0;
    virtual void SetColumnModeButton(int32_t kind) = 0;
    // The selection-mode button shows the application's current mode.
    virtual void UpdateSelectionModeButton() = 0;
    // Every zoom box shows the zoom as "%d%%", when the view is the active one.
    virtual void ShowZoom(HWND view, int32_t zoom) = 0;
    // The text the zoom box holds; false when there is no zoom box.
    virtual bool GetZoomBoxText(std::wstring& text) const = 0;
    virtual void UpdateConvertButton() = 0;
    virtual void RefreshMainFrame() = 0;
    virtual bool GetFindDialogRect(RECT& rect) const = 0;
    virtual void MoveFindDialogAway() = 0;
    // The main frame's search; null when there is no main frame.
    virtual OxTextFindInterface* GetTextFind() = 0;

    // Dialogs. ShowMessage answers as MessageBox does (IDYES, IDNO, IDCANCEL, IDOK).
    virtual int ShowMessage(HWND owner, const std::wstring& text, UINT type) = 0;
    // False when the user did not confirm.
    virtual bool AskConversionPages(HWND owner, int32_t mode, int32_t pageCount, int32_t currentPage,
                                    ConversionPagesAnswer& answer) = 0;
    virtual bool AskPageRange(HWND owner, int32_t pageCount, PageRangeList& pages) = 0;
    // A number for the go-to-page prompt; false when cancelled.
    virtual bool AskPageNumber(HWND owner, const std::wstring& title, std::wstring& text) = 0;
    // The layout open dialog with the recent layouts; path is the chosen file.
    virtual bool AskOpenLayout(HWND owner, std::wstring& path) = 0;
    virtual bool AskSaveFile(HWND owner, const std::wstring& filter, const std::wstring& defaultExtension,
                             const std::wstring& proposedName, std::wstring& path) = 0;
    // Puts the path at the top of the recent layouts and writes the list.
    virtual void AddRecentLayout(const std::wstring& path) = 0;
    // Shows the submenu of the menu resource at the screen point in the program's menu style, its
    // commands going to the owner.
    virtual void ShowContextMenu(HWND owner, UINT menuId, int submenu, POINT screenPoint) = 0;
};

// The child frame around one view.
class LayoutFrame
{
public:
    virtual ~LayoutFrame() = default;

    // The receiver owns the grid; null means no grid.
    virtual void UpdateTablePreview(std::unique_ptr<ConvertingTableGrid> grid) = 0;
    virtual void UpdateTextPreview(const std::wstring& text) = 0;
    // The number in the page box, 0 when none.
    virtual int32_t GetCurrentPage() const = 0;
    virtual void SetCurrentPage(int32_t page) = 0;
    // The Excel output file name; empty when there is none (the user cancelled).
    virtual void GetOutputFileName(std::wstring& name) = 0;
    virtual void SetModified(bool modified) = 0;
    virtual void SetDocumentName(const std::wstring& name) = 0;
    virtual std::wstring GetDocumentName() const = 0;
    // The path of the file the view opens.
    virtual void SetDocumentPath(const std::wstring&) {}
    virtual HWND GetFrameWindow() const = 0;
};

// The running program's shell; none before the application sets it.
LayoutShell* GetLayoutShell();
void SetLayoutShell(LayoutShell* shell);
