#include "framework/AfxFile.h"

#include "framework/AfxException.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CFile, CObject)
IMPLEMENT_DYNAMIC(CMemFile, CFile)
IMPLEMENT_DYNAMIC(CSharedFile, CMemFile)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

CFile::CFile() : m_hFile(hFileNull), m_bCloseOnDelete(FALSE) {}

CFile::CFile(HANDLE hFile) : m_hFile(hFile), m_bCloseOnDelete(FALSE) {}

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags) : m_hFile(hFileNull), m_bCloseOnDelete(FALSE)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Abort();
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    m_bCloseOnDelete = FALSE;
    m_hFile = hFileNull;
    m_strFileName.Empty();
    if (lpszFileName == nullptr) {
        if (pError != nullptr) {
            pError->m_cause = CFileException::badPath;
            pError->m_lOsError = ERROR_INVALID_NAME;
        }
        return FALSE;
    }

    DWORD access = 0;
    switch (nOpenFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
    }
    DWORD share = 0;
    switch (nOpenFlags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    default: share = 0; break;
    }
    DWORD creation = OPEN_EXISTING;
    if (nOpenFlags & modeCreate)
        creation = (nOpenFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;
    DWORD attributes = FILE_ATTRIBUTE_NORMAL;
    if (nOpenFlags & osNoBuffer) attributes |= FILE_FLAG_NO_BUFFERING;
    if (nOpenFlags & osWriteThrough) attributes |= FILE_FLAG_WRITE_THROUGH;
    if (nOpenFlags & osRandomAccess) attributes |= FILE_FLAG_RANDOM_ACCESS;
    if (nOpenFlags & osSequentialScan) attributes |= FILE_FLAG_SEQUENTIAL_SCAN;
    SECURITY_ATTRIBUTES security = {sizeof(security), nullptr, (nOpenFlags & modeNoInherit) ? FALSE : TRUE};

    HANDLE file = CreateFileW(lpszFileName, access, share, &security, creation, attributes, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (pError != nullptr) {
            LONG osError = static_cast<LONG>(GetLastError());
            pError->m_lOsError = osError;
            pError->m_cause = CFileException::OsErrorToException(osError);
            pError->m_strFileName = lpszFileName;
        }
        return FALSE;
    }
    m_hFile = file;
    m_bCloseOnDelete = TRUE;
    m_strFileName = lpszFileName;
    return TRUE;
}

void CFile::Close()
{
    BOOL ok = TRUE;
    if (m_hFile != hFileNull)
        ok = CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (!ok)
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    m_strFileName.Empty();
}

