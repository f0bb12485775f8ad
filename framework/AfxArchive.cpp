#include "framework/AfxArchive.h"

#include "framework/AfxException.h"

#include <cstring>

namespace {

const WORD wNullTag = 0;
const WORD wNewClassTag = 0xFFFF;
const WORD wClassTag = 0x8000;
const DWORD dwBigClassTag = 0x80000000;
const WORD wBigObjectTag = 0x7FFF;
const DWORD nMaxMapCount = 0x3FFFFFFE;
// Class names longer than this are not ours.
const WORD nMaxClassNameLength = 64;
// Objects loaded inside the Serialize of other objects, at most this deep.
const int nMaxLoadDepth = 256;

} // namespace

CArchive::CArchive(CFile* pFile, UINT nMode, int nBufSize, void* /*lpBuf*/)
    : m_pFile(pFile), m_nMode(nMode), m_buffer(static_cast<size_t>(nBufSize < 128 ? 128 : nBufSize))
{
    if (pFile == nullptr)
        AfxThrowInvalidArgException();
    m_strFileName = pFile->GetFilePath();
    if (IsLoading())
        m_loadArray.push_back(LoadEntry{nullptr, false, 0});  // index 0: null
}

CArchive::~CArchive()
{
    if (m_pFile == nullptr)
        return;
    if (!(m_nMode & bNoFlushOnDelete)) {
        try {
            Close();
        } catch (CException* e) {
            e->Delete();
        }
    }
    m_pFile = nullptr;
}

void CArchive::Fail(int cause) const
{
    AfxThrowArchiveException(cause, m_strFileName);
}

void CArchive::RequireLoading() const
{
    if (m_pFile == nullptr)
        Fail(CArchiveException::genericException);
    if (!IsLoading())
        Fail(CArchiveException::writeOnly);
}

void CArchive::RequireStoring() const
{
    if (m_pFile == nullptr)
        Fail(CArchiveException::genericException);
    if (IsLoading())
        Fail(CArchiveException::readOnly);
}

UINT CArchive::GetObjectSchema()
{
    UINT schema = m_nObjectSchema;
    m_nObjectSchema = static_cast<UINT>(-1);
    return schema;
}

void CArchive::FillBuffer()
{
    m_cur = 0;
    m_end = m_pFile->Read(m_buffer.data(), static_cast<UINT>(m_buffer.size()));
}

UINT CArchive::Read(void* lpBuf, UINT nMax)
{
    RequireLoading();
    BYTE* out = static_cast<BYTE*>(lpBuf);
    UINT done = 0;
    while (done < nMax) {
        if (m_cur == m_end) {
            UINT left = nMax - done;
            if (left >= m_buffer.size()) {
                // Large reads go straight to the caller.
                UINT read = m_pFile->Read(out + done, left);
                done += read;
                if (read == 0)
                    break;
                continue;
            }
            FillBuffer();
            if (m_end == 0)
                break;
        }
        size_t chunk = (std::min)(static_cast<size_t>(nMax - done), m_end - m_cur);
        std::memcpy(out + done, m_buffer.data() + m_cur, chunk);
        m_cur += chunk;
        done += static_cast<UINT>(chunk);
    }
    return done;
}

void CArchive::EnsureRead(void* lpBuf, UINT nCount)
{
    if (Read(lpBuf, nCount) != nCount)
        Fail(CArchiveException::endOfFile);
}

void CArchive::Write(const void* lpBuf, UINT nMax)
{
    RequireStoring();
    const BYTE* in = static_cast<const BYTE*>(lpBuf);
    while (nMax > 0) {
        if (m_cur == m_buffer.size())
            Flush();
        if (m_cur == 0 && nMax >= m_buffer.size()) {
            m_pFile->Write(in, nMax);
            return;
        }
        size_t chunk = (std::min)(static_cast<size_t>(nMax), m_buffer.size() - m_cur);
        std::memcpy(m_buffer.data() + m_cur, in, chunk);
        m_cur += chunk;
        in += chunk;
        nMax -= static_cast<UINT>(chunk);
    }
}

void CArchive::Flush()
{
    if (m_pFile == nullptr)
        return;
    if (IsStoring()) {
        if (m_cur > 0)
            m_pFile->Write(m_buffer.data(), static_cast<UINT>(m_cur));
        m_cur = 0;
    } else if (m_cur != m_end) {
        // Give back what was read ahead, so that the file stands after the last byte used.
        m_pFile->Seek(-static_cast<LONGLONG>(m_end - m_cur), CFile::current);
        m_cur = m_end = 0;
    }
}

