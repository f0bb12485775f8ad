#pragma once
// The texts a conversion reports. Those marked "detail" are shown inside ConversionErrorMessage.
#include <initializer_list>
#include <string>

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
