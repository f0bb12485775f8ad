// The registry object against the real registry of the test prefix, under a scratch key of the
// current user that each test deletes again.
#include "tests/uitoolkit/looks/LooksTestApp.h"
#include "uitoolkit/looks/KTRegistry.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

// A small stored object: two numbers and a text.
class CStoredSample : public CObject
{
    DECLARE_SERIAL(CStoredSample)
public:
    CStoredSample() = default;
    CStoredSample(int a, int b, LPCTSTR text) : m_a(a), m_b(b), m_text(text) {}
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << m_a << m_b << m_text;
        else
            ar >> m_a >> m_b >> m_text;
    }
    int m_a = 0;
    int m_b = 0;
    CString m_text;
};
IMPLEMENT_SERIAL(CStoredSample, CObject, 1)

class CSubstituteRegistry : public CKTRegistry
{
    DECLARE_DYNCREATE(CSubstituteRegistry)
};
IMPLEMENT_DYNCREATE(CSubstituteRegistry, CKTRegistry)

namespace
{
const wchar_t kScratchKey[] = L"Software\\KestLooksTests\\Registry";

class RegistryTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        CKTRegistry cleaner(FALSE, FALSE);
        cleaner.DeleteKey(kScratchKey);
        ASSERT_TRUE(m_registry.CreateKey(kScratchKey));
    }
    void TearDown() override
    {
        m_registry.Close();
        CKTRegistry cleaner(FALSE, FALSE);
        cleaner.DeleteKey(kScratchKey);
    }

    std::vector<BYTE> RawValue(LPCTSTR name)
    {
        BYTE* pData = nullptr;
        UINT nBytes = 0;
        EXPECT_TRUE(m_registry.Read(name, &pData, &nBytes));
        std::vector<BYTE> bytes(pData, pData + nBytes);
        delete[] pData;
        return bytes;
    }

    CKTRegistry m_registry{FALSE, FALSE};
};

TEST(RegistryPathTest, BuildsTheToolkitPathFromTheApplicationsNames)
{
    struct Case
    {
        const wchar_t* registryKey;
        const wchar_t* explicitPath;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"Kest Team", nullptr, L"SOFTWARE\\Kest Team\\Profile\\KTWorkspace\\"},
        {nullptr, nullptr, L"SOFTWARE\\Profile\\KTWorkspace\\"},
        {L"", nullptr, L"SOFTWARE\\Profile\\KTWorkspace\\"},
        {L"Kest Team", L"", L"SOFTWARE\\Kest Team\\Profile\\KTWorkspace\\"},
        {L"Kest Team", L"Elsewhere\\Given\\", L"Elsewhere\\Given\\"},
    };
    CWinApp& app = LooksTestApp();
    LPCTSTR oldKey = app.m_pszRegistryKey;
    LPCTSTR oldProfile = app.m_pszProfileName;
    app.m_pszProfileName = L"Profile";
    for (const Case& c : cases)
    {
        app.m_pszRegistryKey = c.registryKey;
        EXPECT_STREQ(c.expected, GetRegistryPath(L"KTWorkspace", c.explicitPath).GetString())
            << (c.registryKey ? c.registryKey : L"(no key)");
    }
    app.m_pszRegistryKey = oldKey;
    app.m_pszProfileName = oldProfile;
}

