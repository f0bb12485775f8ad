#include "StubFixture.h"

#include <gmock/gmock.h>

using ::testing::HasSubstr;

namespace {

Var Ref(Var& target)
{
    Var r;
    V_VT(&r.v) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&r.v) = &target.v;
    return r;
}

// A new document with a rows x columns table, as the Word export builds it.
struct WordTable {
    Disp app, doc, table;
    Var missing1 = Var::Missing(), missing2 = Var::Missing();
    WordTable(long rows, long columns) : app(CreateByProgId(L"Word.Application"))
    {
        doc = app.Object(0x6).Object(0xB, {Ref(missing1), Ref(missing2)}, DISPATCH_METHOD);
        Disp range = app.Object(0x5).Object(0x190);
        table = doc.Object(0x6).Object(0x4, {Var::Object(range.get()), Var::I4(rows), Var::I4(columns)},
                                       DISPATCH_METHOD);
    }
    Disp Selection() const { return app.Object(0x5); }
    void Type(long row, long column, const wchar_t* text, float size = 0)
    {
        table.Object(0x11, {Var::I4(row), Var::I4(column)}, DISPATCH_METHOD).Call(0xFFFF);
        if (size > 0)
            Selection().Object(0x5).Put(0x8D, Var::R4(size));
        Selection().Call(0x1FB, {Var::Str(text)});
    }
    long Position(long row, long column, DISPID which) const
    {
        Disp range = table.Object(0x11, {Var::I4(row), Var::I4(column)}, DISPATCH_METHOD).Object(0x0);
        Reply reply = range.Get(which);
        return V_I4(&reply.value.v);
    }
    Reply Merge(long top, long left, long bottom, long right)
    {
        Var start = Var::I4(Position(top, left, 0x3)), end = Var::I4(Position(bottom, right, 0x4));
        doc.Object(0x7D0, {Ref(start), Ref(end)}, DISPATCH_METHOD).Call(0xFFFF);
        return Selection().Object(0x39).Call(0xCC);
    }
};

class WordStub : public StubTest {};

} // namespace

TEST_F(WordStub, CopyPutsAnRtfTableWithMergedCellsAndUnicodeText)
{
    WordTable word(4, 3);
    ASSERT_TRUE(word.table);
    word.Type(1, 1, L"a");
    word.Type(1, 3, L"\u05D0b", 10.0f);
    word.Type(3, 2, L"merged");
    ASSERT_EQ(word.Merge(3, 2, 4, 3).hr, S_OK);
    ASSERT_EQ(word.doc.Call(0xFFFF).hr, S_OK);
    officestubs::EmptyTheClipboard();
    ASSERT_EQ(word.Selection().Call(0x78).hr, S_OK);

    EXPECT_EQ(officestubs::ClipboardText(), L"a\t\t\u05D0b\r\n\t\t\r\n\tmerged\t\r\n\t\t\r\n");
    const std::string rtf = officestubs::ClipboardRtf();
    EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0u);
    // Row 3 starts the 2 x 2 block, row 4 continues it.
    EXPECT_THAT(rtf, HasSubstr("\\trowd\\trgaph108\\trleft0\\cellx1440\\clvmgf\\clmgf\\cellx2880"
                               "\\clvmgf\\clmrg\\cellx4320"));
    EXPECT_THAT(rtf, HasSubstr("\\trowd\\trgaph108\\trleft0\\cellx1440\\clvmrg\\clmgf\\cellx2880"
                               "\\clvmrg\\clmrg\\cellx4320"));
    EXPECT_THAT(rtf, HasSubstr("{\\fs20 \\u1488?b}"));
    EXPECT_THAT(rtf, HasSubstr("{ merged}\\cell"));
}

