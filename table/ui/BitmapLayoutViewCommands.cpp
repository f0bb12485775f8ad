// The page view's commands: zoom, editing, modes, conversion, undo, layout files and paging.
#include "table/ui/BitmapLayoutView.h"

#include <algorithm>
#include <iterator>

#include "table/ui/BitmapLayoutViewIds.h"

using namespace BitmapLayoutViewIds;

namespace
{

constexpr const wchar_t* BadPageNumber = L"The page numbers that you entered are incorrect.\nPage numbers and ranges "
                                         L"are only allowed from 1 up to %d, which is the last page.";
constexpr const wchar_t* GoToPageTitle = L"Go to page";
constexpr const wchar_t* PageCountLabel = L"of %d Pages";

} // namespace

// --- commands --------------------------------------------------------------------------------

void CBitmapLayoutView::OnZoomIn()
{
    for (int preset : ZoomPresets)
    {
        if (preset > GetZoom())
        {
            SetZoom(preset, false);
            return;
        }
    }
}

void CBitmapLayoutView::OnZoomOut()
{
    for (auto it = std::rbegin(ZoomPresets); it != std::rend(ZoomPresets); ++it)
    {
        if (*it < GetZoom())
        {
            SetZoom(*it, false);
            return;
        }
    }
}

void CBitmapLayoutView::OnUpdateZoomIn(CCmdUI* ui)
{
    ui->Enable(GetZoom() < std::min(m_maxZoom, ZoomPresets[std::size(ZoomPresets) - 1]));
}

void CBitmapLayoutView::OnUpdateZoomOut(CCmdUI* ui)
{
    ui->Enable(GetZoom() > ZoomPresets[0]);
}

void CBitmapLayoutView::OnFitWidth()
{
    FitWidth();
}

void CBitmapLayoutView::OnZoomBox()
{
    std::wstring text;
    if (!Shell().GetZoomBoxText(text))
        return;
    const int32_t percent = ParseZoomText(text);
    if (percent >= 1 && percent <= m_maxZoom)
        SetZoom(percent, false);
    else
        Shell().ShowZoom(m_hWnd, GetZoom());
}

void CBitmapLayoutView::OnZoomBoxFocusLost()
{
    // Text typed and left without Enter is no zoom: the box shows the view's again.
    Shell().ShowZoom(m_hWnd, GetZoom());
}

void CBitmapLayoutView::OnUpdateZoomBox(CCmdUI* ui)
{
    ui->Enable(TRUE);
}

bool CBitmapLayoutView::UpdatesEnabled(UINT command)
{
    // A bare command state shows nothing anywhere: only the answer is wanted.
    CCmdUI probe;
    probe.m_nID = command;
    CEnableCmdUI state(&probe);
    OnCmdMsg(command, static_cast<int>(CN_UPDATE_COMMAND_UI), &state, nullptr);
    return state.IsEnabled();
}

void CBitmapLayoutView::OnUpdateSelectionModeButton(CCmdUI* ui)
{
    // The button opens the menu of the two modes: usable while either of them is.
    ui->Enable(UpdatesEnabled(CmdTextSelectionMode) || UpdatesEnabled(CmdTableEditingMode));
}

void CBitmapLayoutView::OnUpdateColumnModeButton(CCmdUI* ui)
{
    bool any = false;
    for (UINT command = CmdSelectColumns; command <= CmdSelectCells && !any; ++command)
        any = UpdatesEnabled(command);
    ui->Enable(any);
}

void CBitmapLayoutView::OnUpdateSelectionKind(CCmdUI* ui)
{
    ui->Enable(!Shell().IsTextSelectionMode() && IsRowAndCellEditing());
    ui->SetCheck(static_cast<int32_t>(ui->m_nID - CmdSelectColumns) == GetSelectionKind() ? 1 : 0);
}

void CBitmapLayoutView::OnUpdateTextMode(CCmdUI* ui)
{
    ui->Enable(TRUE);
    ui->SetCheck(Shell().IsTextSelectionMode() ? 1 : 0);
}

void CBitmapLayoutView::OnUpdateTableMode(CCmdUI* ui)
{
    ui->Enable(TRUE);
    ui->SetCheck(Shell().IsTextSelectionMode() ? 0 : 1);
}

void CBitmapLayoutView::OnUpdateRowAndCellEditing(CCmdUI* ui)
{
    ui->Enable(!Shell().IsTextSelectionMode());
    ui->SetCheck(IsRowAndCellEditing() ? 1 : 0);
}

void CBitmapLayoutView::OnZoomPreset(UINT id)
{
    SetZoom(ZoomPresets[id - CmdZoomPresetFirst], false);
}

void CBitmapLayoutView::OnUpdateZoomPreset(CCmdUI* ui)
{
    ui->SetCheck(std::min(ZoomPresets[ui->m_nID - CmdZoomPresetFirst], m_maxZoom) == GetZoom() ? 1 : 0);
}

void CBitmapLayoutView::OnSplit()
{
    Split();
}

void CBitmapLayoutView::OnMerge()
{
    Merge();
}

void CBitmapLayoutView::OnUpdateSplit(CCmdUI* ui)
{
    ui->Enable(CanSplit());
}

void CBitmapLayoutView::OnUpdateMerge(CCmdUI* ui)
{
    ui->Enable(CanMerge());
}

