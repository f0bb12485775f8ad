// Text output: font items, characters with their positions, glyph indices, runs.
#include "tests/driver/DriverTestSupport.h"

#include "driver/DriverErrors.h"
#include "driver/DriverPDEV.h"
#include "driver/PrintJob.h"
#include "driver/TextCapture.h"
#include "hosts/printhost/engine/EngineTextObjects.h"
#include "hosts/printhost/engine/StandInEngine.h"
#include "pagemodel/CDCPage.h"
#include "pagemodel/CDCWorkFile.h"
#include "pagemodel/OxBuffer.h"
#include "pagemodel/OxReadWrite.h"
#include "pagemodel/PageWordBuilder.h"
#include "pagemodel/PageWordList.h"

#include <memory>

namespace {

LOGFONTW DeviceFont(const wchar_t* face, LONG emPixels, bool fixedPitch = false)
{
    LOGFONTW font{};
    font.lfHeight = -emPixels;
    font.lfWeight = FW_NORMAL;
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfPitchAndFamily = fixedPitch ? FIXED_PITCH | FF_MODERN : VARIABLE_PITCH | FF_SWISS;
    wcsncpy_s(font.lfFaceName, face, _TRUNCATE);
    return font;
}

// One string at the given left edge and baseline, with the font's own glyphs and advances.
std::unique_ptr<standin::EngineString> MakeString(const standin::EngineFont& font, const std::wstring& text,
                                                  LONG left, LONG baseline, bool byGlyphIndex = false,
                                                  ULONG charIncrement = 0)
{
    std::vector<WORD> glyphs = font.GlyphIndices(text);
    std::vector<LONG> advances(text.size());
    std::vector<POINTL> origins(text.size());
    std::vector<INT> extents(text.size());
    SIZE size{};
    INT fitted = 0;
    GetTextExtentExPointW(font.dc, text.c_str(), static_cast<int>(text.size()), 0, &fitted, extents.data(), &size);
    LONG x = left;
    for (size_t i = 0; i < text.size(); ++i)
    {
        advances[i] = charIncrement ? static_cast<LONG>(charIncrement) : extents[i] - (i ? extents[i - 1] : 0);
        origins[i] = POINTL{x, baseline};
        x += advances[i];
    }
    std::wstring original = text;
    if (byGlyphIndex)
        original.assign(glyphs.begin(), glyphs.end());
    RECTL background{left, baseline - font.ascent, x, baseline + font.descent};
    return std::make_unique<standin::EngineString>(original, byGlyphIndex, glyphs, origins, advances, background,
                                                   charIncrement);
}

class TextCaptureTest : public DriverTest
{
protected:
    void SetUp() override
    {
        DriverTest::SetUp();
        m_session = std::make_unique<DriverSession>(DeviceSettings{});
        ASSERT_TRUE(m_session->Open());
        ASSERT_TRUE(m_session->StartDoc(L"text"));
        ASSERT_TRUE(m_session->StartPage());
        m_font = standin::EngineFont::Create(DeviceFont(L"Arial", 40), 144);
        ASSERT_TRUE(m_font);
    }
    void TearDown() override
    {
        m_session.reset();
        DriverTest::TearDown();
    }

    BOOL Draw(standin::EngineString& string, standin::EngineFont& font, COLORREF colour = RGB(0, 0, 0))
    {
        standin::EngineBrush brush(colour);
        return m_session->TextOut(&string.object, &font.object, nullptr, &brush.object, nullptr);
    }

    CDCPage& Page()
    {
        return *reinterpret_cast<DriverPDEV*>(m_session->Device())->m_job->m_currentPage;
    }

    std::vector<CDCText*> Texts()
    {
        std::vector<CDCText*> texts;
        for (size_t i = 0; i < Page().GetItemCount(); ++i)
        {
            if (Page().GetItem(i)->GetType() == CDCItemTypeText)
                texts.push_back(static_cast<CDCText*>(Page().GetItem(i)));
        }
        return texts;
    }

    std::unique_ptr<DriverSession> m_session;
    std::unique_ptr<standin::EngineFont> m_font;
};

} // namespace

