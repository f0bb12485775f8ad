#pragma once
// The command identifiers the page view answers besides the layout editor's own.
#include <windows.h>

namespace BitmapLayoutViewIds
{

enum : UINT
{
    CmdNextPage = 34122,
    CmdPreviousPage = 34123,
    CmdFirstPage = 34124,
    CmdCurrentPageBox = 34125,
    CmdPageCountLabel = 34126,
    CmdLastPage = 34127,
    CmdGoToPage = 34128,
    CmdSelectionModeButton = 34110,
    CmdSelectionKindButton = 34114,
    CmdFindNext = 34148,
    CmdOpenLayout = 34149,
    CmdSaveLayout = 34150,
    CmdZoomIn = 34158,
    CmdZoomOut = 34159,
    CmdZoomBox = 34160,
    CmdFitWidth = 34161,
    CmdZoomPresetFirst = 34162,
    CmdZoomPresetLast = 34168,
    CmdSplit = 34169,
    CmdMerge = 34170,
};

} // namespace BitmapLayoutViewIds
