#include "ExcelValue.h"

#include <cmath>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace officestubs
{

namespace
{

bool IsDigit(wchar_t c)
{
    return c >= L'0' && c <= L'9';
}

// The integer part: plain digits, or 1 to 3 digits followed by comma-separated groups of three.
bool ReadIntegerPart(const std::wstring& text, size_t& at, std::wstring& digits)
{
    const size_t start = at;
    size_t groupLength = 0;
    bool grouped = false;
    while (at < text.size())
    {
        const wchar_t c = text[at];
        if (IsDigit(c))
        {
            digits += c;
            ++groupLength;
            ++at;
        }
        else if (c == L',' && groupLength > 0 && (grouped ? groupLength == 3 : groupLength <= 3))
        {
            grouped = true;
            groupLength = 0;
            ++at;
        }
        else
            break;
    }
    if (at == start)
        return true;
    // A comma must be followed by a full group: "1,234" but not "1,23", "1,2345" or "1,".
    return !grouped || groupLength == 3;
}

bool ReadDigits(const std::wstring& text, size_t& at, std::wstring& digits)
{
    const size_t start = at;
    while (at < text.size() && IsDigit(text[at]))
        digits += text[at++];
    return at > start;
}

int DaysFromCivil(int year, int month, int day)
{
    // Days since 1970-01-01 of a proleptic Gregorian date.
    year -= month <= 2 ? 1 : 0;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int DaysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

int MonthFromName(const std::wstring& word)
{
    static const wchar_t* const names[] = {L"january", L"february", L"march",     L"april",   L"may",      L"june",
                                           L"july",    L"august",   L"september", L"october", L"november", L"december"};
    if (word.size() < 3)
        return 0;
    std::wstring lower;
    for (wchar_t c : word)
        lower += static_cast<wchar_t>(std::towlower(c));
    for (int i = 0; i < 12; ++i)
    {
        const std::wstring name = names[i];
        // The full name or any abbreviation of at least three letters ("Sep", "Sept").
        if (lower.size() <= name.size() && name.compare(0, lower.size(), lower) == 0)
            return i + 1;
    }
    return 0;
}

struct DateToken
{
    std::wstring text;
    bool numeric = false;
};

// Years typed with one or two digits: 0-29 are 2000-2029, 30-99 are 1930-1999.
int FullYear(const DateToken& token)
{
    const int value = std::stoi(token.text);
    if (token.text.size() <= 2)
        return value < 30 ? 2000 + value : 1900 + value;
    return token.text.size() == 4 ? value : -1;
}

// Dates as the application reads them under English (United States) settings: a numeric date
// is month/day/year or year-month-day with "/" or "-" throughout; "05.12.2024" is no date there,
// whatever order the cell's format shows.
bool ParseDate(const std::wstring& text, int& days)
{
    std::vector<DateToken> tokens;
    wchar_t separator = 0;
    bool named = false;
    for (size_t at = 0; at < text.size();)
    {
        const wchar_t c = text[at];
        if (IsDigit(c) || std::iswalpha(c))
        {
            DateToken token;
            token.numeric = IsDigit(c);
            while (at < text.size() && (token.numeric ? IsDigit(text[at]) : std::iswalpha(text[at]) != 0))
                token.text += text[at++];
            named = named || !token.numeric;
            tokens.push_back(token);
            continue;
        }
        if (c != L'/' && c != L'-' && c != L' ' && c != L',')
            return false;
        // Numeric dates use one separator throughout; dates with a month name may mix them.
        if (c != L' ' && c != L',')
        {
            if (separator && separator != c)
                return false;
            separator = c;
        }
        ++at;
    }
    if (tokens.size() != 3)
        return false;
    for (const DateToken& token : tokens)
    {
        if (token.numeric && token.text.size() > 4)
            return false;
    }

    int year = -1, month = 0, day = 0;
    if (named)
    {
        // "4-Mar-2024", "4 March 2024" or "Mar 4, 2024"; the year comes last.
        if (!tokens[2].numeric)
            return false;
        const size_t nameAt = tokens[0].numeric ? 1 : 0;
        const size_t dayAt = nameAt == 0 ? 1 : 0;
        if (!tokens[dayAt].numeric || tokens[dayAt].text.size() > 2)
            return false;
        month = MonthFromName(tokens[nameAt].text);
        day = std::stoi(tokens[dayAt].text);
        year = FullYear(tokens[2]);
    }
    else if (separator == L' ' || separator == 0)
        return false;
    else if (tokens[0].text.size() == 4)
    {
        if (tokens[1].text.size() > 2 || tokens[2].text.size() > 2)
            return false;
        year = std::stoi(tokens[0].text);
        month = std::stoi(tokens[1].text);
        day = std::stoi(tokens[2].text);
    }
    else
    {
        if (tokens[0].text.size() > 2 || tokens[1].text.size() > 2)
            return false;
        month = std::stoi(tokens[0].text);
        day = std::stoi(tokens[1].text);
        year = FullYear(tokens[2]);
    }
    if (year < 1900 || year > 9999 || month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month))
        return false;
    days = DaysFromCivil(year, month, day) - DaysFromCivil(1899, 12, 30);
    // The application numbers 1900 as a leap year: its serial 60 is a 29 February 1900.
    if (days < 61)
        --days;
    return true;
}

// "14:30", "14:30:15", "2:30 PM", "2:30:15.5 am".
bool ParseTime(const std::wstring& text, double& fraction)
{
    size_t at = 0;
    std::wstring part;
    std::vector<int> fields;
    double seconds = 0;
    while (fields.size() < 3)
    {
        part.clear();
        if (!ReadDigits(text, at, part) || part.size() > 2)
            return false;
        fields.push_back(std::stoi(part));
        if (at < text.size() && text[at] == L':')
            ++at;
        else
            break;
    }
    if (fields.size() < 2)
        return false;
    if (fields.size() == 3 && at < text.size() && text[at] == L'.')
    {
        ++at;
        std::wstring decimals = L"0.";
        if (!ReadDigits(text, at, decimals))
            return false;
        seconds = std::wcstod(decimals.c_str(), nullptr);
    }
    int hour = fields[0];
    std::wstring rest = text.substr(at);
    while (!rest.empty() && rest.front() == L' ')
        rest.erase(0, 1);
    if (!rest.empty())
    {
        const bool am = _wcsicmp(rest.c_str(), L"am") == 0 || _wcsicmp(rest.c_str(), L"a") == 0;
        const bool pm = _wcsicmp(rest.c_str(), L"pm") == 0 || _wcsicmp(rest.c_str(), L"p") == 0;
        if ((!am && !pm) || hour < 1 || hour > 12)
            return false;
        hour = hour % 12 + (pm ? 12 : 0);
    }
    const int minute = fields[1];
    const int second = fields.size() == 3 ? fields[2] : 0;
    if (hour > 23 || minute > 59 || second > 59)
        return false;
    fraction = (hour * 3600.0 + minute * 60.0 + second + seconds) / 86400.0;
    return true;
}

// The application keeps 15 significant digits of a number: 9999999999999999 becomes 1E+16.
double KeptDigits(double value)
{
    wchar_t text[64];
    swprintf(text, 64, L"%.15g", value);
    return std::wcstod(text, nullptr);
}

std::wstring Trimmed(const std::wstring& text)
{
    size_t first = 0, last = text.size();
    while (first < last && std::iswspace(text[first]))
        ++first;
    while (last > first && std::iswspace(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

} // namespace

bool ParseXlNumber(const std::wstring& text, double& value)
{
    size_t at = 0;
    std::wstring plain;
    const bool parenthesised = !text.empty() && text.front() == L'(' && text.back() == L')';
    std::wstring body = parenthesised ? text.substr(1, text.size() - 2) : text;
    if (!parenthesised && !body.empty() && (body[0] == L'+' || body[0] == L'-'))
    {
        if (body[0] == L'-')
            plain += L'-';
        ++at;
    }
    // A currency amount ("$258.65", "-$5") and a percentage ("12.5%") are numbers too.
    if (at < body.size() && body[at] == L'$')
        ++at;
    if (!ReadIntegerPart(body, at, plain))
        return false;
    const bool hasInteger = plain.size() > (plain.empty() || plain[0] != L'-' ? 0u : 1u);
    bool hasFraction = false;
    if (at < body.size() && body[at] == L'.')
    {
        plain += body[at++];
        std::wstring fraction;
        hasFraction = ReadDigits(body, at, fraction);
        plain += fraction;
    }
    if (!hasInteger && !hasFraction)
        return false;
    if (at < body.size() && (body[at] == L'e' || body[at] == L'E'))
    {
        plain += body[at++];
        if (at < body.size() && (body[at] == L'+' || body[at] == L'-'))
            plain += body[at++];
        if (!ReadDigits(body, at, plain))
            return false;
    }
    const bool percent = at < body.size() && body[at] == L'%';
    if (percent)
        ++at;
    if (at != body.size())
        return false;
    wchar_t* end = nullptr;
    double parsed = std::wcstod(plain.c_str(), &end);
    if (!end || *end != 0 || !std::isfinite(parsed) || std::fabs(parsed) > 9.99999999999999e307)
        return false;
    if (percent)
        parsed /= 100;
    value = KeptDigits(parenthesised ? -parsed : parsed);
    return true;
}

bool IsXlDateTimeFormat(const std::wstring& format)
{
    bool inQuotes = false;
    bool inBrackets = false;
    for (size_t i = 0; i < format.size(); ++i)
    {
        const wchar_t c = static_cast<wchar_t>(std::towlower(format[i]));
        if (inQuotes)
        {
            inQuotes = c != L'"';
            continue;
        }
        if (inBrackets)
        {
            // Elapsed-time codes ("[h]:mm") show a time; colours and locales do not.
            if (c == L'h' || c == L'm' || c == L's')
            {
                if (i + 1 < format.size() && (format[i + 1] == L']' || std::towlower(format[i + 1]) == c))
                    return true;
            }
            inBrackets = c != L']';
            continue;
        }
        if (c == L'"')
            inQuotes = true;
        else if (c == L'[')
            inBrackets = true;
        else if (c == L'\\' || c == L'_' || c == L'*')
            ++i;
        else if (c == L'd' || c == L'm' || c == L'y' || c == L'h' || c == L's')
            return _wcsicmp(format.c_str(), L"General") != 0;
    }
    return false;
}

bool ParseXlDateTime(const std::wstring& text, double& serial)
{
    const std::wstring entry = Trimmed(text);
    if (entry.empty())
        return false;
    double fraction = 0;
    if (ParseTime(entry, fraction))
    {
        serial = fraction;
        return true;
    }
    // A date, or a date and a time after the last space that leaves a whole date before it.
    int days = 0;
    if (ParseDate(entry, days))
    {
        serial = days;
        return true;
    }
    for (size_t space = entry.rfind(L' '); space != std::wstring::npos && space > 0;
         space = entry.rfind(L' ', space - 1))
    {
        std::wstring time = entry.substr(space + 1);
        // "2:30 PM" ends in a word of its own: take the word before it too.
        if (ParseTime(time, fraction) && ParseDate(Trimmed(entry.substr(0, space)), days))
        {
            serial = days + fraction;
            return true;
        }
    }
    return false;
}

XlTypedValue ReadTypedValue(const std::wstring& typed, const std::wstring& numberFormat)
{
    XlTypedValue value;
    if (numberFormat == L"@" || typed.empty())
        return value;
    if (ParseXlNumber(typed, value.number))
        value.isNumber = true;
    else if (IsXlFormulaStart(typed))
        value.isFormula = true;
    else if (IsXlDateTimeFormat(numberFormat) && ParseXlDateTime(typed, value.number))
        value.isNumber = true;
    return value;
}

bool IsXlFormulaStart(const std::wstring& typed)
{
    if (typed.empty())
        return false;
    const wchar_t first = typed[0];
    // A sign or "@" alone stays text; "=" alone is a formula the application refuses.
    return first == L'=' || ((first == L'+' || first == L'-' || first == L'@') && typed.size() > 1);
}

} // namespace officestubs