TEST_F(WordStub, CellPositionsFollowTheTextAndMergingNeedsABlock)
{
    WordTable word(2, 2);
    word.Type(1, 1, L"abc");
    // Cell texts with their end-of-cell marks, and an end-of-row mark after each row.
    EXPECT_EQ(word.Position(1, 1, 0x3), 0);
    EXPECT_EQ(word.Position(1, 1, 0x4), 4);
    EXPECT_EQ(word.Position(1, 2, 0x3), 4);
    EXPECT_EQ(word.Position(2, 1, 0x3), 6);
    ASSERT_EQ(word.Merge(1, 1, 1, 2).hr, S_OK);
    EXPECT_EQ(word.table.Call(0x11, {Var::I4(1), Var::I4(2)}).hr, DISP_E_EXCEPTION) << "merged-away cell";
    EXPECT_EQ(word.Merge(1, 1, 2, 1).hr, DISP_E_EXCEPTION) << "overlaps the first block";
}

TEST_F(WordStub, VersionChoosesWhichMembersExist)
{
    struct Case {
        const wchar_t* version;
        bool newer;
    } cases[] = {{L"8.0", false}, {L"9.0", true}, {L"16.0", true}};
    for (const Case& c : cases) {
        session->WordVersion(c.version);
        WordTable word(1, 1);
        Reply version = word.app.Get(0x18);
        ASSERT_EQ(V_VT(&version.value.v), VT_BSTR);
        EXPECT_STREQ(V_BSTR(&version.value.v), c.version);
        word.table.Object(0x11, {Var::I4(1), Var::I4(1)}, DISPATCH_METHOD).Call(0xFFFF);
        const HRESULT expected = c.newer ? S_OK : DISP_E_MEMBERNOTFOUND;
        Disp font = word.Selection().Object(0x5);
        EXPECT_EQ(font.Put(0x9F, Var::I4(255)).hr, expected) << "Font.Color";
        EXPECT_EQ(font.Put(0xA2, Var::R4(10.0f)).hr, expected) << "Font.SizeBi";
        EXPECT_EQ(font.Put(0x8D, Var::R4(10.0f)).hr, S_OK) << "Font.Size";
        EXPECT_EQ(word.doc.Get(0x10).hr, expected) << "Document.Paragraphs";
        EXPECT_EQ(word.table.Call(0x14, {Var::I4(1)}).hr, expected) << "Table.AutoFitBehavior";
        EXPECT_EQ(word.Selection().Call(0x25D).hr, expected) << "right-to-left paragraph";
    }
}

TEST_F(WordStub, RefusesWhatWordRefuses)
{
    WordTable word(1, 1);
    Disp range = word.app.Object(0x5).Object(0x190);
    Var m1 = Var::Missing(), m2 = Var::Missing();
    Disp doc2 = word.app.Object(0x6).Object(0xB, {Ref(m1), Ref(m2)}, DISPATCH_METHOD);
    Disp insertion = word.app.Object(0x5).Object(0x190);
    Reply wide = doc2.Object(0x6).Call(0x4, {Var::Object(insertion.get()), Var::I4(1), Var::I4(64)});
    EXPECT_EQ(wide.hr, DISP_E_EXCEPTION);
    EXPECT_EQ(wide.description, L"The number must be between 1 and 63.");
    EXPECT_EQ(doc2.Object(0x6).Call(0x4, {Var::Object(insertion.get()), Var::I4(1), Var::R4(3)}).hr,
              DISP_E_TYPEMISMATCH);
    EXPECT_EQ(doc2.Object(0x6).Call(0x4, {Var::Object(insertion.get()), Var::I4(1), Var::I4(63)}).hr, S_OK);
    EXPECT_EQ(word.Selection().Put(0x8D, Var::R4(10)).hr, DISP_E_MEMBERNOTFOUND) << "Size is the font's";
    EXPECT_EQ(word.doc.Call(0x451, {Var::Bool(true), Var::Missing(), Var::Missing()}).hr, DISP_E_EXCEPTION)
        << "the stand-in never saves";

    // Quitting disconnects the application's objects.
    ASSERT_EQ(word.app.Call(0x451, {Var::Bool(false), Var::Missing(), Var::Missing()}).hr, S_OK);
    EXPECT_EQ(word.app.Get(0x18).hr, RPC_E_DISCONNECTED);
    EXPECT_EQ(word.doc.Call(0xFFFF).hr, RPC_E_DISCONNECTED);
}
