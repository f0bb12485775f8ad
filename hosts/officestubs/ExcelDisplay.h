// How the spreadsheet stand-in shows a stored number under a cell's number format, as the
// application does (English, United States conventions): "10.0000" under "0.0000", "$258.65"
// under "$#,##0.00", "3/4/2024" under "m/d/yyyy". AutoFit measures this shown text.
#pragma once
#include <string>

namespace officestubs
{

// The number as the format shows it; an empty format or "General" shows up to 11 characters.
std::wstring ShowXlNumber(double value, const std::wstring& format);

} // namespace officestubs
