#include "tests/printpath/PrintedJob.h"

#include "driver/DriverErrors.h"
#include "hosts/printhost/HostSetup.h"
#include "hosts/printhost/engine/StandInEngine.h"

namespace
{

std::vector<std::wstring>* g_messages = nullptr;

void RecordMessage(const wchar_t* text, const wchar_t* /*caption*/)
{
    if (g_messages)
        g_messages->push_back(text);
}

void RemoveFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
        {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        } while (FindNextFileW(search, &found));
        FindClose(search);
    }
    RemoveDirectoryW(folder.c_str());
}

} // namespace

void PrintedJobTest::SetUp()
{
    standin::ResetEngine();
    ClearDriverFaults();
    g_messages = &m_driverMessages;
    SetDriverMessageSink(&RecordMessage);
    static int sequence = 0;
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    m_folder = std::wstring(temp) + L"kest-printpath-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
               std::to_wstring(++sequence);
    RemoveFolder(m_folder);
    // The program the driver starts only reports the file it was handed and ends.
    ASSERT_TRUE(SetJobRegistryValues(m_folder, L"" KEST_BIN_DIR L"\\kest_program_standin.exe"));
}

void PrintedJobTest::TearDown()
{
    // The sink stays: a message between tests must not open a box nobody closes.
    g_messages = nullptr;
    RemoveFolder(m_folder);
}

std::wstring PrintedJobTest::Print(const std::vector<EnhMetaFile>& pages, const DeviceSettings& settings)
{
    // Only this job's work file is left to find.
    RemoveFolder(m_folder);
    CreateDirectoryW(m_folder.c_str(), nullptr);
    {
        DriverSession session(settings);
        EXPECT_TRUE(session.Open());
        EXPECT_TRUE(PrintEmfDocument(session, pages, L"printed"));
    }
    EXPECT_TRUE(m_driverMessages.empty()) << (m_driverMessages.empty() ? "" : "driver said something");
    std::vector<std::wstring> found;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((m_folder + L"\\*.kest").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE)
    {
        do
            found.push_back(m_folder + L"\\" + entry.cFileName);
        while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    EXPECT_EQ(found.size(), 1u) << "work files of the job";
    return found.size() == 1 ? found.front() : std::wstring();
}

EnhMetaFile PageWithWords(SIZE paper, const std::vector<std::pair<POINT, std::wstring>>& words)
{
    RECT frame{0, 0, paper.cx, paper.cy};
    HDC dc = CreateEnhMetaFileW(nullptr, nullptr, &frame, nullptr);
    if (!dc)
        return EnhMetaFile();
    // Logical units of hundredths of a millimetre, as an application lays out its page.
    const double pixelsPerMmX =
        static_cast<double>(GetDeviceCaps(dc, HORZRES)) / static_cast<double>(GetDeviceCaps(dc, HORZSIZE));
    const double pixelsPerMmY =
        static_cast<double>(GetDeviceCaps(dc, VERTRES)) / static_cast<double>(GetDeviceCaps(dc, VERTSIZE));
    SetMapMode(dc, MM_ANISOTROPIC);
    SetWindowExtEx(dc, paper.cx, paper.cy, nullptr);
    SetViewportExtEx(dc, static_cast<int>(paper.cx / 100.0 * pixelsPerMmX + 0.5),
                     static_cast<int>(paper.cy / 100.0 * pixelsPerMmY + 0.5), nullptr);
    LOGFONTW logical{};
    logical.lfHeight = -12 * 2540 / 72;
    logical.lfWeight = FW_NORMAL;
    wcscpy_s(logical.lfFaceName, L"Arial");
    HFONT font = CreateFontIndirectW(&logical);
    HGDIOBJ previous = SelectObject(dc, font);
    SetTextAlign(dc, TA_TOP | TA_LEFT | TA_NOUPDATECP);
    SetBkMode(dc, TRANSPARENT);
    for (const auto& word : words)
        ExtTextOutW(dc, word.first.x, word.first.y, 0, nullptr, word.second.c_str(),
                    static_cast<UINT>(word.second.size()), nullptr);
    SelectObject(dc, previous);
    DeleteObject(font);
    return EnhMetaFile(CloseEnhMetaFile(dc));
}