TEST_F(RegistryTest, EveryValueKindComesBackAsWritten)
{
    ASSERT_TRUE(m_registry.Write(L"Int", -7));
    ASSERT_TRUE(m_registry.Write(L"Dword", DWORD(0xFEDCBA98)));
    ASSERT_TRUE(m_registry.Write(L"Text", L"Kest \u00e9t\u00e9"));
    ASSERT_TRUE(m_registry.Write(L"Empty", L""));
    BYTE bytes[] = {1, 0, 255, 7};
    ASSERT_TRUE(m_registry.Write(L"Bytes", bytes, sizeof(bytes)));
    ASSERT_TRUE(m_registry.Write(L"Point", CPoint(-3, 40000)));
    ASSERT_TRUE(m_registry.Write(L"Rect", CRect(-1, 2, 300, 400)));
    CWordArray words;
    for (WORD w : {WORD(0), WORD(1), WORD(0xFFFF)})
        words.Add(w);
    ASSERT_TRUE(m_registry.Write(L"Words", words));
    CDWordArray dwords;
    dwords.Add(5);
    dwords.Add(0x80000000);
    ASSERT_TRUE(m_registry.Write(L"Dwords", dwords));
    CByteArray byteArray;
    byteArray.Add(9);
    ASSERT_TRUE(m_registry.Write(L"ByteArray", byteArray));
    CStringArray strings;
    strings.Add(L"one");
    strings.Add(L"");
    ASSERT_TRUE(m_registry.Write(L"Strings", strings));
    CStringList stringList;
    stringList.AddTail(L"head");
    stringList.AddTail(L"tail");
    ASSERT_TRUE(m_registry.Write(L"StringList", stringList));
    CStoredSample sample(1, -2, L"three");
    ASSERT_TRUE(m_registry.Write(L"ObjectByReference", sample));
    ASSERT_TRUE(m_registry.Write(L"ObjectByPointer", static_cast<CObject*>(&sample)));
    CObList objects;
    objects.AddTail(new CStoredSample(4, 5, L"six"));
    objects.AddTail(new CStoredSample(7, 8, L"nine"));
    ASSERT_TRUE(m_registry.Write(L"Objects", objects));

    int n = 0;
    EXPECT_TRUE(m_registry.Read(L"Int", n));
    EXPECT_EQ(-7, n);
    DWORD dw = 0;
    EXPECT_TRUE(m_registry.Read(L"Dword", dw));
    EXPECT_EQ(0xFEDCBA98u, dw);
    CString text;
    EXPECT_TRUE(m_registry.Read(L"Text", text));
    EXPECT_STREQ(L"Kest \u00e9t\u00e9", text.GetString());
    text = L"old";
    EXPECT_TRUE(m_registry.Read(L"Empty", text));
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(std::vector<BYTE>(bytes, bytes + 4), RawValue(L"Bytes"));
    CPoint point;
    EXPECT_TRUE(m_registry.Read(L"Point", point));
    EXPECT_EQ(CPoint(-3, 40000), point);
    EXPECT_EQ(2u + 5u * 4u, RawValue(L"Point").size()) << "a point is stored as an array of five (a 16-bit count)";
    CRect rect;
    EXPECT_TRUE(m_registry.Read(L"Rect", rect));
    EXPECT_EQ(CRect(-1, 2, 300, 400), rect);
    EXPECT_EQ(16u, RawValue(L"Rect").size());
    CWordArray wordsBack;
    wordsBack.Add(99);
    EXPECT_TRUE(m_registry.Read(L"Words", wordsBack));
    ASSERT_EQ(3, wordsBack.GetSize());
    EXPECT_EQ(0xFFFF, wordsBack[2]);
    EXPECT_EQ((std::vector<BYTE>{3, 0, 0, 0, 0, 0, 1, 0, 0xFF, 0xFF}), RawValue(L"Words"));
    CDWordArray dwordsBack;
    EXPECT_TRUE(m_registry.Read(L"Dwords", dwordsBack));
    ASSERT_EQ(2, dwordsBack.GetSize());
    EXPECT_EQ(0x80000000u, dwordsBack[1]);
    CByteArray byteArrayBack;
    EXPECT_TRUE(m_registry.Read(L"ByteArray", byteArrayBack));
    ASSERT_EQ(1, byteArrayBack.GetSize());
    CStringArray stringsBack;
    stringsBack.Add(L"stale");
    EXPECT_TRUE(m_registry.Read(L"Strings", stringsBack));
    ASSERT_EQ(2, stringsBack.GetSize());
    EXPECT_STREQ(L"one", stringsBack[0].GetString());
    CStringList stringListBack;
    stringListBack.AddTail(L"stale");
    EXPECT_TRUE(m_registry.Read(L"StringList", stringListBack));
    ASSERT_EQ(2, stringListBack.GetCount());
    EXPECT_STREQ(L"tail", stringListBack.GetTail().GetString());
    CStoredSample sampleBack;
    EXPECT_TRUE(m_registry.Read(L"ObjectByReference", sampleBack));
    EXPECT_EQ(-2, sampleBack.m_b);
    EXPECT_STREQ(L"three", sampleBack.m_text.GetString());
    CObject* pCreated = nullptr;
    EXPECT_TRUE(m_registry.Read(L"ObjectByPointer", pCreated));
    std::unique_ptr<CObject> created(pCreated);
    ASSERT_NE(nullptr, pCreated);
    ASSERT_TRUE(pCreated->IsKindOf(RUNTIME_CLASS(CStoredSample)));
    EXPECT_STREQ(L"three", static_cast<CStoredSample*>(pCreated)->m_text.GetString());
    CObList objectsBack;
    objectsBack.AddTail(new CStoredSample);
    EXPECT_TRUE(m_registry.Read(L"Objects", objectsBack));
    ASSERT_EQ(2, objectsBack.GetCount());
    EXPECT_STREQ(L"nine", static_cast<CStoredSample*>(objectsBack.GetTail())->m_text.GetString());

    CStringArray names;
    EXPECT_TRUE(m_registry.ListValueNames(names));
    EXPECT_EQ(15, names.GetSize());
    EXPECT_TRUE(m_registry.ValueExists(L"Rect"));
    EXPECT_TRUE(m_registry.DeleteValue(L"Rect"));
    EXPECT_FALSE(m_registry.ValueExists(L"Rect"));

    for (CObList* list : {&objects, &objectsBack})
        while (!list->IsEmpty())
            delete list->RemoveHead();
}

