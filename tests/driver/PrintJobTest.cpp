// Whole print jobs through the host: work files read back with the page model, job numbers,
// the program's start, documents that fail or end without pages, and every driver error.
#include "tests/driver/DriverTestSupport.h"

#include "driver/DocumentCounter.h"
#include "driver/DriverErrors.h"
#include "driver/DriverPDEV.h"
#include "driver/PageBitmapFile.h"
#include "driver/PrintJob.h"
#include "hosts/printhost/HostSetup.h"
#include "hosts/printhost/ReportPrinter.h"
#include "hosts/printhost/engine/StandInEngine.h"
#include "pagemodel/CDCPage.h"
#include "pagemodel/OxBuffer.h"
#include "pagemodel/OxReadWrite.h"
#include "pagemodel/PathHelpers.h"
#include "pagemodel/Zipper.h"

#include <functional>

namespace {

const std::vector<std::wstring> kThreePages = {
    L"Invoice 1001\nBolts        250    87.50\nNuts         500    40.00",
    L"Invoice 1002\nWashers     1000    20.00",
    L"Invoice 1003\nRod           40   116.00\nPlugs        300    36.00\nTotal             299.50",
};

template <typename Record>
bool LoadRecord(const ArchiveEntry& entry, Record& record)
{
    OxBuffer buffer;
    if (!buffer.Append(entry.data.data(), static_cast<uint32_t>(entry.data.size())))
        return false;
    OxReadWriteBuffer stream(buffer);
    return record.Load(stream);
}

std::vector<std::wstring> SplitLines(const std::wstring& text)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t end; (end = text.find(L'\n', start)) != std::wstring::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

struct PageImage
{
    BitmapFileHeader file{};
    BITMAPINFOHEADER info{};
    const uint8_t* bits = nullptr;
    uint32_t rowBytes = 0;

    explicit PageImage(const ArchiveEntry& entry)
    {
        std::memcpy(&file, entry.data.data(), sizeof file);
        std::memcpy(&info, entry.data.data() + sizeof file, sizeof info);
        bits = entry.data.data() + file.bitsOffset;
        rowBytes = (static_cast<uint32_t>(info.biWidth) * info.biBitCount + 31) / 32 * 4;
    }
    // Dark pixels in a rectangle of the page (top-down coordinates).
    int DarkPixels(const RECT& area) const
    {
        int dark = 0;
        for (LONG y = (std::max)(area.top, 0L); y < (std::min)(area.bottom, info.biHeight); ++y)
        {
            const uint8_t* row = bits + static_cast<size_t>(info.biHeight - 1 - y) * rowBytes;
            for (LONG x = (std::max)(area.left, 0L); x < (std::min)(area.right, info.biWidth); ++x)
            {
                if (info.biBitCount == 1)
                    dark += (row[x / 8] & (0x80 >> (x % 8))) ? 0 : 1;
                else
                    dark += (row[3 * x] + row[3 * x + 1] + row[3 * x + 2] < 3 * 160) ? 1 : 0;
            }
        }
        return dark;
    }
};

class PrintJobTest : public DriverTest
{
protected:
    std::wstring WorkFile(const wchar_t* name) const { return Folder() + L"\\" + name; }
    // The work files of the folder (files only: a test may put a folder in the way).
    std::vector<std::wstring> WorkFiles() const
    {
        std::vector<std::wstring> files;
        for (const std::wstring& name : FilesIn(L"*.kest"))
        {
            if (FileExists(WorkFile(name.c_str())))
                files.push_back(name);
        }
        return files;
    }
    std::wstring Expected(const wchar_t* name) const
    {
        return L"\"" + StandInProgramPath() + L"\" -printed=\"" + WorkFile(name) + L"\"";
    }
};

} // namespace

