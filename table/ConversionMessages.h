#pragma once
// The texts a conversion reports. Those marked "detail" are shown inside ConversionErrorMessage.
#include <cstddef>
#include <initializer_list>
#include <string>
#include <vector>

namespace ConversionMessages {

constexpr const wchar_t* EmptyLayout = L"Cannot convert with an empty layout";
constexpr const wchar_t* TooManyWordPages =
    L"Too many pages: Word doesn't support tables with data from more then %d pages.";
constexpr const wchar_t* NoData = L"No data available for conversion";
constexpr const wchar_t* ParsingPage = L"Parsing page %d (%d out of %d)";
constexpr const wchar_t* PreparingCopy = L"Preparing data for copy";
constexpr const wchar_t* EmptyClipboardText = L"Cannot copy an empty string to clipboard";
// Details:
constexpr const wchar_t* SetClipboardDataFailed = L"Unable to set Clipboard data";
constexpr const wchar_t* ClipboardAllocFailed = L"Failed to allocate memory for clipboard";
constexpr const wchar_t* OpenClipboardFailed = L"Failed to open clipboard";
constexpr const wchar_t* EmptyClipboardFailed = L"Failed to empty clipboard";
constexpr const wchar_t* SetClipboardFailed = L"Failed to set clipboard data";
constexpr const wchar_t* PageParseFailed = L"Page %d could not be read";
constexpr const wchar_t* PagesUnavailable = L"The pages could not be read";
constexpr const wchar_t* InvalidPageRange = L"The page range is not valid";
constexpr const wchar_t* TargetNotAvailable = L"This conversion target is not available";
constexpr const wchar_t* UnexpectedError = L"Unexpected error: %s";
// Told once after a conversion that had to cut cells to what a spreadsheet cell holds; the
// cells are named as the spreadsheet names them.
constexpr const wchar_t* CellCut = L"1 cell held more than 32,767 characters, the most a spreadsheet cell "
                                   L"holds: only its first 32,767 characters were written (%s).";
constexpr const wchar_t* CellsCut = L"%d cells held more than 32,767 characters, the most a spreadsheet cell "
                                    L"holds: only their first 32,767 characters were written (%s).";
// The frame around a detail.
constexpr const wchar_t* ConversionError = L"An error occured during conversion:\n%s";

constexpr int WordPageLimit = 20;

} // namespace ConversionMessages

// Fills the %d and %s places of a text above, in order, with the given values; "%%" gives "%".
// Places beyond the values stay empty.
std::wstring FormatMessageText(const wchar_t* format, std::initializer_list<std::wstring> values);

// The message a user sees for a failed conversion: the text itself when it is final, else the
// text inside the general conversion error.
std::wstring ConversionErrorMessage(const std::wstring& errorText, bool errorIsFinal);

// The message after a conversion that cut the named cells (CellCut or CellsCut); the first
// CutCellsNamed names are listed, the others counted. Empty when no cell was cut.
constexpr size_t CutCellsNamed = 10;
std::wstring CutCellsNotice(const std::vector<std::wstring>& cellNames);
