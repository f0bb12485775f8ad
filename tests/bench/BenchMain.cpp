// kest_bench: the measurements behind tools/bench.sh, one per run so that each peak of memory is
// its own process's. Every run prints "name=value" lines for the script to put into its table.
//   kest_bench report PAGES FILE                   the report as UTF-8 text (for the PDF)
//   kest_bench capture PAGES DPI mono|colour FOLDER PROGRAM
//                                                  prints the report through the driver; capture
//                                                  cost per page, the deflate of the same page
//                                                  images, peak memory, the work file written
//   kest_bench open SMALL LARGE                    open two work files and show their page 1
//                                                  (words, image) by turns: pairs of times, each
//                                                  with the time of the archive's directory alone
//   kest_bench convert FILE [TEXT]                 words, detection, parse and tab-separated text
//                                                  of every page; pages per second, peak memory;
//                                                  the text into TEXT (UTF-16LE) when given
//   kest_bench start PROGRAM [FILE [PICTURE]]      starts KEST.exe (with the work file) as a user
//                                                  does: the time to its main window and to the
//                                                  first page drawn on the screen; the screen's
//                                                  view of that page into PICTURE when given
#include "tests/bench/BenchReport.h"

#include "driver/DriverErrors.h"
#include "hosts/printhost/EmfPlayer.h"
#include "hosts/printhost/HostSetup.h"
#include "hosts/printhost/ReportPrinter.h"
#include "pagemodel/CDCPageImage.h"
#include "pagemodel/CDCWorkFile.h"
#include "pagemodel/PageWordList.h"
#include "pagemodel/Unzipper.h"
#include "table/CDCTableParser.h"
#include "table/ClipboardText.h"
#include "table/ConvertingTableLayout.h"
#include "table/GridExporter.h"
#include "table/TableConverter.h"
#include "table/TableDetection.h"

#include <windows.h>

#include <psapi.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

class Stopwatch
{
public:
    Stopwatch() { QueryPerformanceFrequency(&m_frequency); }
    void Start() { QueryPerformanceCounter(&m_start); }
    // Milliseconds since Start.
    double Elapsed() const
    {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        const double ticks = static_cast<double>(now.QuadPart - m_start.QuadPart);
        return 1000.0 * ticks / static_cast<double>(m_frequency.QuadPart);
    }

private:
    LARGE_INTEGER m_frequency{};
    LARGE_INTEGER m_start{};
};

double WorkingSetMegabytes(bool peak)
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return -1;
    return static_cast<double>(peak ? counters.PeakWorkingSetSize : counters.WorkingSetSize) / (1024.0 * 1024.0);
}

double PeakMegabytes()
{
    return WorkingSetMegabytes(true);
}

void Report(const char* name, double value)
{
    std::printf("%s=%.3f\n", name, value);
}

bool g_driverComplained = false;

void PrintDriverMessage(const wchar_t* text, const wchar_t* caption)
{
    g_driverComplained = true;
    std::fwprintf(stderr, L"%ls: %ls\n", caption, text);
}

// The deflate of an entry as the archive writer does it: raw deflate at the default level,
// streamed through a buffer of 64 KiB. Milliseconds.
double DeflateMilliseconds(const std::vector<unsigned char>& data)
{
    std::vector<unsigned char> out(64 * 1024);
    z_stream stream{};
    Stopwatch watch;
    watch.Start();
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK)
        return -1;
    stream.next_in = const_cast<unsigned char*>(data.data());
    stream.avail_in = static_cast<uInt>(data.size());
    int status = Z_OK;
    while (status == Z_OK)
    {
        stream.next_out = out.data();
        stream.avail_out = static_cast<uInt>(out.size());
        status = deflate(&stream, Z_FINISH);
    }
    deflateEnd(&stream);
    return status == Z_STREAM_END ? watch.Elapsed() : -1;
}

