#pragma once
// A table as the conversion targets copy it to the clipboard: cells separated by TABs, each row
// ended by CR LF; plain text also puts a TAB after the last cell.
#include <string>
#include <vector>

inline std::wstring CopiedTableText(const std::vector<std::vector<std::wstring>>& rows, bool tabAfterLastCell)
{
    std::wstring text;
    for (const auto& row : rows)
    {
        for (size_t column = 0; column < row.size(); ++column)
        {
            text += row[column];
            if (column + 1 < row.size() || tabAfterLastCell)
                text += L'\t';
        }
        text += L"\r\n";
    }
    return text;
}
