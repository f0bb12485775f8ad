#include "ExcelDisplay.h"

#include "ExcelValue.h"

#include <cmath>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace officestubs
{

namespace
{

// The sections of a format: positive;negative;zero;text, split outside quotes and escapes.
std::vector<std::wstring> Sections(const std::wstring& format)
{
    std::vector<std::wstring> sections(1);
    bool quoted = false;
    for (size_t i = 0; i < format.size(); ++i)
    {
        const wchar_t c = format[i];
        if (c == L'"')
            quoted = !quoted;
        else if (!quoted && c == L'\\' && i + 1 < format.size())
        {
            sections.back() += c;
            sections.back() += format[++i];
            continue;
        }
        else if (!quoted && c == L';')
        {
            sections.emplace_back();
            continue;
        }
        sections.back() += c;
    }
    return sections;
}

std::wstring GeneralText(double value)
{
    wchar_t text[64];
    for (int digits = 10; digits > 0; --digits)
    {
        swprintf(text, 64, L"%.*G", digits, value);
        if (std::wcslen(text) <= 11)
            break;
    }
    return text;
}

std::wstring Grouped(const std::wstring& digits)
{
    std::wstring out;
    for (size_t i = 0; i < digits.size(); ++i)
    {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += L',';
        out += digits[i];
    }
    return out;
}

// A number section: literal text around one run of digit placeholders.
std::wstring ShowNumberSection(double value, const std::wstring& section)
{
    std::wstring prefix, suffix;
    int integerZeros = 0, decimals = 0;
    bool inNumber = false, afterNumber = false, inFraction = false, grouping = false, percent = false,
         scientific = false;
    for (size_t i = 0; i < section.size(); ++i)
    {
        const wchar_t c = section[i];
        std::wstring& literal = inNumber || afterNumber ? suffix : prefix;
        if (c == L'"')
        {
            for (++i; i < section.size() && section[i] != L'"'; ++i)
                literal += section[i];
        }
        else if (c == L'\\' && i + 1 < section.size())
            literal += section[++i];
        else if (c == L'_' && i + 1 < section.size())
        {
            ++i;
            literal += L' ';
        }
        else if (c == L'*' && i + 1 < section.size())
            ++i;
        else if (c == L'[')
        {
            while (i < section.size() && section[i] != L']')
                ++i;
        }
        else if ((c == L'0' || c == L'#' || c == L'?') && !afterNumber)
        {
            inNumber = true;
            if (inFraction)
                ++decimals;
            else if (c == L'0')
                ++integerZeros;
        }
        else if (c == L'.' && !afterNumber)
        {
            inNumber = true;
            inFraction = true;
        }
        else if (c == L',' && inNumber && !inFraction)
            grouping = true;
        else if ((c == L'E' || c == L'e') && inNumber && i + 1 < section.size() &&
                 (section[i + 1] == L'+' || section[i + 1] == L'-'))
        {
            scientific = true;
            i += 1;
            while (i + 1 < section.size() && (section[i + 1] == L'0' || section[i + 1] == L'#'))
                ++i;
            afterNumber = true;
        }
        else
        {
            if (c == L'%')
                percent = true;
            if (inNumber)
                afterNumber = true;
            (inNumber || afterNumber ? suffix : prefix) += c;
        }
    }
    if (percent)
        value *= 100;
    wchar_t text[400];
    if (scientific)
    {
        swprintf(text, 400, L"%.*E", decimals, value);
        return prefix + text + suffix;
    }
    swprintf(text, 400, L"%.*f", decimals, value);
    std::wstring shown = text;
    const size_t point = shown.find(L'.');
    std::wstring integer = shown.substr(0, point);
    const std::wstring fraction = point == std::wstring::npos ? std::wstring() : shown.substr(point);
    while (integer.size() > 1 && integer[0] == L'0')
        integer.erase(0, 1);
    if (integer == L"0" && integerZeros == 0)
        integer.clear();
    while (static_cast<int>(integer.size()) < integerZeros)
        integer.insert(0, 1, L'0');
    return prefix + (grouping ? Grouped(integer) : integer) + fraction + suffix;
}

void CivilFromSerial(long serial, int& year, int& month, int& day)
{
    // The application's serial 60 is a 29 February 1900 that never was.
    if (serial == 60)
    {
        year = 1900, month = 2, day = 29;
        return;
    }
    const long days = serial < 60 ? serial + 1 : serial; // days since 1899-12-30
    // From days since 1970-01-01 (25569 days later) to the civil date, proleptic Gregorian.
    const long z = days - 25569 + 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const long dayOfEra = z - era * 146097;
    const long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const long mp = (5 * dayOfYear + 2) / 153;
    day = static_cast<int>(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

std::wstring TwoDigits(long value)
{
    wchar_t text[16];
    swprintf(text, 16, L"%02ld", value);
    return text;
}

std::wstring ShowDateSection(double serial, const std::wstring& section)
{
    static const wchar_t* const months[] = {L"January", L"February", L"March",     L"April",   L"May",      L"June",
                                            L"July",    L"August",   L"September", L"October", L"November", L"December"};
    static const wchar_t* const weekdays[] = {L"Saturday",  L"Sunday",   L"Monday", L"Tuesday",
                                              L"Wednesday", L"Thursday", L"Friday"};
    const long whole = static_cast<long>(std::floor(serial));
    long seconds = std::lround((serial - whole) * 86400);
    int year = 0, month = 0, day = 0;
    CivilFromSerial(whole, year, month, day);
    const long hour = seconds / 3600, minute = seconds / 60 % 60, second = seconds % 60;
    bool twelveHour = false;
    for (size_t i = 0; i + 1 < section.size(); ++i)
        twelveHour = twelveHour || _wcsnicmp(section.c_str() + i, L"AM/PM", 5) == 0 ||
                     _wcsnicmp(section.c_str() + i, L"A/P", 3) == 0;
    std::wstring out;
    bool afterHour = false;
    for (size_t i = 0; i < section.size();)
    {
        const wchar_t c = static_cast<wchar_t>(std::towlower(section[i]));
        size_t run = 1;
        while (i + run < section.size() && std::towlower(section[i + run]) == c)
            ++run;
        if (c == L'"')
        {
            for (++i; i < section.size() && section[i] != L'"'; ++i)
                out += section[i];
            ++i;
            continue;
        }
        if (c == L'\\' && i + 1 < section.size())
        {
            out += section[i + 1];
            i += 2;
            continue;
        }
        if (c == L'[' || c == L']')
        {
            ++i;
            continue;
        }
        if (_wcsnicmp(section.c_str() + i, L"AM/PM", 5) == 0)
        {
            out += hour < 12 ? L"AM" : L"PM";
            i += 5;
            continue;
        }
        if (c == L'y')
            out += run <= 2 ? TwoDigits(year % 100) : std::to_wstring(year);
        else if (c == L'd')
            out += run == 1   ? std::to_wstring(day)
                   : run == 2 ? TwoDigits(day)
                   : run == 3 ? std::wstring(weekdays[(whole % 7 + 7) % 7]).substr(0, 3)
                              : std::wstring(weekdays[(whole % 7 + 7) % 7]);
        else if (c == L'h')
        {
            const long shown = twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
            out += run == 1 ? std::to_wstring(shown) : TwoDigits(shown);
            afterHour = true;
        }
        else if (c == L'm')
        {
            // Minutes right after an hour or right before seconds; a month otherwise.
            size_t next = i + run;
            while (next < section.size() && !std::iswalpha(section[next]))
                ++next;
            const bool minutes = run <= 2 && (afterHour || (next < section.size() && std::towlower(section[next]) == L's'));
            if (minutes)
                out += run == 1 ? std::to_wstring(minute) : TwoDigits(minute);
            else
                out += run == 1   ? std::to_wstring(month)
                       : run == 2 ? TwoDigits(month)
                       : run == 3 ? std::wstring(months[month - 1]).substr(0, 3)
                                  : std::wstring(months[month - 1]);
            afterHour = false;
        }
        else if (c == L's')
            out += run == 1 ? std::to_wstring(second) : TwoDigits(second);
        else
        {
            out.append(section, i, run);
        }
        i += run;
    }
    return out;
}

} // namespace

std::wstring ShowXlNumber(double value, const std::wstring& format)
{
    if (format.empty() || _wcsicmp(format.c_str(), L"General") == 0 || format == L"@")
        return GeneralText(value);
    const std::vector<std::wstring> sections = Sections(format);
    std::wstring section = sections[0];
    bool withoutSign = false;
    if (value < 0 && sections.size() > 1)
    {
        section = sections[1];
        withoutSign = true;
    }
    else if (value == 0 && sections.size() > 2)
        section = sections[2];
    if (IsXlDateTimeFormat(section))
        return ShowDateSection(value, section);
    if (_wcsicmp(section.c_str(), L"General") == 0)
        return GeneralText(withoutSign ? -value : value);
    const std::wstring shown = ShowNumberSection(withoutSign || value < 0 ? -value : value, section);
    return value < 0 && !withoutSign ? L"-" + shown : shown;
}

} // namespace officestubs
