#include "ScratchFiles.h"
#include "pagemodel/Unzipper.h"
#include "pagemodel/ZipNames.h"
#include "pagemodel/Zipper.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct FreeBlock
{
    void operator()(unsigned char* p) const { std::free(p); }
};
using Block = std::unique_ptr<unsigned char, FreeBlock>;

// Reads the current entry; returns false (and leaves contents empty) when the read fails.
bool ReadEntry(CUnzipper& unzipper, Bytes& contents, unsigned char** rawBlock = nullptr)
{
    unsigned char* data = nullptr;
    uint32_t size = 0xFFFFFFFF;
    const bool ok = unzipper.ReadCurrentFile(data, size);
    if (rawBlock)
        *rawBlock = data;
    Block owned(data);
    contents.clear();
    if (ok && size)
        contents.assign(data, data + size);
    return ok;
}

std::string ToAnsi(const std::wstring& path)
{
    std::string ansi;
    ToAnsiPath(path.c_str(), ansi);
    return ansi;
}

std::vector<std::string> EntryNames(CUnzipper& unzipper)
{
    std::vector<std::string> names;
    for (bool more = unzipper.GotoFirstFile(); more; more = unzipper.GotoNextFile()) {
        UnzipFileInfo info;
        if (unzipper.GetFileInfo(info))
            names.push_back(info.name);
    }
    return names;
}

Bytes Text(const char* text)
{
    return Bytes(text, text + std::strlen(text));
}

Bytes Compressible(size_t size)
{
    Bytes bytes(size);
    for (size_t i = 0; i < size; ++i)
        bytes[i] = static_cast<unsigned char>("Kest page text "[i % 15]);
    return bytes;
}

class ZipArchiveTest : public ::testing::Test
{
protected:
    ScratchFolder m_folder;
    std::wstring m_archive = m_folder.File(L"archive.zip");

    // An archive of three entries, the last an empty one.
    void WriteSample()
    {
        CZipper zipper(m_archive.c_str());
        ASSERT_TRUE(zipper.IsOpen());
        const Bytes pages = Text("pages"), image = Compressible(5000);
        ASSERT_TRUE(zipper.AddFileToZip(L"Pages.dat", pages.data(), uint32_t(pages.size())));
        ASSERT_TRUE(zipper.AddFileToZip(L"images/Page0001.bmp", image.data(), uint32_t(image.size())));
        ASSERT_TRUE(zipper.AddFileToZip(L"Empty.dat", nullptr, 0));
        ASSERT_TRUE(zipper.CloseZip());
    }
};

TEST_F(ZipArchiveTest, EntriesWrittenWholeOrStreamedReadBackInOrder)
{
    {
        CZipper zipper(m_archive.c_str());
        const Bytes first = Text("first entry");
        ASSERT_TRUE(zipper.AddFileToZip(L"One.dat", first.data(), uint32_t(first.size())));
        ASSERT_TRUE(zipper.OpenFileInZip(L"Two.bmp", false));
        const Bytes part = Compressible(3000);
        for (int i = 0; i < 3; ++i)
            ASSERT_TRUE(zipper.WriteFileInZip(part.data(), uint32_t(part.size())));
        ASSERT_TRUE(zipper.WriteFileInZip(nullptr, 0));
        ASSERT_TRUE(zipper.CloseFileInZip());
        EXPECT_EQ(2u, zipper.GetEntryCount());
        EXPECT_EQ(first.size() + 3 * part.size(), zipper.GetByteCount());
        ASSERT_TRUE(zipper.CloseZip());
        EXPECT_EQ(0u, zipper.GetEntryCount());
        EXPECT_EQ(0u, zipper.GetByteCount());
    }
    CUnzipper unzipper(m_archive.c_str());
    ASSERT_TRUE(unzipper.IsOpen());
    EXPECT_EQ((std::vector<std::string>{"One.dat", "Two.bmp"}), EntryNames(unzipper));
    Bytes contents;
    ASSERT_TRUE(unzipper.GotoFile("Two.bmp", false));
    ASSERT_TRUE(ReadEntry(unzipper, contents));
    Bytes expected;
    for (int i = 0; i < 3; ++i) {
        const Bytes part = Compressible(3000);
        expected.insert(expected.end(), part.begin(), part.end());
    }
    EXPECT_EQ(expected, contents);
    ASSERT_TRUE(unzipper.GotoFile("One.dat", false));
    ASSERT_TRUE(ReadEntry(unzipper, contents));
    EXPECT_EQ(Text("first entry"), contents);
}