void CArchive::Close()
{
    Flush();
    m_pFile = nullptr;
}

void CArchive::Abort()
{
    m_pFile = nullptr;
    m_cur = m_end = 0;
}

void CArchive::WriteString(LPCTSTR lpsz)
{
    if (lpsz != nullptr)
        Write(lpsz, static_cast<UINT>(wcslen(lpsz) * sizeof(wchar_t)));
}

BOOL CArchive::ReadString(CString& rString)
{
    rString.Empty();
    wchar_t ch;
    bool any = false;
    while (Read(&ch, sizeof(ch)) == sizeof(ch)) {
        any = true;
        if (ch == L'\n')
            return TRUE;
        if (ch == L'\r') {
            wchar_t next;
            if (Read(&next, sizeof(next)) == sizeof(next) && next != L'\n') {
                // Not a CR LF pair: the character belongs to the next line.
                m_cur -= sizeof(next);
            }
            return TRUE;
        }
        rString += ch;
    }
    return any;
}

void CArchive::WriteCount(DWORD_PTR dwCount)
{
    if (dwCount < 0xFFFF) {
        *this << static_cast<WORD>(dwCount);
        return;
    }
    *this << static_cast<WORD>(0xFFFF);
#ifdef _WIN64
    if (dwCount < 0xFFFFFFFF) {
        *this << static_cast<DWORD>(dwCount);
    } else {
        *this << static_cast<DWORD>(0xFFFFFFFF);
        *this << static_cast<ULONGLONG>(dwCount);
    }
#else
    *this << static_cast<DWORD>(dwCount);
#endif
}

DWORD_PTR CArchive::ReadCount()
{
    WORD wCount;
    *this >> wCount;
    if (wCount != 0xFFFF)
        return wCount;
    DWORD dwCount;
    *this >> dwCount;
#ifdef _WIN64
    if (dwCount != 0xFFFFFFFF)
        return dwCount;
    ULONGLONG qwCount;
    *this >> qwCount;
    return static_cast<DWORD_PTR>(qwCount);
#else
    return dwCount;
#endif
}

ULONGLONG CArchive::GetRemainingLoadBytes() const
{
    if (m_pFile == nullptr || !IsLoading())
        return 0;
    ULONGLONG length = m_pFile->GetLength();
    ULONGLONG position = m_pFile->GetPosition();
    return (m_end - m_cur) + (length > position ? length - position : 0);
}

void CArchive::CheckLoadCount(ULONGLONG nCount, UINT nMinBytesEach)
{
    ULONGLONG remaining = GetRemainingLoadBytes();
    if (nMinBytesEach == 0)
        nMinBytesEach = 1;
    if (nCount > remaining / nMinBytesEach)
        Fail(CArchiveException::badIndex);
}

void CArchive::NextMapIndex()
{
    if (m_nMapCount >= nMaxMapCount)
        Fail(CArchiveException::badIndex);
    ++m_nMapCount;
}

void CArchive::MapObject(const CObject* pOb)
{
    if (IsStoring()) {
        if (pOb != nullptr && m_storeMap.find(pOb) == m_storeMap.end()) {
            m_storeMap[pOb] = m_nMapCount;
            NextMapIndex();
        }
    } else {
        m_loadArray.push_back(LoadEntry{const_cast<CObject*>(pOb), false, 0});
        NextMapIndex();
    }
}

void CArchive::WriteMapReference(DWORD index, bool isClass)
{
    // Small indices fit a WORD (classes with the high bit); larger ones follow the escape tag.
    if (index < wBigObjectTag) {
        *this << static_cast<WORD>(isClass ? (wClassTag | index) : index);
    } else {
        *this << wBigObjectTag;
        *this << static_cast<DWORD>(isClass ? (dwBigClassTag | index) : index);
    }
}

void CArchive::WriteClass(const CRuntimeClass* pClassRef)
{
    RequireStoring();
    if (pClassRef == nullptr || pClassRef->m_wSchema == AFX_NO_SCHEMA)
        AfxThrowNotSupportedException();  // only serialisable classes have a persistent record
    auto found = m_storeMap.find(pClassRef);
    if (found != m_storeMap.end()) {
        WriteMapReference(found->second, true);
        return;
    }
    *this << wNewClassTag;
    pClassRef->Store(*this);
    m_storeMap[pClassRef] = m_nMapCount;
    NextMapIndex();
}