TEST_F(PrintJobTest, AJobOfThreePagesIsReadBackAsItWasPrinted)
{
    {
        DriverSession session(DeviceSettings{});
        ASSERT_TRUE(session.Open());
        ASSERT_TRUE(PrintTextPages(session, kThreePages, L"Invoices.txt"));
    }
    EXPECT_TRUE(Messages().empty());
    ASSERT_EQ(FilesIn(L"*.kest"), std::vector<std::wstring>{L"00000101.kest"});
    EXPECT_TRUE(FilesIn(L"*.tmp").empty());
    EXPECT_EQ(DocumentCounter(), 0x101u);

    std::vector<ArchiveEntry> entries = ReadArchive(WorkFile(L"00000101.kest"));
    std::vector<std::string> names;
    for (const ArchiveEntry& entry : entries)
        names.push_back(entry.name);
    // Each page's image and record as the page ends, then the page set.
    EXPECT_EQ(names, (std::vector<std::string>{"Page0001.bmp", "Page0001.dat", "Page0002.bmp", "Page0002.dat",
                                               "Page0003.bmp", "Page0003.dat", "Pages.dat"}));
    ASSERT_EQ(entries.size(), 7u);

    CDCPageSet pageSet;
    ASSERT_TRUE(LoadRecord(*FindEntry(entries, "Pages.dat"), pageSet));
    EXPECT_EQ(pageSet.GetPageCount(), 3u);
    EXPECT_EQ(pageSet.GetResolution(), 144u);
    EXPECT_EQ(pageSet.GetDocumentName(), L"Invoices.txt");

    for (uint32_t number = 1; number <= 3; ++number)
    {
        SCOPED_TRACE(testing::Message() << "page " << number);
        const std::string stem = "Page000" + std::to_string(number);
        const PageImage image(*FindEntry(entries, (stem + ".bmp").c_str()));
        EXPECT_EQ(image.file.type, 0x4D42);
        EXPECT_EQ(image.file.bitsOffset, 62u);
        EXPECT_EQ(image.file.fileSize, FindEntry(entries, (stem + ".bmp").c_str())->data.size());
        EXPECT_EQ(image.info.biWidth, 1190);
        EXPECT_EQ(image.info.biHeight, 1683);
        EXPECT_EQ(image.info.biBitCount, 1);
        EXPECT_EQ(image.info.biSizeImage, 152u * 1683u);  // rows of 149 bytes padded to 152
        EXPECT_EQ(image.file.fileSize, image.info.biSizeImage + 62);
        EXPECT_EQ(image.info.biXPelsPerMeter, 5669);
        EXPECT_EQ(image.info.biYPelsPerMeter, 5669);
        EXPECT_EQ(image.info.biClrUsed, 2u);
        EXPECT_EQ(image.info.biClrImportant, 2u);

        CDCPage page;
        ASSERT_TRUE(LoadRecord(*FindEntry(entries, (stem + ".dat").c_str()), page));
        const std::vector<std::wstring> lines = SplitLines(kThreePages[number - 1]);
        ASSERT_EQ(page.GetItemCount(), 1 + lines.size());
        ASSERT_EQ(page.GetItem(0)->GetType(), CDCItemTypeFont);
        const LOGFONTW& font = static_cast<CDCFont*>(page.GetItem(0))->m_logFont;
        EXPECT_EQ(font.lfHeight, 10);
        EXPECT_EQ(font.lfPitchAndFamily & 3, FIXED_PITCH);
        EXPECT_NE(font.lfFaceName[0], L'\0');
        LONG previousTop = 0;
        for (size_t i = 0; i < lines.size(); ++i)
        {
            ASSERT_EQ(page.GetItem(i + 1)->GetType(), CDCItemTypeText);
            const auto& text = *static_cast<CDCText*>(page.GetItem(i + 1));
            EXPECT_EQ(Characters(text), lines[i]);
            EXPECT_EQ(text.m_glyphIndex, 0);
            EXPECT_EQ(text.m_colour, 0u);
            EXPECT_GT(text.m_rect.top, previousTop);
            previousTop = text.m_rect.top;
            // Fixed pitch: every character one increment further.
            const uint16_t increment = text.m_chars[1].m_x;
            EXPECT_GT(increment, 0);
            for (size_t c = 0; c < text.m_chars.size(); ++c)
                EXPECT_EQ(text.m_chars[c].m_x, c * increment);
            // The image shows the run where the record says it is, and the margin above is white.
            EXPECT_GT(image.DarkPixels(text.m_rect), 10);
        }
        EXPECT_EQ(image.DarkPixels(RECT{0, 0, 1190, static_cast<CDCText*>(page.GetItem(1))->m_rect.top - 2}), 0);
    }

    EXPECT_EQ(LaunchedCommandLines(1), std::vector<std::wstring>{Expected(L"00000101.kest")});
}