// Archives are read through a block cache: entries larger than a block and reads that cross
// block edges, whole or in odd pieces, give back exactly what was stored.
TEST_F(ZipArchiveTest, EntriesLargerThanTheReadCacheReadBackExactly)
{
    Bytes noise(300000);
    uint32_t state = 12345;
    for (unsigned char& byte : noise)
    {
        state = state * 1103515245u + 12345u;
        byte = static_cast<unsigned char>(state >> 24);
    }
    {
        CZipper zipper(m_archive.c_str());
        for (const wchar_t* name : {L"First.bmp", L"Second.bmp"})
            ASSERT_TRUE(zipper.AddFileToZip(name, noise.data(), uint32_t(noise.size())));
    }
    CUnzipper unzipper(m_archive.c_str());
    Bytes whole;
    ASSERT_TRUE(unzipper.GotoFile("Second.bmp", false));
    ASSERT_TRUE(ReadEntry(unzipper, whole));
    EXPECT_TRUE(whole == noise);

    ASSERT_TRUE(unzipper.GotoFile("First.bmp", false));
    UnzipEntryStream stream(unzipper);
    ASSERT_TRUE(stream.IsOpen());
    Bytes pieces(noise.size());
    for (size_t at = 0; at < pieces.size(); at += 7001)
    {
        const uint32_t n = uint32_t(std::min<size_t>(7001, pieces.size() - at));
        ASSERT_TRUE(stream.Read(pieces.data() + at, n)) << at;
    }
    EXPECT_EQ(0u, stream.GetCount());
    EXPECT_FALSE(stream.Read(pieces.data(), 1));
    EXPECT_TRUE(stream.Close()) << "the checksum of the whole entry matches";
    EXPECT_TRUE(pieces == noise);
}

TEST_F(ZipArchiveTest, AnsiAddKeepsTheCallersDateAndAttributes)
{
    {
        CZipper zipper(m_archive.c_str());
        zip_fileinfo info = {};
        info.dosDate = 0x5A6B1234;
        info.internal_fa = 1;
        info.external_fa = 0x20;
        const Bytes bytes = Text("x");
        ASSERT_TRUE(zipper.AddFileToZip("Page0001.dat", bytes.data(), 1, info));
        ASSERT_TRUE(zipper.AddFileToZip(L"Now.dat", bytes.data(), 1));
    }
    CUnzipper unzipper(m_archive.c_str());
    UnzipFileInfo info;
    ASSERT_TRUE(unzipper.GotoFile("page0001.DAT", false));
    ASSERT_TRUE(unzipper.GetFileInfo(info));
    EXPECT_EQ(0x5A6B1234u, info.dosDate);
    EXPECT_EQ(1u, info.internalAttributes);
    EXPECT_EQ(0x20u, info.externalAttributes);
    EXPECT_FALSE(info.isFolder);
    EXPECT_EQ(8u, info.compressionMethod);

    // The wide-name form dates the entry now (UTC); the DOS date holds the year from 1980.
    ASSERT_TRUE(unzipper.GotoFile("Now.dat", false));
    ASSERT_TRUE(unzipper.GetFileInfo(info));
    SYSTEMTIME now;
    GetSystemTime(&now);
    EXPECT_EQ(now.wYear, 1980 + (info.dosDate >> 25));
}

