// The road from a print command to converted tables, as a user travels it: KEST.exe installs its
// printer, a sample report is printed through the print-engine host and the driver, the copy the
// driver starts hands the job to the running program, a table is dragged over the page with the
// mouse, its columns detected, and the table converted to every target while the stand-in Excel
// and Word servers answer. Closing the program takes the job's file along. The converted text and
// the screenshots' paths are written out for whoever runs the demonstration.
#include "app/PrintedFileHandoff.h"
#include "app/Spooler.h"
#include "tests/app/ProgramProcess.h"
#include "tests/support/CopiedTableText.h"
#include "hosts/officestubs/StubClient.h"
#include "tests/framework/input/UserInput.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <string>
#include <vector>

namespace
{

using namespace program_process;

const wchar_t* const OptionsKey = L"Software\\QuillMere\\KEST\\Options";

const std::wstring Program = WindowsPath(L"" KEST_PROGRAM_EXE);
const std::wstring PrintHost = WindowsPath(L"" KEST_PRINTHOST_EXE);
const std::wstring Report = WindowsPath(L"" KEST_SOURCE_DIR L"/samples/demo-report.txt");

// The sample's table as every target must hold it.
const std::vector<std::vector<std::wstring>> ExpectedRows = {
    {L"Item", L"Description", L"Qty", L"Price", L"Amount"}, {L"A-100", L"Hex bolts", L"250", L"0.35", L"87.50"},
    {L"A-101", L"Hex nuts", L"500", L"0.08", L"40.00"},     {L"B-220", L"Washers", L"1000", L"0.02", L"20.00"},
    {L"C-310", L"Threaded rod", L"40", L"2.90", L"116.00"}, {L"D-412", L"Anchor plugs", L"300", L"0.12", L"36.00"},
};

std::wstring ExpectedText(bool tabAfterLastCell)
{
    return CopiedTableText(ExpectedRows, tabAfterLastCell);
}

// A cell as the workbook stores it: numbers as values, without trailing zeros.
std::wstring StoredForm(const std::wstring& cell)
{
    if (cell.empty() || cell.find_first_not_of(L"0123456789.") != std::wstring::npos)
        return cell;
    std::wstring number = cell;
    if (number.find(L'.') != std::wstring::npos)
    {
        number.erase(number.find_last_not_of(L'0') + 1);
        if (number.back() == L'.')
            number.pop_back();
    }
    return number;
}

void SetProductValue(const wchar_t* name, const std::wstring& value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, ProductKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

void SetOption(const wchar_t* name, DWORD value)
{
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, OptionsKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
    RegCloseKey(key);
}

template <typename Condition>
bool WaitFor(Condition condition, DWORD milliseconds = 60000)
{
    const DWORD start = GetTickCount();
    while (!condition())
    {
        if (GetTickCount() - start > milliseconds)
            return false;
        Sleep(100);
    }
    return true;
}

HWND MainWindow()
{
    HWND window = FindWindowW(MainFrameClassName, nullptr);
    return window && IsWindowVisible(window) ? window : nullptr;
}

HWND FirstChildFrame(HWND main)
{
    HWND client = FindWindowExW(main, nullptr, L"MDIClient", nullptr);
    return client ? GetWindow(client, GW_CHILD) : nullptr;
}

struct DialogSearch
{
    DWORD process;
    const wchar_t* caption; // null: any dialog of the process
    HWND found;
};

BOOL CALLBACK FindProcessDialog(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<DialogSearch*>(param);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    wchar_t className[16] = {};
    GetClassNameW(window, className, 16);
    if (process != search->process || !IsWindowVisible(window) || lstrcmpW(className, L"#32770") != 0)
        return TRUE;
    wchar_t text[128] = {};
    GetWindowTextW(window, text, 128);
    if (search->caption && lstrcmpW(text, search->caption) != 0)
        return TRUE;
    search->found = window;
    return FALSE;
}

HWND ProcessDialog(DWORD process, const wchar_t* caption)
{
    DialogSearch search = {process, caption, nullptr};
    EnumWindows(FindProcessDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The screen area saved by the display's own capture program: the program's windows belong to
// another process, whose pixels this one's screen device context does not hold.
bool CaptureScreen(RECT rect, const std::wstring& path)
{
    rect.left = std::max<LONG>(rect.left, 0);
    rect.top = std::max<LONG>(rect.top, 0);
    rect.right = std::min<LONG>(rect.right, GetSystemMetrics(SM_CXSCREEN));
    rect.bottom = std::min<LONG>(rect.bottom, GetSystemMetrics(SM_CYSCREEN));
    wchar_t unixPath[MAX_PATH] = {};
    GetFullPathNameW(path.c_str(), MAX_PATH, unixPath, nullptr);
    std::wstring target = unixPath;
    // "Z:\work\..." is "/work/..." on the display's side.
    if (target.size() > 2 && target[1] == L':')
        target = target.substr(2);
    for (wchar_t& c : target)
        if (c == L'\\')
            c = L'/';
    std::wstring command = L"/usr/bin/import -window root -crop " + std::to_wstring(rect.right - rect.left) + L"x" +
                           std::to_wstring(rect.bottom - rect.top) + L"+" + std::to_wstring(rect.left) + L"+" +
                           std::to_wstring(rect.top) + L" -depth 8 BMP3:" + target;
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    DeleteFileW(path.c_str());
    if (!CreateProcessW(L"Z:\\usr\\bin\\import", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // A program of the display's side is not waited for by its process handle: the picture is
    // there once its file has its whole size.
    const LONGLONG stride = ((rect.right - rect.left) * 3 + 3) & ~3;
    const LONGLONG expected = 54 + stride * (rect.bottom - rect.top);
    for (int i = 0; i < 300; ++i)
    {
        Sleep(100);
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        if (GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) &&
            ((static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow) >= expected)
            return true;
    }
    return false;
}

// A 24-bit picture read back from its file, rows from the top.
struct Picture
{
    bool Load(const std::wstring& path)
    {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE)
            return false;
        std::vector<uint8_t> bytes(GetFileSize(file, nullptr));
        DWORD read = 0;
        const bool ok =
            ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) && read == bytes.size();
        CloseHandle(file);
        if (!ok || bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M')
            return false;
        const uint32_t offset = *reinterpret_cast<const uint32_t*>(&bytes[10]);
        m_width = *reinterpret_cast<const int32_t*>(&bytes[18]);
        const int32_t height = *reinterpret_cast<const int32_t*>(&bytes[22]);
        const uint16_t depth = *reinterpret_cast<const uint16_t*>(&bytes[28]);
        m_height = height < 0 ? -height : height;
        const size_t stride = (static_cast<size_t>(m_width) * 3 + 3) & ~static_cast<size_t>(3);
        if (depth != 24 || m_width <= 0 || offset + stride * m_height > bytes.size())
            return false;
        m_rows.assign(m_height, std::vector<uint8_t>());
        for (int y = 0; y < m_height; ++y)
        {
            const size_t row = height < 0 ? y : m_height - 1 - y;
            m_rows[y].assign(bytes.begin() + offset + row * stride,
                             bytes.begin() + offset + row * stride + m_width * 3);
        }
        return true;
    }
    bool Dark(int x, int y) const { return m_rows[y][x * 3 + 2] < 96; }

    int m_width = 0;
    int m_height = 0;
    std::vector<std::vector<uint8_t>> m_rows;
};

// The screen rectangle around the dark pixels of the window's inner part (its edges left out).
RECT TextBounds(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    Picture picture;
    RECT bounds = {LONG_MAX, LONG_MAX, -1, -1};
    if (!CaptureScreen(rect, L"screenshots\\page.bmp") || !picture.Load(L"screenshots\\page.bmp"))
        return bounds;
    for (int y = 20; y < picture.m_height - 20; ++y)
        for (int x = 20; x < picture.m_width - 20; ++x)
            if (picture.Dark(x, y))
            {
                bounds.left = std::min<LONG>(bounds.left, x);
                bounds.top = std::min<LONG>(bounds.top, y);
                bounds.right = std::max<LONG>(bounds.right, x);
                bounds.bottom = std::max<LONG>(bounds.bottom, y);
            }
    OffsetRect(&bounds, std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0));
    return bounds;
}

std::wstring Screenshot(HWND window, const wchar_t* name)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(500);
    const std::wstring path = std::wstring(L"screenshots\\") + name;
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_TRUE(CaptureScreen(rect, path)) << officestubs::Utf8(path);
    wchar_t full[MAX_PATH] = {};
    GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
    return full;
}

std::vector<std::wstring> JobFiles(const std::wstring& folder)
{
    std::vector<std::wstring> files;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"\\*.kest").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return files;
    do
        files.push_back(folder + L"\\" + entry.cFileName);
    while (FindNextFileW(search, &entry));
    FindClose(search);
    return files;
}

void Print(const std::wstring& line)
{
    std::printf("%s\n", officestubs::Utf8(line).c_str());
    std::fflush(stdout);
}

TEST(DemoTest, FromThePrintCommandToConvertedTables)
{
    ASSERT_EQ(officestubs::RegisterOfficeStubs(), S_OK);
    officestubs::StubSession stubs;
    const std::wstring savedTemp = ProductValue(L"Temp"), savedPath = ProductValue(L"Path");

    // 1. The printer installed by the program itself; then the program starts.
    if (HasKestPrinter())
        RunProcess(Program, L"/NoUI /UninstallPrinter");
    ASSERT_EQ(RunProcess(Program, L"/NoUI /InstallPrinter"), 0u);
    ASSERT_TRUE(HasKestPrinter());
    const std::wstring jobs = ProductValue(L"Temp");
    ASSERT_FALSE(jobs.empty());
    CreateDirectoryW(jobs.c_str(), nullptr);
    for (const std::wstring& old : JobFiles(jobs))
        DeleteFileW(old.c_str());
    SetOption(L"AskConvertPages", 0);

    DWORD programId = 0;
    HANDLE program = StartProcess(Program, L"", &programId);
    ASSERT_NE(program, nullptr);
    HWND main = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (main = MainWindow()) != nullptr; }, 120000));
    ShowWindow(main, SW_MAXIMIZE);
    SetForegroundWindow(main);
    CreateDirectoryW(L"screenshots", nullptr);
    Sleep(1000);

    // 2. and 3. The sample printed through the host and the driver; the copy the driver starts
    // hands the job to the running program.
    ASSERT_EQ(RunProcess(PrintHost, L"-temp=\"" + jobs + L"\" -path=\"" + Program + L"\" \"" + Report + L"\""), 0u);
    HWND child = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (child = FirstChildFrame(main)) != nullptr; }, 120000));
    const std::vector<std::wstring> written = JobFiles(jobs);
    ASSERT_EQ(written.size(), 1u);
    const std::wstring job = written.front();
    HWND view = GetDlgItem(child, 59648);
    ASSERT_NE(view, nullptr);
    Sleep(1500);
    std::vector<std::wstring> shots;
    shots.push_back(Screenshot(main, L"demo-1-job-handed-over.bmp"));

    // 4. The table dragged over the page's text with the mouse, then its columns detected. The
    // page's whole width is shown first.
    PostMessageW(main, WM_COMMAND, 34161, 0);
    Sleep(800);
    const RECT text = TextBounds(view);
    ASSERT_LT(text.left, text.right) << "no text on the page";
    UserInput drag;
    const POINT from = {text.left - 6, text.top - 6};
    const POINT to = {text.right + 6, text.bottom + 6};
    drag.MoveTo(from).Pause(100).LeftDown().Glide(from, to, 20).Pause(100).LeftUp().Pause(300);
    drag.Start();
    drag.Wait();
    PostMessageW(main, WM_COMMAND, 34147, 0);
    Sleep(1500);
    shots.push_back(Screenshot(main, L"demo-2-table-laid.bmp"));

    // 5. and 6. Every target, each checked against the sample's table.
    struct Target
    {
        UINT command;
        const char* what;
    };
    const std::wstring workbook = jobs + L"\\demo-output.xls";
    DeleteFileW(workbook.c_str());
    std::wstring converted;
    for (const Target& target : {Target{34101, "Excel"}, Target{34102, "Excel file"}, Target{34103, "clipboard text"},
                                 Target{34104, "clipboard as Excel sheet"}, Target{34105, "clipboard as Word table"},
                                 Target{34120, "convert again"}})
    {
        officestubs::EmptyTheClipboard();
        const size_t logged = stubs.Log().size();
        PostMessageW(main, WM_COMMAND, target.command, 0);
        if (target.command == 34102)
        {
            HWND save = nullptr;
            ASSERT_TRUE(WaitFor([&] { return (save = ProcessDialog(programId, L"Save As")) != nullptr; }, 30000))
                << "the Excel file's save dialog";
            Sleep(300);
            for (int id : {1148, 1152})
                if (HWND edit = GetDlgItem(save, id))
                    SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(workbook.c_str()));
            PostMessageW(GetDlgItem(save, IDOK), BM_CLICK, 0, 0);
            ASSERT_TRUE(
                WaitFor([&] { return officestubs::ReadZipEntry(workbook, "xl/worksheets/sheet1.xml").size(); }, 60000))
                << target.what;
            const std::string sheet = officestubs::ReadZipEntry(workbook, "xl/worksheets/sheet1.xml");
            for (const auto& row : ExpectedRows)
                for (const std::wstring& cell : row)
                    EXPECT_NE(sheet.find(">" + officestubs::Utf8(StoredForm(cell)) + "<"), std::string::npos)
                        << target.what << ": " << officestubs::Utf8(cell);
        }
        else if (target.command == 34101)
        {
            ASSERT_TRUE(WaitFor([&] {
                return stubs.Log().size() > logged && stubs.Logged("Excel Application.Visible = true");
            })) << target.what;
            const std::vector<std::string> cells = stubs.Calls(".Formula = ");
            for (const auto& row : ExpectedRows)
                for (const std::wstring& cell : row)
                {
                    bool found = false;
                    for (const std::string& line : cells)
                        found = found || line.find("= \"" + officestubs::Utf8(cell) + "\"") != std::string::npos;
                    EXPECT_TRUE(found) << target.what << ": " << officestubs::Utf8(cell);
                }
        }
        else
        {
            ASSERT_TRUE(WaitFor([] { return !officestubs::ClipboardText().empty(); })) << target.what;
            converted = officestubs::ClipboardText();
            EXPECT_EQ(converted, ExpectedText(target.command == 34103)) << target.what;
        }
        Sleep(500);
    }
    shots.push_back(Screenshot(main, L"demo-3-converted.bmp"));

    // 7. Closing the program deletes the job's file.
    PostMessageW(main, WM_CLOSE, 0, 0);
    const DWORD start = GetTickCount();
    while (WaitForSingleObject(program, 200) == WAIT_TIMEOUT && GetTickCount() - start < 60000)
        if (HWND question = ProcessDialog(programId, nullptr))
            for (int button : {IDYES, IDOK})
                if (HWND press = GetDlgItem(question, button))
                {
                    PostMessageW(press, BM_CLICK, 0, 0);
                    break;
                }
    EXPECT_EQ(FinishProcess(program, 1000), 0u);
    CloseHandle(program);
    EXPECT_EQ(GetFileAttributesW(job.c_str()), INVALID_FILE_ATTRIBUTES) << "the job's file";

    Print(L"Converted table (clipboard text):");
    Print(converted);
    for (const std::wstring& shot : shots)
        Print(L"Screenshot: " + shot);

    DeleteFileW(workbook.c_str());
    RunProcess(Program, L"/NoUI /UninstallPrinter");
    if (!savedTemp.empty())
    {
        SetProductValue(L"Temp", savedTemp);
        SetProductValue(L"Path", savedPath);
    }
}

} // namespace
