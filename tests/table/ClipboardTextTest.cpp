#include <gtest/gtest.h>

#include "table/ClipboardText.h"
#include "table/ConversionMessages.h"
#include "table/ConvertingTableLayout.h"
#include "table/ConvertingTableParser.h"
#include "table/TableConverter.h"
#include "tests/table/ClipboardHelpers.h"
#include "tests/table/LayoutPictures.h"
#include "tests/table/TableWords.h"

#include <atomic>
#include <string>
#include <thread>

namespace {

std::unique_ptr<ConvertingTableGrid> Parse(ConvertingTableLayout& layout, const TestPage& page)
{
    ConvertingTableParser parser;
    parser.SetLayout(&layout);
    return parser.ParseWords(page.Words(), nullptr, false);
}

} // namespace

// Cells of 100 x 100 units; words are placed inside the cells they belong to.
TEST(ClipboardText, TabAfterEveryCellAndLineBreakAfterEveryRow)
{
    struct Case
    {
        const char* what;
        Picture picture;
        std::vector<uint8_t> flags;
        std::vector<int32_t> formats;
        std::vector<std::pair<POINT, std::wstring>> words;  // cell (column, row) and text
        std::wstring text;
    } cases[] = {
        {"an empty cell between two", {"abc"}, {}, {}, {{{0, 0}, L"a"}, {{2, 0}, L"b"}}, L"a\t\tb\t\r\n"},
        {"two rows", {"ab", "cd"}, {}, {}, {{{0, 0}, L"a"}, {{1, 0}, L"b"}, {{0, 1}, L"c"}, {{1, 1}, L"d"}},
         L"a\tb\t\r\nc\td\t\r\n"},
        {"an empty row", {"ab", "cd", "ef"}, {}, {}, {{{0, 0}, L"a"}, {{1, 2}, L"f"}}, L"a\t\t\r\n\t\t\r\n\tf\t\r\n"},
        {"a merged block leaves its other cells empty", {"aab", "aac"}, {}, {},
         {{{1, 1}, L"m"}, {{2, 0}, L"x"}, {{2, 1}, L"y"}}, L"m\t\tx\t\r\n\t\ty\t\r\n"},
        {"a skipped column has no cell", {"abc"}, {1, 0, 1}, {}, {{{0, 0}, L"a"}, {{1, 0}, L"b"}, {{2, 0}, L"c"}},
         L"a\tc\t\r\n"},
        {"a Number cell's trailing minus goes in front", {"ab"}, {}, {CellFormatNumber, CellFormatText},
         {{{0, 0}, L"1,000-"}, {{1, 0}, L"12-"}}, L"-1,000\t12-\t\r\n"},
        {"a cell with a TAB is quoted, to paste as one cell", {"ab"}, {}, {}, {{{0, 0}, L"x\ty"}, {{1, 0}, L"z"}},
         L"\"x\ty\"\tz\t\r\n"},
        {"a cell with a line break is quoted, its quotes doubled", {"ab"}, {}, {},
         {{{0, 0}, L"say \"hi\"\r\nnow"}, {{1, 0}, L"\"q\""}}, L"\"say \"\"hi\"\"\r\nnow\"\t\"q\"\t\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ConvertingTableLayout layout = LayoutFromPicture(c.picture);
        for (size_t i = 0; i < c.flags.size(); ++i)
            layout.GetColumn(static_cast<int>(i)).flag = c.flags[i];
        for (size_t i = 0; i < c.formats.size(); ++i)
            layout.GetColumn(static_cast<int>(i)).format = c.formats[i];
        TestPage page;
        for (const auto& word : c.words)
            page.Add(word.first.x * 100 + 10, word.first.y * 100 + 10, word.first.x * 100 + 60,
                     word.first.y * 100 + 50, word.second);
        auto grid = Parse(layout, page);
        ASSERT_TRUE(grid);
        EXPECT_EQ(BuildTableText(*grid), c.text);
    }
}

TEST(ClipboardText, GridWithoutRowsGivesNoText)
{
    ConvertingTableLayout layout = LayoutFromPicture({"ab"});
    ConvertingTableGrid grid(&layout);
    EXPECT_EQ(BuildTableText(grid), L"");
}

TEST(ClipboardText, CopyPutsUnicodeTextOnTheClipboard)
{
    TableConverter converter;
    const std::wstring text = L"Gr\u00f6\u00dfe\t\u20ac 12\t\r\n\u05e9\u05dc\u05d5\u05dd\t\t\r\n";
    ASSERT_TRUE(converter.CopyTextToClipboard(text));
    EXPECT_EQ(ReadClipboardText(), text);
    EXPECT_EQ(converter.GetErrorText(), L"");
}

// What a peer reads back: the text up to the first zero of the block; nothing from an empty
// clipboard, and no stale text either.
TEST(ClipboardText, ReadBackTakesTheTextUpToItsFirstZero)
{
    struct Case { const char* what; std::wstring block; std::wstring text; };
    const Case cases[] = {
        {"a terminated text", std::wstring(L"a\tb\t\r\n", 6) + L'\0', L"a\tb\t\r\n"},
        {"a zero inside", std::wstring(L"ab\0cd\0", 6), L"ab"},
    };
    for (const Case& c : cases)
    {
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, c.block.size() * sizeof(wchar_t));
        ASSERT_TRUE(block);
        memcpy(GlobalLock(block), c.block.data(), c.block.size() * sizeof(wchar_t));
        GlobalUnlock(block);
        ASSERT_TRUE(OpenClipboard(nullptr));
        EmptyClipboard();
        ASSERT_TRUE(SetClipboardData(CF_UNICODETEXT, block));
        CloseClipboard();
        std::wstring text;
        EXPECT_TRUE(ReadTextFromClipboard(text)) << c.what;
        EXPECT_EQ(text, c.text) << c.what;
    }

    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    std::wstring text = L"stale";
    EXPECT_FALSE(ReadTextFromClipboard(text));
    EXPECT_EQ(text, L"");
}