TEST_F(PrintJobTest, AColourPageKeepsItsColoursAndMapsGlyphIndicesBack)
{
    DeviceSettings settings;
    settings.colour = true;
    ReportLayout layout;
    layout.face = L"Arial";
    layout.fixedPitch = false;
    layout.colour = RGB(200, 0, 0);
    layout.byGlyphIndex = true;
    {
        DriverSession session(settings);
        ASSERT_TRUE(session.Open());
        ASSERT_TRUE(PrintTextPages(session, {L"Balance due\nPlease pay"}, L"Statement", layout));
    }
    EXPECT_TRUE(Messages().empty());
    std::vector<ArchiveEntry> entries = ReadArchive(WorkFile(L"00000101.kest"));
    ASSERT_EQ(entries.size(), 3u);
    const PageImage image(*FindEntry(entries, "Page0001.bmp"));
    EXPECT_EQ(image.info.biBitCount, 24);
    EXPECT_EQ(image.file.bitsOffset, 54u);
    EXPECT_EQ(image.info.biSizeImage, 3572u * 1683u);  // rows of 3570 bytes padded to 3572
    EXPECT_EQ(image.file.fileSize, image.info.biSizeImage + 54);
    EXPECT_EQ(image.info.biClrUsed, 0u);

    CDCPage page;
    ASSERT_TRUE(LoadRecord(*FindEntry(entries, "Page0001.dat"), page));
    ASSERT_EQ(page.GetItemCount(), 3u);
    const LOGFONTW& font = static_cast<CDCFont*>(page.GetItem(0))->m_logFont;
    EXPECT_EQ(font.lfPitchAndFamily & 3, VARIABLE_PITCH);
    const auto& first = *static_cast<CDCText*>(page.GetItem(1));
    EXPECT_EQ(first.m_colour, RGB(200, 0, 0));
    EXPECT_EQ(first.m_glyphIndex, 0);
    EXPECT_EQ(Characters(first), L"Balance due");
    EXPECT_EQ(Characters(*static_cast<CDCText*>(page.GetItem(2))), L"Please pay");
    // Proportional: the offsets grow unevenly and each starts where the previous advance ends.
    for (size_t c = 1; c < first.m_chars.size(); ++c)
        EXPECT_NEAR(first.m_chars[c].m_x, first.m_chars[c - 1].m_x + first.m_chars[c - 1].m_width, 1) << c;
    EXPECT_GT(image.DarkPixels(first.m_rect), 10);
}

TEST_F(PrintJobTest, JobNumbersComeFromTheCounter)
{
    struct Case
    {
        bool present;
        DWORD stored;
        const wchar_t* file;
        DWORD after;
    } cases[] = {
        {false, 0, L"00000002.kest", 2},
        {true, 0xFFFFFFFF, L"00000001.kest", 1},
        {true, 0x0000ABCD, L"0000abce.kest", 0xABCE},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "stored " << c.stored);
        if (c.present)
            SetDocumentCounter(c.stored);
        else
            DeleteDocumentCounter();
        DriverSession session(DeviceSettings{});
        ASSERT_TRUE(session.Open());
        ASSERT_TRUE(PrintTextPages(session, {L"one line"}, L"numbered"));
        EXPECT_TRUE(FileExists(WorkFile(c.file)));
        EXPECT_EQ(DocumentCounter(), c.after);
    }
    EXPECT_TRUE(Messages().empty());
}

