#include "ArchiveFixtures.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

std::vector<BYTE> Serialized(CObject& container)
{
    return StoreWith([](CArchive& ar, void* c) { static_cast<CObject*>(c)->Serialize(ar); }, &container);
}

void LoadInto(CObject& container, const std::vector<BYTE>& bytes)
{
    std::vector<BYTE> copy(bytes);
    CMemFile file(copy.empty() ? nullptr : copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load);
    container.Serialize(ar);
}

// Fills one container, stores it, loads a fresh one and stores that again: the bytes must agree
// and the loaded container must hold what the first did.
struct ContainerCase {
    const char* name;
    std::function<CObject*()> make;
    std::function<void(CObject&)> fill;
    std::function<bool(CObject&, CObject&)> same;
    size_t expectedSize;  // 0: not checked
};

template <class T> ContainerCase Case(const char* name, std::function<void(T&)> fill, std::function<bool(T&, T&)> same,
                                      size_t expectedSize = 0)
{
    return {name, [] { return new T; }, [fill](CObject& o) { fill(static_cast<T&>(o)); },
            [same](CObject& a, CObject& b) { return same(static_cast<T&>(a), static_cast<T&>(b)); }, expectedSize};
}

template <class LIST> bool SameList(LIST& a, LIST& b)
{
    if (a.GetCount() != b.GetCount())
        return false;
    POSITION pa = a.GetHeadPosition(), pb = b.GetHeadPosition();
    while (pa != nullptr) {
        if (!(a.GetNext(pa) == b.GetNext(pb)))
            return false;
    }
    return true;
}

template <class ARRAY> bool SameArray(ARRAY& a, ARRAY& b)
{
    if (a.GetSize() != b.GetSize())
        return false;
    for (INT_PTR i = 0; i < a.GetSize(); ++i) {
        if (!(a[i] == b[i]))
            return false;
    }
    return true;
}

template <class MAP, class KEY, class VALUE> bool SameMap(MAP& a, MAP& b)
{
    if (a.GetCount() != b.GetCount())
        return false;
    for (POSITION pos = a.GetStartPosition(); pos != nullptr;) {
        KEY key;
        VALUE value, other;
        a.GetNextAssoc(pos, key, value);
        if (!b.Lookup(key, other) || !(value == other))
            return false;
    }
    return true;
}

bool SameShapes(CObject* a, CObject* b)
{
    auto* x = dynamic_cast<CTestShape*>(a);
    auto* y = dynamic_cast<CTestShape*>(b);
    return x != nullptr && y != nullptr && x->GetRuntimeClass() == y->GetRuntimeClass() && x->m_name == y->m_name &&
           x->m_value == y->m_value;
}

// Object containers own their shapes in these tests.
struct OwnedObList : CObList {
    ~OwnedObList() override
    {
        while (!IsEmpty())
            delete RemoveHead();
    }
};

} // namespace

