#pragma once
// A shell and a frame that record what the layout editor asks of them and answer as scripted,
// and an editor over a list of words without a window, for the editing rules.
#include "pagemodel/ConvertingWord.h"
#include "table/ConvertingTableGrid.h"
#include "table/LayoutView.h"
#include "table/TableDetection.h"

#include <deque>
#include <memory>
#include <string>
#include <vector>

class TestShell : public LayoutShell
{
public:
    TestShell() { SetLayoutShell(this); }
    ~TestShell() override { SetLayoutShell(nullptr); }

    bool IsTextSelectionMode() const override { return m_mode == 1; }
    void SetSelectionMode(int32_t mode) override { m_mode = mode; }
    bool IsAdvancedMode() const override { return m_advanced; }
    void SetAdvancedMode(bool on) override
    {
        m_advanced = on;
        m_events.push_back(on ? "advanced on" : "advanced off");
    }
    bool IsNoUI() const override { return m_noUI; }
    bool HasRangeOption() const override { return m_hasRange; }
    bool GetRangeOption(PageRangeList& pages) const override
    {
        pages = m_range;
        return m_hasRange;
    }
    bool GetOutputOption(std::wstring& output) const override
    {
        output = m_output;
        return !output.empty();
    }
    uint32_t GetRunFlags() const override { return m_runFlags; }
    int32_t GetExitCode() const override { return m_exitCode; }
    void SetExitCode(int32_t code) override { m_exitCode = code; }
    LayoutOptions& GetOptions() override { return m_options; }
    HWND GetMainWindow() const override { return m_mainWindow; }
    void SetColumnModeButton(int32_t kind) override
    {
        m_columnModeButtons.push_back(kind);
        m_events.push_back("button " + std::to_string(kind));
    }
    void UpdateConvertButton() override { ++m_convertButtonUpdates; }
    void RefreshMainFrame() override { ++m_refreshes; }
    bool GetFindDialogRect(RECT&) const override { return false; }
    void MoveFindDialogAway() override {}
    OxTextFindInterface* GetTextFind() override { return &m_find; }
    // Answers from the script, IDOK once it runs out; every text is kept.
    int ShowMessage(HWND, const std::wstring& text, UINT) override
    {
        m_messages.push_back(text);
        m_events.push_back("message");
        if (m_answers.empty())
            return IDOK;
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    bool AskConversionPages(HWND, int32_t mode, int32_t, int32_t, ConversionPagesAnswer& answer) override
    {
        ++m_pageQuestions;
        m_askedMode = mode;
        answer = m_pagesAnswer;
        return m_confirmPages;
    }
    bool AskPageRange(HWND, int32_t, PageRangeList& pages) override
    {
        ++m_rangeQuestions;
        pages = m_rangeAnswer;
        return m_confirmRange;
    }
    bool AskPageNumber(HWND, const std::wstring&, std::wstring& text) override
    {
        text = m_pageNumber;
        return !text.empty();
    }
    bool AskOpenLayout(HWND, std::wstring& path) override
    {
        path = m_openPath;
        return !path.empty();
    }
    bool AskSaveFile(HWND, const std::wstring&, const std::wstring&, const std::wstring& proposed,
                     std::wstring& path) override
    {
        m_proposedNames.push_back(proposed);
        path = m_savePath;
        return !path.empty();
    }
    void AddRecentLayout(const std::wstring& path) override { m_recent.push_back(path); }
    void ShowContextMenu(HWND, UINT menuId, int, POINT) override { m_menus.push_back(menuId); }
    void UpdateSelectionModeButton() override { ++m_selectionModeUpdates; }
    void ShowZoom(HWND, int32_t zoom) override { m_zoomShown.push_back(zoom); }
    bool GetZoomBoxText(std::wstring& text) const override
    {
        text = m_zoomBoxText;
        return true;
    }

    int32_t m_mode = 0;
    bool m_advanced = false;
    bool m_noUI = false;
    bool m_hasRange = false;
    PageRangeList m_range;
    std::wstring m_output;
    uint32_t m_runFlags = 0;
    int32_t m_exitCode = 0;
    LayoutOptions m_options;
    HWND m_mainWindow = nullptr;
    std::vector<int32_t> m_columnModeButtons;
    int m_convertButtonUpdates = 0;
    int m_refreshes = 0;
    int m_selectionModeUpdates = 0;
    std::vector<int32_t> m_zoomShown;
    std::wstring m_zoomBoxText;
    std::vector<std::wstring> m_messages;
    std::deque<int> m_answers;
    int m_pageQuestions = 0;
    int32_t m_askedMode = -1;
    ConversionPagesAnswer m_pagesAnswer;
    bool m_confirmPages = true;
    int m_rangeQuestions = 0;
    PageRangeList m_rangeAnswer;
    bool m_confirmRange = true;
    std::wstring m_pageNumber;
    std::wstring m_openPath;
    std::wstring m_savePath;
    std::vector<std::wstring> m_proposedNames;
    std::vector<std::wstring> m_recent;
    std::vector<UINT> m_menus;
    OxTextFindInterface m_find;
    std::vector<std::string> m_events; // mode changes, buttons and messages in their order
};

class TestFrame : public LayoutFrame
{
public:
    void UpdateTablePreview(std::unique_ptr<ConvertingTableGrid> grid) override
    {
        m_lastGrid = std::move(grid);
        ++m_tablePreviews;
    }
    void UpdateTextPreview(const std::wstring& text) override { m_lastText = text; }
    int32_t GetCurrentPage() const override { return m_pageBox; }
    void SetCurrentPage(int32_t page) override { m_pageBox = page; }
    void GetOutputFileName(std::wstring& name) override { name = m_outputName; }
    void SetModified(bool modified) override { m_modified = modified; }
    void SetDocumentName(const std::wstring& name) override { m_documentName = name; }
    std::wstring GetDocumentName() const override { return m_documentName; }
    HWND GetFrameWindow() const override { return m_window; }

