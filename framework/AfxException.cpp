#include "framework/AfxException.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CArchiveException, CException)
IMPLEMENT_DYNAMIC(CFileException, CException)
IMPLEMENT_DYNAMIC(COleException, CException)
IMPLEMENT_DYNAMIC(COleDispatchException, CException)

namespace {

CString WithFileName(LPCTSTR text, const CString& fileName)
{
    CString result(text);
    if (!fileName.IsEmpty())
        result += _T(" (") + fileName + _T(")");
    return result;
}

// The text of a cause code (an unknown code reads as the generic cause 1), with the file name.
template <size_t N> CString CauseText(const LPCTSTR (&texts)[N], int cause, const CString& fileName)
{
    return WithFileName(texts[(cause >= 0 && cause < static_cast<int>(N)) ? cause : 1], fileName);
}

CString SystemMessage(DWORD code)
{
    LPWSTR buffer = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    CString text;
    if (length > 0 && buffer != nullptr)
        text = CString(buffer, static_cast<int>(length)).TrimRight();
    if (buffer != nullptr)
        LocalFree(buffer);
    if (text.IsEmpty())
        text.Format(_T("Error 0x%08lX."), static_cast<unsigned long>(code));
    return text;
}

} // namespace

void CException::Delete()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CException::CopyMessage(const CString& text, LPTSTR lpszError, UINT nMaxError)
{
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    lstrcpynW(lpszError, text, static_cast<int>(nMaxError));
    return TRUE;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError != nullptr && nMaxError > 0)
        *lpszError = 0;
    return FALSE;
}

int CException::ReportError(UINT nType, UINT nMessageID)
{
    TCHAR text[512];
    CString message;
    if (GetErrorMessage(text, _countof(text)))
        message = text;
    else if (nMessageID != 0)
        message.LoadString(nMessageID);
    if (message.IsEmpty())
        message = _T("An unexpected error occurred.");
    return MessageBoxW(GetActiveWindow(), message, nullptr, nType);
}

BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    return CopyMessage(DefaultMessage(), lpszError, nMaxError);
}

BOOL CArchiveException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const LPCTSTR texts[] = {
        _T("No error occurred."),
        _T("An unknown error occurred while accessing the archive."),
        _T("An attempt was made to write to an archive opened for loading."),
        _T("An unexpected end of file was found while reading the archive."),
        _T("An attempt was made to read from an archive opened for storing."),
        _T("The archive has an invalid format."),
        _T("The archive contains an unexpected object."),
        _T("The archive contains an incompatible schema."),
        _T("The archive's buffer is full."),
    };
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    return CopyMessage(CauseText(texts, m_cause, m_strFileName), lpszError, nMaxError);
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    static const LPCTSTR texts[] = {
        _T("No error occurred."),
        _T("An unknown error occurred while accessing the file."),
        _T("The file could not be found."),
        _T("The path is invalid."),
        _T("Too many files are open."),
        _T("Access to the file was denied."),
        _T("An invalid file handle was used."),
        _T("The current working directory cannot be removed."),
        _T("The directory is full."),
        _T("A seek error occurred on the file."),
        _T("A hardware I/O error occurred."),
        _T("A sharing violation occurred."),
        _T("A locking violation occurred."),
        _T("The disk is full."),
        _T("An attempt was made to access beyond the end of the file."),
    };
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    return CopyMessage(CauseText(texts, m_cause, m_strFileName), lpszError, nMaxError);
}

int PASCAL CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_DRIVE:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_NAME:
    case ERROR_FILENAME_EXCED_RANGE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_ALREADY_EXISTS:
    case ERROR_FILE_EXISTS: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_CRC:
    case ERROR_READ_FAULT:
    case ERROR_WRITE_FAULT:
    case ERROR_GEN_FAILURE: return hardIO;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

void PASCAL CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

BOOL COleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    return CopyMessage(SystemMessage(static_cast<DWORD>(m_sc)), lpszError, nMaxError);
}

SCODE PASCAL COleException::Process(const CException* pAnyException)
{
    if (pAnyException == nullptr)
        return E_UNEXPECTED;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleException)))
        return static_cast<const COleException*>(pAnyException)->m_sc;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CMemoryException)))
        return E_OUTOFMEMORY;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(CNotSupportedException)))
        return E_NOTIMPL;
    if (pAnyException->IsKindOf(RUNTIME_CLASS(COleDispatchException)))
        return DISP_E_EXCEPTION;
    return E_UNEXPECTED;
}

BOOL COleDispatchException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = m_dwHelpContext;
    if (m_strDescription.IsEmpty())
        return CopyMessage(SystemMessage(static_cast<DWORD>(m_scError != 0 ? m_scError : DISP_E_EXCEPTION)),
                           lpszError, nMaxError);
    return CopyMessage(m_strDescription, lpszError, nMaxError);
}

void AFXAPI AfxThrowMemoryException()
{
    throw new CMemoryException;
}

void AFXAPI AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AFXAPI AfxThrowResourceException()
{
    throw new CResourceException;
}

void AFXAPI AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}

void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName)
{
    throw new CArchiveException(cause, lpszArchiveName);
}

void AFXAPI AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}

void AFXAPI AfxThrowOleException(SCODE sc)
{
    throw new COleException(sc);
}

void AFXAPI AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID)
{
    throw new COleDispatchException(lpszDescription, nHelpID, wCode);
}

void AFXAPI AfxThrowOleDispatchException(WORD wCode, UINT nDescriptionID, UINT nHelpID)
{
    CString description;
    description.LoadString(nDescriptionID);
    throw new COleDispatchException(description, nHelpID == (UINT)-1 ? nDescriptionID : nHelpID, wCode);
}