TEST_F(PrintJobTest, TwoJobsAtOnceGetTwoWorkFilesWithOrWithoutTheCounter)
{
    for (bool counterAvailable : {true, false})
    {
        SCOPED_TRACE(counterAvailable ? "counter" : "no counter");
        SetDocumentCounter(0x200);
        // An object of another kind under the mutex's name keeps the mutex from being made.
        HANDLE blocker = counterAvailable ? nullptr : CreateEventW(nullptr, TRUE, FALSE, kDocumentCounterMutex);
        const std::vector<std::wstring> before = FilesIn(L"*.kest");
        {
            DriverSession first(DeviceSettings{});
            DriverSession second(DeviceSettings{});
            ASSERT_TRUE(first.Open());
            ASSERT_TRUE(second.Open());
            ASSERT_TRUE(first.StartDoc(L"first"));
            ASSERT_TRUE(second.StartDoc(L"second"));
            for (DriverSession* session : {&first, &second})
            {
                ASSERT_TRUE(session->StartPage());
                ASSERT_TRUE(session->SendPage());
            }
            ASSERT_TRUE(first.EndDoc());
            ASSERT_TRUE(second.EndDoc());
        }
        if (blocker)
            CloseHandle(blocker);
        EXPECT_TRUE(Messages().empty());
        std::vector<std::wstring> after = FilesIn(L"*.kest");
        ASSERT_EQ(after.size(), before.size() + 2);
        std::vector<std::wstring> added;
        for (const std::wstring& name : after)
        {
            if (std::find(before.begin(), before.end(), name) == before.end())
                added.push_back(name);
        }
        ASSERT_EQ(added.size(), 2u);
        if (counterAvailable)
        {
            EXPECT_EQ(added, (std::vector<std::wstring>{L"00000201.kest", L"00000202.kest"}));
        }
        else
        {
            EXPECT_EQ(added[0].compare(0, 9, L"ffffffff-"), 0) << added[0];
            EXPECT_EQ(added[1].compare(0, 9, L"ffffffff-"), 0) << added[1];
            EXPECT_EQ(DocumentCounter(), 0x200u);
        }
        EXPECT_EQ(ReadArchive(WorkFile(added[0].c_str())).size(), 3u);
        EXPECT_EQ(ReadArchive(WorkFile(added[1].c_str())).size(), 3u);
    }
    EXPECT_TRUE(FilesIn(L"*.tmp").empty());
}

TEST_F(PrintJobTest, AfterAnAbortedOrEmptyDocumentTheNextStartsClean)
{
    struct Case
    {
        const char* what;
        std::function<void(DriverSession&)> firstDocument;
        size_t messages;
    } cases[] = {
        {"aborted by the application",
         [](DriverSession& session) {
             EXPECT_TRUE(session.StartDoc(L"aborted"));
             EXPECT_TRUE(session.StartPage());
             EXPECT_TRUE(session.SendPage());
             EXPECT_TRUE(session.EndDoc(ED_ABORTDOC));
         },
         0},
        {"without pages",
         [](DriverSession& session) {
             EXPECT_TRUE(session.StartDoc(L"empty"));
             EXPECT_TRUE(session.EndDoc());
         },
         1},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        Messages().clear();
        SetDocumentCounter(0x300);
        DriverSession session(DeviceSettings{});
        ASSERT_TRUE(session.Open());
        c.firstDocument(session);
        EXPECT_TRUE(FilesIn(L"*.kest").empty());
        EXPECT_TRUE(FilesIn(L"*.tmp").empty());
        ASSERT_EQ(Messages().size(), c.messages);
        if (c.messages)
        {
            EXPECT_EQ(Messages()[0], L"Print job will be cancelled because no pages were printed.");
        }

        ASSERT_TRUE(PrintTextPages(session, {L"second document"}, L"second"));
        EXPECT_EQ(Messages().size(), c.messages);
        ASSERT_EQ(FilesIn(L"*.kest"), std::vector<std::wstring>{L"00000302.kest"});
        std::vector<ArchiveEntry> entries = ReadArchive(WorkFile(L"00000302.kest"));
        CDCPageSet pageSet;
        ASSERT_TRUE(HasEntryNamed(entries, "Pages.dat"));
        ASSERT_TRUE(LoadRecord(*FindEntry(entries, "Pages.dat"), pageSet));
        EXPECT_EQ(pageSet.GetPageCount(), 1u);
        EXPECT_EQ(pageSet.GetDocumentName(), L"second");
        DeleteFileW(WorkFile(L"00000302.kest").c_str());
    }
}