// The newest work file of the folder.
std::wstring NewestWorkFile(const std::wstring& folder)
{
    std::wstring newest;
    FILETIME newestTime{};
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*.kest").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return newest;
    do
    {
        if (newest.empty() || CompareFileTime(&found.ftLastWriteTime, &newestTime) > 0)
        {
            newest = folder + L"\\" + found.cFileName;
            newestTime = found.ftLastWriteTime;
        }
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return newest;
}

int Capture(int pages, DWORD dpi, bool colour, const std::wstring& folder, const std::wstring& program)
{
    if (!SetJobRegistryValues(folder, program))
        return 2;
    SetDriverMessageSink(&PrintDriverMessage);
    DeviceSettings settings;
    settings.resolution = dpi;
    settings.colour = colour;
    DriverSession session(settings);
    if (!session.Open())
        return 2;

    // The application's side, making each page's metafile, is not counted: only the driver's
    // calls and the engine's drawing of the page, as in the spooler. The floor, the deflate of
    // the page's image, is measured right before and right after the page's end on pages sampled
    // evenly over the job, so that the two sides of a pair see the machine in the same state.
    const int samples = (std::min)(pages, pages >= 100 ? 20 : 10);
    const int stride = pages / samples;
    auto sampled = [&](int page) { return (page - 1) % stride == 0 && (page - 1) / stride < samples; };
    Stopwatch watch;
    double pageMilliseconds = 0;
    watch.Start();
    bool ok = session.StartDoc(L"Order journal") != FALSE;
    double documentMilliseconds = watch.Elapsed();
    EmfPagePlayer player(session);
    // Where a page's time goes: the white page, the drawing with its text output, the page's end.
    double phaseMilliseconds[3] = {};
    double sampledPage = 0, sampledEnd = 0, sampledDeflate = 0;
    // The page's bits as the engine holds them, which the image entry carries, deflated.
    auto deflatePage = [&session]() {
        const SURFOBJ* surface = session.Surface();
        const auto* bits = static_cast<const unsigned char*>(surface->pvBits);
        return DeflateMilliseconds(std::vector<unsigned char>(bits, bits + surface->cjBits));
    };
    for (int page = 1; page <= pages && ok; ++page)
    {
        std::vector<EnhMetaFile> emf = MakeReportPages(BenchReportPage(page), ReportLayout());
        ok = emf.size() == 1;
        double phases[3] = {};
        Stopwatch phase;
        phase.Start();
        ok = ok && session.StartPage();
        phases[0] = phase.Elapsed();
        phase.Start();
        ok = ok && player.Play(emf[0].Get());
        phases[1] = phase.Elapsed();
        const double deflateBefore = ok && sampled(page) ? deflatePage() : 0;
        phase.Start();
        ok = ok && session.SendPage();
        phases[2] = phase.Elapsed();
        const double milliseconds = phases[0] + phases[1] + phases[2];
        pageMilliseconds += milliseconds;
        for (int i = 0; i < 3; ++i)
            phaseMilliseconds[i] += phases[i];
        if (ok && sampled(page))
        {
            const double deflateAfter = deflatePage();
            ok = deflateBefore >= 0 && deflateAfter >= 0;
            const double deflate = (deflateBefore + deflateAfter) / 2;
            sampledPage += milliseconds;
            sampledEnd += phases[2];
            sampledDeflate += deflate;
            // One pair: the page (its end alone, then the whole page and its drawing) and the
            // floor around its end.
            std::printf("pair=%.4f %.4f %.4f %.4f\n", phases[2], deflate, milliseconds, phases[1]);
        }
    }
    watch.Start();
    ok = session.EndDoc() && ok;
    documentMilliseconds += watch.Elapsed();
    const double peak = PeakMegabytes();
    session.Close();
    if (!ok || g_driverComplained)
        return 3;

    Report("capture_ms_per_page", pageMilliseconds / pages);
    Report("start_page_ms", phaseMilliseconds[0] / pages);
    Report("drawing_ms", phaseMilliseconds[1] / pages);
    Report("send_page_ms", phaseMilliseconds[2] / pages);
    Report("document_ms", documentMilliseconds);
    Report("deflate_ms_per_page", sampledDeflate / samples);
    Report("capture_to_deflate", sampledPage / sampledDeflate);
    Report("page_end_to_deflate", sampledEnd / sampledDeflate);
    Report("peak_mb", peak);
    std::printf("workfile=%ls\n", NewestWorkFile(folder).c_str());
    return 0;
}

// Milliseconds to open the work file and show its page 1 (its words and its image); -1 on failure.
double OpenAndShowFirstPage(const std::wstring& path, HDC dc)
{
    Stopwatch watch;
    watch.Start();
    CDCWorkFile workFile;
    PageWordList words;
    CDCPageImage image;
    const bool ok = workFile.Open(path.c_str()) && workFile.GetPageWords(1, dc, words) && words.GetCount() > 0 &&
                    workFile.LoadPageImage(1, image);
    return ok ? watch.Elapsed() : -1;
}

// Milliseconds to read the archive's directory alone; -1 on failure.
double OpenArchive(const std::wstring& path)
{
    Stopwatch watch;
    watch.Start();
    CUnzipper unzipper;
    return unzipper.Open(path.c_str()) ? watch.Elapsed() : -1;
}

int OpenFirstPages(const std::wstring& small, const std::wstring& large)
{
    // The program shows a page through the device context its view already has.
    HDC dc = CreateCompatibleDC(nullptr);
    // A first round is not counted: it pays for the file system's cache and the code's first run.
    bool ok = OpenAndShowFirstPage(small, dc) >= 0 && OpenAndShowFirstPage(large, dc) >= 0;
    const int rounds = 9;
    for (int round = 0; ok && round < rounds; ++round)
    {
        // Pairs in one process, the two files taking turns going first.
        double times[2][2] = {};
        for (int i = 0; i < 2; ++i)
        {
            const int which = round % 2 == 0 ? i : 1 - i;
            const std::wstring& path = which == 0 ? small : large;
            times[which][0] = OpenAndShowFirstPage(path, dc);
            times[which][1] = OpenArchive(path);
            ok = ok && times[which][0] >= 0 && times[which][1] >= 0;
        }
        if (ok)
            std::printf("pair=%.4f %.4f %.4f %.4f\n", times[0][0], times[1][0], times[0][1], times[1][1]);
    }
    DeleteDC(dc);
    return ok ? 0 : 4;
}

// The clipboard text target without the clipboard: the text is built and kept.
class TextExporter : public GridExporter
{
public:
    bool Export(TableConverter& /*converter*/, const ConvertingTableGrid& grid, ConversionTarget /*target*/,
                const std::wstring& /*outputFileName*/, int32_t /*progressRange*/) override
    {
        m_gridMegabytes = WorkingSetMegabytes(false); // every page parsed, no text yet
        m_text = BuildTableText(grid);
        return !m_text.empty();
    }
    std::wstring m_text;
    double m_gridMegabytes = 0;
};

// The table over every word of page 1, its columns and rows detected, as the program's automatic
// detection does.
bool DetectLayout(CDCWorkFile& workFile, HDC dc, ConvertingTableLayout& layout)
{
    PageWordList words;
    if (!workFile.GetPageWords(1, dc, words))
        return false;
    return DetectTableOverWords(WordsOf(words), layout);
}

// The text as its UTF-16 code units, little-endian, as the clipboard would take it.
bool WriteText(const std::wstring& text, const std::wstring& path)
{
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return false;
    const bool written = std::fwrite(text.data(), sizeof(wchar_t), text.size(), file) == text.size();
    return std::fclose(file) == 0 && written;
}

int Convert(const std::wstring& path, const std::wstring& textPath)
{
    // The program converts through the device context its page view already has; the first one of
    // a process starts the display driver, which is the process's start, not the conversion's.
    HDC dc = CreateCompatibleDC(nullptr);
    Stopwatch watch;
    watch.Start();
    CDCWorkFile workFile;
    TableConverter converter;
    TextExporter exporter;
    converter.SetExporter(TargetClipboardText, &exporter);
    bool ok = workFile.Open(path.c_str()) && DetectLayout(workFile, dc, converter.GetLayout());
    const int32_t pages = static_cast<int32_t>(workFile.GetPageCount());
    if (ok)
    {
        CDCTableParser parser(&workFile, dc);
        ok = converter.Convert(parser, {{1, pages + 1}}, TargetClipboardText, L"", true);
    }
    const double milliseconds = watch.Elapsed();
    DeleteDC(dc);
    if (!ok)
    {
        std::fwprintf(stderr, L"conversion failed: %ls\n", converter.GetErrorText().c_str());
        return 4;
    }
    if (!textPath.empty() && !WriteText(exporter.m_text, textPath))
        return 2;
    Report("convert_pages_per_s", 1000.0 * pages / milliseconds);
    Report("text_kb", static_cast<double>(exporter.m_text.size()) / 1024.0);
    Report("parsed_mb", exporter.m_gridMegabytes);
    Report("peak_mb", PeakMegabytes());
    return 0;
}

// What a user sees of a started KEST.exe, read from outside as the user would: its windows and
// the pixels of the screen.
namespace program_start
{

const wchar_t kMainWindowClass[] = L"QuillmereKestMainFrame";

struct LargestLeaf
{
    HWND window = nullptr;
    LONG area = 0;
};

// The largest visible window without child windows of its own: the page view of a document.
BOOL CALLBACK FindLargestLeaf(HWND window, LPARAM data)
{
    LargestLeaf& largest = *reinterpret_cast<LargestLeaf*>(data);
    RECT client;
    if (!IsWindowVisible(window) || GetWindow(window, GW_CHILD) || !GetClientRect(window, &client))
        return TRUE;
    const LONG area = client.right * client.bottom;
    if (area > largest.area)
    {
        largest.window = window;
        largest.area = area;
    }
    return TRUE;
}

// The client area of the window as it lies on the screen, as 32-bit pixels.
class ScreenPixels
{
public:
    explicit ScreenPixels(HWND window)
    {
        RECT client;
        if (!GetClientRect(window, &client) || client.right <= 0 || client.bottom <= 0)
            return;
        POINT origin{0, 0};
        ClientToScreen(window, &origin);
        m_width = client.right;
        m_height = client.bottom;
        HDC screen = GetDC(nullptr);
        HDC memory = CreateCompatibleDC(screen);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), m_width, -m_height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        if (m_bitmap)
        {
            const HGDIOBJ old = SelectObject(memory, m_bitmap);
            BitBlt(memory, 0, 0, m_width, m_height, screen, origin.x, origin.y, SRCCOPY);
            SelectObject(memory, old);
            m_bits = static_cast<const uint32_t*>(bits);
        }
        DeleteDC(memory);
        ReleaseDC(nullptr, screen);
    }
    ~ScreenPixels()
    {
        if (m_bitmap)
            DeleteObject(m_bitmap);
    }
    ScreenPixels(const ScreenPixels&) = delete;
    ScreenPixels& operator=(const ScreenPixels&) = delete;

    // Pixels near black: printed text, which neither an empty view nor its frame shows this much of.
    int DarkPixels() const
    {
        int count = 0;
        for (int i = 0; m_bits && i < m_width * m_height; ++i)
        {
            const uint32_t p = m_bits[i];
            count += ((p >> 16) & 0xFF) < 96 && ((p >> 8) & 0xFF) < 96 && (p & 0xFF) < 96 ? 1 : 0;
        }
        return count;
    }
    bool Save(const std::wstring& path) const
    {
        FILE* file = _wfopen(path.c_str(), L"wb");
        if (!file || !m_bits)
        {
            if (file)
                std::fclose(file);
            return false;
        }
        const DWORD size = static_cast<DWORD>(m_width * m_height * 4);
        BITMAPINFOHEADER info = {sizeof info, m_width, -m_height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        BITMAPFILEHEADER header{};
        header.bfType = 0x4D42;
        header.bfOffBits = sizeof header + sizeof info;
        header.bfSize = header.bfOffBits + size;
        const bool written = std::fwrite(&header, sizeof header, 1, file) == 1 &&
                             std::fwrite(&info, sizeof info, 1, file) == 1 && std::fwrite(m_bits, 1, size, file) == size;
        return std::fclose(file) == 0 && written;
    }

private:
    HBITMAP m_bitmap = nullptr;
    const uint32_t* m_bits = nullptr;
    int m_width = 0;
    int m_height = 0;
};

// The page view of the first document window, once it is on the screen.
HWND PageView(HWND main)
{
    HWND client = FindWindowExW(main, nullptr, L"MDIClient", nullptr);
    if (!client)
        return nullptr;
    LargestLeaf largest;
    EnumChildWindows(client, &FindLargestLeaf, reinterpret_cast<LPARAM>(&largest));
    return largest.window;
}

// A page counts as shown when this many pixels of its view are near black.
const int kPrintedPixels = 200;
const double kGiveUpMilliseconds = 120000;

} // namespace program_start

int StartProgram(const std::wstring& program, const std::wstring& file, const std::wstring& picture)
{
    using namespace program_start;
    std::wstring command = L"\"" + program + L"\"";
    if (!file.empty())
        command += L" -input=\"" + file + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    Stopwatch watch;
    watch.Start();
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return 2;
    CloseHandle(process.hThread);
    double windowMilliseconds = -1, pageMilliseconds = -1;
    HWND main = nullptr;
    while (watch.Elapsed() < kGiveUpMilliseconds && WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
    {
        if (!main)
        {
            HWND found = FindWindowW(kMainWindowClass, nullptr);
            if (found && IsWindowVisible(found))
            {
                main = found;
                windowMilliseconds = watch.Elapsed();
                if (file.empty())
                    break;
            }
        }
        else if (HWND view = PageView(main))
        {
            const ScreenPixels pixels(view);
            if (pixels.DarkPixels() >= kPrintedPixels)
            {
                pageMilliseconds = watch.Elapsed();
                if (!picture.empty())
                    pixels.Save(picture);
                break;
            }
        }
        Sleep(main ? 2 : 5);
    }
    // The copy is closed as the user closes it; one that does not end in time is ended.
    if (main)
        PostMessageW(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, 30000) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hProcess);
    if (windowMilliseconds < 0 || (!file.empty() && pageMilliseconds < 0))
    {
        std::fputs(main ? "no page came on the screen\n" : "no main window came on the screen\n", stderr);
        return 4;
    }
    Report("window_ms", windowMilliseconds);
    if (!file.empty())
        Report("first_page_ms", pageMilliseconds);
    return 0;
}

int WriteReport(int pages, const std::wstring& path)
{
    const std::wstring text = BenchReport(pages);
    const int size =
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &utf8[0], size, nullptr, nullptr);
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return 2;
    const bool written = std::fwrite(utf8.data(), 1, utf8.size(), file) == utf8.size();
    return std::fclose(file) == 0 && written ? 0 : 2;
}

int Usage()
{
    std::fputs("usage: kest_bench report PAGES FILE | capture PAGES DPI mono|colour FOLDER PROGRAM"
               " | open SMALL LARGE | convert FILE [TEXT] | start PROGRAM [FILE [PICTURE]]\n",
               stderr);
    return 1;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"report" && argc == 4)
        return WriteReport(_wtoi(argv[2]), argv[3]);
    if (command == L"capture" && argc == 7 && _wtoi(argv[2]) > 0)
        return Capture(_wtoi(argv[2]), static_cast<DWORD>(_wtoi(argv[3])), std::wstring(argv[4]) == L"colour", argv[5],
                       argv[6]);
    if (command == L"open" && argc == 4)
        return OpenFirstPages(argv[2], argv[3]);
    if (command == L"convert" && (argc == 3 || argc == 4))
        return Convert(argv[2], argc == 4 ? argv[3] : L"");
    if (command == L"start" && argc >= 3 && argc <= 5)
        return StartProgram(argv[2], argc >= 4 ? argv[3] : L"", argc == 5 ? argv[4] : L"");
    return Usage();
}
