#pragma once
// What a spreadsheet does to a text typed into one of its cells, and how the exports keep a
// printed text from being turned into something else: a formula, a rounded number, a cut-off
// cell, extra cells or rows on a paste.
#include <cstddef>
#include <string>

// The most characters (UTF-16 code units) a spreadsheet cell holds.
constexpr size_t SpreadsheetCellLimit = 32767;
// The significant digits a spreadsheet keeps of a number; the rest are rounded away.
constexpr int SpreadsheetDigits = 15;

// True when the whole text is a number as the spreadsheet reads a typed entry (English, United
// States conventions): an optional sign, an optional "$", digits with commas only between groups
// of three, an optional fraction and exponent, an optional "%"; or such a number in parentheses.
bool IsSpreadsheetNumber(const std::wstring& text);

// True when the spreadsheet would take the text for a formula: it starts with "=", "+", "-" or
// "@" and is not a number ("+1+1", "@SUM(1,2)", "=A1"; not "-42.5" or "+7").
bool LooksLikeFormula(const std::wstring& text);

// True when the text is a plain number with more significant digits than the spreadsheet keeps
// ("9999999999999999", a card number): stored as a number it would silently be rounded.
bool HasMoreDigitsThanKept(const std::wstring& text);

// The text with every line break (CR LF, a lone CR or LF) as one LF, the spreadsheet's line
// break inside a cell.
std::wstring WithSpreadsheetLineBreaks(const std::wstring& text);

// Cuts the text to the cell limit without splitting a character outside the basic plane.
// Returns true when it was cut.
bool CutToCellLimit(std::wstring& text);

// A cell of tab-separated clipboard text: a text holding a TAB or a line break goes between
// double quotes with its own double quotes doubled, so that a spreadsheet pastes it as one cell;
// every other text stays as it is.
std::wstring ClipboardCellText(const std::wstring& text);