// Every numbered error, forced once: one message, every call of the job still succeeds, no work
// file reaches the program, and the next document on the same device prints.
TEST_F(PrintJobTest, EveryDriverErrorIsShownOnceAndTheNextDocumentPrints)
{
    const std::wstring folder = Folder();
    const std::wstring program = StandInProgramPath();
    auto restoreValues = [folder, program] { SetJobRegistryValues(folder, program); };
    auto noFixture = [] {};
    HANDLE heldOpen = INVALID_HANDLE_VALUE;
    struct Case
    {
        int number;
        std::function<void()> arrange;
        std::function<void()> restore;
    };
    auto seam = [](int number) { return [number] { ForceDriverFault(number); }; };
    const std::vector<Case> cases = {
        {kErrorNoMemoryForPageSet, seam(kErrorNoMemoryForPageSet), noFixture},
        {kErrorNoTempFolder, [] { DeleteJobRegistryValue(L"Temp"); }, restoreValues},
        {kErrorCreateArchive, [folder, program] { SetJobRegistryValues(folder + L"\\missing\\deeper", program); },
         restoreValues},
        {kErrorLockSurface, [] { standin::SetFailure(standin::EngineCall::LockSurface, true); }, noFixture},
        {kErrorWriteBitmapFileHeader, seam(kErrorWriteBitmapFileHeader), noFixture},
        {kErrorWriteBitmapInfoHeader, seam(kErrorWriteBitmapInfoHeader), noFixture},
        {kErrorWriteMonochromePalette, seam(kErrorWriteMonochromePalette), noFixture},
        {kErrorWriteBitmapBits, seam(kErrorWriteBitmapBits), noFixture},
        {kErrorCloseImageEntry, seam(kErrorCloseImageEntry), noFixture},
        {kErrorCloseArchive, seam(kErrorCloseArchive), noFixture},
        {kErrorSerialisePageSet, seam(kErrorSerialisePageSet), noFixture},
        {kErrorAddPageSet, seam(kErrorAddPageSet), noFixture},
        {kErrorAddPage, seam(kErrorAddPage), noFixture},
        {kErrorSerialisePage, seam(kErrorSerialisePage), noFixture},
        {kErrorNoProgramPath, [] { DeleteJobRegistryValue(L"Path"); }, restoreValues},
        // A folder under the work file's name: nothing to delete, and the rename cannot happen.
        {kErrorRenameArchive, [folder] { CreateDirectoryW((folder + L"\\00000401.kest").c_str(), nullptr); },
         [folder] { RemoveDirectoryW((folder + L"\\00000401.kest").c_str()); }},
        {kErrorAddFont, seam(kErrorAddFont), noFixture},
        {kErrorEnumerateGlyphs, [] { standin::SetFailure(standin::EngineCall::EnumGlyphs, true); }, noFixture},
        {kErrorAddText, seam(kErrorAddText), noFixture},
        {kErrorStartProgram, [folder] { SetJobRegistryValues(folder, folder + L"\\no-such-program.exe"); },
         restoreValues},
        {kErrorOpenImageEntry, seam(kErrorOpenImageEntry), noFixture},
        {kErrorNoMemoryForArchive, seam(kErrorNoMemoryForArchive), noFixture},
        {kErrorNoMemoryForGlyphMaps, seam(kErrorNoMemoryForGlyphMaps), noFixture},
        // An old work file of the name that is held open cannot be deleted.
        {kErrorDeleteOldWorkFile,
         [folder, &heldOpen] {
             heldOpen = CreateFileW((folder + L"\\00000401.KEST").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
         },
         [folder, &heldOpen] {
             CloseHandle(heldOpen);
             DeleteFileW((folder + L"\\00000401.KEST").c_str());
         }},
    };
    ReportLayout proportional;
    proportional.face = L"Arial";
    proportional.fixedPitch = false;
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << "error " << c.number);
        Messages().clear();
        SetDocumentCounter(0x400);
        DriverSession session(DeviceSettings{});
        ASSERT_TRUE(session.Open());
        c.arrange();
        const std::vector<std::wstring> fixtures = WorkFiles();
        EXPECT_TRUE(PrintTextPages(session, {L"first page", L"second page"}, L"failing", proportional));
        EXPECT_EQ(ErrorNumbers(), std::vector<int>{c.number});
        EXPECT_EQ(Messages().size(), 1u);
        EXPECT_EQ(WorkFiles(), fixtures);
        EXPECT_TRUE(FilesIn(L"*.tmp").empty());

        ClearDriverFaults();
        standin::ResetEngine();
        c.restore();
        EXPECT_TRUE(PrintTextPages(session, {L"next document"}, L"next", proportional));
        EXPECT_EQ(Messages().size(), 1u);
        const std::vector<std::wstring> printed = WorkFiles();
        ASSERT_EQ(printed.size(), 1u);
        EXPECT_EQ(ReadArchive(WorkFile(printed[0].c_str())).size(), 3u);
        DeleteFileW(WorkFile(printed[0].c_str()).c_str());
    }
    // Only the jobs that succeeded reached the program.
    EXPECT_EQ(LaunchedCommandLines(cases.size()).size(), cases.size());
}

