// The toolbar button: its stored form, image transitions with the command manager, the dragged
// data read back (and refused when damaged or foreign), sizes and drawing.
#include "tests/uitoolkit/bars/ToolbarTestIds.h"
#include "uitoolkit/bars/KTToolbarButton.h"
#include "uitoolkit/bars/KTToolbarMenuButton.h"
#include "uitoolkit/customize/KTCmdUsageCount.h"
#include "uitoolkit/customize/KTCommandManager.h"
#include "uitoolkit/looks/KTImageStrip.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <gtest/gtest.h>

#include <vector>

namespace
{
class ToolbarButtonTest : public ::testing::Test
{
protected:
    void SetUp() override { CKTCommandManager::GetInstance()->ClearAllCmdImages(); }
    void TearDown() override { CKTCommandManager::GetInstance()->ClearAllCmdImages(); }
};

std::vector<BYTE> Store(CKTToolbarButton& button, BOOL bWithClass)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        if (bWithClass)
            ar.WriteClass(button.GetRuntimeClass());
        button.Serialize(ar);
        ar.Close();
    }
    const ULONGLONG n = file.GetLength();
    std::vector<BYTE> bytes(static_cast<size_t>(n));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(n));
    return bytes;
}

void Load(CKTToolbarButton& button, std::vector<BYTE> bytes)
{
    CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
    CArchive ar(&file, CArchive::load);
    button.Serialize(ar);
}

CKTToolbarButton* FromOleBytes(const std::vector<BYTE>& bytes)
{
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, bytes.empty() ? 1 : bytes.size());
    if (!bytes.empty())
    {
        void* p = ::GlobalLock(h);
        memcpy(p, bytes.data(), bytes.size());
        ::GlobalUnlock(h);
    }
    COleDataSource source;
    source.CacheGlobalData(CKTToolbarButton::GetClipboardFormat(), h);
    COleDataObject data;
    data.Attach(source.GetDataObject());
    return CKTToolbarButton::CreateFromOleData(&data);
}

LONG ReadLong(const std::vector<BYTE>& bytes, size_t offset)
{
    LONG value = 0;
    memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

// A serialisable object that is not a button, offered under the button format.
class CForeignObject : public CObject
{
    DECLARE_SERIAL(CForeignObject)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << static_cast<LONG>(77);
    }
};
IMPLEMENT_SERIAL(CForeignObject, CObject, 1)
using ForeignReader = CArchive&(AFXAPI*)(CArchive&, CForeignObject*&);
[[maybe_unused]] const ForeignReader kForeignReader = &operator>>;

class CUnstorableButton : public CKTToolbarButton
{
public:
    BOOL CanBeStored() const override { return FALSE; }
};
} // namespace

TEST_F(ToolbarButtonTest, StoresEightValuesInOrderAndReadsThemBack)
{
    CKTToolbarButton button(ID_TEST_OPEN, 3, L"&Open");
    button.m_bText = TRUE;
    button.m_nStyle = TBBS_CHECKBOX | TBBS_CHECKED;
    button.SetDragFromCollection(TRUE);
    const std::vector<BYTE> bytes = Store(button, FALSE);
    EXPECT_EQ(ID_TEST_OPEN, (UINT)ReadLong(bytes, 0));
    EXPECT_EQ((LONG)(TBBS_CHECKBOX | TBBS_CHECKED), ReadLong(bytes, 4));
    EXPECT_EQ(3, ReadLong(bytes, 8));
    // The text: a length byte and the wide-string mark before the characters.
    const size_t afterText = bytes.size() - 16;
    EXPECT_EQ(0, ReadLong(bytes, afterText)) << "user-image flag";
    EXPECT_EQ(1, ReadLong(bytes, afterText + 4)) << "drag flag";
    EXPECT_EQ(1, ReadLong(bytes, afterText + 8)) << "show-text flag";
    EXPECT_EQ(1, ReadLong(bytes, afterText + 12)) << "show-image flag";

    CKTToolbarButton copy;
    Load(copy, bytes);
    EXPECT_EQ(ID_TEST_OPEN, copy.m_nID);
    EXPECT_EQ((UINT)(TBBS_CHECKBOX | TBBS_CHECKED), copy.m_nStyle);
    EXPECT_EQ(3, copy.GetImage());
    EXPECT_EQ(CString(L"&Open"), copy.m_strText);
    EXPECT_TRUE(copy.IsDragFromCollection());
    EXPECT_TRUE(copy.m_bText);
    EXPECT_TRUE(copy.m_bImage);
}

