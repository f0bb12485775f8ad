// Stands in for the Kest program that the driver starts at the end of a job: it reports the work
// file it was handed and, when KEST_STANDIN_LOG names a file, appends its command line to it.
// Then it walks the rest of the road the program would: it opens the work file, lays a table over
// the words of the first page (the stored layout, or columns and rows detected from the words),
// converts every page to the clipboard as text and reports that text in the file named by
// KEST_STANDIN_REPORT (the driver starts it without a console of its own), written whole under a
// temporary name first so that a reader never sees half of it.
#include "pagemodel/CDCWorkFile.h"
#include "pagemodel/PageWordList.h"
#include "table/CDCTableParser.h"
#include "table/ClipboardText.h"
#include "table/ConvertingTableLayout.h"
#include "table/TableConverter.h"
#include "table/TableDetection.h"

#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

namespace
{

void LogCommandLine()
{
    wchar_t logPath[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"KEST_STANDIN_LOG", logPath, MAX_PATH);
    if (!length || length >= MAX_PATH)
        return;
    if (FILE* log = _wfopen(logPath, L"a, ccs=UTF-8"))
    {
        std::fwprintf(log, L"%ls\n", GetCommandLineW());
        std::fclose(log);
    }
}

// The table covers every word of the page; its columns and rows come from the words.
bool DetectLayout(CDCWorkFile& workFile, HDC dc, ConvertingTableLayout& layout)
{
    PageWordList words;
    if (!workFile.GetPageWords(1, dc, words))
        return false;
    return DetectTableOverWords(WordsOf(words), layout);
}

std::wstring ReadClipboardText()
{
    std::wstring text;
    ReadTextFromClipboard(text);
    return text;
}

std::wstring g_report;

void Say(const std::wstring& text)
{
    g_report += text;
    std::fputws(text.c_str(), stdout);
}

void WriteReportFile()
{
    wchar_t reportPath[MAX_PATH];
    DWORD length = GetEnvironmentVariableW(L"KEST_STANDIN_REPORT", reportPath, MAX_PATH);
    if (!length || length >= MAX_PATH)
        return;
    const std::wstring partial = std::wstring(reportPath) + L".part";
    FILE* file = _wfopen(partial.c_str(), L"w, ccs=UTF-8");
    if (!file)
        return;
    const bool written = std::fputws(g_report.c_str(), file) >= 0;
    if (std::fclose(file) == 0 && written)
        MoveFileExW(partial.c_str(), reportPath, MOVEFILE_REPLACE_EXISTING);
    else
        DeleteFileW(partial.c_str());
}

int ConvertToText(const wchar_t* path)
{
    CDCWorkFile workFile;
    if (!workFile.Open(path))
    {
        Say(L"Kest stand-in: the work file could not be opened\n");
        return 1;
    }
    HDC dc = CreateCompatibleDC(nullptr);
    TableConverter converter;
    ConvertingTableLayout& layout = converter.GetLayout();
    const bool stored = workFile.HasLayout() && workFile.LoadLayout(layout) && layout.HasColumns();
    if (!stored && !DetectLayout(workFile, dc, layout))
    {
        Say(L"Kest stand-in: no words on the first page\n");
        DeleteDC(dc);
        return 1;
    }
    CDCTableParser parser(&workFile, dc);
    const PageRangeList allPages = {{1, static_cast<int32_t>(workFile.GetPageCount()) + 1}};
    const bool converted = converter.Convert(parser, allPages, TargetClipboardText, L"", !stored);
    DeleteDC(dc);
    if (!converted)
    {
        Say(L"Kest stand-in: conversion failed: " + converter.GetErrorText() + L"\n");
        return 1;
    }
    Say(L"Kest stand-in: " + std::to_wstring(workFile.GetPageCount()) + L" page(s) converted with a " +
        (stored ? L"stored" : L"detected") + L" layout; the clipboard holds:\n" + ReadClipboardText());
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const wchar_t* printed = nullptr;
    for (int i = 1; i < argc; ++i)
    {
        if (std::wcsncmp(argv[i], L"-printed=", 9) == 0)
            printed = argv[i] + 9;
    }
    Say(std::wstring(L"Kest stand-in: printed work file ") + (printed ? printed : L"(none)") + L"\n");
    LogCommandLine();
    if (!printed)
        return 1;
    // Only a caller that asks for the report gets the conversion: the driver's tests delete the
    // work file as soon as the program was started, and the conversion would hold it open.
    if (GetEnvironmentVariableW(L"KEST_STANDIN_REPORT", nullptr, 0) == 0)
        return 0;
    const int rc = ConvertToText(printed);
    WriteReportFile();
    return rc;
}
