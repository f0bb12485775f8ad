#pragma once
// The format of a table column and of the cells parsed in it. The values are stored in layout
// files and in the options, so they never change.
#include <cstdint>

enum CellFormat : int32_t
{
    CellFormatAutomatic = 0,
    CellFormatText = 1,
    CellFormatNumber = 2,
    CellFormatCurrency = 3,
    CellFormatDate = 4,
    CellFormatTime = 5,
};

constexpr int32_t CellFormatLast = CellFormatTime;

// What a stored format converts as: a code this program does not know (a layout file may bring
// one) converts as Automatic, the spreadsheet's General.
constexpr int32_t ConvertedCellFormat(int32_t stored)
{
    return stored >= CellFormatAutomatic && stored <= CellFormatLast ? stored : CellFormatAutomatic;
}
