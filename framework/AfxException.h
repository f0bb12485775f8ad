// The framework's exception classes, the AfxThrow functions and the TRY/CATCH macros.
//
// Exceptions are thrown as pointers. Whoever catches one either rethrows it or calls Delete()
// exactly once; the CATCH macros below do that Delete() at END_CATCH unless THROW_LAST() rethrew.
#pragma once

#include "framework/AfxObject.h"
#include "framework/AfxString.h"

class CException : public CObject
{
    DECLARE_DYNAMIC(CException)
public:
    explicit CException(BOOL bAutoDelete = TRUE) : m_bAutoDelete(bAutoDelete) {}

    // Frees a heap-allocated exception; does nothing for one that is not auto-deleted.
    void Delete();
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);

    BOOL m_bAutoDelete;

protected:
    // Copies text into a caller's buffer, always zero-terminated, truncating when it does not fit.
    static BOOL CopyMessage(const CString& text, LPTSTR lpszError, UINT nMaxError);
};

class CSimpleException : public CException
{
    DECLARE_DYNAMIC(CSimpleException)
public:
    CSimpleException() = default;
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

protected:
    virtual LPCTSTR DefaultMessage() const { return _T("An unsupported operation was attempted."); }
};

class CMemoryException : public CSimpleException
{
    DECLARE_DYNAMIC(CMemoryException)
protected:
    LPCTSTR DefaultMessage() const override { return _T("Out of memory."); }
};

class CNotSupportedException : public CSimpleException
{
    DECLARE_DYNAMIC(CNotSupportedException)
};

class CResourceException : public CSimpleException
{
    DECLARE_DYNAMIC(CResourceException)
protected:
    LPCTSTR DefaultMessage() const override { return _T("A required resource was unavailable."); }
};

class CInvalidArgException : public CSimpleException
{
    DECLARE_DYNAMIC(CInvalidArgException)
protected:
    LPCTSTR DefaultMessage() const override { return _T("Encountered an improper argument."); }
};

class CArchiveException : public CException
{
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema,
        bufferFull
    };

    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr)
        : m_cause(cause), m_strFileName(lpszArchiveName) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

class CFileException : public CException
{
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile
    };

    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszArchiveName = nullptr)
        : m_cause(cause), m_lOsError(lOsError), m_strFileName(lpszArchiveName) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    static int PASCAL OsErrorToException(LONG lOsError);
    static void PASCAL ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class COleException : public CException
{
    DECLARE_DYNAMIC(COleException)
public:
    explicit COleException(SCODE sc = S_OK) : m_sc(sc) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
    // The status code carried by any framework exception (E_FAIL and friends for the others).
    static SCODE PASCAL Process(const CException* pAnyException);

    SCODE m_sc;
};

class COleDispatchException : public CException
{
    DECLARE_DYNAMIC(COleDispatchException)
public:
    COleDispatchException(LPCTSTR lpszDescription, UINT nHelpID, WORD wCode)
        : m_wCode(wCode), m_strDescription(lpszDescription), m_dwHelpContext(nHelpID), m_scError(0) {}
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    WORD m_wCode;
    CString m_strDescription;
    DWORD m_dwHelpContext;
    CString m_strHelpFile;
    CString m_strSource;
    SCODE m_scError;
};

[[noreturn]] void AFXAPI AfxThrowMemoryException();
[[noreturn]] void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] void AFXAPI AfxThrowResourceException();
[[noreturn]] void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] void AFXAPI AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);
[[noreturn]] void AFXAPI AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);
[[noreturn]] void AFXAPI AfxThrowOleException(SCODE sc);
[[noreturn]] void AFXAPI AfxThrowOleDispatchException(WORD wCode, LPCTSTR lpszDescription, UINT nHelpID = 0);
[[noreturn]] void AFXAPI AfxThrowOleDispatchException(WORD wCode, UINT nDescriptionID, UINT nHelpID = (UINT)-1);

// Deletes a caught exception when its CATCH block ends, unless THROW_LAST() passed it on.
class CAfxExceptionGuard
{
public:
    explicit CAfxExceptionGuard(CException* e) : m_e(e) {}
    ~CAfxExceptionGuard()
    {
        if (m_e != nullptr)
            m_e->Delete();
    }
    void Release() { m_e = nullptr; }
    CAfxExceptionGuard(const CAfxExceptionGuard&) = delete;
    CAfxExceptionGuard& operator=(const CAfxExceptionGuard&) = delete;

private:
    CException* m_e;
};

#define TRY try {
#define CATCH(class_name, e) } catch (class_name* e) { CAfxExceptionGuard _afxGuard(e);
#define AND_CATCH(class_name, e) } catch (class_name* e) { CAfxExceptionGuard _afxGuard(e);
#define END_CATCH }
#define CATCH_ALL(e) } catch (CException* e) { CAfxExceptionGuard _afxGuard(e);
#define AND_CATCH_ALL(e) } catch (CException* e) { CAfxExceptionGuard _afxGuard(e);
#define END_CATCH_ALL }
#define END_TRY }
#define THROW(e) throw e
#define THROW_LAST() do { _afxGuard.Release(); throw; } while (0)
