#pragma once
// The toolkit's one way to the registry: one key under the current user's root (or the machine's
// in administrator mode), values of every kind the toolkit stores, objects and containers in
// their archive form. Used on the user-interface thread only.
//
// Every operation returns FALSE on failure and keeps the Windows error as the last result.
// A read-only object refuses every write, CreateKey and DeleteKey; reads, Open and KeyExists work.
// Values are untrusted: a read that finds a missing, short or damaged value returns FALSE and
// leaves the caller's variable as it was (a missing string value empties the string), and no
// exception leaves a read or a write.

#include "framework/Afx.h"

#include <functional>
#include <memory>

// "SOFTWARE\<registry key>\<profile name>\<section>\" of the running application, or lpszPath
// unchanged when it is given and not empty. The result always ends with a backslash.
CString GetRegistryPath(LPCTSTR lpszSection, LPCTSTR lpszPath = nullptr);

// The key of a manager that keeps its state below the workspace's path: lpszPath + lpszSection +
// "\" when lpszPath is given and not empty, else GetRegistryPath (lpszSection).
CString GetSubsectionRegistryPath(LPCTSTR lpszSection, LPCTSTR lpszPath = nullptr);

class CKTRegistry : public CObject
{
    DECLARE_DYNCREATE(CKTRegistry)
public:
    CKTRegistry(BOOL bAdmin, BOOL bReadOnly);
    ~CKTRegistry() override;

    virtual BOOL ListValueNames(CStringArray& names);
    virtual BOOL KeyExists(LPCTSTR lpszPath);
    virtual BOOL ValueExists(LPCTSTR lpszName);
    // Creates or opens the key under the current key; it becomes the current key.
    virtual BOOL CreateKey(LPCTSTR lpszPath);
    // Opens an existing key under the current key; it becomes the current key.
    virtual BOOL Open(LPCTSTR lpszPath);
    virtual void Close();
    virtual BOOL DeleteValue(LPCTSTR lpszName);
    // Deletes the key and everything below it, under the root that bAdmin chooses.
    virtual BOOL DeleteKey(LPCTSTR lpszPath, BOOL bAdmin = FALSE);

    virtual BOOL Write(LPCTSTR lpszName, CObject* pObject);
    virtual BOOL Write(LPCTSTR lpszName, CObject& object);
    virtual BOOL Write(LPCTSTR lpszName, CObList& list);
    virtual BOOL Write(LPCTSTR lpszName, LPBYTE pData, UINT nBytes);
    virtual BOOL Write(LPCTSTR lpszName, const CPoint& point);
    virtual BOOL Write(LPCTSTR lpszName, const CRect& rect);
    virtual BOOL Write(LPCTSTR lpszName, CWordArray& values);
    virtual BOOL Write(LPCTSTR lpszName, CByteArray& values);
    virtual BOOL Write(LPCTSTR lpszName, CDWordArray& values);
    virtual BOOL Write(LPCTSTR lpszName, CStringArray& values);
    virtual BOOL Write(LPCTSTR lpszName, CStringList& values);
    virtual BOOL Write(LPCTSTR lpszName, LPCTSTR lpszValue);
    virtual BOOL Write(LPCTSTR lpszName, DWORD dwValue);
    virtual BOOL Write(LPCTSTR lpszName, int nValue);

    // Creates the stored object; the caller owns it.
    virtual BOOL Read(LPCTSTR lpszName, CObject*& pObject);
    virtual BOOL Read(LPCTSTR lpszName, CObject& object);
    // Replaces the list's objects (deleting the old ones) only when the whole list was read.
    virtual BOOL Read(LPCTSTR lpszName, CObList& list);
    // Allocates *ppData (free it with delete[]); on failure *ppData is null and *pBytes 0.
    virtual BOOL Read(LPCTSTR lpszName, BYTE** ppData, UINT* pBytes);
    virtual BOOL Read(LPCTSTR lpszName, CRect& rect);
    virtual BOOL Read(LPCTSTR lpszName, CPoint& point);
    virtual BOOL Read(LPCTSTR lpszName, CByteArray& values);
    virtual BOOL Read(LPCTSTR lpszName, CWordArray& values);
    virtual BOOL Read(LPCTSTR lpszName, CDWordArray& values);
    virtual BOOL Read(LPCTSTR lpszName, CStringArray& values);
    virtual BOOL Read(LPCTSTR lpszName, CStringList& values);
    virtual BOOL Read(LPCTSTR lpszName, CString& value);
    virtual BOOL Read(LPCTSTR lpszName, DWORD& dwValue);
    virtual BOOL Read(LPCTSTR lpszName, int& nValue);

    virtual BOOL ListSubKeyNames(CStringArray& names);

    LONG GetLastResult() const { return m_lastResult; }
    HKEY GetCurrentKey() const { return m_hKey; }
    BOOL IsReadOnly() const { return m_bReadOnly; }
    BOOL IsAdmin() const { return m_bAdmin; }

protected:
    CKTRegistry();

    LONG m_lastResult = ERROR_SUCCESS;
    DWORD m_lastType = 0;
    DWORD m_lastSize = 0;
    HKEY m_hKey = HKEY_CURRENT_USER;
    BOOL m_bAdmin = FALSE;
    CString m_strKeyPath;
    BOOL m_bReadOnly = FALSE;
    DWORD m_dwUserData = 0;

private:
    friend class CKTRegistryFactory;

    REGSAM Access() const { return m_bReadOnly ? KEY_READ : KEY_ALL_ACCESS; }
    HKEY Root() const { return m_bAdmin ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER; }
    void ReplaceCurrentKey(HKEY hKey);
    BOOL RefuseWhenReadOnly();
    // Stores the object (with its class when bWithClass) into archive bytes and writes them.
    BOOL WriteArchived(LPCTSTR lpszName, CObject* pObject, BOOL bWithClass);
    // The value's bytes, owned by data; FALSE (data empty) when it cannot be read.
    BOOL ReadBytes(LPCTSTR lpszName, std::unique_ptr<BYTE[]>& data, UINT& nBytes);
    // Runs load over an archive of the value's bytes; FALSE on any fault of the value, and no
    // exception leaves.
    BOOL ReadArchive(LPCTSTR lpszName, const std::function<void(CArchive&)>& load);
    // Reads the value's bytes and loads target from them; FALSE on any fault of the value.
    BOOL LoadArchived(LPCTSTR lpszName, CObject& target);
    // Loads a copy first, so that a damaged value leaves the caller's array as it was.
    template <class Array>
    BOOL ReadArray(LPCTSTR lpszName, Array& values);
    BOOL RefuseData();
};

// Holds the registry object of one load or save and deletes it when it goes out of scope.
class CKTRegistryFactory
{
public:
    CKTRegistryFactory() = default;
    ~CKTRegistryFactory();
    CKTRegistryFactory(const CKTRegistryFactory&) = delete;
    CKTRegistryFactory& operator=(const CKTRegistryFactory&) = delete;

    // The holder's registry object, made on the first call with these flags; later calls hand
    // the same object back without changing its flags.
    CKTRegistry& Create(BOOL bAdmin, BOOL bReadOnly);

    // Lets an application substitute a subclass of CKTRegistry for every factory; FALSE (and
    // nothing changed) for a class that does not derive from it. Null restores the plain class.
    static BOOL SetRegistryClass(CRuntimeClass* pClass);

private:
    CKTRegistry* m_pRegistry = nullptr;
    DWORD m_dwUserData = 0;
};
