#pragma once
// The editor of the table layout laid over the page on show: selection, modes, line and edge
// drags, tables drawn as a band, merge and split, column formats, text selection, layout files,
// the drawing over the page, and the conversion commands. The page view derives from it and
// supplies the window side through the pure operations; coordinates handed in are page units.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "table/ConvertingTableLayout.h"
#include "table/ConversionJob.h"
#include "table/LayoutShell.h"
#include "table/OxActionList.h"
#include "table/TableConverter.h"

class ConvertingTableGrid;
class ConvertingWord;

// Receives the words of a text selection line by line.
class WordAddingInterface
{
public:
    virtual ~WordAddingInterface() = default;
    virtual void AddWord(const ConvertingWord& word, bool rightToLeft);
    virtual bool EndLine() = 0;
    virtual bool IsOnCurrentLine(const ConvertingWord& word) const;

protected:
    bool m_firstWordOfLine = true;
    RECT m_lineRect = {0, 0, 0, 0};
};

// Collects the selected words as text: a space where the gap is at least an eighth of the line
// height, lines joined by the line end.
class CopyWordAddingInterface : public WordAddingInterface
{
public:
    explicit CopyWordAddingInterface(const std::wstring& lineEnd) : m_lineEnd(lineEnd) {}
    void AddWord(const ConvertingWord& word, bool rightToLeft) override;
    bool EndLine() override;
    const std::wstring& GetText() const { return m_text; }

private:
    std::wstring m_lineText;
    std::wstring m_text;
    std::wstring m_lineEnd;
};

class LayoutView : public TableConverter, public OxActionList
{
public:
    enum SelectionKind : int32_t
    {
        SelectColumns = 0,
        SelectRows = 1,
        SelectCells = 2
    };
    enum HitCode : int32_t
    {
        HitNone = 0,
        HitCell = 1,
        HitLeft = 10,
        HitRight = 11,
        HitTop = 12,
        HitTopLeft = 13,
        HitTopRight = 14,
        HitBottom = 15,
        HitBottomLeft = 16,
        HitBottomRight = 17,
        HitLine = 18,
        HitForbidden = -2,
    };
    enum Modifier : int32_t
    {
        ModShift = 1,
        ModCtrl = 2
    };
    enum WordPosition : int32_t
    {
        BeforeWord = 0,
        OnWord = 1,
        AfterWord = 2
    };

    struct Hit
    {
        int32_t m_code = HitNone;
        int32_t m_column = -1; // the line's index for HitLine, else the cell's column
        int32_t m_row = -1;
        bool m_onColumnLine = false;
    };
    struct WordPoint
    {
        int32_t m_word = -1; // sequence number
        int32_t m_position = BeforeWord;
        bool operator==(const WordPoint& o) const { return m_word == o.m_word && m_position == o.m_position; }
        bool operator!=(const WordPoint& o) const { return !(*this == o); }
    };

    // Command identifiers the editor answers.
    static constexpr UINT CmdConvertToFirst = 34101;
    static constexpr UINT CmdConvertToLast = 34105;
    static constexpr UINT CmdSelectColumns = 34111;
    static constexpr UINT CmdSelectCells = 34113;
    static constexpr UINT CmdTextSelectionMode = 34117;
    static constexpr UINT CmdTableEditingMode = 34118;
    static constexpr UINT CmdRowAndCellEditing = 34119;
    static constexpr UINT CmdConvert = 34120;
    static constexpr UINT CmdFormatFirst = 34140;
    static constexpr UINT CmdFormatLast = 34145;
    static constexpr UINT CmdClearLayout = 34146;
    static constexpr UINT CmdAutoColumnDetection = 34147;
    static constexpr UINT MenuCopyText = 2044;
    static constexpr UINT MenuRowsAndCells = 2045;
    static constexpr UINT MenuColumns = 2046;

    LayoutView();
    ~LayoutView() override;

    // --- the undo list; every change tells OnActionsChanged
    void Add(std::unique_ptr<OxAction> action) override;
    bool Undo(ConvertingTableLayout& target) override;
    bool Redo(ConvertingTableLayout& target) override;
    // Empties the undo list; the layout as it stands becomes a new state.
    void ClearActions();
    bool UndoLayout();
    bool RedoLayout();
    // Names the state of the layout as far as the undo list knows it: a new number for every
    // recorded action, never reused, so a saved point survives the list dropping actions.
    uint64_t GetActionState() const;