TEST_F(ZipArchiveTest, AppendAddsBehindExistingEntriesOrCreatesANewArchive)
{
    const std::wstring missing = m_folder.File(L"new.zip");
    {
        CZipper zipper(missing.c_str(), nullptr, true);
        ASSERT_TRUE(zipper.IsOpen());
        ASSERT_TRUE(zipper.AddFileToZip(L"A.dat", "a", 1));
    }
    {
        CZipper zipper(missing.c_str(), nullptr, true);
        ASSERT_TRUE(zipper.AddFileToZip(L"B.dat", "b", 1));
    }
    {
        CUnzipper unzipper(missing.c_str());
        EXPECT_EQ((std::vector<std::string>{"A.dat", "B.dat"}), EntryNames(unzipper));
    }
    // Without append an existing archive is replaced.
    {
        CZipper zipper(missing.c_str());
        ASSERT_TRUE(zipper.AddFileToZip(L"C.dat", "c", 1));
    }
    CUnzipper unzipper(missing.c_str());
    EXPECT_EQ((std::vector<std::string>{"C.dat"}), EntryNames(unzipper));
}

TEST_F(ZipArchiveTest, StreamedEntryWithoutAutoCloseBlocksFurtherEntriesUntilClosed)
{
    struct Case
    {
        bool autoClose;
        bool nextAddSucceeds;
    };
    for (const Case& c : {Case{false, false}, Case{true, true}}) {
        SCOPED_TRACE(c.autoClose);
        CZipper zipper(m_archive.c_str());
        ASSERT_TRUE(zipper.OpenFileInZip(L"Stream.dat", c.autoClose));
        ASSERT_TRUE(zipper.WriteFileInZip("abc", 3));
        EXPECT_EQ(c.nextAddSucceeds, zipper.AddFileToZip(L"Next.dat", "n", 1));
        EXPECT_EQ(c.nextAddSucceeds, zipper.OpenFileInZip(L"Other.dat", false));
        if (!c.nextAddSucceeds) {
            EXPECT_TRUE(zipper.IsFileOpen());
            ASSERT_TRUE(zipper.CloseFileInZip());
            EXPECT_TRUE(zipper.AddFileToZip(L"Next.dat", "n", 1));
        } else {
            ASSERT_TRUE(zipper.CloseFileInZip());
        }
        EXPECT_FALSE(zipper.CloseFileInZip()) << "no entry is open any more";
        EXPECT_FALSE(zipper.WriteFileInZip("x", 1));
        ASSERT_TRUE(zipper.CloseZip());
        CUnzipper unzipper(m_archive.c_str());
        Bytes contents;
        ASSERT_TRUE(unzipper.GotoFile("Stream.dat", false));
        ASSERT_TRUE(ReadEntry(unzipper, contents));
        EXPECT_EQ(Text("abc"), contents);
    }
}

TEST_F(ZipArchiveTest, RootFolderDefaultsToTheArchivesFolder)
{
    std::string folderAnsi;
    ASSERT_TRUE(ToAnsiPath((m_folder.Path() + L"\\").c_str(), folderAnsi));
    struct Case
    {
        const wchar_t* root;
        std::string expected;
    };
    for (const Case& c : {Case{nullptr, folderAnsi}, Case{L"C:\\Work", "C:\\Work\\"}, Case{L"C:\\Work/", "C:\\Work/"},
                          Case{L"", ""}}) {
        CZipper zipper(m_archive.c_str(), c.root);
        ASSERT_TRUE(zipper.IsOpen());
        EXPECT_EQ(c.expected, zipper.GetRootFolder());
        zipper.CloseZip();
        EXPECT_STREQ("", zipper.GetRootFolder());
    }
}

