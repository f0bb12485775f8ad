#pragma once
// The texts of the Excel and Word exports and of the progress dialog. Those marked "detail" are
// shown inside ConversionMessages::ConversionError.

namespace AutomationMessages {

constexpr const wchar_t* ExcelLoadFailed = L"Failed to load Excel application";
constexpr const wchar_t* ExcelException = L"Excel exception: %s"; // detail
constexpr const wchar_t* WritingExcel = L"Writing data to Microsoft Excel";
constexpr const wchar_t* SavingExcelFile = L"Saving Microsoft Excel File";
constexpr const wchar_t* CopyingExcel = L"Copying Microsoft Excel data to Clipboard";
// Follows ExcelException when a failed save could not put the file it replaced back.
constexpr const wchar_t* OldFileKeptAs = L"The file that was there before is kept as %s"; // detail

constexpr const wchar_t* TooManyWordColumns =
    L"Too many columns: Word doesn't support tables with more then %d columns";
constexpr const wchar_t* WordLoadFailed = L"Failed to load Word application"; // detail
constexpr const wchar_t* WordException = L"Word exception: %s";              // detail
constexpr const wchar_t* WritingWord = L"Writing data to Microsoft Word";
constexpr int WordColumnLimit = 63;

constexpr const wchar_t* ConvertingTitle = L"Converting table data";
constexpr const wchar_t* ThreadNotCreated = L"Could not create thread";

// The longest exception text put into a message.
constexpr unsigned ExceptionTextLimit = 1023;

} // namespace AutomationMessages
