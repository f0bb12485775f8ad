#include "ArchiveFixtures.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

namespace {

// Builds a group with several classes, nesting and repeated references.
CTestGroup* MakeScene()
{
    auto* root = new CTestGroup;
    root->m_name = _T("root");
    auto* circle = new CTestCircle(_T("circle"), 3, 2.5);
    auto* inner = new CTestGroup;
    inner->m_name = _T("inner");
    inner->m_items.AddTail(new CTestShape(_T("leaf"), -1));
    inner->m_items.AddTail(new CTestCircle(_T("small"), 0, 0.5));
    inner->m_tags.AddTail(_T("a tag long enough to need more than a byte? no"));
    root->m_items.AddTail(circle);
    root->m_items.AddTail(new CTestShape(_T("square"), 4));
    root->m_items.AddTail(circle);  // the same object again
    root->m_items.AddTail(inner);
    root->m_items.AddTail(static_cast<CObject*>(nullptr));
    root->m_tags.AddTail(_T("first"));
    root->m_tags.AddTail(CString(L'x', 300));
    root->m_colors.Add(RGB(1, 2, 3));
    root->m_colors.Add(0xFFFFFFFF);
    return root;
}

class ArchiveTest : public ::testing::Test
{
protected:
    void TearDown() override { EXPECT_TRUE(LiveTestObjects().empty()) << "objects leaked"; }
};

// Loads and frees; returns the archive exception's cause, or -1 when the load succeeded.
int TryLoad(const std::vector<BYTE>& bytes, CRuntimeClass* requested)
{
    try {
        CObject* loaded = LoadObject(bytes, requested);
        delete loaded;
        return -1;
    } catch (CArchiveException* e) {
        int cause = e->m_cause;
        e->Delete();
        return cause;
    }
}

} // namespace

TEST_F(ArchiveTest, NestedObjectsRoundTripWithRepeatedReferences)
{
    std::unique_ptr<CTestGroup> scene(MakeScene());
    std::vector<BYTE> bytes = StoreObject(scene.get());
    std::unique_ptr<CObject> loaded(LoadObject(bytes, RUNTIME_CLASS(CTestGroup)));
    auto* root = dynamic_cast<CTestGroup*>(loaded.get());
    ASSERT_NE(nullptr, root);
    ASSERT_EQ(5, root->m_items.GetCount());

    CObject* items[5];
    POSITION pos = root->m_items.GetHeadPosition();
    for (CObject*& item : items)
        item = root->m_items.GetNext(pos);
    EXPECT_EQ(RUNTIME_CLASS(CTestCircle), items[0]->GetRuntimeClass());
    EXPECT_EQ(RUNTIME_CLASS(CTestShape), items[1]->GetRuntimeClass());
    EXPECT_EQ(items[0], items[2]) << "a second reference must come back as the same object";
    EXPECT_EQ(nullptr, items[4]);
    auto* circle = static_cast<CTestCircle*>(items[0]);
    EXPECT_STREQ(_T("circle"), circle->m_name);
    EXPECT_EQ(2.5, circle->m_radius);
    EXPECT_EQ(2u, circle->m_loadedSchema);
    auto* inner = dynamic_cast<CTestGroup*>(items[3]);
    ASSERT_NE(nullptr, inner);
    EXPECT_STREQ(_T("leaf"), static_cast<CTestShape*>(inner->m_items.GetHead())->m_name);
    EXPECT_EQ(-1, static_cast<CTestShape*>(inner->m_items.GetHead())->m_value);
    EXPECT_EQ(0.5, static_cast<CTestCircle*>(inner->m_items.GetTail())->m_radius);
    EXPECT_EQ(CString(L'x', 300), root->m_tags.GetTail());
    EXPECT_EQ(0xFFFFFFFFu, root->m_colors[1]);

    // Storing what was loaded gives the same bytes.
    EXPECT_EQ(bytes, StoreObject(root));
}