TEST_F(TextCaptureTest, EveryGlyphBatchIsReadForThePositions)
{
    standin::SetGlyphBatchSize(3);
    const std::wstring text = L"Quarterly total";
    auto string = MakeString(*m_font, text, 100, 300);
    ASSERT_TRUE(Draw(*string, *m_font, RGB(200, 0, 0)));

    ASSERT_EQ(Texts().size(), 1u);
    const CDCText& item = *Texts()[0];
    EXPECT_EQ(Characters(item), text);
    EXPECT_EQ(item.m_rect.left, 100);
    EXPECT_EQ(item.m_colour, RGB(200, 0, 0));
    EXPECT_EQ(item.m_glyphIndex, 0);
    for (size_t i = 0; i < text.size(); ++i)
    {
        EXPECT_EQ(item.m_chars[i].m_x, string->positions[i].ptl.x - 100) << i;
        EXPECT_EQ(item.m_chars[i].m_width, string->advances[i]) << i;
    }
    EXPECT_GT(item.m_chars.back().m_x, 0);
}

TEST_F(TextCaptureTest, FixedPitchAndFallbackPositions)
{
    auto fixed = MakeString(*m_font, L"abc", 50, 300, false, 24);
    ASSERT_TRUE(Draw(*fixed, *m_font));
    standin::SetFailure(standin::EngineCall::AdvanceWidths, true);
    auto unmeasured = MakeString(*m_font, L"xy", 70, 400);
    ASSERT_TRUE(Draw(*unmeasured, *m_font));

    ASSERT_EQ(Texts().size(), 2u);
    const CDCText& first = *Texts()[0];
    ASSERT_EQ(first.m_chars.size(), 3u);
    for (uint16_t i = 0; i < 3; ++i)
        EXPECT_EQ(first.m_chars[i], CDCCharInfo(L"abc"[i], static_cast<uint16_t>(24 * i), 24));
    const CDCText& second = *Texts()[1];
    EXPECT_EQ(second.m_chars, (std::vector<CDCCharInfo>{{L'x', 0, 0}, {L'y', 0, 0}}));
}

TEST_F(TextCaptureTest, OneFontItemForTwoRunsInTheSameFont)
{
    auto first = MakeString(*m_font, L"Net", 100, 300);
    auto second = MakeString(*m_font, L"Gross", 100, 400);
    ASSERT_TRUE(Draw(*first, *m_font));
    ASSERT_TRUE(Draw(*second, *m_font));

    ASSERT_EQ(Page().GetItemCount(), 3u);
    ASSERT_EQ(Page().GetItem(0)->GetType(), CDCItemTypeFont);
    const LOGFONTW& font = static_cast<CDCFont*>(Page().GetItem(0))->m_logFont;
    EXPECT_EQ(font.lfHeight, 20);  // 40 pixels at 144 dpi
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_NE(font.lfFaceName[0], L'\0');
    EXPECT_EQ(Texts().size(), 2u);
}

TEST_F(TextCaptureTest, PointSizesAreRounded)
{
    struct Case
    {
        LONG emPixels;
        LONG points;
    } cases[] = {{20, 10}, {21, 11}, {23, 12}, {25, 13}, {19, 10}};
    for (const Case& c : cases)
    {
        auto font = standin::EngineFont::Create(DeviceFont(L"Arial", c.emPixels), 144);
        ASSERT_TRUE(font);
        const auto* metrics = FONTOBJ_pifi(&font->object);
        ASSERT_NE(metrics, nullptr);
        EXPECT_EQ(MakeFontRecord(&font->object, *metrics, 144).lfHeight, c.points) << c.emPixels << " pixels";
    }
}