    // --- modes and selection
    virtual void CheckMergedCellsMode();
    // The view's frame became the active one: the mode buttons and the preview show this view.
    virtual void OnActivateView();
    void OnTextSelectionMode();
    void OnTableEditingMode();
    virtual bool OnRowAndCellEditing();
    void OnSelectionMode(UINT command);
    void SetRowAndCellEditing(bool on);
    void OnColumnFormat(UINT command);
    virtual void SetSelectionFormat(int32_t format);
    virtual void UpdateColumnFormatUI(int32_t format, bool& enabled, bool& checked) const;
    void SetSelection(const std::vector<int32_t>& ids);
    const std::set<int32_t>& GetSelection() const { return m_selection; }
    int32_t GetSelectionKind() const { return m_selectionKind; }
    bool IsRowAndCellEditing() const { return m_rowAndCellEditing; }
    bool GetAutoColumnDetection() const { return m_autoColumnDetection; }
    int32_t GetMinColumnWidth() const { return m_minColumnWidth; }
    int32_t GetMinRowHeight() const { return m_minRowHeight; }
    void SetMinimumSizes(int32_t width, int32_t height);
    int32_t GetZoom() const { return m_zoom; }

    // --- layout commands
    void ClearLayout();
    void SetAutoColumnDetection(bool on);
    bool CanMerge() const;
    bool CanSplit() const;
    bool Merge();
    bool Split();
    void FitLayoutToPage();

    // --- mouse, page units
    Hit HitTest(int32_t x, int32_t y) const;
    // The system cursor shown for a hit; null when the cursor is left alone.
    LPCWSTR CursorForHit(const Hit& hit, bool dragging) const;
    void OnLButtonDown(int32_t x, int32_t y, int32_t modifiers);
    void OnMouseMove(int32_t x, int32_t y, int32_t modifiers);
    void OnLButtonUp(int32_t x, int32_t y, int32_t modifiers);
    void OnContextMenu(int32_t x, int32_t y, POINT point);
    // After the view set the table rectangle from a dragged band.
    void CreateTableFromBand(bool noWords);
    bool IsDragging() const { return m_dragCode != HitNone; }
    // The window lost the mouse capture (another window took it, a message box, Alt+Tab): a
    // drag ends where it stands and what it changed is recorded, as a release would.
    void OnCaptureLost();

    // --- text selection
    std::vector<int32_t>& GetLeftToRightOrder() { return m_leftToRightOrder; }
    std::vector<int32_t>& GetRightToLeftOrder() { return m_rightToLeftOrder; }
    virtual bool HitTestWord(int32_t x, int32_t y, WordPoint& point);
    bool ForEachSelectedWord(WordAddingInterface& adder);
    virtual bool UpdateSelectionRegion();
    bool CollectSelectedText(CopyWordAddingInterface& adder, std::wstring& text);
    virtual std::wstring GetSelectedText();
    void CopySelectedText();
    bool HasTextSelection() const { return m_textSelectionExists; }
    HRGN GetSelectionRegion() const { return m_selectionRegion; }
    const WordPoint& GetAnchor() const { return m_anchor; }
    const WordPoint& GetSelectionEnd() const { return m_end; }
    int32_t GetSelectionDirection() const { return m_selectionDirection; }
    void ClearTextSelection();

    virtual void UpdatePreview();

    // --- drawing, window pixels
    void DrawLayout(HDC dc, const RECT& clip, bool tableMode, bool showTextSelection);
    void DrawTextSelection(HDC dc, const RECT& clip);
    static int32_t LineWidthForZoom(int32_t zoom);
    static int32_t HandleSizeForZoom(int32_t zoom);

    // --- layout files
    bool OpenLayout();
    // The load after the dialog: reads the file, confirms merged cells, records the change.
    bool OpenLayoutFile(const std::wstring& path);
    void SaveLayout(const wchar_t* name);
    bool SaveLayoutFile(const std::wstring& path);
    bool ConfirmMergedCells(ConvertingTableLayout& layout);
    static std::wstring LayoutNameFor(const std::wstring& documentName);