TEST_F(ArchiveTest, PersistentFormatUsesClassRecordsAndBackReferences)
{
    CTestShape a(_T("A"), 1), b(_T("B"), 2);
    struct Pair { CTestShape* a; CTestShape* b; } pair{&a, &b};
    std::vector<BYTE> bytes = StoreWith(
        [](CArchive& ar, void* p) {
            auto* pr = static_cast<Pair*>(p);
            ar << pr->a << pr->b << pr->a << static_cast<CObject*>(nullptr);
        },
        &pair);
    const BYTE expected[] = {
        0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00, 'C', 'T', 'e', 's', 't', 'S', 'h', 'a', 'p', 'e',  // new class, schema 1
        0xFF, 0xFE, 0xFF, 0x01, 'A', 0, 0x01, 0x00, 0x00, 0x00,  // object 2: wide "A", 1
        0x01, 0x80,                                               // class 1 again
        0xFF, 0xFE, 0xFF, 0x01, 'B', 0, 0x02, 0x00, 0x00, 0x00,  // object 3
        0x02, 0x00,                                               // back-reference to object 2
        0x00, 0x00,                                               // null
    };
    EXPECT_EQ(std::vector<BYTE>(expected, expected + sizeof(expected)), bytes);

    std::vector<BYTE> copy(bytes);
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    CTestShape *x = nullptr, *y = nullptr, *z = nullptr, *n = reinterpret_cast<CTestShape*>(1);
    ar >> x >> y >> z >> n;
    EXPECT_EQ(x, z);
    EXPECT_EQ(nullptr, n);
    EXPECT_STREQ(_T("B"), y->m_name);
    delete x;
    delete y;
}

TEST_F(ArchiveTest, SchemaChecks)
{
    // A circle stored by the schema-1 version (no radius) loads through the versionable schema.
    CTestShape oldShape(_T("old"), 9);
    std::vector<BYTE> bytes = StoreObject(&oldShape);
    std::vector<BYTE> asCircle = {0xFF, 0xFF, 0x01, 0x00, 0x0B, 0x00};
    asCircle.insert(asCircle.end(), {'C', 'T', 'e', 's', 't', 'C', 'i', 'r', 'c', 'l', 'e'});
    asCircle.insert(asCircle.end(), bytes.begin() + 16, bytes.end());
    std::unique_ptr<CObject> loaded(LoadObject(asCircle, RUNTIME_CLASS(CTestShape)));
    auto* circle = dynamic_cast<CTestCircle*>(loaded.get());
    ASSERT_NE(nullptr, circle);
    EXPECT_EQ(1u, circle->m_loadedSchema);
    EXPECT_EQ(-1, circle->m_radius);
    EXPECT_STREQ(_T("old"), circle->m_name);
    loaded.reset();

    // A fixed schema must match exactly.
    std::vector<BYTE> wrongSchema(bytes);
    wrongSchema[2] = 2;
    EXPECT_EQ(CArchiveException::badSchema, TryLoad(wrongSchema, RUNTIME_CLASS(CTestShape)));
}

TEST_F(ArchiveTest, ClassRecordsThatMustNotCreateObjects)
{
    CTestUnrelated unrelated;
    std::vector<BYTE> unrelatedBytes = StoreObject(&unrelated);
    LiveTestObjects().erase(&unrelated);

    auto classRecord = [](const std::string& name, WORD schema) {
        std::vector<BYTE> bytes = {0xFF, 0xFF, static_cast<BYTE>(schema), static_cast<BYTE>(schema >> 8),
                                   static_cast<BYTE>(name.size()), static_cast<BYTE>(name.size() >> 8)};
        bytes.insert(bytes.end(), name.begin(), name.end());
        bytes.resize(bytes.size() + 16, 0);
        return bytes;
    };
    struct Case { const char* what; std::vector<BYTE> bytes; int cause; } cases[] = {
        {"an unrelated class", unrelatedBytes, CArchiveException::badClass},
        {"an unknown class", classRecord("CNoSuchClass", 1), CArchiveException::badClass},
        {"a dynamic-only class", classRecord("CFile", 0xFFFF), CArchiveException::badClass},
        {"an over-long name", classRecord(std::string(70, 'C'), 1), CArchiveException::badClass},
        {"a name with a zero inside", classRecord(std::string("CTestShape\0x", 12), 1), CArchiveException::badClass},
        {"a base class of the one asked for", classRecord("CObject", 0xFFFF), CArchiveException::badClass},
        {"an object index where a class must stand", {0x05, 0x80}, CArchiveException::badIndex},
        {"an object index beyond the table", {0x05, 0x00}, CArchiveException::badIndex},
        {"a big object tag beyond the table", {0xFF, 0x7F, 0x00, 0x01, 0x00, 0x00}, CArchiveException::badIndex},
        {"nothing", {}, CArchiveException::endOfFile},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.cause, TryLoad(c.bytes, RUNTIME_CLASS(CTestShape))) << c.what;
        EXPECT_TRUE(LiveTestObjects().empty()) << c.what;
    }

    // A back-reference to an object of an unrelated class is refused as well.
    std::vector<BYTE> twice = StoreWith(
        [](CArchive& ar, void* o) {
            auto* object = static_cast<CObject*>(o);
            ar << object << object;
        },
        &unrelated);
    std::vector<BYTE> copy(twice);
    CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    std::unique_ptr<CObject> first(ar.ReadObject(RUNTIME_CLASS(CTestUnrelated)));
    try {
        ar.ReadObject(RUNTIME_CLASS(CTestShape));
        ADD_FAILURE() << "back-reference of the wrong class accepted";
    } catch (CArchiveException* e) {
        EXPECT_EQ(CArchiveException::badClass, e->m_cause);
        e->Delete();
    }
}