TEST_F(PrintJobTest, PagesBeforeAnyDocumentHaveNoArchiveToGoTo)
{
    DriverSession session(DeviceSettings{});
    ASSERT_TRUE(session.Open());
    EXPECT_TRUE(session.StartPage());
    EXPECT_TRUE(session.SendPage());
    EXPECT_TRUE(session.StartPage());
    EXPECT_TRUE(session.SendPage());
    EXPECT_EQ(ErrorNumbers(), std::vector<int>{kErrorNoArchive});
}

// An engine whose rows are not a bitmap file's rows still gives a well-formed page image.
TEST_F(PrintJobTest, PageImagesAreWrittenInTheFilesRowLayout)
{
    DriverSession session(DeviceSettings{});
    ASSERT_TRUE(session.Open());
    ASSERT_TRUE(session.StartDoc(L"rows"));
    ASSERT_TRUE(session.StartPage());
    // A 5 x 2 colour page, rows of 15 bytes as they lie, top-down.
    std::vector<BYTE> bits(30);
    for (size_t i = 0; i < bits.size(); ++i)
        bits[i] = static_cast<BYTE>(i + 1);
    SURFOBJ narrow = *session.Surface();
    narrow.sizlBitmap = SIZEL{5, 2};
    narrow.iBitmapFormat = BMF_24BPP;
    narrow.pvBits = bits.data();
    narrow.pvScan0 = bits.data();
    narrow.lDelta = 15;
    narrow.cjBits = 30;
    ASSERT_TRUE(DrvSendPage(&narrow));
    ASSERT_TRUE(session.EndDoc());
    ASSERT_TRUE(Messages().empty());

    std::vector<ArchiveEntry> entries = ReadArchive(WorkFile(L"00000101.kest"));
    const ArchiveEntry* entry = FindEntry(entries, "Page0001.bmp");
    ASSERT_NE(entry, nullptr);
    const PageImage image(*entry);
    EXPECT_EQ(image.info.biSizeImage, 32u);
    EXPECT_EQ(entry->data.size(), 54u + 32u);
    // Bottom-up: the file's first row is the surface's last.
    const std::vector<BYTE> expected = {16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 0,
                                        1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 0};
    EXPECT_EQ(std::vector<BYTE>(entry->data.begin() + 54, entry->data.end()), expected);
}

