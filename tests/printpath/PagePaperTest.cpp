// Pages keep their own size on the way through the host: a page drawn for US letter paper is
// recorded with its words where the application put them, on paper of its own size or on other
// paper chosen for the job, never stretched over it.
#include "tests/printpath/PrintedJob.h"

#include "pagemodel/CDCPageImage.h"
#include "pagemodel/CDCWorkFile.h"
#include "pagemodel/PageWordList.h"

#include <map>

namespace
{

const SIZE kLetter{21590, 27940}; // hundredths of a millimetre
const SIZE kA4{21000, 29700};

class PagePaper : public PrintedJobTest
{
};

// Page pixels at 144 dpi of a length in hundredths of a millimetre.
LONG At144Dpi(LONG hundredthsOfMm)
{
    return hundredthsOfMm * 144 / 2540;
}

} // namespace

TEST_F(PagePaper, ALetterPageKeepsItsWordsWhereTheApplicationPutThem)
{
    // One inch from the top left, and ten inches down at the left and towards the right.
    const std::vector<std::pair<POINT, std::wstring>> words = {
        {POINT{2540, 2540}, L"TopLeft"}, {POINT{2540, 25400}, L"BottomLeft"}, {POINT{16510, 25400}, L"BottomRight"}};
    struct Case
    {
        const char* paper;
        bool fromPages;
        SIZE expectedImage;
    } cases[] = {
        {"paper of the page's own size", true, SIZE{1224, 1584}},
        {"A4 paper chosen for the job", false, SIZE{1190, 1683}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.paper);
        std::vector<EnhMetaFile> pages;
        pages.push_back(PageWithWords(kLetter, words));
        DeviceSettings settings; // A4
        if (c.fromPages)
        {
            ASSERT_EQ(ChoosePaper(pages, settings), PaperChoice::FromPages);
        }
        const std::wstring workFilePath = Print(pages, settings);
        ASSERT_FALSE(workFilePath.empty());

        CDCWorkFile workFile;
        ASSERT_TRUE(workFile.Open(workFilePath.c_str()));
        CDCPageImage image;
        ASSERT_TRUE(workFile.LoadPageImage(1, image));
        EXPECT_EQ(image.GetWidth(), c.expectedImage.cx);
        EXPECT_EQ(image.GetHeight(), c.expectedImage.cy);

        HDC dc = CreateCompatibleDC(nullptr);
        PageWordList list;
        ASSERT_TRUE(workFile.GetPageWords(1, dc, list));
        DeleteDC(dc);
        std::map<std::wstring, RECT> found;
        for (int i = 0; i < list.GetCount(); ++i)
            found[list.GetAt(i)->m_text] = list.GetAt(i)->m_rect;
        ASSERT_EQ(found.size(), words.size());
        for (const auto& word : words)
        {
            SCOPED_TRACE(testing::Message() << "word " << testing::PrintToString(word.second));
            ASSERT_EQ(found.count(word.second), 1u);
            EXPECT_NEAR(found[word.second].left, At144Dpi(word.first.x), 3);
            EXPECT_NEAR(found[word.second].top, At144Dpi(word.first.y), 3);
        }
        workFile.Close();
    }
}

TEST_F(PagePaper, TheJobsPaperCoversEveryPageInItsOwnOrientation)
{
    struct Case
    {
        const char* what;
        std::vector<SIZE> pages;
        PaperChoice choice;
        SHORT width, length; // tenths of a millimetre, upright
        bool landscape;
    } cases[] = {
        {"letter", {kLetter}, PaperChoice::FromPages, 2159, 2794, false},
        {"A4 turned", {SIZE{kA4.cy, kA4.cx}}, PaperChoice::FromPages, 2100, 2970, true},
        {"letter and A4", {kLetter, kA4}, PaperChoice::FromPages, 2159, 2970, false},
        {"wider than any paper", {SIZE{400000, 1000}}, PaperChoice::TooLarge, 2100, 2970, false},
    };
    for (const Case& c : cases)
    {
        std::vector<EnhMetaFile> pages;
        for (SIZE size : c.pages)
            pages.push_back(PageWithWords(size, {}));
        DeviceSettings settings;
        EXPECT_EQ(ChoosePaper(pages, settings), c.choice) << c.what;
        EXPECT_EQ(settings.paperWidth, c.width) << c.what;
        EXPECT_EQ(settings.paperLength, c.length) << c.what;
        EXPECT_EQ(settings.landscape, c.landscape) << c.what;
    }
}
