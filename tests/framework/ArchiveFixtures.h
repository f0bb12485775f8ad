// Small serialisable classes for the archive tests. Every instance is registered while alive,
// so a test can see whether a failed load left anything behind.
#pragma once

#include "framework/Afx.h"

#include <set>
#include <vector>

std::set<const CObject*>& LiveTestObjects();

class CTestShape : public CObject
{
    DECLARE_SERIAL(CTestShape)
public:
    CTestShape() { LiveTestObjects().insert(this); }
    CTestShape(LPCTSTR name, int value) : m_name(name), m_value(value) { LiveTestObjects().insert(this); }
    ~CTestShape() override { LiveTestObjects().erase(this); }
    void Serialize(CArchive& ar) override;

    CString m_name;
    int m_value = 0;
};

// Versionable: schema 1 had no radius.
class CTestCircle : public CTestShape
{
    DECLARE_SERIAL(CTestCircle)
public:
    CTestCircle() = default;
    CTestCircle(LPCTSTR name, int value, double radius) : CTestShape(name, value), m_radius(radius) {}
    void Serialize(CArchive& ar) override;

    double m_radius = -1;
    UINT m_loadedSchema = 0;
};

// Owns the shapes in its list; a shape listed twice (or the group itself) is deleted once.
class CTestGroup : public CTestShape
{
    DECLARE_SERIAL(CTestGroup)
public:
    CTestGroup() = default;
    ~CTestGroup() override;
    void Serialize(CArchive& ar) override;

    CObList m_items;
    CStringList m_tags;
    CDWordArray m_colors;
};

class CTestUnrelated : public CObject
{
    DECLARE_SERIAL(CTestUnrelated)
public:
    CTestUnrelated() { LiveTestObjects().insert(this); }
    ~CTestUnrelated() override { LiveTestObjects().erase(this); }
    void Serialize(CArchive& ar) override;
    int m_data = 7;
};

// Storing and loading through a memory file, as the registry and drag data do.
std::vector<BYTE> StoreObject(const CObject* object);
std::vector<BYTE> StoreWith(void (*store)(CArchive&, void*), void* context);
// Loads one object of the given class; exceptions pass to the caller.
CObject* LoadObject(const std::vector<BYTE>& bytes, CRuntimeClass* requested);