TEST_F(PrintJobTest, ADeviceResetCarriesTheJobOnToTheNewDevice)
{
    auto before = std::make_unique<DriverSession>(DeviceSettings{});
    DriverSession after(DeviceSettings{});
    ASSERT_TRUE(before->Open());
    ASSERT_TRUE(after.Open());
    ASSERT_TRUE(before->StartDoc(L"reset"));
    ASSERT_TRUE(before->StartPage());
    ASSERT_TRUE(before->SendPage());
    ASSERT_TRUE(DrvResetPDEV(before->Device(), after.Device()));
    EXPECT_FALSE(reinterpret_cast<DriverPDEV*>(before->Device())->m_job);
    before.reset();  // the old device goes and takes nothing of the job with it
    ASSERT_TRUE(after.StartPage());
    ASSERT_TRUE(after.SendPage());
    ASSERT_TRUE(after.EndDoc());

    EXPECT_TRUE(Messages().empty());
    std::vector<ArchiveEntry> entries = ReadArchive(WorkFile(L"00000101.kest"));
    EXPECT_TRUE(HasEntryNamed(entries, "Page0002.bmp"));
    CDCPageSet pageSet;
    ASSERT_TRUE(HasEntryNamed(entries, "Pages.dat"));
    ASSERT_TRUE(LoadRecord(*FindEntry(entries, "Pages.dat"), pageSet));
    EXPECT_EQ(pageSet.GetPageCount(), 2u);
    EXPECT_EQ(pageSet.GetDocumentName(), L"reset");
}

TEST_F(PrintJobTest, ADocumentThatFailedStaysFailedAcrossADeviceReset)
{
    auto before = std::make_unique<DriverSession>(DeviceSettings{});
    DriverSession after(DeviceSettings{});
    ASSERT_TRUE(before->Open());
    ASSERT_TRUE(after.Open());
    ASSERT_TRUE(before->StartDoc(L"failing"));
    ASSERT_TRUE(before->StartPage());
    ForceDriverFault(kErrorWriteBitmapBits);
    ASSERT_TRUE(before->SendPage());
    ClearDriverFaults();
    ASSERT_TRUE(DrvResetPDEV(before->Device(), after.Device()));
    before.reset();
    // What GDI sends on the new device: the document again, without a name, and its other pages.
    EXPECT_TRUE(after.StartDoc(nullptr, 0));
    EXPECT_TRUE(after.StartPage());
    EXPECT_TRUE(after.SendPage());
    EXPECT_TRUE(after.EndDoc());

    EXPECT_EQ(ErrorNumbers(), std::vector<int>{kErrorWriteBitmapBits});
    EXPECT_EQ(Messages().size(), 1u);
    EXPECT_TRUE(FilesIn(L"*.kest").empty());
    EXPECT_TRUE(FilesIn(L"*.tmp").empty());

    // Its end ends the failure: the next document on the device prints.
    ASSERT_TRUE(PrintTextPages(after, {L"next document"}, L"next"));
    EXPECT_EQ(Messages().size(), 1u);
    const std::vector<std::wstring> printed = FilesIn(L"*.kest");
    ASSERT_EQ(printed.size(), 1u);
    CDCPageSet pageSet;
    std::vector<ArchiveEntry> entries = ReadArchive(WorkFile(printed[0].c_str()));
    ASSERT_TRUE(HasEntryNamed(entries, "Pages.dat"));
    ASSERT_TRUE(LoadRecord(*FindEntry(entries, "Pages.dat"), pageSet));
    EXPECT_EQ(pageSet.GetDocumentName(), L"next");
    EXPECT_EQ(pageSet.GetPageCount(), 1u);
    EXPECT_EQ(LaunchedCommandLines(1), std::vector<std::wstring>{Expected(printed[0].c_str())});
}