TEST_F(ZipArchiveTest, NamesAndPathsBeyondTheAnsiLimitAreRefused)
{
    std::string ansi;
    EXPECT_TRUE(ToAnsiPath(std::wstring(259, L'a').c_str(), ansi));
    EXPECT_EQ(259u, ansi.size());
    EXPECT_FALSE(ToAnsiPath(std::wstring(260, L'a').c_str(), ansi));
    EXPECT_FALSE(ToAnsiPath(nullptr, ansi));

    CZipper zipper(m_archive.c_str());
    EXPECT_TRUE(zipper.AddFileToZip(std::wstring(259, L'n').c_str(), "x", 1));
    EXPECT_FALSE(zipper.AddFileToZip(std::wstring(260, L'n').c_str(), "x", 1));
    EXPECT_FALSE(zipper.AddFileToZip(std::string(260, 'n').c_str(), "x", 1, CZipper::CurrentTimeInfo()));
    EXPECT_FALSE(zipper.OpenFileInZip(std::wstring(260, L'n').c_str(), true));
    EXPECT_TRUE(zipper.IsOpen()) << "a refused add leaves the archive usable";
    EXPECT_TRUE(zipper.AddFileToZip(L"After.dat", "x", 1));
    ASSERT_TRUE(zipper.CloseZip());

    const std::wstring longPath = m_folder.Path() + L"\\" + std::wstring(300, L'p') + L".zip";
    for (const wchar_t* path : {L"", static_cast<const wchar_t*>(nullptr), longPath.c_str()}) {
        CZipper refused;
        EXPECT_FALSE(refused.OpenZip(path));
        EXPECT_FALSE(refused.IsOpen());
        CUnzipper unzipper;
        EXPECT_FALSE(unzipper.Open(path));
        EXPECT_FALSE(unzipper.IsOpen());
    }
    CUnzipper unzipper(m_archive.c_str());
    EXPECT_EQ((std::vector<std::string>{std::string(259, 'n'), "After.dat"}), EntryNames(unzipper));
}

// The library cuts a name that does not fit the caller's buffer without ending it; such an
// entry is refused rather than taken for another one.
TEST_F(ZipArchiveTest, EntryNameLongerThanTheLimitIsRefused)
{
    const std::string longName = std::string(300, 'x') + ".dat";
    {
        zipFile zip = zipOpen(std::string(ToAnsi(m_archive)).c_str(), APPEND_STATUS_CREATE);
        ASSERT_NE(nullptr, zip);
        for (const std::string& name : {std::string("First.dat"), longName}) {
            ASSERT_EQ(ZIP_OK, zipOpenNewFileInZip(zip, name.c_str(), nullptr, nullptr, 0, nullptr, 0, nullptr,
                                                  Z_DEFLATED, Z_DEFAULT_COMPRESSION));
            ASSERT_EQ(ZIP_OK, zipWriteInFileInZip(zip, "x", 1));
            ASSERT_EQ(ZIP_OK, zipCloseFileInZip(zip));
        }
        ASSERT_EQ(ZIP_OK, zipClose(zip, nullptr));
    }
    CUnzipper unzipper(m_archive.c_str());
    ASSERT_TRUE(unzipper.GotoFirstFile());
    UnzipFileInfo info;
    EXPECT_TRUE(unzipper.GetFileInfo(info));
    ASSERT_TRUE(unzipper.GotoNextFile());
    EXPECT_FALSE(unzipper.GetFileInfo(info));
    EXPECT_FALSE(unzipper.GotoFile(std::string(260, 'x').c_str(), true));
}

TEST_F(ZipArchiveTest, EntriesAreFoundByNameIgnoringCaseOrByFileNamePart)
{
    WriteSample();
    CUnzipper unzipper(m_archive.c_str());
    struct Case
    {
        const char* name;
        bool matchPart;
        const char* found; // null: not found
    };
    const Case cases[] = {
        {"pages.dat", false, "Pages.dat"},
        {"PAGES.DAT", true, "Pages.dat"},
        {"Page0001.bmp", false, nullptr},
        {"page0001.BMP", true, "images\\Page0001.bmp"},
        {"images/Page0001.bmp", false, "images\\Page0001.bmp"},
        {"Page0002.bmp", true, nullptr},
        {"", true, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.found != nullptr, unzipper.GotoFile(c.name, c.matchPart));
        if (c.found) {
            UnzipFileInfo info;
            ASSERT_TRUE(unzipper.GetFileInfo(info));
            EXPECT_STREQ(c.found, info.name);
        }
    }
}