void CBitmapLayoutView::OnClearLayout()
{
    ClearLayout();
}

void CBitmapLayoutView::OnAutoColumnDetection()
{
    SetAutoColumnDetection(!GetAutoColumnDetection());
}

void CBitmapLayoutView::OnUpdateAutoColumnDetection(CCmdUI* ui)
{
    ui->SetCheck(GetAutoColumnDetection() ? 1 : 0);
}

void CBitmapLayoutView::OnColumnFormatCommand(UINT id)
{
    OnColumnFormat(id);
}

void CBitmapLayoutView::OnUpdateColumnFormatCommand(CCmdUI* ui)
{
    bool enabled = false, checked = false;
    UpdateColumnFormatUI(static_cast<int32_t>(ui->m_nID - CmdFormatFirst), enabled, checked);
    ui->Enable(enabled);
    ui->SetCheck(checked ? 1 : 0);
}

void CBitmapLayoutView::OnRowAndCellEditingCommand()
{
    OnRowAndCellEditing();
}

void CBitmapLayoutView::OnSelectionKind(UINT id)
{
    OnSelectionMode(id);
}

void CBitmapLayoutView::OnTextMode()
{
    OnTextSelectionMode();
}

void CBitmapLayoutView::OnTableMode()
{
    OnTableEditingMode();
}

void CBitmapLayoutView::OnConvertCommand()
{
    if (!IsBusy())
        OnConvert();
}

void CBitmapLayoutView::OnUpdateConvert(CCmdUI* ui)
{
    ui->Enable(CanConvert());
}

void CBitmapLayoutView::OnCopy()
{
    CopySelectedText();
}

void CBitmapLayoutView::OnUpdateCopy(CCmdUI* ui)
{
    ui->Enable(Shell().IsTextSelectionMode());
}

void CBitmapLayoutView::OnUndo()
{
    UndoLayout();
}

void CBitmapLayoutView::OnRedo()
{
    RedoLayout();
}

void CBitmapLayoutView::OnUpdateUndo(CCmdUI* ui)
{
    ui->Enable(CanUndo());
}

void CBitmapLayoutView::OnUpdateRedo(CCmdUI* ui)
{
    ui->Enable(CanRedo());
}

void CBitmapLayoutView::OnFindNext()
{
    if (!Shell().IsTextSelectionMode())
        return;
    if (const OxTextFindInterface* find = Shell().GetTextFind())
        FindTyped(*find);
}

void CBitmapLayoutView::OnUpdateFindNext(CCmdUI* ui)
{
    ui->Enable(Shell().IsTextSelectionMode());
}

void CBitmapLayoutView::OnOpenLayout()
{
    OpenLayout();
}

void CBitmapLayoutView::OnSaveLayout()
{
    if (!GetLayout().IsEmpty())
        SaveLayout(GetSuggestedName().c_str());
}

void CBitmapLayoutView::OnUpdateSaveLayout(CCmdUI* ui)
{
    ui->Enable(!GetLayout().IsEmpty());
}

void CBitmapLayoutView::OnNextPage()
{
    GoToPage(GetCurrentPageNumber() + 1);
}

void CBitmapLayoutView::OnPreviousPage()
{
    GoToPage(GetCurrentPageNumber() - 1);
}

void CBitmapLayoutView::OnFirstPage()
{
    GoToPage(1);
}

void CBitmapLayoutView::OnLastPage()
{
    GoToPage(GetPageCount());
}

void CBitmapLayoutView::OnUpdateNextPage(CCmdUI* ui)
{
    ui->Enable(GetCurrentPageNumber() < GetPageCount());
}

void CBitmapLayoutView::OnUpdatePreviousPage(CCmdUI* ui)
{
    ui->Enable(GetCurrentPageNumber() > 1);
}

void CBitmapLayoutView::GoToCheckedPage(int64_t n)
{
    if (n < 1 || n > GetPageCount())
    {
        std::wstring text = BadPageNumber;
        text.replace(text.find(L"%d"), 2, std::to_wstring(GetPageCount()));
        ModalResult(text, MB_OK | MB_ICONINFORMATION);
        if (m_frame)
            m_frame->SetCurrentPage(GetCurrentPageNumber());
        return;
    }
    GoToPage(static_cast<int32_t>(n));
}

void CBitmapLayoutView::OnCurrentPageBox()
{
    GoToCheckedPage(m_frame ? m_frame->GetCurrentPage() : 0);
}

void CBitmapLayoutView::OnUpdatePageCount(CCmdUI* ui)
{
    std::wstring text = PageCountLabel;
    text.replace(text.find(L"%d"), 2, std::to_wstring(GetPageCount()));
    ui->SetText(text.c_str());
}

void CBitmapLayoutView::OnGoToPage()
{
    std::wstring text;
    if (!Shell().AskPageNumber(m_hWnd, GoToPageTitle, text))
        return;
    int64_t n = 0;
    for (wchar_t c : text)
    {
        if (c < L'0' || c > L'9' || n > INT32_MAX)
        {
            n = 0;
            break;
        }
        n = n * 10 + (c - L'0');
    }
    GoToCheckedPage(n);
}

void CBitmapLayoutView::OnUpdateGoToPage(CCmdUI* ui)
{
    ui->Enable(GetPageCount() > 1);
}