void CFile::Abort()
{
    if (m_hFile != hFileNull)
        CloseHandle(m_hFile);
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    m_strFileName.Empty();
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    DWORD read = 0;
    if (!ReadFile(m_hFile, lpBuf, nCount, &read, nullptr))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return read;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    DWORD written = 0;
    if (!WriteFile(m_hFile, lpBuf, nCount, &written, nullptr))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    if (written != nCount)
        AfxThrowFileException(CFileException::diskFull, -1, m_strFileName);
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LARGE_INTEGER distance, position;
    distance.QuadPart = lOff;
    if (!SetFilePointerEx(m_hFile, distance, &position, nFrom))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER distance, position;
    distance.QuadPart = 0;
    if (!SetFilePointerEx(m_hFile, distance, &position, FILE_CURRENT))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_hFile, &size))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    Seek(static_cast<LONGLONG>(dwNewLen), begin);
    if (!SetEndOfFile(m_hFile))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::Flush()
{
    if (m_hFile != hFileNull && !FlushFileBuffers(m_hFile))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

CString CFile::GetFileName() const
{
    CString path = GetFilePath();
    int slash = (std::max)(path.ReverseFind(L'\\'), path.ReverseFind(L'/'));
    return path.Mid(slash + 1);
}

void PASCAL CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (!MoveFileW(lpszOldName, lpszNewName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszOldName);
}

void PASCAL CFile::Remove(LPCTSTR lpszFileName)
{
    if (!DeleteFileW(lpszFileName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
}

// ---- CMemFile ----

CMemFile::CMemFile(UINT nGrowBytes)
    : m_nGrowBytes(nGrowBytes), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(nullptr),
      m_bAutoDelete(TRUE)
{
}

CMemFile::CMemFile(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
    : m_nGrowBytes(0), m_nPosition(0), m_nBufferSize(0), m_nFileSize(0), m_lpBuffer(nullptr), m_bAutoDelete(TRUE)
{
    Attach(lpBuffer, nBufferSize, nGrowBytes);
}

CMemFile::~CMemFile()
{
    // A derived class's Free has already gone; its destructor releases its own memory.
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        CMemFile::Free(m_lpBuffer);
    m_lpBuffer = nullptr;
}

void CMemFile::Attach(BYTE* lpBuffer, UINT nBufferSize, UINT nGrowBytes)
{
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = lpBuffer;
    m_nBufferSize = lpBuffer != nullptr ? nBufferSize : 0;
    m_nGrowBytes = nGrowBytes;
    m_nPosition = 0;
    m_nFileSize = nGrowBytes == 0 ? m_nBufferSize : 0;
    m_bAutoDelete = FALSE;
}

BYTE* CMemFile::Detach()
{
    BYTE* buffer = m_lpBuffer;
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    return buffer;
}

BYTE* CMemFile::Alloc(SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::malloc(nBytes));
}

BYTE* CMemFile::Realloc(BYTE* lpMem, SIZE_T nBytes)
{
    return static_cast<BYTE*>(std::realloc(lpMem, nBytes));
}

void CMemFile::Free(BYTE* lpMem)
{
    std::free(lpMem);
}

void CMemFile::GrowFile(SIZE_T dwNewLen)
{
    if (dwNewLen <= m_nBufferSize)
        return;
    if (m_nGrowBytes == 0)
        AfxThrowMemoryException();
    // Round up to the next multiple of the growth step.
    SIZE_T steps = (dwNewLen - m_nBufferSize + m_nGrowBytes - 1) / m_nGrowBytes;
    if (steps > (static_cast<SIZE_T>(-1) - m_nBufferSize) / m_nGrowBytes)
        AfxThrowMemoryException();
    SIZE_T newSize = m_nBufferSize + steps * m_nGrowBytes;
    BYTE* grown = m_lpBuffer == nullptr ? Alloc(newSize) : Realloc(m_lpBuffer, newSize);
    if (grown == nullptr)
        AfxThrowMemoryException();
    m_lpBuffer = grown;
    m_nBufferSize = newSize;
}

UINT CMemFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0 || m_nPosition >= m_nFileSize)
        return 0;
    SIZE_T available = m_nFileSize - m_nPosition;
    UINT read = available < nCount ? static_cast<UINT>(available) : nCount;
    std::memcpy(lpBuf, m_lpBuffer + m_nPosition, read);
    m_nPosition += read;
    return read;
}

void CMemFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    if (m_nPosition > static_cast<SIZE_T>(-1) - nCount)
        AfxThrowMemoryException();
    SIZE_T end = m_nPosition + nCount;
    if (end > m_nBufferSize)
        GrowFile(end);
    // A seek past the end leaves a gap, which reads as zeros.
    if (m_nPosition > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, m_nPosition - m_nFileSize);
    std::memcpy(m_lpBuffer + m_nPosition, lpBuf, nCount);
    m_nPosition = end;
    if (m_nPosition > m_nFileSize)
        m_nFileSize = m_nPosition;
}

ULONGLONG CMemFile::Seek(LONGLONG lOff, UINT nFrom)
{
    LONGLONG base = nFrom == begin ? 0 : nFrom == current ? static_cast<LONGLONG>(m_nPosition)
                                                          : static_cast<LONGLONG>(m_nFileSize);
    LONGLONG position = base + lOff;
    if ((nFrom != begin && nFrom != current && nFrom != end) || position < 0 ||
        static_cast<ULONGLONG>(position) > static_cast<SIZE_T>(-1))
        AfxThrowFileException(CFileException::badSeek);
    m_nPosition = static_cast<SIZE_T>(position);
    return m_nPosition;
}