// The lookup the index replaced, straight on the zip library: the name located whole, then
// every entry walked for its file-name part. The index must give the same answers.
int LookupByWalking(const std::wstring& archive, const char* name, bool matchPart)
{
    unzFile zip = unzOpen(ToAnsi(archive).c_str());
    int found = -1;
    unz_file_pos position = {};
    if (!*name) {
        // Refused before any search.
    } else if (unzLocateFile(zip, name, 2) == UNZ_OK) {
        unzGetFilePos(zip, &position);
        found = int(position.num_of_file);
    } else if (matchPart) {
        for (int err = unzGoToFirstFile(zip); err == UNZ_OK && found < 0; err = unzGoToNextFile(zip)) {
            unz_file_info info;
            char stored[261];
            if (unzGetCurrentFileInfo(zip, &info, stored, sizeof stored, nullptr, 0, nullptr, 0) != UNZ_OK ||
                info.size_filename >= sizeof stored)
                continue;
            if (_stricmp(EntryFileNamePart(stored), name) == 0) {
                unzGetFilePos(zip, &position);
                found = int(position.num_of_file);
            }
        }
    }
    unzClose(zip);
    return found;
}

TEST_F(ZipArchiveTest, IndexedLookupAnswersAsTheWalkDid)
{
    const std::string len255 = std::string(251, 'a') + ".dat";
    const std::string len256 = std::string(252, 'b') + ".dat";
    const std::string len258 = std::string(254, 'c') + ".dat"; // stored behind "x/": 260 in all
    const std::string len300 = std::string(296, 'd') + ".dat";
    const std::vector<std::string> stored = {
        "Pages.dat",     "Page0001.dat", "PAGE0001.DAT",   "one/Page0002.bmp", "two/page0002.BMP", "Page0002.bmp",
        "folder/",       len255,         len256,           "x/" + len258,      len300,             "Caf\xE9.dat",
        "Page.Layout"};
    const std::vector<std::string> queries = {
        "pages.dat", "Page0001.dat", "page0001.dat", "Page0002.bmp", "PAGE0002.BMP", "one/Page0002.bmp",
        "one\\Page0002.bmp", "two/PAGE0002.bmp", "folder/", "folder", "", "Missing.dat", len255, len256, len258,
        "x/" + len258, len300, "caf\xE9.DAT", "CAF\xC9.dat", "page.layout", "Page", ".dat"};
    // The directory as we write it is read in one piece; one with an extra field, or one behind
    // bytes that precede the archive, is left to the zip library's walk. All answer alike.
    enum Layout { Plain, ExtraField, BytesBefore };
    for (const Layout layout : {Plain, ExtraField, BytesBefore}) {
        SCOPED_TRACE(layout == Plain ? "plain" : layout == ExtraField ? "extra field" : "bytes before");
        {
            zipFile zip = zipOpen(ToAnsi(m_archive).c_str(), APPEND_STATUS_CREATE);
            ASSERT_NE(nullptr, zip);
            const char extra[] = {'\x99', '\x99', 2, 0, 'k', 't'};
            for (const std::string& name : stored) {
                const bool withExtra = layout == ExtraField && name == "Page0002.bmp";
                ASSERT_EQ(ZIP_OK, zipOpenNewFileInZip(zip, name.c_str(), nullptr, nullptr, 0, withExtra ? extra : nullptr,
                                                      withExtra ? sizeof extra : 0, nullptr, Z_DEFLATED,
                                                      Z_DEFAULT_COMPRESSION));
                ASSERT_EQ(ZIP_OK, zipWriteInFileInZip(zip, name.c_str(), 1));
                ASSERT_EQ(ZIP_OK, zipCloseFileInZip(zip));
            }
            ASSERT_EQ(ZIP_OK, zipClose(zip, nullptr));
        }
        if (layout == BytesBefore) {
            Bytes archive;
            ASSERT_TRUE(ReadWholeFile(m_archive, archive));
            archive.insert(archive.begin(), 777, 'x');
            ASSERT_TRUE(WriteWholeFile(m_archive, archive));
        }
        CUnzipper unzipper(m_archive.c_str());
        EXPECT_EQ(stored.size() - 1, unzipper.GetEntryCount()) << "the name of 300 characters is never found";
        for (const bool matchPart : {false, true}) {
            for (const std::string& query : queries) {
                SCOPED_TRACE(query.substr(0, 40) + (matchPart ? " (parts too)" : ""));
                const int expected = LookupByWalking(m_archive, query.c_str(), matchPart);
                ASSERT_EQ(expected >= 0, unzipper.GotoFile(query.c_str(), matchPart));
                if (expected < 0)
                    continue;
                // Every stored name differs from the others, at least in case.
                std::string name = stored[size_t(expected)];
                std::replace(name.begin(), name.end(), '/', '\\');
                UnzipFileInfo info;
                ASSERT_TRUE(unzipper.GetFileInfo(info));
                EXPECT_EQ(name, info.name);
                Bytes contents;
                ASSERT_TRUE(ReadEntry(unzipper, contents));
                EXPECT_EQ(Bytes(1, static_cast<unsigned char>(stored[size_t(expected)][0])), contents);
            }
        }
    }
}

