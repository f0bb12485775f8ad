// printhost: prints files through the Kest printer driver as Windows' spooler would.
//   printhost [-temp=FOLDER] [-path=PROGRAM] [-noregistry] [-dpi=N] [-colour] [-landscape]
//             [-paper=WIDTHxLENGTH] [-lines=N] [-name=DOCUMENT] [-messagebox] FILE...
// Files ending in .emf are played as they are; any other file is printed as a plain text report.
// Each file is one print job. Pages keep their own size: the paper is the size of the pages' frames
// unless -paper names it (millimetres of the upright sheet; -landscape turns it), and a text report
// is laid out on that paper (A4 when none is named).
#include "driver/DriverErrors.h"
#include "hosts/printhost/EmfPlayer.h"
#include "hosts/printhost/HostSetup.h"
#include "hosts/printhost/ReportPrinter.h"

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

bool g_driverComplained = false;

void PrintDriverMessage(const wchar_t* text, const wchar_t* caption)
{
    g_driverComplained = true;
    std::fwprintf(stderr, L"%ls: %ls\n", caption, text);
}

std::wstring ModuleFolder()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path, length < MAX_PATH ? length : 0);
    size_t slash = folder.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash + 1);
}

std::wstring DefaultTempFolder()
{
    wchar_t path[MAX_PATH];
    DWORD length = GetTempPathW(MAX_PATH, path);
    return std::wstring(path, length < MAX_PATH ? length : 0) + L"KestJobs";
}

bool EndsWithNoCase(const std::wstring& text, const wchar_t* suffix)
{
    const size_t length = std::wcslen(suffix);
    return text.size() >= length && _wcsicmp(text.c_str() + text.size() - length, suffix) == 0;
}

bool Option(const wchar_t* argument, const wchar_t* name, std::wstring& value)
{
    const size_t length = std::wcslen(name);
    if (std::wcsncmp(argument, name, length) != 0)
        return false;
    value = argument + length;
    return true;
}

int Usage()
{
    std::fwprintf(stderr, L"usage: printhost [-temp=FOLDER] [-path=PROGRAM] [-noregistry] [-dpi=N] [-colour]\n"
                          L"                 [-landscape] [-paper=WIDTHxLENGTH] [-lines=N] [-name=DOCUMENT]\n"
                          L"                 [-messagebox] FILE...\n");
    return 2;
}

// "215.9x279.4": millimetres, each between 10 mm and the largest paper a device mode describes.
bool ParsePaper(const std::wstring& value, DeviceSettings& settings)
{
    wchar_t* end = nullptr;
    const double width = std::wcstod(value.c_str(), &end);
    if (!end || (*end != L'x' && *end != L'X'))
        return false;
    const double length = std::wcstod(end + 1, &end);
    if (!end || *end != 0 || !(width >= 10 && width <= 3276) || !(length >= 10 && length <= 3276))
        return false;
    settings.paperWidth = static_cast<SHORT>(width * 10 + 0.5);
    settings.paperLength = static_cast<SHORT>(length * 10 + 0.5);
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    std::wstring temp = DefaultTempFolder();
    std::wstring program = ModuleFolder() + L"kest_program_standin.exe";
    std::wstring documentName;
    bool setRegistry = true;
    bool messageBox = false;
    DeviceSettings settings;
    bool paperNamed = false;
    ReportLayout layout;
    std::vector<std::wstring> files;
    for (int i = 1; i < argc; ++i)
    {
        std::wstring value;
        const wchar_t* argument = argv[i];
        if (Option(argument, L"-temp=", temp) || Option(argument, L"-path=", program)
            || Option(argument, L"-name=", documentName))
            continue;
        if (Option(argument, L"-dpi=", value))
            settings.resolution = static_cast<DWORD>(std::wcstoul(value.c_str(), nullptr, 10));
        else if (Option(argument, L"-paper=", value))
        {
            if (!ParsePaper(value, settings))
                return Usage();
            paperNamed = true;
        }
        else if (Option(argument, L"-lines=", value))
            layout.linesPerPage = static_cast<int>(std::wcstol(value.c_str(), nullptr, 10));
        else if (std::wcscmp(argument, L"-colour") == 0)
            settings.colour = true;
        else if (std::wcscmp(argument, L"-landscape") == 0)
            settings.landscape = true;
        else if (std::wcscmp(argument, L"-noregistry") == 0)
            setRegistry = false;
        else if (std::wcscmp(argument, L"-messagebox") == 0)
            messageBox = true;
        else if (argument[0] == L'-')
            return Usage();
        else
            files.push_back(argument);
    }
    if (files.empty())
        return Usage();
    layout.paperWidthMm = (settings.paperWidth + 5) / 10;
    layout.paperLengthMm = (settings.paperLength + 5) / 10;
    if (settings.landscape)
        std::swap(layout.paperWidthMm, layout.paperLengthMm);
    if (!messageBox)
        SetDriverMessageSink(&PrintDriverMessage);
    if (setRegistry && !SetJobRegistryValues(temp, program))
    {
        std::fwprintf(stderr, L"printhost: cannot set the registry values \"Temp\" and \"Path\"\n");
        return 1;
    }

    int status = 0;
    for (const std::wstring& file : files)
    {
        std::vector<EnhMetaFile> pages;
        if (EndsWithNoCase(file, L".emf"))
            pages.emplace_back(GetEnhMetaFileW(file.c_str()));
        else
        {
            std::wstring text;
            if (ReadTextFile(file, text))
                pages = MakeReportPages(text, layout);
        }
        if (pages.empty() || !pages.front().Get())
        {
            std::fwprintf(stderr, L"printhost: cannot read %ls\n", file.c_str());
            status = 1;
            continue;
        }
        DeviceSettings jobSettings = settings;
        if (!paperNamed)
        {
            const PaperChoice paper = ChoosePaper(pages, jobSettings);
            if (paper == PaperChoice::TooLarge || paper == PaperChoice::Unreadable)
            {
                std::fwprintf(stderr, L"printhost: %ls: %ls\n", file.c_str(),
                              paper == PaperChoice::TooLarge ? L"a page is larger than any paper"
                                                             : L"a page has no readable header");
                status = 1;
                continue;
            }
        }
        DriverSession session(jobSettings);
        if (!session.Open())
        {
            std::fwprintf(stderr, L"printhost: the driver refused the printer\n");
            status = 1;
            continue;
        }
        const std::wstring name = documentName.empty() ? file : documentName;
        if (!PrintEmfDocument(session, pages, name.c_str()))
            status = 1;
        std::fwprintf(stdout, L"printhost: printed %ls, %u page(s)\n", file.c_str(),
                      static_cast<unsigned>(pages.size()));
    }
    return g_driverComplained ? 1 : status;
}