void CArchive::WriteObject(const CObject* pOb)
{
    RequireStoring();
    if (pOb == nullptr) {
        *this << wNullTag;
        return;
    }
    auto found = m_storeMap.find(pOb);
    if (found != m_storeMap.end()) {
        WriteMapReference(found->second, false);
        return;
    }
    WriteClass(pOb->GetRuntimeClass());
    m_storeMap[pOb] = m_nMapCount;
    NextMapIndex();
    const_cast<CObject*>(pOb)->Serialize(*this);
}

void CArchive::SerializeClass(const CRuntimeClass* pClassRef)
{
    if (IsStoring())
        WriteClass(pClassRef);
    else
        ReadClass(pClassRef);
}

CRuntimeClass* CArchive::ReadClass(const CRuntimeClass* pClassRefRequested, UINT* pSchema, DWORD* pObTag)
{
    RequireLoading();
    WORD wTag;
    *this >> wTag;
    DWORD obTag;
    if (wTag == wBigObjectTag)
        *this >> obTag;
    else
        obTag = (static_cast<DWORD>(wTag & wClassTag) << 16) | (wTag & ~wClassTag);

    if (!(obTag & dwBigClassTag)) {
        // An object reference where only a class may stand.
        if (pObTag == nullptr)
            Fail(CArchiveException::badIndex);
        *pObTag = obTag;
        return nullptr;
    }

    CRuntimeClass* pClassRef;
    UINT nSchema;
    if (wTag == wNewClassTag) {
        pClassRef = CRuntimeClass::Load(*this, &nSchema);
        if (pClassRef == nullptr)
            Fail(CArchiveException::badClass);
        if (pClassRef->m_wSchema == AFX_NO_SCHEMA ||
            (pClassRefRequested != nullptr && !pClassRef->IsDerivedFrom(pClassRefRequested)))
            Fail(CArchiveException::badClass);
        if (!(pClassRef->m_wSchema & VERSIONABLE_SCHEMA) && nSchema != pClassRef->m_wSchema)
            Fail(CArchiveException::badSchema);
        m_loadArray.push_back(LoadEntry{pClassRef, true, nSchema});
        NextMapIndex();
    } else {
        DWORD index = obTag & ~dwBigClassTag;
        if (index == 0 || index >= m_loadArray.size() || !m_loadArray[index].isClass)
            Fail(CArchiveException::badIndex);
        pClassRef = static_cast<CRuntimeClass*>(m_loadArray[index].pointer);
        nSchema = m_loadArray[index].schema;
        if (pClassRefRequested != nullptr && !pClassRef->IsDerivedFrom(pClassRefRequested))
            Fail(CArchiveException::badClass);
    }

    if (pSchema != nullptr)
        *pSchema = nSchema;
    else
        m_nObjectSchema = nSchema;
    if (pObTag != nullptr)
        *pObTag = obTag;
    return pClassRef;
}

CObject* CArchive::ReadObject(const CRuntimeClass* pClassRefRequested)
{
    RequireLoading();
    UINT nSchema = 0;
    DWORD obTag = 0;
    CRuntimeClass* pClassRef = ReadClass(pClassRefRequested, &nSchema, &obTag);

    if (pClassRef == nullptr) {
        if (obTag >= m_loadArray.size() || m_loadArray[obTag].isClass)
            Fail(CArchiveException::badIndex);
        CObject* pOb = static_cast<CObject*>(m_loadArray[obTag].pointer);
        if (pOb != nullptr && pClassRefRequested != nullptr && !pOb->IsKindOf(pClassRefRequested))
            Fail(CArchiveException::badClass);
        return pOb;
    }

    // Objects nest by recursion: a hostile archive must not nest them until the stack runs out.
    if (m_nLoadDepth >= nMaxLoadDepth)
        Fail(CArchiveException::badIndex);
    CObject* pOb = pClassRef->CreateObject();
    if (pOb == nullptr)
        Fail(CArchiveException::badClass);
    struct DepthGuard {
        int& depth;
        explicit DepthGuard(int& d) : depth(d) { ++depth; }
        ~DepthGuard() { --depth; }
    } depthGuard(m_nLoadDepth);
    size_t slot = m_loadArray.size();
    UINT nSchemaSave = m_nObjectSchema;
    try {
        NextMapIndex();
        m_loadArray.push_back(LoadEntry{pOb, false, 0});
        m_nObjectSchema = nSchema;
        pOb->Serialize(*this);
    } catch (...) {
        // The half-loaded object is ours alone: nothing outside holds it yet.
        if (slot < m_loadArray.size())
            m_loadArray[slot].pointer = nullptr;
        delete pOb;
        throw;
    }
    m_nObjectSchema = nSchemaSave;
    return pOb;
}