    // --- conversion and search
    virtual void FindText(const std::wstring& text, bool searchDown, bool matchCase);
    // The search as typed: its right-to-left words are brought into the page's visual order
    // first, whether it comes from the Find dialog or Find Next.
    void FindTyped(const OxTextFindInterface& search);
    virtual bool CanClose();
    virtual bool ConfirmCloseUnconverted();
    virtual bool Convert() = 0;
    virtual bool RunConversion(ConversionJob& job, int32_t currentPage, int32_t pageCount);
    void OnConvert();
    void OnConvertTo(UINT command);
    bool StartConversion(ConversionJob& job);
    bool CanConvert() const;
    bool IsConverted() const { return m_converted; }
    static int32_t FindInText(const std::wstring& text, const std::wstring& search, bool matchCase);

protected:
    // --- the window side
    virtual void Redraw() = 0;
    virtual bool LayoutToScreen(RECT& rect) = 0;
    virtual HWND GetViewWindow() = 0;
    // The layout rectangle when none is given.
    virtual void InvalidateLayoutRect(const RECT* rect) = 0;
    virtual RECT GetPageRect() = 0;
    virtual bool DetectColumns(bool keepFormats, bool* noWords) = 0;
    virtual bool DetectRows() = 0;
    virtual void AutoScroll(int32_t x, int32_t y) = 0;
    virtual void ShowContextMenu(UINT menuId, POINT point) = 0;
    virtual std::wstring GetDocumentName() = 0;
    virtual void Invalidate(bool erase) = 0;
    virtual bool GetWord(int32_t n, ConvertingWord& word) = 0;
    // Invalidates the selection region together with another region (null: none).
    virtual void InvalidateSelection(HRGN other) = 0;
    virtual void BeginCapture() = 0;
    virtual void OnSelectionChanged() = 0;
    virtual LayoutFrame* GetFrame() = 0;
    virtual std::unique_ptr<ConvertingTableGrid> ParseCurrentPage() = 0;
    // After every add, undo and redo of an action.
    virtual void OnActionsChanged() {}
    // Runs a job without a dialog, or under the progress dialog; false when cancelled.
    virtual bool RunJob(ConversionJob& job, bool showProgress);

    LayoutShell& Shell() const;
    void MarkConverted() { m_converted = true; }
    // Whether the last RunConversion or StartConversion that gave false ended on the user's
    // cancel (a dialog cancelled) rather than on a failure; cleared by asking.
    bool TakeUserCancel();
    void SetZoomField(int32_t zoom) { m_zoom = zoom; }
    int32_t ModalResult(const std::wstring& text, UINT type);

    std::vector<int32_t> m_leftToRightOrder;
    std::vector<int32_t> m_rightToLeftOrder;

private:
    friend class SelectionWordAddingInterface;

    void SetCursorForHit(const Hit& hit, bool dragging);
    void StartDrag(const Hit& hit, int32_t x, int32_t y);
    void DragStep(int32_t x, int32_t y);
    void EndDrag();
    void EdgeDragStep(int32_t x, int32_t y);
    RECT EdgeDragLimits(int32_t code);
    void SelectInTable(const Hit& hit, int32_t modifiers);
    int32_t SelectionItemFor(const Hit& hit) const;
    void TextSelectionPress(int32_t x, int32_t y);
    void TextSelectionMove(int32_t x, int32_t y);
    int32_t DirectionOfWord(int32_t sequence);
    void ReleaseSelectionRegion();
    bool WordIsSelectable(int32_t sequence) const;
    void RecordChange(const ConvertingTableLayout& before);
    void DrawLinesWithPens(HDC dc, const RECT& table, const RECT& clip, bool tableMode);
    void DrawLinesBlended(HDC dc, const RECT& table, const RECT& clip, bool tableMode);
    template <class LineFn>
    void WalkCellLines(const RECT& table, const RECT& clip, bool tableMode, LineFn line);
    void InvertSelection(HDC dc, const RECT& clip);
    void DrawHandles(HDC dc, const RECT& table);
    bool RangeIsSelectedRun() const;
    bool CellsFillRectangle(int32_t& c0, int32_t& r0, int32_t& c1, int32_t& r1) const;

    int32_t m_selectionDirection = 0;
    bool m_textSelectionDrag = false;
    WordPoint m_anchor;
    WordPoint m_end;
    HRGN m_selectionRegion = nullptr;
    bool m_textSelectionExists = false;
    int32_t m_minColumnWidth = 100;
    int32_t m_minRowHeight = 100;
    std::set<int32_t> m_selection;
    int32_t m_zoom = 100;
    bool m_rowAndCellEditing = false;
    int32_t m_selectionKind = SelectColumns;
    int32_t m_dragCode = HitNone;
    int32_t m_dragIndex = -1;
    bool m_dragRowLine = false;
    RECT m_dragLimits = {0, 0, 0, 0};
    int32_t m_dragStartPosition = 0;
    bool m_autoColumnDetection = true;
    ConvertingTableLayout m_dragStartLayout;
    int32_t m_lastSelected = -1; // the item a Shift click extends from
    bool m_converted = false;
    bool m_userCancelled = false;
    // Mirrors the undo list with a number per action (newest first) and the number of the
    // state before the oldest kept action.
    std::vector<uint64_t> m_actionNumbers;
    size_t m_actionCurrent = 0;
    uint64_t m_baseState = 0;
    uint64_t m_nextActionNumber = 1;
};