// The driver holds one page at a time: a page's record goes into the archive when the page ends,
// also for a page that is started but never sent.
TEST_F(PrintJobTest, EachPageRecordIsWrittenWhenThePageEnds)
{
    DriverSession session(DeviceSettings{});
    ASSERT_TRUE(session.Open());
    ASSERT_TRUE(session.StartDoc(L"pages"));
    const PrintJob& job = *reinterpret_cast<DriverPDEV*>(session.Device())->m_job;
    struct Step
    {
        const char* what;
        std::function<BOOL()> call;
        uint32_t entries;  // in the archive after the call
        bool pageHeld;
    } steps[] = {
        {"page 1 starts", [&] { return session.StartPage(); }, 0, true},
        {"page 1 sent", [&] { return session.SendPage(); }, 2, false},
        {"page 2 starts", [&] { return session.StartPage(); }, 2, true},
        {"page 3 starts, page 2 never sent", [&] { return session.StartPage(); }, 3, true},
        {"page 3 sent", [&] { return session.SendPage(); }, 5, false},
    };
    for (const Step& step : steps)
    {
        SCOPED_TRACE(step.what);
        ASSERT_TRUE(step.call());
        EXPECT_EQ(job.m_zipper->GetEntryCount(), step.entries);
        EXPECT_EQ(job.m_currentPage != nullptr, step.pageHeld);
    }
    ASSERT_TRUE(session.EndDoc());
    EXPECT_TRUE(Messages().empty());

    std::vector<ArchiveEntry> entries = ReadArchive(WorkFile(L"00000101.kest"));
    std::vector<std::string> names;
    for (const ArchiveEntry& entry : entries)
        names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Page0001.bmp", "Page0001.dat", "Page0002.dat", "Page0003.bmp",
                                               "Page0003.dat", "Pages.dat"}));
    CDCPageSet pageSet;
    ASSERT_TRUE(LoadRecord(*FindEntry(entries, "Pages.dat"), pageSet));
    EXPECT_EQ(pageSet.GetPageCount(), 3u);
    CDCPage page;
    EXPECT_TRUE(LoadRecord(*FindEntry(entries, "Page0002.dat"), page));
}

// The reader refuses entries above its limit, so an image beyond it is not written; the 64-bit
// count keeps a size that wraps in 32 bits from passing as small.
TEST(PageImageSize, OnlyAnImageTheReaderAcceptsFitsInAWorkFile)
{
    struct Case
    {
        LONG width;
        LONG height;
        ULONG format;
        bool fits;
    } cases[] = {
        {4096, 21845, BMF_24BPP, true},    // 12288-byte rows, 54 header bytes: just below
        {4096, 21846, BMF_24BPP, false},   // one row more: above
        {65536, 21846, BMF_24BPP, false},  // 2^32 + 15872 bytes
        {9921, 14031, BMF_24BPP, false},   // a colour A4 page at 1200 dpi
        {9921, 14031, BMF_1BPP, true},     // the same page in black and white
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << c.width << " x " << c.height << " format " << c.format);
        SURFOBJ surface{};
        surface.sizlBitmap = SIZEL{c.width, c.height};
        surface.iBitmapFormat = c.format;
        const PageBitmapLayout layout = MakePageBitmapLayout(surface, 1200);
        EXPECT_EQ(layout.FitsInWorkFile(), c.fits);
        if (c.fits)
        {
            EXPECT_EQ(layout.file.fileSize, layout.entrySize);
        }
    }
}
