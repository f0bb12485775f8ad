// CArchive: buffered binary storing and loading over a CFile, with the framework's persistent
// object format (class records, back-references, schemas).
//
// Loading is defensive: anything short, inconsistent or of an unexpected class throws a
// CArchiveException; counts are checked against the bytes left before anything is allocated.
#pragma once

#include "framework/AfxFile.h"
#include "framework/AfxGeometry.h"

#include <unordered_map>
#include <vector>

class CDocument;

class CArchive
{
public:
    enum Mode { store = 0, load = 1, bNoFlushOnDelete = 2, bNoByteSwap = 4 };

    // The archive does not own the file. nBufSize is the size of its own buffer.
    CArchive(CFile* pFile, UINT nMode, int nBufSize = 4096, void* lpBuf = nullptr);
    ~CArchive();
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_nMode & load) != 0; }
    BOOL IsStoring() const { return (m_nMode & load) == 0; }
    BOOL IsByteSwapping() const { return FALSE; }
    BOOL IsBufferEmpty() const { return m_cur == m_end; }
    CFile* GetFile() const { return m_pFile; }

    // The schema of the object being loaded (once; then -1 again).
    UINT GetObjectSchema();
    void SetObjectSchema(UINT nSchema) { m_nObjectSchema = nSchema; }

    // Reads up to nMax bytes; fewer only at the end of the data.
    UINT Read(void* lpBuf, UINT nMax);
    // Reads exactly nCount bytes or throws endOfFile.
    void EnsureRead(void* lpBuf, UINT nCount);
    void Write(const void* lpBuf, UINT nMax);
    void Flush();
    void Close();
    void Abort();

    // Text lines (CR LF on store; CR, LF or both end a line on load).
    void WriteString(LPCTSTR lpsz);
    BOOL ReadString(CString& rString);

    // Element counts: a WORD, or 0xFFFF followed by a DWORD (and on 64-bit 0xFFFFFFFF + QWORD).
    void WriteCount(DWORD_PTR dwCount);
    DWORD_PTR ReadCount();
    // Throws badIndex unless nCount elements of at least nMinBytesEach can still be read.
    void CheckLoadCount(ULONGLONG nCount, UINT nMinBytesEach);
    // Bytes that can still be read: the buffer plus the rest of the file.
    ULONGLONG GetRemainingLoadBytes() const;

    void WriteObject(const CObject* pOb);
    // Reads an object, a back-reference or null; the class must derive from pClassRefRequested.
    CObject* ReadObject(const CRuntimeClass* pClassRefRequested);
    void WriteClass(const CRuntimeClass* pClassRef);
    CRuntimeClass* ReadClass(const CRuntimeClass* pClassRefRequested = nullptr, UINT* pSchema = nullptr,
                             DWORD* pObTag = nullptr);
    void SerializeClass(const CRuntimeClass* pClassRef);
    // Registers an object that is not stored itself, so that later references point to it.
    void MapObject(const CObject* pOb);

    CArchive& operator<<(BYTE by) { return WriteValue(by); }
    CArchive& operator<<(WORD w) { return WriteValue(w); }
    CArchive& operator<<(LONG l) { return WriteValue(l); }
    CArchive& operator<<(DWORD dw) { return WriteValue(dw); }
    CArchive& operator<<(float f) { return WriteValue(f); }
    CArchive& operator<<(double d) { return WriteValue(d); }
    CArchive& operator<<(LONGLONG dwdw) { return WriteValue(dwdw); }
    CArchive& operator<<(ULONGLONG dwdw) { return WriteValue(dwdw); }
    CArchive& operator<<(int i) { return WriteValue(static_cast<LONG>(i)); }
    CArchive& operator<<(short w) { return WriteValue(static_cast<WORD>(w)); }
    CArchive& operator<<(char ch) { return WriteValue(static_cast<BYTE>(ch)); }
    CArchive& operator<<(wchar_t ch) { return WriteValue(static_cast<WORD>(ch)); }
    CArchive& operator<<(unsigned u) { return WriteValue(static_cast<LONG>(u)); }
    CArchive& operator<<(bool b) { return WriteValue(static_cast<BYTE>(b ? 1 : 0)); }
    CArchive& operator<<(const CObject* pOb)
    {
        WriteObject(pOb);
        return *this;
    }

    CArchive& operator>>(BYTE& by) { return ReadValue(by); }
    CArchive& operator>>(WORD& w) { return ReadValue(w); }
    CArchive& operator>>(LONG& l) { return ReadValue(l); }
    CArchive& operator>>(DWORD& dw) { return ReadValue(dw); }
    CArchive& operator>>(float& f) { return ReadValue(f); }
    CArchive& operator>>(double& d) { return ReadValue(d); }
    CArchive& operator>>(LONGLONG& dwdw) { return ReadValue(dwdw); }
    CArchive& operator>>(ULONGLONG& dwdw) { return ReadValue(dwdw); }
    CArchive& operator>>(int& i) { return ReadAs<LONG>(i); }
    CArchive& operator>>(short& w) { return ReadAs<WORD>(w); }
    CArchive& operator>>(char& ch) { return ReadAs<BYTE>(ch); }
    CArchive& operator>>(wchar_t& ch) { return ReadAs<WORD>(ch); }
    CArchive& operator>>(unsigned& u) { return ReadAs<LONG>(u); }
    CArchive& operator>>(bool& b)
    {
        BYTE by;
        ReadValue(by);
        b = by != 0;
        return *this;
    }
    CArchive& operator>>(CObject*& pOb)
    {
        pOb = ReadObject(nullptr);
        return *this;
    }
    CArchive& operator>>(const CObject*& pOb)
    {
        pOb = ReadObject(nullptr);
        return *this;
    }

    CString m_strFileName;
    CDocument* m_pDocument = nullptr;
    BOOL m_bForceFlat = TRUE;

