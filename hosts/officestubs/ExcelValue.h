// How the spreadsheet stand-in reads a value typed into a cell, as the application does for a
// user-typed entry (English, United States conventions): a number only when the whole text is one,
// a date or time only in a cell whose number format shows one, everything else stays text.
#pragma once
#include <string>

namespace officestubs
{

// A sign or accounting parentheses, an optional "$", digits (commas only as thousands
// separators in groups of three), an optional fraction and exponent, an optional "%". "nan",
// "inf", hexadecimal and out-of-range values are not numbers. The value keeps 15 significant
// digits, as the application's does.
bool ParseXlNumber(const std::wstring& text, double& value);

// True when the format shows a date or a time (day, month, year, hour or second codes outside
// quoted text); "General", "@" and plain number formats are not.
bool IsXlDateTimeFormat(const std::wstring& format);

// A date under English (United States) settings ("2024-03-04", "3/4/2024" month first,
// "4-Mar-2024", "Mar 4, 2024"; not "04.03.2024"), a time ("14:30", "2:30:15 PM") or a date
// followed by a time, as the application's serial number: whole days since 1899-12-30 (one less
// before March 1900, where the application counts a 29 February 1900) plus the time as a
// fraction of a day.
bool ParseXlDateTime(const std::wstring& text, double& serial);

// True when the application takes a typed entry that is no number for a formula: it starts
// with "=", or with "+", "-" or "@" followed by more.
bool IsXlFormulaStart(const std::wstring& typed);

struct XlTypedValue
{
    bool isNumber = false;  // a number or a date stored as its serial number; otherwise text
    bool isFormula = false; // the entry became a formula
    double number = 0;
};

// The value of a typed entry under the cell's number format ("@" keeps everything as text): a
// number, else a formula, else a date or time where the format shows one, else text.
XlTypedValue ReadTypedValue(const std::wstring& typed, const std::wstring& numberFormat);

} // namespace officestubs