TEST(ClipboardText, EmptyTextIsAFinalErrorAndLeavesTheClipboard)
{
    ASSERT_TRUE(PresetClipboardText(L"before"));
    TableConverter converter;
    EXPECT_FALSE(converter.CopyTextToClipboard(L""));
    EXPECT_EQ(converter.GetErrorText(), L"Cannot copy an empty string to clipboard");
    EXPECT_TRUE(converter.IsErrorFinal());
    EXPECT_EQ(ReadClipboardText(), L"before");
}

TEST(ClipboardText, ClipboardHeldByAnotherThreadIsADetailError)
{
    ASSERT_TRUE(PresetClipboardText(L"before"));
    std::atomic<int> state{0};  // 1: holding the clipboard, 2: may let go
    bool opened = false;
    std::thread holder([&] {
        // Another program holds the clipboard through one of its windows.
        HWND window = CreateWindowExW(0, L"STATIC", L"holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
        opened = window && OpenClipboard(window);
        state = 1;
        while (state.load() != 2)
            Sleep(1);
        if (opened)
            CloseClipboard();
        if (window)
            DestroyWindow(window);
    });
    while (state.load() != 1)
        Sleep(1);

    TableConverter converter;
    const bool copied = converter.CopyTextToClipboard(L"new text");
    state = 2;
    holder.join();

    ASSERT_TRUE(opened);
    EXPECT_FALSE(copied);
    EXPECT_FALSE(converter.IsErrorFinal());
    EXPECT_EQ(ConversionErrorMessage(converter.GetErrorText(), converter.IsErrorFinal()),
              L"An error occured during conversion:\nFailed to open clipboard");
    EXPECT_EQ(ReadClipboardText(), L"before");
}