TEST_F(ToolbarButtonTest, ShortRecordThrowsAndLeavesTheButtonAsItWas)
{
    CKTToolbarButton button(ID_TEST_OPEN, 3, L"Open");
    std::vector<BYTE> bytes = Store(button, FALSE);
    for (size_t cut = 0; cut < bytes.size(); cut++)
    {
        CKTToolbarButton target(ID_TEST_SAVE, 1, L"Save");
        std::vector<BYTE> part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        bool thrown = false;
        try
        {
            Load(target, part);
        }
        catch (CException* e)
        {
            e->Delete();
            thrown = true;
        }
        EXPECT_TRUE(thrown) << "cut at " << cut;
        EXPECT_EQ(ID_TEST_SAVE, target.m_nID) << "cut at " << cut;
        EXPECT_EQ(CString(L"Save"), target.m_strText) << "cut at " << cut;
    }
}

TEST_F(ToolbarButtonTest, SetImageTransitionsWithTheCommandManager)
{
    struct Case
    {
        const char* name;
        int stdImage;  // in the command manager before, -1 none
        int userImage; // in the command manager before, -1 none
        BOOL userFlag;
        int index;
        BOOL expectUserFlag;
        int expectImage;
        BOOL expectShowsImage;
    };
    const Case cases[] = {
        {"standard index recorded", -1, -1, FALSE, 4, FALSE, 4, TRUE},
        {"-1 takes the standard image", 2, -1, FALSE, -1, FALSE, 2, TRUE},
        {"-1 with only a user image becomes a user button", -1, 5, FALSE, -1, TRUE, 5, TRUE},
        {"-1 on a user button with only a user image stays one", -1, 5, TRUE, -1, TRUE, 5, TRUE},
        {"-1 on a user button of a standard-image command", 2, -1, TRUE, -1, FALSE, 2, TRUE},
        {"-1 with no image at all shows text", -1, -1, FALSE, -1, FALSE, -1, FALSE},
        {"user index recorded", -1, -1, TRUE, 1, TRUE, 1, TRUE},
    };
    CKTCommandManager* pManager = CKTCommandManager::GetInstance();
    for (const Case& c : cases)
    {
        pManager->ClearAllCmdImages();
        if (c.stdImage >= 0)
            pManager->SetCmdImage(ID_TEST_CUT, c.stdImage, FALSE);
        if (c.userImage >= 0)
            pManager->SetCmdImage(ID_TEST_CUT, c.userImage, TRUE);
        CKTToolbarButton button;
        button.m_nID = ID_TEST_CUT;
        button.m_bUserButton = c.userFlag;
        button.SetImage(c.index);
        EXPECT_EQ(c.expectUserFlag, button.m_bUserButton) << c.name;
        EXPECT_EQ(c.expectImage, button.GetImage()) << c.name;
        EXPECT_EQ(c.expectShowsImage, button.m_bImage) << c.name;
        EXPECT_EQ(!c.expectShowsImage, button.m_bText) << c.name;
        if (c.index >= 0)
        {
            EXPECT_EQ(c.index, pManager->GetCmdImage(ID_TEST_CUT, c.userFlag)) << c.name;
        }
    }
}