void CRuntimeClass::Store(CArchive& ar) const
{
    WORD nLen = static_cast<WORD>(std::strlen(m_lpszClassName));
    ar << static_cast<WORD>(m_wSchema) << nLen;
    ar.Write(m_lpszClassName, nLen);
}

CRuntimeClass* PASCAL CRuntimeClass::Load(CArchive& ar, UINT* pwSchemaNum)
{
    WORD wSchema, nLen;
    ar >> wSchema >> nLen;
    *pwSchemaNum = wSchema;
    char name[nMaxClassNameLength + 1];
    if (nLen > nMaxClassNameLength || ar.Read(name, nLen) != nLen)
        return nullptr;
    name[nLen] = 0;
    if (std::strlen(name) != nLen)
        return nullptr;  // a zero inside the name: not the name of any class
    return FromName(name);
}

// ---- strings and geometry ----

CArchive& AFXAPI operator<<(CArchive& ar, const CString& string)
{
    // Wide strings carry the 0xFFFE marker in a 0xFF-escaped length.
    ar << static_cast<BYTE>(0xFF) << static_cast<WORD>(0xFFFE);
    DWORD_PTR length = static_cast<DWORD_PTR>(string.GetLength());
    if (length < 255) {
        ar << static_cast<BYTE>(length);
    } else {
        ar << static_cast<BYTE>(0xFF);
        if (length < 0xFFFE) {
            ar << static_cast<WORD>(length);
        } else {
            ar << static_cast<WORD>(0xFFFF) << static_cast<DWORD>(length);
        }
    }
    ar.Write(string.GetString(), static_cast<UINT>(length * sizeof(wchar_t)));
    return ar;
}

namespace {

// Returns the stored character count; *charSize becomes 1 (ANSI) or 2 (wide).
ULONGLONG ReadStringLength(CArchive& ar, UINT* charSize)
{
    *charSize = sizeof(char);
    BYTE bLen;
    ar >> bLen;
    if (bLen < 0xFF)
        return bLen;
    WORD wLen;
    ar >> wLen;
    if (wLen == 0xFFFE) {
        *charSize = sizeof(wchar_t);
        ar >> bLen;
        if (bLen < 0xFF)
            return bLen;
        ar >> wLen;
    }
    if (wLen < 0xFFFF)
        return wLen;
    DWORD dwLen;
    ar >> dwLen;
    if (dwLen < 0xFFFFFFFF)
        return dwLen;
    ULONGLONG qwLen;
    ar >> qwLen;
    return qwLen;
}

} // namespace

CArchive& AFXAPI operator>>(CArchive& ar, CString& string)
{
    UINT charSize;
    ULONGLONG length = ReadStringLength(ar, &charSize);
    if (length > 0x3FFFFFFF)
        AfxThrowArchiveException(CArchiveException::badIndex, ar.m_strFileName);
    ar.CheckLoadCount(length, charSize);
    UINT bytes = static_cast<UINT>(length) * charSize;
    if (charSize == sizeof(wchar_t)) {
        CString text;
        LPWSTR buffer = text.GetBufferSetLength(static_cast<int>(length));
        ar.EnsureRead(buffer, bytes);
        text.ReleaseBuffer(static_cast<int>(length));
        string = text;
    } else {
        std::vector<char> narrow(static_cast<size_t>(length));
        if (bytes > 0)
            ar.EnsureRead(narrow.data(), bytes);
        string = CString(narrow.data(), static_cast<int>(length));
    }
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, SIZE size)
{
    ar.Write(&size, sizeof(size));
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, POINT point)
{
    ar.Write(&point, sizeof(point));
    return ar;
}

CArchive& AFXAPI operator<<(CArchive& ar, const RECT& rect)
{
    ar.Write(&rect, sizeof(rect));
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, SIZE& size)
{
    ar.EnsureRead(&size, sizeof(size));
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, POINT& point)
{
    ar.EnsureRead(&point, sizeof(point));
    return ar;
}

CArchive& AFXAPI operator>>(CArchive& ar, RECT& rect)
{
    ar.EnsureRead(&rect, sizeof(rect));
    return ar;
}