void CMemFile::SetLength(ULONGLONG dwNewLen)
{
    if (dwNewLen > static_cast<SIZE_T>(-1))
        AfxThrowMemoryException();
    SIZE_T length = static_cast<SIZE_T>(dwNewLen);
    if (length > m_nBufferSize)
        GrowFile(length);
    if (length > m_nFileSize)
        std::memset(m_lpBuffer + m_nFileSize, 0, length - m_nFileSize);
    if (length < m_nPosition)
        m_nPosition = length;
    m_nFileSize = length;
}

void CMemFile::Close()
{
    m_nGrowBytes = 0;
    m_nPosition = 0;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    if (m_lpBuffer != nullptr && m_bAutoDelete)
        Free(m_lpBuffer);
    m_lpBuffer = nullptr;
}

// ---- CSharedFile ----

CSharedFile::CSharedFile(UINT nAllocFlags, UINT nGrowBytes)
    : CMemFile(nGrowBytes), m_nAllocFlags(nAllocFlags), m_hGlobalMemory(nullptr), m_bAllowGrow(TRUE)
{
}

CSharedFile::~CSharedFile()
{
    CSharedFile::Close();
}

void CSharedFile::Close()
{
    if (m_bAutoDelete)
        Free(m_lpBuffer);
    else if (m_hGlobalMemory != nullptr && m_lpBuffer != nullptr)
        GlobalUnlock(m_hGlobalMemory);  // memory handed in by SetHandle stays the caller's
    m_hGlobalMemory = nullptr;
    m_lpBuffer = nullptr;
    m_nBufferSize = 0;
    m_nFileSize = 0;
    m_nPosition = 0;
    m_bAutoDelete = TRUE;
}

void CSharedFile::SetHandle(HGLOBAL hGlobalMemory, BOOL bAllowGrow)
{
    Close();
    m_hGlobalMemory = hGlobalMemory;
    m_lpBuffer = hGlobalMemory != nullptr ? static_cast<BYTE*>(GlobalLock(hGlobalMemory)) : nullptr;
    m_nBufferSize = m_lpBuffer != nullptr ? GlobalSize(hGlobalMemory) : 0;
    m_nFileSize = m_nBufferSize;
    m_nPosition = 0;
    m_bAllowGrow = bAllowGrow;
    m_nGrowBytes = bAllowGrow ? (m_nGrowBytes != 0 ? m_nGrowBytes : 4096) : 0;
    // The caller keeps ownership of memory it handed in.
    m_bAutoDelete = FALSE;
}

HGLOBAL CSharedFile::Detach()
{
    HGLOBAL memory = m_hGlobalMemory;
    m_bAutoDelete = FALSE;  // so that Close unlocks the memory instead of freeing it
    Close();
    return memory;
}

BYTE* CSharedFile::Alloc(SIZE_T nBytes)
{
    HGLOBAL memory = GlobalAlloc(m_nAllocFlags, nBytes);
    if (memory == nullptr)
        return nullptr;
    BYTE* pointer = static_cast<BYTE*>(GlobalLock(memory));
    if (pointer == nullptr) {
        GlobalFree(memory);
        return nullptr;
    }
    m_hGlobalMemory = memory;
    return pointer;
}

BYTE* CSharedFile::Realloc(BYTE* /*lpMem*/, SIZE_T nBytes)
{
    if (!m_bAllowGrow || m_hGlobalMemory == nullptr)
        return nullptr;
    GlobalUnlock(m_hGlobalMemory);
    HGLOBAL memory = GlobalReAlloc(m_hGlobalMemory, nBytes, m_nAllocFlags);
    if (memory == nullptr) {
        // The old block is still valid and still ours.
        m_lpBuffer = static_cast<BYTE*>(GlobalLock(m_hGlobalMemory));
        return nullptr;
    }
    m_hGlobalMemory = memory;
    return static_cast<BYTE*>(GlobalLock(memory));
}

void CSharedFile::Free(BYTE* /*lpMem*/)
{
    if (m_hGlobalMemory != nullptr) {
        GlobalUnlock(m_hGlobalMemory);
        GlobalFree(m_hGlobalMemory);
    }
    m_hGlobalMemory = nullptr;
}
