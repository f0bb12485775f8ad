#include "ArchiveFixtures.h"

IMPLEMENT_SERIAL(CTestShape, CObject, 1)
IMPLEMENT_SERIAL(CTestCircle, CTestShape, VERSIONABLE_SCHEMA | 2)
IMPLEMENT_SERIAL(CTestGroup, CTestShape, 1)
IMPLEMENT_SERIAL(CTestUnrelated, CObject, 1)

std::set<const CObject*>& LiveTestObjects()
{
    static std::set<const CObject*> live;
    return live;
}

void CTestShape::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_name << m_value;
    else
        ar >> m_name >> m_value;
}

void CTestCircle::Serialize(CArchive& ar)
{
    CTestShape::Serialize(ar);
    if (ar.IsStoring()) {
        ar << m_radius;
    } else {
        m_loadedSchema = ar.GetObjectSchema();
        if (m_loadedSchema >= 2)
            ar >> m_radius;
    }
}

CTestGroup::~CTestGroup()
{
    LiveTestObjects().erase(this);
    for (POSITION pos = m_items.GetHeadPosition(); pos != nullptr;) {
        CObject* item = m_items.GetNext(pos);
        if (LiveTestObjects().count(item) != 0)
            delete item;
    }
}

void CTestGroup::Serialize(CArchive& ar)
{
    CTestShape::Serialize(ar);
    m_items.Serialize(ar);
    m_tags.Serialize(ar);
    m_colors.Serialize(ar);
}

void CTestUnrelated::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_data;
    else
        ar >> m_data;
}

std::vector<BYTE> StoreWith(void (*store)(CArchive&, void*), void* context)
{
    CMemFile file(1024);
    {
        CArchive ar(&file, CArchive::store, 4096);
        store(ar, context);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    return bytes;
}

std::vector<BYTE> StoreObject(const CObject* object)
{
    return StoreWith([](CArchive& ar, void* o) { ar << static_cast<const CObject*>(o); },
                     const_cast<CObject*>(object));
}

CObject* LoadObject(const std::vector<BYTE>& bytes, CRuntimeClass* requested)
{
    std::vector<BYTE> copy(bytes);
    CMemFile file(copy.empty() ? nullptr : copy.data(), static_cast<UINT>(copy.size()));
    CArchive ar(&file, CArchive::load, 4096);
    return ar.ReadObject(requested);
}