TEST_F(RegistryTest, MissingValuesLeaveIntegersAndEmptyStrings)
{
    int n = 17;
    DWORD dw = 18;
    CString text(L"kept?");
    CPoint point(1, 2);
    EXPECT_FALSE(m_registry.Read(L"Missing", n));
    EXPECT_FALSE(m_registry.Read(L"Missing", dw));
    EXPECT_FALSE(m_registry.Read(L"Missing", text));
    EXPECT_FALSE(m_registry.Read(L"Missing", point));
    EXPECT_EQ(17, n);
    EXPECT_EQ(18u, dw);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_EQ(CPoint(1, 2), point);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, m_registry.GetLastResult());
    BYTE* pData = reinterpret_cast<BYTE*>(1);
    UINT nBytes = 5;
    EXPECT_FALSE(m_registry.Read(L"Missing", &pData, &nBytes));
    EXPECT_EQ(nullptr, pData);
    EXPECT_EQ(0u, nBytes);
}

TEST_F(RegistryTest, AStringEndsAtItsFirstZeroOrAtTheEndOfTheData)
{
    const wchar_t unterminated[] = {L'a', L'b', L'c'};
    ASSERT_TRUE(m_registry.Write(L"Unterminated", (LPBYTE)unterminated, sizeof(unterminated)));
    const wchar_t inner[] = {L'x', 0, L'y', 0};
    ASSERT_TRUE(m_registry.Write(L"Inner", (LPBYTE)inner, sizeof(inner)));
    BYTE odd[] = {'q', 0, 'r'};
    ASSERT_TRUE(m_registry.Write(L"OddBytes", odd, sizeof(odd)));
    CString text;
    EXPECT_TRUE(m_registry.Read(L"Unterminated", text));
    EXPECT_STREQ(L"abc", text.GetString());
    EXPECT_TRUE(m_registry.Read(L"Inner", text));
    EXPECT_STREQ(L"x", text.GetString());
    EXPECT_TRUE(m_registry.Read(L"OddBytes", text));
    EXPECT_STREQ(L"q", text.GetString());
}

