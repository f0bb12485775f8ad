#include "table/ui/ExcelCellName.h"

#include <gtest/gtest.h>

TEST(ExcelCellName, ColumnLettersRollOverLikeExcel)
{
    struct Case {
        int row, column;
        const wchar_t* name;
    } cases[] = {{1, 1, L"A1"},      {4, 26, L"Z4"},     {4, 27, L"AA4"},      {4, 28, L"AB4"},
                 {7, 702, L"ZZ7"},   {7, 703, L"AAA7"},  {1048576, 16384, L"XFD1048576"}};
    for (const Case& c : cases)
        EXPECT_EQ(GetExcelCellName(c.row, c.column), c.name) << c.row << "," << c.column;
}
