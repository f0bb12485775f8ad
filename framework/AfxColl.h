// The framework's typed collections of pointers, objects, strings and integers.
#pragma once

#include "framework/AfxTempl.h"

// Object pointers are stored as objects (class record, back-reference or null: at least a WORD).
inline void AFXAPI SerializeElements(CArchive& ar, CObject** pElements, INT_PTR nCount)
{
    for (INT_PTR i = 0; i < nCount; ++i) {
        if (ar.IsStoring())
            ar << pElements[i];
        else
            ar >> pElements[i];
    }
}
inline UINT AfxMinStoredSize(CObject* const*) { return sizeof(WORD); }

class CObList : public CList<CObject*, CObject*>
{
    DECLARE_SERIAL(CObList)
public:
    explicit CObList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

class CPtrList : public CList<void*, void*>
{
    DECLARE_DYNAMIC(CPtrList)
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
    // Pointers have no persistent form.
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};

class CStringList : public CList<CString, LPCTSTR>
{
    DECLARE_SERIAL(CStringList)
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList(nBlockSize) {}
};

class CObArray : public CArray<CObject*, CObject*>
{
    DECLARE_SERIAL(CObArray)
};

class CPtrArray : public CArray<void*, void*>
{
    DECLARE_DYNAMIC(CPtrArray)
public:
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};

class CStringArray : public CArray<CString, LPCTSTR>
{
    DECLARE_SERIAL(CStringArray)
};

class CByteArray : public CArray<BYTE, BYTE>
{
    DECLARE_SERIAL(CByteArray)
};

class CWordArray : public CArray<WORD, WORD>
{
    DECLARE_SERIAL(CWordArray)
};

class CDWordArray : public CArray<DWORD, DWORD>
{
    DECLARE_SERIAL(CDWordArray)
};

class CUIntArray : public CArray<UINT, UINT>
{
    DECLARE_DYNAMIC(CUIntArray)
};

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*>
{
    DECLARE_DYNAMIC(CMapStringToPtr)
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};

class CMapStringToOb : public CMap<CString, LPCTSTR, CObject*, CObject*>
{
    DECLARE_SERIAL(CMapStringToOb)
public:
    explicit CMapStringToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR>
{
    DECLARE_SERIAL(CMapStringToString)
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};

class CMapPtrToPtr : public CMap<void*, void*, void*, void*>
{
    DECLARE_DYNAMIC(CMapPtrToPtr)
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};

class CMapWordToPtr : public CMap<WORD, WORD, void*, void*>
{
    DECLARE_DYNAMIC(CMapWordToPtr)
public:
    explicit CMapWordToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
    void Serialize(CArchive& ar) override { CObject::Serialize(ar); }
};

class CMapWordToOb : public CMap<WORD, WORD, CObject*, CObject*>
{
    DECLARE_SERIAL(CMapWordToOb)
public:
    explicit CMapWordToOb(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