TEST(CollectionSerializeTest, EveryContainerRoundTrips)
{
    typedef CList<UINT, UINT> UintList;
    typedef CArray<COLORREF, COLORREF> ColorArray;
    typedef CList<COLORREF, COLORREF> ColorList;
    typedef CMap<UINT, UINT, UINT, UINT> UintMap;
    ContainerCase cases[] = {
        Case<CStringList>("CStringList", [](CStringList& l) { l.AddTail(_T("one")); l.AddTail(_T("")); l.AddHead(_T("zero")); },
                          SameList<CStringList>),
        Case<CStringArray>("CStringArray", [](CStringArray& a) { a.Add(_T("x")); a.SetAtGrow(3, _T("y")); },
                           SameArray<CStringArray>),
        Case<CByteArray>("CByteArray", [](CByteArray& a) { for (int i = 0; i < 300; ++i) a.Add(BYTE(i)); },
                         SameArray<CByteArray>, 2 + 300),
        Case<CWordArray>("CWordArray", [](CWordArray& a) { a.Add(0xBEEF); a.Add(1); }, SameArray<CWordArray>, 2 + 4),
        Case<CDWordArray>("CDWordArray", [](CDWordArray& a) { a.SetSize(70000); a[69999] = 9; },
                          SameArray<CDWordArray>, 6 + 280000),
        Case<UintList>("CList<UINT>", [](UintList& l) { l.AddTail(3); l.AddTail(1); l.AddTail(3); }, SameList<UintList>, 14),
        Case<ColorList>("CList<COLORREF>", [](ColorList& l) { l.AddTail(RGB(255, 0, 0)); }, SameList<ColorList>, 6),
        Case<ColorArray>("CArray<COLORREF>", [](ColorArray& a) { a.Add(RGB(1, 2, 3)); a.Add(0); }, SameArray<ColorArray>, 10),
        Case<UintMap>("CMap<UINT,UINT>", [](UintMap& m) { for (UINT k = 0; k < 100; k += 7) m[k * 13] = k; },
                      SameMap<UintMap, UINT, UINT>),
        Case<CMapStringToString>("CMapStringToString",
                                 [](CMapStringToString& m) { m[_T("Name")] = _T("Value"); m[_T("")] = _T("empty key"); },
                                 SameMap<CMapStringToString, CString, CString>),
    };
    for (ContainerCase& c : cases) {
        std::unique_ptr<CObject> original(c.make()), loaded(c.make());
        c.fill(*original);
        std::vector<BYTE> bytes = Serialized(*original);
        if (c.expectedSize != 0) {
            EXPECT_EQ(c.expectedSize, bytes.size()) << c.name;
        }
        LoadInto(*loaded, bytes);
        EXPECT_TRUE(c.same(*original, *loaded)) << c.name;
        if (std::string(c.name).find("Map") == std::string::npos) {
            EXPECT_EQ(bytes, Serialized(*loaded)) << c.name;
        }
        // Every proper prefix is refused.
        for (size_t cut = 0; cut < bytes.size(); cut += (bytes.size() > 1000 ? 997 : 1)) {
            std::unique_ptr<CObject> partial(c.make());
            EXPECT_THROW(
                {
                    try {
                        LoadInto(*partial, std::vector<BYTE>(bytes.begin(), bytes.begin() + cut));
                    } catch (CArchiveException* e) {
                        e->Delete();
                        throw 1;
                    }
                },
                int)
                << c.name << " cut at " << cut;
        }
    }
}

TEST(CollectionSerializeTest, ObjectContainersStoreObjectsWithSharedClassRecords)
{
    {
        OwnedObList list;
        list.AddTail(new CTestShape(_T("a"), 1));
        list.AddTail(new CTestCircle(_T("b"), 2, 3.0));
        list.AddTail(new CTestShape(_T("c"), 3));
        std::vector<BYTE> bytes = Serialized(list);
        OwnedObList loaded;
        LoadInto(loaded, bytes);
        ASSERT_EQ(3, loaded.GetCount());
        POSITION a = list.GetHeadPosition(), b = loaded.GetHeadPosition();
        while (a != nullptr)
            EXPECT_TRUE(SameShapes(list.GetNext(a), loaded.GetNext(b)));
    }
    {
        CObArray array;
        CTestShape shape(_T("s"), 5);
        array.Add(&shape);
        array.Add(&shape);
        array.Add(nullptr);
        std::vector<BYTE> bytes = Serialized(array);
        CObArray loaded;
        LoadInto(loaded, bytes);
        ASSERT_EQ(3, loaded.GetSize());
        EXPECT_TRUE(SameShapes(&shape, loaded[0]));
        EXPECT_EQ(loaded[0], loaded[1]);
        EXPECT_EQ(nullptr, loaded[2]);
        delete loaded[0];
    }
    {
        CMapStringToOb map;
        CTestShape shape(_T("m"), 8);
        map[_T("key")] = &shape;
        CMapWordToOb words;
        words[7] = &shape;
        std::vector<BYTE> bytes = Serialized(map);
        CMapStringToOb loaded;
        LoadInto(loaded, bytes);
        CObject* found = nullptr;
        ASSERT_TRUE(loaded.Lookup(_T("key"), found));
        EXPECT_TRUE(SameShapes(&shape, found));
        delete found;
        CMapWordToOb loadedWords;
        LoadInto(loadedWords, Serialized(words));
        ASSERT_TRUE(loadedWords.Lookup(7, found));
        EXPECT_TRUE(SameShapes(&shape, found));
        delete found;
    }
    EXPECT_TRUE(LiveTestObjects().empty());
}

TEST(CollectionSerializeTest, CountsLargerThanTheDataAreRefused)
{
    // A list claims 0x7FFFFFFF strings but holds one.
    std::vector<BYTE> bytes = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x01, 'a'};
    CStringList list;
    try {
        LoadInto(list, bytes);
        ADD_FAILURE();
    } catch (CArchiveException* e) {
        EXPECT_EQ(CArchiveException::badIndex, e->m_cause);
        e->Delete();
    }
    EXPECT_TRUE(list.IsEmpty());
}