// Every stored value cut short at every length, and a 16-bit array whose count claims more than
// it holds: the read fails and the caller's variable is as it was.
TEST_F(RegistryTest, DamagedValuesFailAndLeaveTheCallersVariable)
{
    CStoredSample sample(11, 12, L"thirteen");
    CStringArray strings;
    strings.Add(L"alpha");
    strings.Add(L"beta");
    CStringList stringList;
    stringList.AddTail(L"gamma");
    CWordArray words;
    words.Add(1);
    words.Add(2);
    CObList objects;
    objects.AddTail(new CStoredSample(1, 2, L"x"));
    ASSERT_TRUE(m_registry.Write(L"Point", CPoint(5, 6)));
    ASSERT_TRUE(m_registry.Write(L"Rect", CRect(1, 2, 3, 4)));
    ASSERT_TRUE(m_registry.Write(L"Words", words));
    ASSERT_TRUE(m_registry.Write(L"Object", sample));
    ASSERT_TRUE(m_registry.Write(L"Pointer", static_cast<CObject*>(&sample)));
    ASSERT_TRUE(m_registry.Write(L"Strings", strings));
    ASSERT_TRUE(m_registry.Write(L"StringList", stringList));
    ASSERT_TRUE(m_registry.Write(L"Objects", objects));

    struct Case
    {
        const wchar_t* name;
        // Reads the damaged value into a variable holding a marker; true when the read failed
        // and the marker is untouched.
        std::function<bool()> readFailsAndKeeps;
    };
    CObList keptList;
    CStoredSample* pKept = new CStoredSample(-1, -1, L"kept");
    keptList.AddTail(pKept);
    const Case cases[] = {
        {L"Point", [&] { CPoint p(-9, -9); return !m_registry.Read(L"Damaged", p) && p == CPoint(-9, -9); }},
        {L"Rect",
         [&] { CRect r(-9, -9, -9, -9); return !m_registry.Read(L"Damaged", r) && r == CRect(-9, -9, -9, -9); }},
        {L"Words",
         [&] {
             CWordArray w;
             w.Add(77);
             return !m_registry.Read(L"Damaged", w) && w.GetSize() == 1 && w[0] == 77;
         }},
        {L"Object",
         [&] {
             CStoredSample s(-9, -9, L"kept");
             return !m_registry.Read(L"Damaged", s) && s.m_a == -9 && s.m_b == -9 && s.m_text == L"kept";
         }},
        {L"Pointer",
         [&] {
             CObject* p = &sample;
             return !m_registry.Read(L"Damaged", p) && p == &sample;
         }},
        {L"Strings",
         [&] {
             CStringArray a;
             a.Add(L"kept");
             return !m_registry.Read(L"Damaged", a) && a.GetSize() == 1 && a[0] == L"kept";
         }},
        {L"StringList",
         [&] {
             CStringList l;
             l.AddTail(L"kept");
             return !m_registry.Read(L"Damaged", l) && l.GetCount() == 1 && l.GetHead() == L"kept";
         }},
        {L"Objects",
         [&] {
             return !m_registry.Read(L"Damaged", keptList) && keptList.GetCount() == 1 && keptList.GetHead() == pKept &&
                    pKept->m_text == L"kept";
         }},
    };
    for (const Case& c : cases)
    {
        const std::vector<BYTE> whole = RawValue(c.name);
        ASSERT_FALSE(whole.empty());
        for (size_t cut = 0; cut < whole.size(); ++cut)
        {
            std::vector<BYTE> damaged(whole.begin(), whole.begin() + cut);
            damaged.push_back(0);  // a non-null pointer even for the empty value
            ASSERT_TRUE(m_registry.Write(L"Damaged", damaged.data(), static_cast<UINT>(cut)));
            EXPECT_TRUE(c.readFailsAndKeeps()) << c.name << " cut to " << cut << " of " << whole.size();
        }
    }

    const BYTE overclaiming[] = {0xFF, 0xFF, 0xFF, 0x7F, 1, 0};
    ASSERT_TRUE(m_registry.Write(L"Damaged", const_cast<BYTE*>(overclaiming), sizeof(overclaiming)));
    EXPECT_TRUE(cases[2].readFailsAndKeeps()) << "a count beyond the bytes present";

    ASSERT_TRUE(m_registry.Write(L"Damaged", L"a string, not a point"));
    EXPECT_TRUE(cases[0].readFailsAndKeeps()) << "a point of another value type";

    delete objects.RemoveHead();
    delete keptList.RemoveHead();
}

TEST_F(RegistryTest, AReadOnlyObjectReadsButNeverChangesTheRegistry)
{
    ASSERT_TRUE(m_registry.CreateKey(L"Sub\\"));
    ASSERT_TRUE(m_registry.Write(L"Value", 42));
    m_registry.Close();

    CKTRegistry reader(FALSE, TRUE);
    EXPECT_TRUE(reader.KeyExists(CString(kScratchKey) + L"\\Sub"));
    EXPECT_FALSE(reader.KeyExists(CString(kScratchKey) + L"\\Absent"));
    ASSERT_TRUE(reader.Open(CString(kScratchKey) + L"\\Sub\\"));
    int value = 0;
    EXPECT_TRUE(reader.Read(L"Value", value));
    EXPECT_EQ(42, value);

    CRect rect(1, 2, 3, 4);
    CWordArray words;
    CStoredSample sample;
    const std::vector<std::pair<const char*, std::function<BOOL()>>> refusals = {
        {"int", [&] { return reader.Write(L"Value", 43); }},
        {"string", [&] { return reader.Write(L"Text", L"x"); }},
        {"rect", [&] { return reader.Write(L"Rect", rect); }},
        {"point", [&] { return reader.Write(L"Point", CPoint(1, 1)); }},
        {"words", [&] { return reader.Write(L"Words", words); }},
        {"object", [&] { return reader.Write(L"Object", sample); }},
        {"create", [&] { return reader.CreateKey(L"New"); }},
        {"delete", [&] { return reader.DeleteKey(CString(kScratchKey) + L"\\Sub"); }},
    };
    for (const auto& refusal : refusals)
        EXPECT_FALSE(refusal.second()) << refusal.first;
    EXPECT_TRUE(reader.Read(L"Value", value));
    EXPECT_EQ(42, value);
    EXPECT_FALSE(reader.ValueExists(L"Text"));
    EXPECT_TRUE(reader.KeyExists(L""));
}

