#include "table/SpreadsheetText.h"

#include <cmath>
#include <cwchar>

namespace
{

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// Reads a number without sign or currency from text[at..end): the digits it holds go to digits
// (the decimal point as '.'), and at moves past what was read.
bool ReadUnsignedNumber(const std::wstring& text, size_t& at, size_t end, std::wstring& digits)
{
    size_t group = 0;
    bool grouped = false;
    size_t integerDigits = 0;
    for (; at < end; ++at)
    {
        if (IsDigit(text[at]))
        {
            digits += text[at];
            ++group;
            ++integerDigits;
        }
        else if (text[at] == L',' && group > 0 && (grouped ? group == 3 : group <= 3))
        {
            grouped = true;
            group = 0;
        }
        else
            break;
    }
    // A comma needs a whole group of three after it: "1,234", not "1,23" or "1,".
    if (grouped && group != 3)
        return false;
    size_t fractionDigits = 0;
    if (at < end && text[at] == L'.')
    {
        digits += L'.';
        for (++at; at < end && IsDigit(text[at]); ++at, ++fractionDigits)
            digits += text[at];
    }
    if (integerDigits == 0 && fractionDigits == 0)
        return false;
    if (at < end && (text[at] == L'e' || text[at] == L'E'))
    {
        digits += L'e';
        ++at;
        if (at < end && (text[at] == L'+' || text[at] == L'-'))
            digits += text[at++];
        const size_t exponentStart = at;
        for (; at < end && IsDigit(text[at]); ++at)
            digits += text[at];
        if (at == exponentStart)
            return false;
    }
    return true;
}

// The number's syntax and whether its value is one the spreadsheet can hold.
bool IsNumberIn(const std::wstring& text, size_t begin, size_t end)
{
    size_t at = begin;
    if (at < end && (text[at] == L'+' || text[at] == L'-'))
        ++at;
    if (at < end && text[at] == L'$')
        ++at;
    std::wstring digits;
    if (!ReadUnsignedNumber(text, at, end, digits))
        return false;
    if (at < end && text[at] == L'%')
        ++at;
    if (at != end)
        return false;
    const double value = std::wcstod(digits.c_str(), nullptr);
    return std::isfinite(value) && std::fabs(value) <= 9.99999999999999e307;
}

} // namespace

bool IsSpreadsheetNumber(const std::wstring& text)
{
    if (text.size() >= 2 && text.front() == L'(' && text.back() == L')')
        return text[1] != L'+' && text[1] != L'-' && IsNumberIn(text, 1, text.size() - 1);
    return IsNumberIn(text, 0, text.size());
}

bool LooksLikeFormula(const std::wstring& text)
{
    if (text.empty())
        return false;
    const wchar_t first = text[0];
    if (first != L'=' && first != L'+' && first != L'-' && first != L'@')
        return false;
    return first == L'=' || first == L'@' || !IsSpreadsheetNumber(text);
}

bool HasMoreDigitsThanKept(const std::wstring& text)
{
    size_t at = 0;
    if (!text.empty() && (text[0] == L'+' || text[0] == L'-'))
        at = 1;
    std::wstring digits;
    if (!ReadUnsignedNumber(text, at, text.size(), digits) || at != text.size() ||
        digits.find(L'e') != std::wstring::npos)
        return false;
    // Leading zeros, and trailing zeros of a fraction, are no significant digits.
    const size_t point = digits.find(L'.');
    if (point != std::wstring::npos)
    {
        while (!digits.empty() && digits.back() == L'0')
            digits.pop_back();
        digits.erase(point, 1);
    }
    const size_t first = digits.find_first_not_of(L'0');
    return first != std::wstring::npos && digits.size() - first > static_cast<size_t>(SpreadsheetDigits);
}

std::wstring WithSpreadsheetLineBreaks(const std::wstring& text)
{
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i)
    {
        if (text[i] == L'\r')
        {
            out += L'\n';
            if (i + 1 < text.size() && text[i + 1] == L'\n')
                ++i;
        }
        else
            out += text[i];
    }
    return out;
}

bool CutToCellLimit(std::wstring& text)
{
    if (text.size() <= SpreadsheetCellLimit)
        return false;
    size_t length = SpreadsheetCellLimit;
    // The high half of a pair would be left without its low half.
    if (text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF)
        --length;
    text.resize(length);
    return true;
}

std::wstring ClipboardCellText(const std::wstring& text)
{
    if (text.find_first_of(L"\t\r\n") == std::wstring::npos)
        return text;
    std::wstring quoted = L"\"";
    for (wchar_t c : text)
    {
        quoted += c;
        if (c == L'"')
            quoted += L'"';
    }
    return quoted + L'"';
}
