#include "table/ConversionMessages.h"

std::wstring FormatMessageText(const wchar_t* format, std::initializer_list<std::wstring> values)
{
    std::wstring text;
    auto next = values.begin();
    for (const wchar_t* p = format; *p; ++p) {
        if (p[0] == L'%' && p[1] == L'%') {
            text += L'%';
            ++p;
        } else if (p[0] == L'%' && (p[1] == L'd' || p[1] == L's')) {
            if (next != values.end())
                text += *next++;
            ++p;
        } else {
            text += *p;
        }
    }
    return text;
}

std::wstring ConversionErrorMessage(const std::wstring& errorText, bool errorIsFinal)
{
    if (errorIsFinal)
        return errorText;
    return FormatMessageText(ConversionMessages::ConversionError, {errorText});
}

std::wstring CutCellsNotice(const std::vector<std::wstring>& cellNames)
{
    if (cellNames.empty())
        return std::wstring();
    std::wstring names;
    for (size_t i = 0; i < cellNames.size() && i < CutCellsNamed; ++i)
        names += (i ? L", " : L"") + cellNames[i];
    if (cellNames.size() > CutCellsNamed)
        names += L" and " + std::to_wstring(cellNames.size() - CutCellsNamed) + L" more";
    if (cellNames.size() == 1)
        return FormatMessageText(ConversionMessages::CellCut, {names});
    return FormatMessageText(ConversionMessages::CellsCut, {std::to_wstring(cellNames.size()), names});
}
