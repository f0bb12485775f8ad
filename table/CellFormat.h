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