TEST_F(TextCaptureTest, ALongFamilyNameIsCutAndTerminated)
{
    const std::wstring family = L"A family name of forty characters, long.";
    ASSERT_EQ(family.size(), 40u);
    std::vector<BYTE> metrics(sizeof(IFIMETRICS) + (family.size() + 1) * sizeof(wchar_t));
    auto* ifi = reinterpret_cast<IFIMETRICS*>(metrics.data());
    ifi->cjThis = static_cast<ULONG>(metrics.size());
    ifi->dpwszFamilyName = sizeof(IFIMETRICS);
    ifi->fwdUnitsPerEm = 2048;
    ifi->usWinWeight = FW_BOLD;
    ifi->fsSelection = FM_SEL_ITALIC | FM_SEL_STRIKEOUT;
    std::memcpy(metrics.data() + sizeof(IFIMETRICS), family.c_str(), (family.size() + 1) * sizeof(wchar_t));

    const LOGFONTW record = MakeFontRecord(&m_font->object, *ifi, 144);
    EXPECT_EQ(std::wstring(record.lfFaceName), family.substr(0, 31));
    EXPECT_EQ(record.lfFaceName[31], L'\0');
    EXPECT_EQ(record.lfWeight, FW_BOLD);
    EXPECT_EQ(record.lfItalic, 1);
    EXPECT_EQ(record.lfUnderline, 0);
    EXPECT_EQ(record.lfStrikeOut, 1);

    // A name offset outside the record is not followed.
    ifi->dpwszFamilyName = static_cast<PTRDIFF>(metrics.size()) + 100;
    EXPECT_EQ(MakeFontRecord(&m_font->object, *ifi, 144).lfFaceName[0], L'\0');
}

TEST_F(TextCaptureTest, GlyphIndexTextIsMappedWithItsFontAndKeptFlaggedWithoutOne)
{
    auto mapped = MakeString(*m_font, L"Sum", 100, 300, true);
    ASSERT_TRUE(Draw(*mapped, *m_font));
    standin::SetFailure(standin::EngineCall::FontMetrics, true);
    auto unmapped = MakeString(*m_font, L"Sum", 100, 400, true);
    ASSERT_TRUE(Draw(*unmapped, *m_font));

    ASSERT_EQ(Texts().size(), 2u);
    EXPECT_EQ(Texts()[0]->m_glyphIndex, 0);
    EXPECT_EQ(Characters(*Texts()[0]), L"Sum");
    // Without the font's metrics there is no font to map with: the glyphs stay as they came.
    EXPECT_EQ(Texts()[1]->m_glyphIndex, 1);
    EXPECT_EQ(Characters(*Texts()[1]), unmapped->text);
    EXPECT_NE(Characters(*Texts()[1]), L"Sum");
    EXPECT_EQ(Page().GetItemCount(), 3u);  // one font item, two texts
}

TEST_F(TextCaptureTest, AStringWithoutItsTextIsRecordedWithoutCharacters)
{
    auto string = MakeString(*m_font, L"abc", 100, 300);
    string->object.pwszOrg = nullptr;
    ASSERT_TRUE(Draw(*string, *m_font));
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_TRUE(Texts()[0]->m_chars.empty());
    EXPECT_TRUE(Messages().empty());
}

// A page whose image is beyond what the program can read keeps its text and reaches the program
// without the image.
TEST_F(TextCaptureTest, APageTooLargeForItsImageKeepsItsText)
{
    auto string = MakeString(*m_font, L"Total", 100, 300);
    ASSERT_TRUE(Draw(*string, *m_font));
    // A colour page of 12000 x 8000 pixels: 288 million bytes. Nothing of its bits is read.
    BYTE row[16] = {};
    SURFOBJ huge = *m_session->Surface();
    huge.sizlBitmap = SIZEL{12000, 8000};
    huge.iBitmapFormat = BMF_24BPP;
    huge.lDelta = -36000;
    huge.cjBits = 36000u * 8000u;
    huge.pvBits = row;
    huge.pvScan0 = row;
    ASSERT_TRUE(DrvSendPage(&huge));
    ASSERT_TRUE(m_session->EndDoc());
    EXPECT_TRUE(Messages().empty());

    const std::wstring workFile = Folder() + L"\\00000101.kest";
    std::vector<ArchiveEntry> entries = ReadArchive(workFile);
    std::vector<std::string> names;
    for (const ArchiveEntry& entry : entries)
        names.push_back(entry.name);
    EXPECT_EQ(names, (std::vector<std::string>{"Page0001.dat", "Pages.dat"}));
    {
        CDCWorkFile opened;
        ASSERT_TRUE(opened.Open(workFile.c_str()));
        EXPECT_EQ(opened.GetPageCount(), 1u);
    }
    CDCPage page;
    OxBuffer buffer;
    ASSERT_TRUE(buffer.Append(entries[0].data.data(), static_cast<uint32_t>(entries[0].data.size())));
    OxReadWriteBuffer stream(buffer);
    ASSERT_TRUE(page.Load(stream));
    ASSERT_EQ(page.GetItemCount(), 2u);
    EXPECT_EQ(Characters(*static_cast<CDCText*>(page.GetItem(1))), L"Total");
    EXPECT_EQ(LaunchedCommandLines(1).size(), 1u);
}