TEST_F(ToolbarButtonTest, UserImageButtonSurvivesRepeatedStoreAndLoad)
{
    CKTCommandManager::GetInstance()->SetCmdImage(ID_TEST_PASTE, 6, TRUE);
    CKTToolbarButton button(ID_TEST_PASTE, 6, L"Paste", TRUE);
    std::vector<BYTE> bytes = Store(button, FALSE);
    for (int round = 0; round < 3; round++)
    {
        CKTToolbarButton copy;
        Load(copy, bytes);
        EXPECT_TRUE(copy.m_bUserButton) << "round " << round;
        EXPECT_EQ(6, copy.GetImage()) << "round " << round;
        EXPECT_TRUE(copy.m_bImage) << "round " << round;
        bytes = Store(copy, FALSE);
    }
}

TEST_F(ToolbarButtonTest, ConstructorTakesOrRecordsTheCommandImage)
{
    CKTCommandManager* pManager = CKTCommandManager::GetInstance();
    CKTToolbarButton recorded(ID_TEST_OPEN, 7, L"Open");
    EXPECT_EQ(7, pManager->GetCmdImage(ID_TEST_OPEN, FALSE));
    CKTToolbarButton taken(ID_TEST_OPEN, -1, L"Open");
    EXPECT_EQ(7, taken.GetImage());
    EXPECT_TRUE(taken.m_bImage);
    CKTToolbarButton locked(ID_TEST_SAVE, 9, L"Save", FALSE, TRUE);
    EXPECT_EQ(-1, pManager->GetCmdImage(ID_TEST_SAVE, FALSE)) << "a locked button keeps its image to itself";
    CKTToolbarButton none(ID_TEST_PRINT, -1, L"Print");
    EXPECT_FALSE(none.m_bImage);
    EXPECT_TRUE(none.m_bText);
}

TEST_F(ToolbarButtonTest, CopyFromCopiesTheButtonButNotTheDragFlag)
{
    CKTToolbarButton src(ID_TEST_CUT, 2, L"Cu&t");
    src.m_nStyle = TBBS_CHECKBOX;
    src.m_bText = TRUE;
    src.m_strTextCustom = L"Custom";
    src.m_bAlwaysCopied = TRUE;
    src.SetDragFromCollection(TRUE);
    CKTToolbarButton dst;
    dst.CopyFrom(src);
    EXPECT_EQ(src.m_nID, dst.m_nID);
    EXPECT_EQ(src.m_nStyle, dst.m_nStyle);
    EXPECT_EQ(2, dst.GetImage());
    EXPECT_EQ(src.m_strText, dst.m_strText);
    EXPECT_EQ(src.m_strTextCustom, dst.m_strTextCustom);
    EXPECT_TRUE(dst.m_bText);
    EXPECT_TRUE(dst.m_bAlwaysCopied);
    EXPECT_FALSE(dst.IsDragFromCollection());
    CKTToolbarButton other(ID_TEST_CUT, 4, L"Different");
    EXPECT_TRUE(other.CompareWith(src)) << "only the command counts";
    CKTToolbarButton third(ID_TEST_PASTE, 2, L"Cu&t");
    EXPECT_FALSE(third.CompareWith(src));
}

TEST_F(ToolbarButtonTest, EditableCommandRanges)
{
    const struct
    {
        UINT id;
        BOOL editable;
    } cases[] = {{0xE110, FALSE}, {0xE11F, FALSE},      {0xE210, FALSE}, {0xF000, FALSE},
                 {0xF1EF, FALSE}, {0xFF00, FALSE},      {0xFFFF, FALSE}, {0xF1F0, TRUE},
                 {0xE10F, TRUE},  {ID_TEST_OPEN, TRUE}, {(UINT)-1, TRUE}};
    for (const auto& c : cases)
    {
        CKTToolbarButton button;
        button.m_nID = c.id;
        EXPECT_EQ(c.editable, button.IsEditable()) << std::hex << c.id;
    }
}