TEST_F(ArchiveTest, TruncatedAtEveryOffsetThrowsAndLeavesNothing)
{
    std::unique_ptr<CTestGroup> scene(MakeScene());
    std::vector<BYTE> bytes = StoreObject(scene.get());
    scene.reset();
    for (size_t length = 0; length < bytes.size(); ++length) {
        std::vector<BYTE> cut(bytes.begin(), bytes.begin() + length);
        EXPECT_NE(-1, TryLoad(cut, RUNTIME_CLASS(CTestGroup))) << "length " << length;
        ASSERT_TRUE(LiveTestObjects().empty()) << "leak at length " << length;
    }
}

TEST_F(ArchiveTest, DamagedBytesEndInArchiveExceptionsOrValidObjects)
{
    std::unique_ptr<CTestGroup> scene(MakeScene());
    std::vector<BYTE> bytes = StoreObject(scene.get());
    scene.reset();
    for (size_t i = 0; i < bytes.size(); ++i) {
        for (BYTE value : {BYTE(0x00), BYTE(0xFF), BYTE(0x7F), static_cast<BYTE>(bytes[i] ^ 0x01)}) {
            std::vector<BYTE> damaged(bytes);
            damaged[i] = value;
            try {
                TryLoad(damaged, RUNTIME_CLASS(CTestGroup));
            } catch (...) {
                ADD_FAILURE() << "not an archive exception at offset " << i << " value " << int(value);
            }
            ASSERT_TRUE(LiveTestObjects().empty()) << "leak at offset " << i << " value " << int(value);
        }
    }
}

TEST_F(ArchiveTest, DeeplyNestedObjectsAreRefusedBeforeTheStackRunsOut)
{
    // Groups inside groups, 200000 deep: the class record once, then per level a class
    // back-reference, an empty name, a value and a list count of 1.
    std::vector<BYTE> bytes = {0xFF, 0xFF, 0x01, 0x00, 0x0A, 0x00, 'C', 'T', 'e', 's', 't', 'G', 'r', 'o', 'u', 'p'};
    const BYTE level[] = {0xFF, 0xFE, 0xFF, 0x00, 0, 0, 0, 0, 0x01, 0x00, 0x01, 0x80};
    for (int i = 0; i < 200000; ++i)
        bytes.insert(bytes.end(), level, level + sizeof(level));
    EXPECT_EQ(CArchiveException::badIndex, TryLoad(bytes, RUNTIME_CLASS(CTestGroup)));

    // Modest nesting still loads: the innermost group has an empty list, and every group ends
    // with its empty tag list and colour array.
    std::vector<BYTE> shallow(bytes.begin(), bytes.begin() + 16 + 20 * sizeof(level));
    const BYTE innermost[] = {0xFF, 0xFE, 0xFF, 0x00, 0, 0, 0, 0, 0x00, 0x00};
    shallow.insert(shallow.end(), innermost, innermost + sizeof(innermost));
    shallow.insert(shallow.end(), 21 * 4, 0x00);
    std::unique_ptr<CObject> loaded(LoadObject(shallow, RUNTIME_CLASS(CTestGroup)));
    int depth = 0;
    for (CTestGroup* group = dynamic_cast<CTestGroup*>(loaded.get()); group != nullptr;
         group = group->m_items.IsEmpty() ? nullptr : dynamic_cast<CTestGroup*>(group->m_items.GetHead()))
        ++depth;
    EXPECT_EQ(21, depth);
}