    std::unique_ptr<ConvertingTableGrid> m_lastGrid;
    int m_tablePreviews = 0;
    std::wstring m_lastText;
    int32_t m_pageBox = 0;
    std::wstring m_outputName;
    bool m_modified = false;
    std::wstring m_documentName;
    HWND m_window = nullptr;
};

// The editor over words held in memory; page units are window pixels, nothing is shown.
class WordLayoutView : public LayoutView
{
public:
    WordLayoutView() { SetMinimumSizes(10, 10); }

    WordLayoutView& AddWord(LONG left, LONG top, LONG right, LONG bottom, const std::wstring& text)
    {
        auto word = std::make_unique<ConvertingWord>(RECT{left, top, right, bottom}, text);
        word->m_sequence = static_cast<int32_t>(m_words.size()) + 1;
        m_leftToRightOrder.push_back(word->m_sequence);
        m_words.push_back(std::move(word));
        return *this;
    }
    void SetRightToLeftOrder(const std::vector<int32_t>& order) { m_rightToLeftOrder = order; }
    bool Convert() override { return m_convertResult; }
    void SetPage(LONG width, LONG height) { m_page = {0, 0, width, height}; }
    void SetZoom(int32_t zoom) { SetZoomField(zoom); }
    using LayoutView::FitLayoutToPage;

    bool m_convertResult = false;
    TestFrame m_frame;
    int m_captures = 0;
    int m_selectionChanges = 0;

protected:
    void Redraw() override {}
    bool LayoutToScreen(RECT&) override { return true; }
    HWND GetViewWindow() override { return nullptr; }
    void InvalidateLayoutRect(const RECT*) override {}
    RECT GetPageRect() override { return m_page; }
    bool DetectColumns(bool keepFormats, bool* noWords) override
    {
        return DetectTableColumns(Words(), GetLayout(), keepFormats, noWords);
    }
    bool DetectRows() override { return DetectTableRows(Words(), GetLayout()); }
    void AutoScroll(int32_t, int32_t) override {}
    void ShowContextMenu(UINT menuId, POINT point) override { Shell().ShowContextMenu(nullptr, menuId, 0, point); }
    std::wstring GetDocumentName() override { return m_frame.GetDocumentName(); }
    void Invalidate(bool) override {}
    bool GetWord(int32_t n, ConvertingWord& word) override
    {
        if (n < 1 || n > static_cast<int32_t>(m_words.size()))
            return false;
        word = *m_words[n - 1];
        return true;
    }
    void InvalidateSelection(HRGN) override {}
    void BeginCapture() override { ++m_captures; }
    void OnSelectionChanged() override { ++m_selectionChanges; }
    LayoutFrame* GetFrame() override { return &m_frame; }
    std::unique_ptr<ConvertingTableGrid> ParseCurrentPage() override { return nullptr; }

private:
    WordList Words() const
    {
        WordList list;
        for (const auto& word : m_words)
            list.push_back(word.get());
        return list;
    }

    std::vector<std::unique_ptr<ConvertingWord>> m_words;
    RECT m_page = {0, 0, 1000, 1000};
};