TEST_F(ToolbarButtonTest, DefaultTextAndMenuExportFromTheStringResource)
{
    CKTToolbarButton open(ID_TEST_OPEN, -1);
    EXPECT_TRUE(open.LoadDefaultText());
    EXPECT_EQ(CString(L"Open"), open.m_strText);
    CKTToolbarButton kept(ID_TEST_OPEN, -1, L"Mine");
    kept.LoadDefaultText();
    EXPECT_EQ(CString(L"Mine"), kept.m_strText);
    CKTToolbarButton noNewline(ID_TEST_NOTEXT, -1);
    noNewline.LoadDefaultText();
    EXPECT_TRUE(noNewline.m_strText.IsEmpty());

    CKTToolbarMenuButton menuButton;
    EXPECT_TRUE(open.ExportToMenuButton(menuButton));
    EXPECT_EQ(CString(L"Open"), menuButton.m_strText);
    EXPECT_FALSE(noNewline.ExportToMenuButton(menuButton));
}

TEST_F(ToolbarButtonTest, LabelsLoseMnemonicsAndKeepDoubledAmpersands)
{
    EXPECT_EQ(CString(L"R&D Tools"), CKTToolbarButton::PrepareLabel(L"R&&D &Tools"));
    EXPECT_EQ(CString(L"Open"), CKTToolbarButton::PrepareLabel(L"&Open"));
    EXPECT_EQ(CString(L"A&"), CKTToolbarButton::PrepareLabel(L"A&&"));
    EXPECT_EQ(CString(L"End"), CKTToolbarButton::PrepareLabel(L"End&"));
}

TEST_F(ToolbarButtonTest, SizesOfSeparatorsImagesAndLabels)
{
    CWindowDC dc(nullptr);
    CFont* pOld = dc.SelectObject(&ktGlobals.m_fontText);
    const CSize sizeDefault(23, 22);

    CKTToolbarButton separator;
    separator.m_nStyle = TBBS_SEPARATOR;
    separator.SetImage(0);
    EXPECT_EQ(CSize(8, 22), CSize(separator.OnCalculateSize(&dc, sizeDefault, TRUE)));
    EXPECT_EQ(CSize(23, 8), CSize(separator.OnCalculateSize(&dc, sizeDefault, FALSE)));
    separator.SetImage(12);
    EXPECT_EQ(CSize(12, 22), CSize(separator.OnCalculateSize(&dc, sizeDefault, TRUE)));

    CKTToolbarButton image(ID_TEST_OPEN, 0, L"Open");
    EXPECT_EQ(sizeDefault, CSize(image.OnCalculateSize(&dc, sizeDefault, TRUE))) << "image only";

    CKTToolbarButton labelled(ID_TEST_AMP, 1, L"R&&D &Tools");
    labelled.m_bText = TRUE;
    SIZE ext = {};
    ::GetTextExtentPoint32W(dc.GetSafeHdc(), L"R&D Tools", 9, &ext);
    EXPECT_EQ(CSize(23 + ext.cx + 9, 22), CSize(labelled.OnCalculateSize(&dc, sizeDefault, TRUE)));
    EXPECT_EQ(CSize(23, 22 + ext.cx + 9), CSize(labelled.OnCalculateSize(&dc, sizeDefault, FALSE)));

    CKTToolbarButton textOnly(ID_TEST_PRINT, -1, L"Print");
    ASSERT_FALSE(textOnly.m_bImage);
    ::GetTextExtentPoint32W(dc.GetSafeHdc(), L"Print", 5, &ext);
    EXPECT_EQ(CSize(ext.cx + 9, 22), CSize(textOnly.OnCalculateSize(&dc, sizeDefault, TRUE)));

    CKTToolbarButton below(ID_TEST_OPEN, 0, L"Open");
    below.m_bTextBelow = TRUE;
    const CSize sizeBelow = below.OnCalculateSize(&dc, sizeDefault, TRUE);
    EXPECT_GT(sizeBelow.cy, 22);
    EXPECT_GE(sizeBelow.cx, 23 + 12);
    dc.SelectObject(pOld);
}

