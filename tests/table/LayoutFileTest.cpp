// The layout file format, built byte by byte from its description.
#include "pagemodel/OxBuffer.h"
#include "pagemodel/OxReadWrite.h"
#include "table/ConvertingTableLayout.h"
#include "tests/pagemodel/TestFiles.h"
#include "table/LayoutActions.h"
#include "table/TableDetection.h"
#include "tests/table/LayoutPictures.h"
#include "tests/table/TableWords.h"

#include <gtest/gtest.h>

namespace
{
struct FileColumn
{
    uint8_t flag;
    int32_t x;
    int32_t format; // as stored: the old codes for versions 3 and 4
};

// A layout file as its fields stand in the format; Bytes() lays out the fields of its version.
struct LayoutFile
{
    uint32_t magic = ConvertingTableLayout::FileMagic;
    uint32_t version = 7;
    int32_t rect[4] = {10, 20, 310, 320};
    std::vector<FileColumn> columns = {{1, 110, 2}, {0, 210, 5}, {1, -1, 3}};
    std::vector<int32_t> rowLines = {120, 220};
    // Row by row: cells (0,0)-(1,1) merged, the rest alone.
    std::vector<int32_t> ids = {0x00000, 0x00000, 0x00002, //
                                0x00000, 0x00000, 0x10002, //
                                0x20000, 0x20001, 0x20002};
    int32_t trailerValue = 11;
    uint8_t autoRows = 0;
    uint8_t trailerFlag = 3;
    int32_t trailerValue2 = -7;
    // When set, stored in place of the true counts.
    int64_t columnCount = -1;
    int64_t rowLineCount = -1;

