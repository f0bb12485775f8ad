#pragma once
// The conversion preview under the page of a child frame: in table editing the table that the
// layout gives on the current page as a grid, whose clicks select layout columns, rows or cells
// and whose right click sets a column's format; in text selection the selected text, read-only.
// The bar keeps the last preview while it is hidden and shows it when it appears again.
#include <array>
#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "framework/Afx.h"
#include "framework/AfxCommCtrl.h"
#include "table/ConvertingTableGrid.h"
#include "app/LockedBars.h"

class ConvertingTableLayout;
class LayoutView;

// The read-only text view of the preview.
class CSmartRichEditCtrl : public CRichEditCtrl
{
public:
    // "RichEdit20W", or the framework's rich edit class where that one is not registered.
    BOOL CreateView(DWORD style, CWnd* parent, UINT id);
};

class CConvertingSampleBar : public CKTLockedSizingControlBar
{
    DECLARE_DYNAMIC(CConvertingSampleBar)
public:
    static constexpr UINT ShownViewId = 59648;
    static constexpr UINT HiddenViewId = 59649;
    static constexpr UINT FormatMenuId = 2041;
    static constexpr UINT FirstFormatCommand = 34140;

    CConvertingSampleBar();
    ~CConvertingSampleBar() override;

    // Takes the grid (replacing the one held) and borrows the layout; draws only while visible.
    void SetPreviewTable(std::unique_ptr<ConvertingTableGrid> grid, const ConvertingTableLayout* layout,
                         const std::set<int32_t>& selected, int32_t selectionKind);
    virtual void SetPreviewText(const std::wstring& text);
    virtual void OnRefresh() {}
    // The bar has just been made visible: the view of the current mode shows the stored preview.
    void ShowContent();

    BOOL PreTranslateMessage(MSG* msg) override;

    // "A" for 1, "Z" for 26, "AA" for 27: the spreadsheet's name of a 1-based column.
    static std::wstring ColumnName(int column);
    // A menu text without its mnemonic marks: single "&" removed, "&&" shown as "&".
    static std::wstring StripMnemonics(const std::wstring& text);

    CListCtrl& GetGridView() { return m_gridView; }
    CSmartRichEditCtrl& GetTextView() { return m_textView; }
    const ConvertingTableGrid* GetGrid() const { return m_grid.get(); }
    const std::vector<int32_t>& GetColumnMap() const { return m_columnMap; }
    const std::set<int32_t>& GetSelected() const { return m_selected; }
    bool IsTextShown() const { return m_textShown; }
    const std::wstring& GetFormatName(int format) const { return m_formatNames[format]; }
    // Is the grid cell (row, grid-view column) drawn as selected.
    bool IsCellSelected(int row, int viewColumn) const;

protected:
    int OnCreate(LPCREATESTRUCT create);
    void OnSize(UINT type, int cx, int cy);
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    DECLARE_MESSAGE_MAP()

    // The frame's view, which takes the selection and the format commands; null without one.
    virtual LayoutView* GetLayoutView() const;
    virtual HWND GetCommandWindow() const;

private:
    void ShowView(CWnd& view);
    void FillGrid();
    void ReadFormatNames();
    LRESULT OnCustomDraw(NMLVCUSTOMDRAW* draw);
    void OnColumnClick(int viewColumn);
    // The id that a press on the grid cell selects, by the selection kind; false for none.
    bool IdOfCell(int row, int viewColumn, int32_t& id) const;
    void HandOverSelection();
    bool HandleGridMouse(MSG* msg);
    // Closes an open toolkit menu and takes the keyboard from a toolbar, outside customize mode.
    void LeaveMenusAndToolbars();

    CListCtrl m_gridView;
    CSmartRichEditCtrl m_textView;
    std::set<int32_t> m_selected;
    int32_t m_selectionKind = 0;
    const ConvertingTableLayout* m_layout = nullptr;
    std::unique_ptr<ConvertingTableGrid> m_grid;
    std::vector<int32_t> m_columnMap;
    std::wstring m_text;
    std::array<std::wstring, 6> m_formatNames;
    bool m_textShown = false;
    // The last right press fell on a column that was selected before it.
    bool m_rightPressOnSelected = false;
};