TEST_F(ZipArchiveTest, ExtensionFilterSkipsToMatchingEntries)
{
    WriteSample();
    CUnzipper unzipper(m_archive.c_str());
    UnzipFileInfo info;
    ASSERT_TRUE(unzipper.GotoFirstFile(L"DAT"));
    ASSERT_TRUE(unzipper.GetFileInfo(info));
    EXPECT_STREQ("Pages.dat", info.name);
    ASSERT_TRUE(unzipper.GotoNextFile(L"dat"));
    ASSERT_TRUE(unzipper.GetFileInfo(info));
    EXPECT_STREQ("Empty.dat", info.name);
    EXPECT_FALSE(unzipper.GotoNextFile(L"dat"));
    ASSERT_TRUE(unzipper.GotoFirstFile(L"bmp"));
    ASSERT_TRUE(unzipper.GetFileInfo(info));
    EXPECT_STREQ("images\\Page0001.bmp", info.name);
    EXPECT_FALSE(unzipper.GotoFirstFile(L"layout"));
}

TEST_F(ZipArchiveTest, EmptyEntryReadsAsSizeZeroWithoutABlock)
{
    WriteSample();
    CUnzipper unzipper(m_archive.c_str());
    ASSERT_TRUE(unzipper.GotoFile("Empty.dat", false));
    unsigned char* data = nullptr;
    uint32_t size = 77;
    EXPECT_TRUE(unzipper.ReadCurrentFile(data, size));
    EXPECT_EQ(0u, size);
    EXPECT_EQ(nullptr, data);
}

TEST_F(ZipArchiveTest, PathWithoutExtensionIsKept)
{
    WriteSample();
    CUnzipper unzipper(m_archive.c_str());
    EXPECT_EQ(m_folder.Path() + L"\\archive", unzipper.GetPathWithoutExtension());
    EXPECT_TRUE(unzipper.Close());
    EXPECT_EQ(L"", unzipper.GetPathWithoutExtension());
    EXPECT_FALSE(unzipper.GotoFirstFile());
}