    std::vector<uint8_t> Bytes() const
    {
        ByteWriter out;
        out.U32(magic).U32(version);
        for (int32_t v : rect)
            out.I32(v);
        out.U32(columnCount >= 0 ? uint32_t(columnCount) : uint32_t(columns.size()));
        for (const FileColumn& column : columns)
        {
            out.U8(column.flag).I32(column.x);
            if (version >= 3)
                out.I32(column.format);
        }
        if (version >= 4)
        {
            out.U32(rowLineCount >= 0 ? uint32_t(rowLineCount) : uint32_t(rowLines.size()));
            for (int32_t y : rowLines)
                out.I32(y);
            for (int32_t id : ids)
                out.I32(id);
        }
        if (version >= 6)
            out.I32(trailerValue);
        if (version >= 7)
            out.U8(autoRows).U8(trailerFlag).I32(trailerValue2);
        return out.Get();
    }
};

bool ReadLayout(ConvertingTableLayout& layout, const std::vector<uint8_t>& bytes)
{
    OxBuffer buffer;
    if (!bytes.empty())
        buffer.Append(bytes.data(), uint32_t(bytes.size()));
    OxReadWriteBuffer stream(buffer);
    return layout.Read(stream);
}

std::vector<uint8_t> WriteLayout(const ConvertingTableLayout& layout)
{
    OxBuffer buffer;
    OxReadWriteBuffer stream(buffer);
    EXPECT_TRUE(layout.Write(stream));
    return std::vector<uint8_t>(buffer.GetData(), buffer.GetData() + buffer.GetSize());
}

// A destination whose every field differs from what any file below gives.
ConvertingTableLayout UsersLayout()
{
    ConvertingTableLayout layout = LayoutFromPicture({"ab", "cc"});
    layout.GetColumn(0).format = CellFormatTime;
    layout.SetTrailerValue(99);
    layout.SetAutoRowDetection(false);
    layout.SetTrailerFlag(9);
    layout.SetTrailerValue2(98);
    return layout;
}

// The layout that LayoutFile's defaults describe.
ConvertingTableLayout FullLayout()
{
    ConvertingTableLayout layout;
    layout.SetTableRect(RECT{10, 20, 310, 320});
    layout.AppendColumn(ConvertingTableColumn{110, 1, CellFormatNumber});
    layout.AppendColumn(ConvertingTableColumn{210, 0, CellFormatTime});
    layout.AppendColumn(ConvertingTableColumn{-1, 1, CellFormatCurrency});
    layout.InsertRowLine(0, 120);
    layout.InsertRowLine(1, 220);
    layout.SetBlock(0, 0, 1, 1);
    layout.SetTrailerValue(11);
    layout.SetAutoRowDetection(false);
    layout.SetTrailerFlag(3);
    layout.SetTrailerValue2(-7);
    return layout;
}

TEST(LayoutFileTest, WriteGivesVersion7ByteForByteAndReadsBackEveryField)
{
    const ConvertingTableLayout layout = FullLayout();
    ASSERT_TRUE(layout.IsConsistent());
    const std::vector<uint8_t> bytes = WriteLayout(layout);
    EXPECT_EQ(bytes, LayoutFile().Bytes());

    ConvertingTableLayout read = UsersLayout();
    ASSERT_TRUE(ReadLayout(read, bytes));
    EXPECT_TRUE(read == layout);

    // An empty layout: no columns, one row of no ids.
    ConvertingTableLayout empty;
    ConvertingTableLayout readEmpty = UsersLayout();
    ASSERT_TRUE(ReadLayout(readEmpty, WriteLayout(empty)));
    EXPECT_TRUE(readEmpty == empty);
}

TEST(LayoutFileTest, OlderVersionsAreConverted)
{
    struct Case
    {
        uint32_t version;
        std::vector<int32_t> storedFormats;
        std::vector<int32_t> formats;
        bool hasRows;
        int32_t trailerValue;
    };
    const Case cases[] = {
        {2, {7, 7, 7}, {CellFormatAutomatic, CellFormatAutomatic, CellFormatAutomatic}, false, 0},
        // Old codes: 0 Automatic, 1 Number, 2 Text, 3 Date.
        {3, {1, 2, 3}, {CellFormatNumber, CellFormatText, CellFormatDate}, false, 0},
        {4, {0, 1, 2}, {CellFormatAutomatic, CellFormatNumber, CellFormatText}, true, 0},
        {5, {3, 4, 5}, {CellFormatCurrency, CellFormatDate, CellFormatTime}, true, 0},
        {6, {1, 0, 2}, {CellFormatText, CellFormatAutomatic, CellFormatNumber}, true, 11},
    };
    for (const Case& c : cases)
    {
        LayoutFile file;
        file.version = c.version;
        for (size_t i = 0; i < file.columns.size(); ++i)
            file.columns[i].format = c.storedFormats[i];
        ConvertingTableLayout layout = UsersLayout();
        ASSERT_TRUE(ReadLayout(layout, file.Bytes())) << "version " << c.version;

        ConvertingTableLayout expected = FullLayout();
        for (size_t i = 0; i < c.formats.size(); ++i)
            expected.GetColumn(int(i)).format = c.formats[i];
        if (!c.hasRows)
            expected.ResetRows();
        expected.SetTrailerValue(c.trailerValue);
        // Before version 7 these keep their defaults, whatever the layout held before.
        expected.SetAutoRowDetection(true);
        expected.SetTrailerFlag(0);
        expected.SetTrailerValue2(0);
        EXPECT_TRUE(layout == expected) << "version " << c.version;
        EXPECT_EQ(PictureOf(layout), PictureOf(expected)) << "version " << c.version;
    }
}

// One unknown code must not cost the table: it is kept as read and written back as it was.
TEST(LayoutFileTest, UnknownFormatCodesOfLaterVersionsAreKept)
{
    const int32_t codes[] = {6, -3, 0x7FFFFFFF};
    for (uint32_t version = 5; version <= 7; ++version)
    {
        for (int32_t code : codes)
        {
            LayoutFile file;
            file.version = version;
            file.columns[1].format = code;
            ConvertingTableLayout layout = UsersLayout();
            ASSERT_TRUE(ReadLayout(layout, file.Bytes())) << version << " " << code;
            EXPECT_EQ(layout.GetColumn(1).format, code);
            EXPECT_EQ(layout.GetColumn(0).format, CellFormatNumber);
            if (version == 7)
            {
                EXPECT_EQ(WriteLayout(layout), file.Bytes()) << code;
            }
        }
    }
}

// A layout that Read would refuse is not written: the save fails where the user sees it instead
// of leaving a file that loses the table when it is opened again.
TEST(LayoutFileTest, WriteRefusesWhatReadRefuses)
{
    struct Case { const char* what; void (*damage)(ConvertingTableLayout&); };
    const Case cases[] = {
        {"row lines descending", [](ConvertingTableLayout& l) { l.SetRowLine(0, 230); }},
        {"row line above the table", [](ConvertingTableLayout& l) { l.SetRowLine(0, 19); }},
        {"row line below the table", [](ConvertingTableLayout& l) { l.SetRowLine(1, 321); }},
        {"column lines descending", [](ConvertingTableLayout& l) { l.SetColumnX(1, 100); }},
        {"column line left of the table", [](ConvertingTableLayout& l) { l.SetColumnX(0, 5); }},
        {"last column not -1", [](ConvertingTableLayout& l) { l.SetColumnX(2, 300); }},
        {"flag 2", [](ConvertingTableLayout& l) { l.GetColumn(0).flag = 2; }},
        {"L-shaped block", [](ConvertingTableLayout& l) { l.SetBlock(1, 1, 2, 1); }},
    };
    for (const Case& c : cases)
    {
        ConvertingTableLayout layout = FullLayout();
        c.damage(layout);
        OxBuffer buffer;
        OxReadWriteBuffer stream(buffer);
        EXPECT_FALSE(layout.Write(stream)) << c.what;
        EXPECT_EQ(buffer.GetSize(), 0u) << c.what;
    }
}

// Whatever detection and the editor's actions make of a layout is written and read back equal.
TEST(LayoutFileTest, EveryLayoutTheProgramMakesReadsBackEqual)
{
    std::vector<std::pair<std::string, ConvertingTableLayout>> made;
    auto keep = [&](const std::string& what, const ConvertingTableLayout& layout) { made.emplace_back(what, layout); };

    // Three columns of four lines, listed column by column as text printed in columns comes,
    // and a word reaching over the table's left and bottom edges.
    TestPage page;
    for (LONG column = 0; column < 3; ++column)
    {
        for (LONG line = 0; line < 4; ++line)
            page.Add(60 + 100 * column, 40 + 60 * line, 130 + 100 * column, 70 + 60 * line, L"w");
    }
    page.Add(-40, 255, 30, 345, L"edge");
    ConvertingTableLayout detected;
    detected.SetTableRect(RECT{20, 20, 320, 300});
    detected.AppendColumn(ConvertingTableColumn{-1, 1, CellFormatDate});
    DetectTableColumns(page.Words(), detected, true);
    keep("columns detected", detected);
    ConvertingTableLayout rows = FullLayout();
    DetectTableRows(page.Words(), rows);
    keep("rows detected", rows);

    // Merges and splits of every kind, each undone and done again.
    const ConvertingTableLayout grid = LayoutFromPicture({"abcd", "efgh", "ijkl"});
    std::vector<std::unique_ptr<OxAction>> actions;
    actions.push_back(std::make_unique<MergeSplit>(1, 3, MergeSplit::Columns, true));
    actions.push_back(std::make_unique<MergeSplit>(0, 2, MergeSplit::Rows, true));
    actions.push_back(std::make_unique<MergeSplit>(0x10001, 0x20003, MergeSplit::Cells, true));
    actions.push_back(std::make_unique<MergeSplit>(
        2, 3, MergeSplit::Columns, false,
        std::vector<uint32_t>{MergeSplit::PackColumn({250, 1, 9}), MergeSplit::PackColumn({300, 1, 9})}));
    actions.push_back(std::make_unique<MergeSplit>(1, 2, MergeSplit::Rows, false, std::vector<uint32_t>{150}));
    actions.push_back(std::make_unique<LineMove>(1, 40, LineMove::ColumnLine));
    actions.push_back(std::make_unique<LineMove>(0, -60, LineMove::RowLine));
    actions.push_back(std::make_unique<ColumnFormat>(std::map<int32_t, int32_t>{{0, 0}, {3, 0}}, 42));
    for (size_t i = 0; i < actions.size(); ++i)
    {
        ConvertingTableLayout layout = grid;
        ASSERT_TRUE(actions[i]->Redo(layout)) << i;
        keep("action " + std::to_string(i), layout);
        ASSERT_TRUE(actions[i]->Undo(layout)) << i;
        keep("action " + std::to_string(i) + " undone", layout);
    }

    // A merged layout loaded onto pages cut on every side.
    const RECT pages[] = {{150, 0, 1000, 1000}, {0, 150, 1000, 1000}, {0, 0, 250, 1000}, {0, 0, 1000, 250},
                          {0, 0, 1000, 95}, {95, 95, 305, 205}};
    for (const RECT& cut : pages)
    {
        ConvertingTableLayout layout = LayoutFromPicture({"aabc", "aabd", "eeef"});
        layout.FitToPage(cut, 10, 10);
        keep("fitted to " + std::to_string(cut.left) + "," + std::to_string(cut.top) + "," +
                 std::to_string(cut.right) + "," + std::to_string(cut.bottom),
             layout);
    }

    for (const auto& [what, layout] : made)
    {
        OxBuffer buffer;
        OxReadWriteBuffer out(buffer);
        ASSERT_TRUE(layout.Write(out)) << what;
        ConvertingTableLayout read = UsersLayout();
        OxReadWriteBuffer in(buffer);
        ASSERT_TRUE(read.Read(in)) << what;
        EXPECT_TRUE(read == layout) << what;
    }
}

// Every damaged file fails and leaves the user's layout exactly as it was.
TEST(LayoutFileTest, DamagedFilesFailAndLeaveTheLayoutUntouched)
{
    struct Case { const char* what; void (*damage)(LayoutFile&); };
    const Case cases[] = {
        {"magic", [](LayoutFile& f) { f.magic = 0x4DF699DF; }},
        {"version 1", [](LayoutFile& f) { f.version = 1; }},
        {"version 8", [](LayoutFile& f) { f.version = 8; }},
        {"old format code 4 in version 4", [](LayoutFile& f) { f.version = 4; f.columns[0].format = 4; }},
        {"old format code 4 in version 3", [](LayoutFile& f) { f.version = 3; f.columns[0].format = 4; }},
        {"negative old format code", [](LayoutFile& f) { f.version = 4; f.columns[0].format = -1; }},
        {"flag 2", [](LayoutFile& f) { f.columns[0].flag = 2; }},
        {"column count beyond the id limit", [](LayoutFile& f) { f.columnCount = 0x10000; }},
        {"column count beyond the file", [](LayoutFile& f) { f.columnCount = 0xFFFF; }},
        {"column count beyond the file, version 2", [](LayoutFile& f) { f.version = 2; f.columnCount = 4; }},
        {"row-line count beyond the id limit", [](LayoutFile& f) { f.rowLineCount = 0xFFFF; }},
        {"row-line count beyond the file", [](LayoutFile& f) { f.rowLineCount = 0xFFFE; }},
        {"row-line count of 4 GiB", [](LayoutFile& f) { f.rowLineCount = 0xFFFFFFFF; }},
        {"last column not -1", [](LayoutFile& f) { f.columns[2].x = 300; }},
        {"-1 before the last column", [](LayoutFile& f) { f.columns[1].x = -1; }},
        {"column lines descending", [](LayoutFile& f) { f.columns[1].x = 100; }},
        {"column line left of the table", [](LayoutFile& f) { f.columns[0].x = 5; }},
        {"column line right of the table", [](LayoutFile& f) { f.columns[1].x = 311; }},
        {"row lines descending", [](LayoutFile& f) { f.rowLines = {220, 120}; }},
        {"row line above the table", [](LayoutFile& f) { f.rowLines[0] = 19; }},
        {"row line below the table", [](LayoutFile& f) { f.rowLines[1] = 321; }},
        {"id of a column outside the table", [](LayoutFile& f) { f.ids[2] = 0x00003; }},
        {"id of a row outside the table", [](LayoutFile& f) { f.ids[8] = 0x30002; }},
        {"negative id", [](LayoutFile& f) { f.ids[8] = -1; }},
        {"id naming a cell right of it", [](LayoutFile& f) { f.ids[6] = 0x20001; }},
        {"id naming a cell below it", [](LayoutFile& f) { f.ids[2] = 0x10002; f.ids[5] = 0x10002; }},
        {"origin that is not its own", [](LayoutFile& f) { f.ids[2] = 0x00001; }},
        {"L-shaped block", [](LayoutFile& f) { f.ids[4] = 0x10001; }},
        {"block with a hole in its top row", [](LayoutFile& f) { f.ids[0] = 0; f.ids[1] = 1; f.ids[4] = 0; }},
        {"ids of a block pointing at a cell of another block", [](LayoutFile& f) { f.ids[7] = 0x10000; }},
    };
    for (const Case& c : cases)
    {
        LayoutFile file;
        c.damage(file);
        ConvertingTableLayout layout = UsersLayout();
        EXPECT_FALSE(ReadLayout(layout, file.Bytes())) << c.what;
        EXPECT_TRUE(layout == UsersLayout()) << c.what;
    }
}

TEST(LayoutFileTest, TruncationAtEveryOffsetFailsAndLeavesTheLayoutUntouched)
{
    for (uint32_t version = 2; version <= 7; ++version)
    {
        LayoutFile file;
        file.version = version;
        for (FileColumn& column : file.columns)
            column.format = 1; // a code every version accepts
        const std::vector<uint8_t> whole = file.Bytes();
        for (size_t length = 0; length < whole.size(); ++length)
        {
            ConvertingTableLayout layout = UsersLayout();
            const std::vector<uint8_t> cut(whole.begin(), whole.begin() + length);
            EXPECT_FALSE(ReadLayout(layout, cut)) << "version " << version << ", " << length << " bytes";
            EXPECT_TRUE(layout == UsersLayout()) << "version " << version << ", " << length << " bytes";
        }
        ConvertingTableLayout layout = UsersLayout();
        EXPECT_TRUE(ReadLayout(layout, whole)) << "version " << version;
    }
}

// A stream that takes a fixed number of bytes and refuses every write after that.
class FullStream : public OxReadWrite
{
public:
    explicit FullStream(uint32_t room) : m_room(room) {}
    bool Write(const void*, uint32_t n) override
    {
        if (n > m_room)
            return false;
        m_room -= n;
        return true;
    }
    bool Read(void*, uint32_t) override { return false; }

private:
    uint32_t m_room;
};

TEST(LayoutFileTest, WriteReportsARefusedWrite)
{
    const ConvertingTableLayout layout = FullLayout();
    const uint32_t size = uint32_t(LayoutFile().Bytes().size());
    for (uint32_t room = 0; room < size; ++room)
    {
        FullStream stream(room);
        EXPECT_FALSE(layout.Write(stream)) << room;
    }
    FullStream stream(size);
    EXPECT_TRUE(layout.Write(stream));
}

TEST(LayoutFileTest, LayoutFilesRoundTripThroughTheFileStream)
{
    TempFile file;
    const ConvertingTableLayout layout = FullLayout();
    {
        OxReadWriteFile out;
        ASSERT_TRUE(out.Open(file.Path(), false, false));
        ASSERT_TRUE(layout.Write(out));
    }
    OxReadWriteFile in;
    ASSERT_TRUE(in.Open(file.Path(), true, false));
    ConvertingTableLayout read;
    ASSERT_TRUE(read.Read(in));
    EXPECT_TRUE(read == layout);
}
} // namespace