TEST_F(ArchiveTest, HugeCountsAreRefusedBeforeAllocating)
{
    using Loader = void (*)(CArchive&);
    const Loader loadByteArray = [](CArchive& ar) { CByteArray a; a.Serialize(ar); };
    const Loader loadWordArray = [](CArchive& ar) { CWordArray a; a.Serialize(ar); };
    const Loader loadString = [](CArchive& ar) { CString s; ar >> s; };
    struct Case { const char* what; Loader load; std::vector<BYTE> bytes; } cases[] = {
        {"byte array of 2^31 bytes", loadByteArray, {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3}},
        {"word array of 0xFFFE words", loadWordArray, {0xFE, 0xFF, 1, 2, 3}},
        {"string of 0xFFFFFFFE wide characters", loadString,
         {0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 'a', 0}},
        {"narrow string of 0xFFFD characters", loadString, {0xFF, 0xFD, 0xFF, 'a'}},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> copy(c.bytes);
        CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
        CArchive ar(&file, CArchive::load);
        try {
            c.load(ar);
            ADD_FAILURE() << c.what << " accepted";
        } catch (CArchiveException* e) {
            EXPECT_EQ(CArchiveException::badIndex, e->m_cause) << c.what;
            e->Delete();
        }
    }
}

TEST_F(ArchiveTest, StringsInEveryLengthFormRoundTripAndNarrowOnesLoad)
{
    for (int length : {0, 1, 254, 255, 256, 0xFFFD, 0xFFFE, 0x10000}) {
        CString text(L'\x263A', length);
        std::vector<BYTE> bytes = StoreWith([](CArchive& ar, void* s) { ar << *static_cast<CString*>(s); }, &text);
        std::vector<BYTE> copy(bytes);
        CMemFile file(copy.data(), static_cast<UINT>(copy.size()));
        CArchive ar(&file, CArchive::load);
        CString back(_T("stale"));
        ar >> back;
        EXPECT_EQ(text, back) << length;
        EXPECT_TRUE(ar.IsBufferEmpty() && file.GetPosition() == file.GetLength()) << length;
    }
    std::vector<BYTE> narrow = {0x03, 'a', 'b', 'c', 0xFF, 0x04, 0x00, 'w', 'x', 'y', 'z'};
    CMemFile file(narrow.data(), static_cast<UINT>(narrow.size()));
    CArchive ar(&file, CArchive::load);
    CString a, b;
    ar >> a >> b;
    EXPECT_STREQ(_T("abc"), a);
    EXPECT_STREQ(_T("wxyz"), b);
}

TEST_F(ArchiveTest, CountsUseTheWordEscape)
{
    for (DWORD_PTR count : {DWORD_PTR(0), DWORD_PTR(0xFFFE), DWORD_PTR(0xFFFF), DWORD_PTR(0x12345678)}) {
        std::vector<BYTE> bytes = StoreWith([](CArchive& ar, void* c) { ar.WriteCount(*static_cast<DWORD_PTR*>(c)); },
                                            &count);
        EXPECT_EQ(count < 0xFFFF ? 2u : 6u, bytes.size());
        CMemFile file(bytes.data(), static_cast<UINT>(bytes.size()));
        CArchive ar(&file, CArchive::load);
        EXPECT_EQ(count, ar.ReadCount());
    }
}

TEST_F(ArchiveTest, StoringArchiveRefusesToLoadAndViceVersa)
{
    CMemFile file;
    CArchive ar(&file, CArchive::store);
    int value;
    try {
        ar >> value;
        ADD_FAILURE();
    } catch (CArchiveException* e) {
        EXPECT_EQ(CArchiveException::writeOnly, e->m_cause);
        e->Delete();
    }
    CFile* notSerial = new CMemFile;
    EXPECT_THROW(
        {
            try {
                ar << static_cast<CObject*>(notSerial);
            } catch (CNotSupportedException* e) {
                e->Delete();
                throw 1;
            }
        },
        int);
    delete notSerial;
}
