#include "table/ui/ExcelCellName.h"

std::wstring GetExcelCellName(int row, int column)
{
    std::wstring letters;
    for (int n = column; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), static_cast<wchar_t>(L'A' + (n - 1) % 26));
    return letters + std::to_wstring(row);
}