TEST_F(RegistryTest, DeleteKeyRemovesATreeOfAnyDepth)
{
    const CString base(kScratchKey);
    for (const wchar_t* path : {L"\\Tree\\A\\B\\C\\D", L"\\Tree\\A\\B2", L"\\Tree\\E"})
    {
        CKTRegistry writer(FALSE, FALSE);
        ASSERT_TRUE(writer.CreateKey(base + path));
        ASSERT_TRUE(writer.Write(L"Leaf", 1));
    }
    CKTRegistry deleter(FALSE, FALSE);
    EXPECT_TRUE(deleter.DeleteKey(base + L"\\Tree\\"));
    EXPECT_FALSE(deleter.KeyExists(base + L"\\Tree"));
    EXPECT_TRUE(deleter.KeyExists(base));
    EXPECT_FALSE(deleter.DeleteKey(base + L"\\Tree")) << "nothing left to delete";
    for (const wchar_t* empty : {L"", L"\\"})
        EXPECT_FALSE(deleter.DeleteKey(empty)) << "the root is never emptied";
    EXPECT_TRUE(deleter.KeyExists(base));
}

TEST_F(RegistryTest, SubKeysAreListedAndTheCurrentKeyStaysWhenOpenFails)
{
    ASSERT_TRUE(m_registry.Write(L"Here", 1));
    CKTRegistry lister(FALSE, FALSE);
    ASSERT_TRUE(lister.CreateKey(CString(kScratchKey) + L"\\One"));
    lister.Close();
    ASSERT_TRUE(m_registry.KeyExists(L"One"));
    CStringArray subKeys;
    EXPECT_TRUE(m_registry.ListSubKeyNames(subKeys));
    ASSERT_EQ(1, subKeys.GetSize());
    EXPECT_STREQ(L"One", subKeys[0].GetString());

    EXPECT_FALSE(m_registry.Open(L"Absent"));
    int here = 0;
    EXPECT_TRUE(m_registry.Read(L"Here", here)) << "a failed Open keeps the current key";
    ASSERT_TRUE(m_registry.Open(L"One"));
    CStringArray none;
    EXPECT_FALSE(m_registry.ListSubKeyNames(none));
    EXPECT_FALSE(m_registry.ListValueNames(none));
}

TEST(RegistryFactoryTest, HandsOutOneObjectWithTheFlagsOfItsFirstCreation)
{
    CKTRegistryFactory factory;
    CKTRegistry& first = factory.Create(TRUE, TRUE);
    EXPECT_TRUE(first.IsReadOnly());
    EXPECT_TRUE(first.IsAdmin());
    EXPECT_EQ(HKEY_LOCAL_MACHINE, first.GetCurrentKey());
    CKTRegistry& second = factory.Create(FALSE, FALSE);
    EXPECT_EQ(&first, &second);
    EXPECT_TRUE(second.IsReadOnly());
    EXPECT_EQ(HKEY_LOCAL_MACHINE, second.GetCurrentKey());

    CKTRegistryFactory user;
    EXPECT_EQ(HKEY_CURRENT_USER, user.Create(FALSE, FALSE).GetCurrentKey());
}

TEST(RegistryFactoryTest, CreatesTheRegisteredSubclass)
{
    EXPECT_FALSE(CKTRegistryFactory::SetRegistryClass(RUNTIME_CLASS(CStoredSample)));
    ASSERT_TRUE(CKTRegistryFactory::SetRegistryClass(RUNTIME_CLASS(CSubstituteRegistry)));
    {
        CKTRegistryFactory factory;
        EXPECT_TRUE(factory.Create(FALSE, TRUE).IsKindOf(RUNTIME_CLASS(CSubstituteRegistry)));
    }
    ASSERT_TRUE(CKTRegistryFactory::SetRegistryClass(nullptr));
    CKTRegistryFactory plain;
    EXPECT_EQ(RUNTIME_CLASS(CKTRegistry), plain.Create(FALSE, TRUE).GetRuntimeClass());
}
} // namespace