TEST_F(ToolbarButtonTest, DraggedDataRoundTripsAndDamagedOrForeignDataGivesNoButton)
{
    ::OleInitialize(nullptr);
    CKTToolbarButton button(ID_TEST_SAVE, 1, L"&Save");
    button.m_bText = TRUE;
    COleDataSource source;
    ASSERT_TRUE(button.PrepareDrag(source));
    {
        COleDataObject data;
        data.Attach(source.GetDataObject());
        CKTToolbarButton* pCopy = CKTToolbarButton::CreateFromOleData(&data);
        ASSERT_NE(nullptr, pCopy);
        EXPECT_EQ(ID_TEST_SAVE, pCopy->m_nID);
        EXPECT_EQ(CString(L"&Save"), pCopy->m_strText);
        EXPECT_EQ(1, pCopy->GetImage());
        delete pCopy;
    }

    const std::vector<BYTE> bytes = Store(button, TRUE);
    for (size_t cut = 0; cut < bytes.size(); cut++)
    {
        std::vector<BYTE> part(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(cut));
        CKTToolbarButton* p = FromOleBytes(part);
        EXPECT_EQ(nullptr, p) << "cut at " << cut;
        delete p;
    }
    std::vector<BYTE> garbage(64, 0xFF);
    EXPECT_EQ(nullptr, FromOleBytes(garbage));

    CForeignObject foreign;
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        ar.WriteClass(foreign.GetRuntimeClass());
        foreign.Serialize(ar);
        ar.Close();
    }
    std::vector<BYTE> foreignBytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(foreignBytes.data(), static_cast<UINT>(foreignBytes.size()));
    EXPECT_EQ(nullptr, FromOleBytes(foreignBytes)) << "not a button class";

    COleDataSource empty;
    COleDataObject none;
    none.Attach(empty.GetDataObject());
    EXPECT_EQ(nullptr, CKTToolbarButton::CreateFromOleData(&none));

    CUnstorableButton unstorable;
    COleDataSource offered;
    EXPECT_TRUE(unstorable.PrepareDrag(offered));
    COleDataObject nothing;
    nothing.Attach(offered.GetDataObject());
    EXPECT_FALSE(nothing.IsDataAvailable(CKTToolbarButton::GetClipboardFormat()));
    ::OleUninitialize();
}

TEST_F(ToolbarButtonTest, DrawsItsImageCentredAndAHighlightBorder)
{
    CKTImageStrip images;
    images.SetImageSize(CSize(16, 15));
    ASSERT_TRUE(images.Load(IDR_TEST_TOOLBAR));
    ASSERT_EQ(5, images.GetCount());

    CWindowDC screen(nullptr);
    CDC dc;
    dc.CreateCompatibleDC(&screen);
    CBitmap bmp;
    bmp.CreateCompatibleBitmap(&screen, 40, 30);
    CBitmap* pOldBmp = dc.SelectObject(&bmp);
    CRect rectAll(0, 0, 40, 30);
    dc.FillSolidRect(rectAll, RGB(255, 255, 255));

    CKTToolbarButton button(ID_TEST_OPEN, 2, L"Open");
    CKTDrawState ds;
    ASSERT_TRUE(images.PrepareDrawImage(ds));
    const CRect rect(0, 0, 23, 22);
    button.OnDraw(&dc, rect, &images, TRUE, FALSE, TRUE);
    images.EndDrawImage(ds);
    // Image 2 is blue inside a grey frame, centred: (23 - 16) / 2 = 3, (22 - 15) / 2 = 3.
    EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(3 + 8, 3 + 7));
    EXPECT_NE(RGB(255, 255, 255), dc.GetPixel(22, 21)) << "the highlight border's dark side";
    EXPECT_EQ(RGB(255, 255, 255), dc.GetPixel(30, 25)) << "nothing outside the button";
    dc.SelectObject(pOldBmp);
}