private:
    template <typename T> CArchive& WriteValue(T value)
    {
        Write(&value, sizeof(value));
        return *this;
    }
    template <typename T> CArchive& ReadValue(T& value)
    {
        EnsureRead(&value, sizeof(value));
        return *this;
    }
    template <typename Stored, typename T> CArchive& ReadAs(T& value)
    {
        Stored stored;
        ReadValue(stored);
        value = static_cast<T>(stored);
        return *this;
    }

    [[noreturn]] void Fail(int cause) const;
    void RequireLoading() const;
    void RequireStoring() const;
    void FillBuffer();
    void NextMapIndex();
    void WriteMapReference(DWORD index, bool isClass);

    struct LoadEntry {
        void* pointer;
        bool isClass;
        UINT schema;
    };

    CFile* m_pFile;
    UINT m_nMode;
    std::vector<BYTE> m_buffer;
    size_t m_cur = 0;  // next byte to read or write
    size_t m_end = 0;  // load: end of valid data; store: unused
    UINT m_nObjectSchema = static_cast<UINT>(-1);
    DWORD m_nMapCount = 1;  // index 0 is the null object
    int m_nLoadDepth = 0;   // objects being loaded inside one another
    std::unordered_map<const void*, DWORD> m_storeMap;
    std::vector<LoadEntry> m_loadArray;
};

// Strings: BYTE length, 0xFF + WORD, 0xFF 0xFFFF + DWORD ...; wide strings start with 0xFF 0xFFFE.
CArchive& AFXAPI operator<<(CArchive& ar, const CString& string);
CArchive& AFXAPI operator>>(CArchive& ar, CString& string);
// A literal is stored as a string (not as the flag its pointer would convert to).
inline CArchive& AFXAPI operator<<(CArchive& ar, LPCWSTR psz) { return ar << CString(psz); }
CArchive& AFXAPI operator<<(CArchive& ar, SIZE size);
CArchive& AFXAPI operator<<(CArchive& ar, POINT point);
CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect);
CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size);
CArchive& AFXAPI operator>>(CArchive& ar, POINT& point);
CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect);