TEST(CMapTest, IterationFollowsBucketsAndChainsAndReachesTheStoredBytes)
{
    // (key >> 4) % 17: 0x10 and 0x120 share bucket 1; the newer entry heads the chain.
    CMap<UINT, UINT, UINT, UINT> map;
    for (UINT key : {0x10u, 0x20u, 0x120u, 0x00u})
        map[key] = key + 1;
    map[0x10] = 0x99;  // replacing a value keeps the entry's place
    std::vector<UINT> order;
    for (POSITION pos = map.GetStartPosition(); pos != nullptr;) {
        UINT key, value;
        map.GetNextAssoc(pos, key, value);
        order.push_back(key);
    }
    EXPECT_EQ((std::vector<UINT>{0x00, 0x120, 0x10, 0x20}), order);

    std::vector<BYTE> bytes = Serialized(map);
    const BYTE expected[] = {4, 0, 0x00, 0, 0, 0, 0x01, 0, 0, 0, 0x20, 1, 0, 0, 0x21, 1, 0, 0,
                             0x10, 0, 0, 0, 0x99, 0, 0, 0, 0x20, 0, 0, 0, 0x21, 0, 0, 0};
    EXPECT_EQ(std::vector<BYTE>(expected, expected + sizeof(expected)), bytes);

    EXPECT_TRUE(map.RemoveKey(0x120));
    EXPECT_FALSE(map.RemoveKey(0x120));
    UINT value = 0;
    EXPECT_TRUE(map.Lookup(0x10, value));
    EXPECT_EQ(0x99u, value);
    EXPECT_EQ(3, map.GetCount());
}

TEST(CMapTest, StringMapsHashTheirKeys)
{
    CMapStringToPtr map;
    int a = 0, b = 0;
    map.SetAt(_T("CKTToolbarButton"), &a);
    map.SetAt(_T("CKTMenuButton"), &b);
    void* found = nullptr;
    EXPECT_TRUE(map.Lookup(_T("CKTMenuButton"), found));
    EXPECT_EQ(&b, found);
    EXPECT_FALSE(map.Lookup(_T("ckttoolbarbutton"), found));
    EXPECT_EQ(17u, map.GetHashTableSize());
    // The string hash: h = h * 33 + c.
    EXPECT_EQ(static_cast<UINT>(('a' * 33 + 'b') * 33 + 'c'), HashKey(_T("abc")));
}

TEST(CListTest, PositionsInsertFindAndRemove)
{
    CStringList list;
    POSITION b = list.AddTail(_T("b"));
    list.AddHead(_T("a"));
    list.InsertAfter(b, _T("d"));
    list.InsertBefore(list.Find(_T("d")), _T("c"));
    CStringList copy;
    copy.AddTail(&list);
    copy.AddTail(&copy);  // adding a list to itself doubles it once
    EXPECT_EQ(8, copy.GetCount());
    CString joined;
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        joined += list.GetNext(pos);
    EXPECT_STREQ(_T("abcd"), joined);
    EXPECT_EQ(nullptr, list.Find(_T("b"), list.Find(_T("b"))));
    list.RemoveAt(list.FindIndex(1));
    EXPECT_STREQ(_T("a"), list.RemoveHead());
    EXPECT_STREQ(_T("d"), list.RemoveTail());
    EXPECT_STREQ(_T("c"), list.GetHead());
    EXPECT_EQ(nullptr, list.FindIndex(5));
}

TEST(CArrayTest, GrowInsertRemoveAndCheckedIndices)
{
    CDWordArray a;
    a.SetAtGrow(2, 7);
    EXPECT_EQ(3, a.GetSize());
    EXPECT_EQ(0u, a[0]);
    a.InsertAt(1, 5, 2);
    a.RemoveAt(0);
    EXPECT_EQ((std::vector<DWORD>{5, 5, 0, 7}), std::vector<DWORD>(a.GetData(), a.GetData() + a.GetSize()));
    a.Add(a[3]);  // an element of the array itself
    EXPECT_EQ(7u, a[4]);
    for (INT_PTR bad : {INT_PTR(-1), INT_PTR(5)}) {
        EXPECT_THROW(
            {
                try {
                    a.GetAt(bad);
                } catch (CInvalidArgException* e) {
                    e->Delete();
                    throw 1;
                }
            },
            int);
    }
}
