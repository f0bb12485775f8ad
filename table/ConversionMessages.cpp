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