// Every corruption of a header field must give a clean failure with no block handed out.
TEST_F(ZipArchiveTest, EntriesWithLyingHeadersFailWithoutHandingOutABlock)
{
    WriteSample();
    Bytes original;
    ASSERT_TRUE(ReadWholeFile(m_archive, original));
    const std::vector<size_t> central = FindSignature(original, kCentralHeaderSignature);
    const std::vector<size_t> local = FindSignature(original, kLocalHeaderSignature);
    ASSERT_EQ(3u, central.size());
    ASSERT_EQ(3u, local.size());
    const uint32_t realSize = GetU32(original, central[1] + kCentralUncompressed);
    ASSERT_EQ(5000u, realSize);
    const uint32_t realCompressed = GetU32(original, central[1] + kCentralCompressed);

    struct Case
    {
        const char* what;
        size_t centralField;
        size_t localField;
        uint32_t value;
    };
    const Case cases[] = {
        {"absurd size", kCentralUncompressed, kLocalUncompressed, 0xF0000000u},
        {"size above the bound", kCentralUncompressed, kLocalUncompressed, CUnzipper::kMaxEntrySize + 1},
        {"size beyond what deflate can give", kCentralUncompressed, kLocalUncompressed, 100u * 1024u * 1024u},
        {"size one byte too large", kCentralUncompressed, kLocalUncompressed, realSize + 1},
        {"size one byte too small", kCentralUncompressed, kLocalUncompressed, realSize - 1},
        {"wrong checksum", kCentralCrc, kLocalCrc, 0x12345678u},
        {"compressed size too small", kCentralCompressed, kLocalCompressed, realCompressed / 2},
        {"compressed size beyond the archive", kCentralCompressed, kLocalCompressed, realCompressed + 100000},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes bytes = original;
        PutU32(bytes, central[1] + c.centralField, c.value);
        PutU32(bytes, local[1] + c.localField, c.value);
        const std::wstring bad = m_folder.File(L"bad.zip");
        ASSERT_TRUE(WriteWholeFile(bad, bytes));
        CUnzipper unzipper(bad.c_str());
        ASSERT_TRUE(unzipper.GotoFile("images/Page0001.bmp", false));
        unsigned char* block = nullptr;
        Bytes contents;
        EXPECT_FALSE(ReadEntry(unzipper, contents, &block));
        EXPECT_EQ(nullptr, block);
        // The other entries of the archive stay readable.
        ASSERT_TRUE(unzipper.GotoFile("Pages.dat", false));
        EXPECT_TRUE(ReadEntry(unzipper, contents));
        EXPECT_EQ(Text("pages"), contents);
    }
}

TEST_F(ZipArchiveTest, TruncatedArchiveNeverReadsWrongData)
{
    WriteSample();
    Bytes original;
    ASSERT_TRUE(ReadWholeFile(m_archive, original));
    const Bytes image = Compressible(5000);
    const std::wstring cut = m_folder.File(L"cut.zip");
    for (size_t length = 0; length < original.size(); ++length) {
        SCOPED_TRACE(length);
        ASSERT_TRUE(WriteWholeFile(cut, Bytes(original.begin(), original.begin() + length)));
        CUnzipper unzipper;
        if (!unzipper.Open(cut.c_str()))
            continue;
        // Only the central directory at the end makes an archive, so a cut one should not open
        // at all; if the library ever accepts one, what it reads must still be right or refused.
        Bytes contents;
        if (unzipper.GotoFile("Page0001.bmp", true) && ReadEntry(unzipper, contents)) {
            EXPECT_EQ(image, contents);
        }
        if (unzipper.GotoFile("Pages.dat", false) && ReadEntry(unzipper, contents)) {
            EXPECT_EQ(Text("pages"), contents);
        }
    }
}

TEST_F(ZipArchiveTest, GarbageIsNotAnArchive)
{
    const std::wstring garbage = m_folder.File(L"garbage.zip");
    ASSERT_TRUE(WriteWholeFile(garbage, Compressible(2000)));
    CUnzipper unzipper;
    EXPECT_FALSE(unzipper.Open(garbage.c_str()));
    EXPECT_FALSE(unzipper.Open(m_folder.File(L"missing.zip").c_str()));
    // Appending to something that is not an archive fails and leaves nothing open.
    CZipper zipper;
    EXPECT_FALSE(zipper.OpenZip(garbage.c_str(), nullptr, true));
    EXPECT_FALSE(zipper.IsOpen());
    EXPECT_TRUE(zipper.CloseZip());
}

} // namespace