// The word builder reads offsets and widths as signed 16-bit numbers: a run never holds one
// above 0x7FFF.
TEST(TextRuns, OffsetsThatDoNotFitFifteenBitsStartANewRun)
{
    const RECTL rectangle{1000, 50, 80000, 90};
    struct Case
    {
        const char* what;
        std::vector<LONG> xs;
        LONG width;
        std::vector<LONG> runLefts;
        std::vector<std::vector<uint16_t>> offsets;
        uint16_t storedWidth;
    } cases[] = {
        {"all fit", {1000, 1010, 33767}, 10, {1000}, {{0, 10, 32767}}, 10},
        {"one beyond", {1000, 1010, 33768, 33778}, 10, {1000, 33768}, {{0, 10}, {0, 10}}, 10},
        {"far beyond, twice", {1000, 40000, 75000}, 10, {1000, 40000, 75000}, {{0}, {0}, {0}}, 10},
        {"left overhang moves the edge", {998, 1010}, 10, {998}, {{0, 12}}, 10},
        {"going back left of the run splits", {1000, 1200, 990}, 10, {1000, 990}, {{0, 200}, {0}}, 10},
        {"a width beyond the bound is cut", {1000}, 40000, {1000}, {{0}}, 0x7FFF},
        {"a negative width is none", {1000}, -5, {1000}, {{0}}, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.what);
        std::vector<CapturedChar> chars;
        for (LONG x : c.xs)
            chars.push_back({L'x', x, c.width});
        std::vector<CDCText> runs = SplitIntoRuns(rectangle, 0, 7, chars);
        ASSERT_EQ(runs.size(), c.runLefts.size());
        for (size_t r = 0; r < runs.size(); ++r)
        {
            EXPECT_EQ(runs[r].m_rect.left, c.runLefts[r]);
            EXPECT_EQ(runs[r].m_rect.top, 50);
            EXPECT_EQ(runs[r].m_colour, 7u);
            ASSERT_EQ(runs[r].m_chars.size(), c.offsets[r].size());
            for (size_t i = 0; i < c.offsets[r].size(); ++i)
            {
                EXPECT_EQ(runs[r].m_chars[i].m_x, c.offsets[r][i]);
                EXPECT_EQ(runs[r].m_chars[i].m_width, c.storedWidth);
            }
        }
        EXPECT_EQ(runs.back().m_rect.right, 80000);
    }
}

// A line of a very wide page: the program finds every word where it was drawn.
TEST(TextRuns, WordsOfAWidePageComeBackWhereTheyWereDrawn)
{
    const LONG lefts[] = {100, 32000, 33000, 40000, 70000};
    std::vector<CapturedChar> chars;
    for (LONG left : lefts)
    {
        for (LONG i = 0; i < 3; ++i)
            chars.push_back({static_cast<uint16_t>(L'a' + i), left + 20 * i, 20});
    }
    CDCPage page;
    for (const CDCText& run : SplitIntoRuns(RECTL{100, 50, 70060, 90}, 0, 0, chars))
        ASSERT_TRUE(page.AddItem(run));

    HDC dc = CreateCompatibleDC(nullptr);
    PageWordList words;
    BuildPageWords(page, 144, dc, words);
    DeleteDC(dc);
    ASSERT_EQ(words.GetCount(), 5);
    for (int i = 0; i < words.GetCount(); ++i)
    {
        EXPECT_EQ(words.GetAt(i)->m_text, L"abc");
        EXPECT_EQ(words.GetAt(i)->m_rect.left, lefts[i]) << i;
        EXPECT_EQ(words.GetAt(i)->m_rect.right, lefts[i] + 60) << i;
    }
}
