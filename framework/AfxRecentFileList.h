// CRecentFileList: a most-recently-used list of paths kept in a profile section.
#pragma once

#include "framework/AfxString.h"

#include <vector>

// Display length of recent-file names unless the list is given another.
#define AFX_ABBREV_FILENAME_LEN 30

class CRecentFileList
{
public:
    // nSize entries stored as lpszEntryFormat % (1-based index) in lpszSection of the profile.
    CRecentFileList(UINT nStart, LPCTSTR lpszSection, LPCTSTR lpszEntryFormat, int nSize,
                    int nMaxDispLen = AFX_ABBREV_FILENAME_LEN);
    virtual ~CRecentFileList() = default;
    CRecentFileList(const CRecentFileList&) = delete;
    CRecentFileList& operator=(const CRecentFileList&) = delete;

    int GetSize() const { return m_nSize; }
    // Out-of-range indices reach a shared empty string that reads as "no entry".
    CString& operator[](int nIndex);

    // Puts the full path at the top; an entry for the same file (any case) moves up instead.
    virtual void Add(LPCTSTR lpszPathName);
    virtual void Remove(int nIndex);
    // The entry as shown in a menu: the name alone when it lies in lpszCurDir, else abbreviated
    // to the display length. FALSE for an empty entry.
    virtual BOOL GetDisplayName(CString& strName, int nIndex, LPCTSTR lpszCurDir, int nCurDir,
                                BOOL bAtLeastName = TRUE) const;
    virtual void ReadList();
    virtual void WriteList();

    CString* m_arrNames;  // m_nSize entries
    CString m_strSectionName;
    CString m_strEntryFormat;
    UINT m_nStart;
    int m_nSize;
    int m_nMaxDisplayLength;
    CString m_strOriginal;

private:
    std::vector<CString> m_names;
    CString m_outOfRange;
};

// Shortens a full path to at most cchMax characters as "C:\dir\...\sub\name.ext"; when even that
// does not fit, the file name alone (or nothing, when bAtLeastName is FALSE and the name is too long).
CString AFXAPI AfxAbbreviateName(const CString& path, int cchMax, BOOL bAtLeastName);
