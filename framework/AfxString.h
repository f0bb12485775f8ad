// CString: a wide-character string with the framework's members.
#pragma once

#include "framework/AfxDefs.h"

#include <cstdarg>
#include <string>

class CString;
inline LPCWSTR AfxVarArg(const CString& s);
template <typename T> inline const T& AfxVarArg(const T& value);

class CString
{
public:
    CString() = default;
    CString(const CString&) = default;
    CString(CString&&) noexcept = default;
    CString(LPCWSTR psz);
    CString(LPCWSTR pch, int nLength);
    CString(LPCSTR psz);  // converted from the ANSI code page
    CString(LPCSTR pch, int nLength);
    CString(wchar_t ch, int nRepeat = 1);
    explicit CString(const std::wstring& s) : m_str(s) {}

    CString& operator=(const CString&) = default;
    CString& operator=(CString&&) noexcept = default;
    CString& operator=(LPCWSTR psz);
    CString& operator=(LPCSTR psz);
    CString& operator=(wchar_t ch);

    int GetLength() const { return static_cast<int>(m_str.size()); }
    BOOL IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    wchar_t GetAt(int nIndex) const;
    void SetAt(int nIndex, wchar_t ch);
    wchar_t operator[](int nIndex) const { return GetAt(nIndex); }
    operator LPCWSTR() const { return m_str.c_str(); }
    LPCWSTR GetString() const { return m_str.c_str(); }
    const std::wstring& str() const { return m_str; }

    CString& operator+=(const CString& s);
    CString& operator+=(LPCWSTR psz);
    CString& operator+=(LPCSTR psz);
    CString& operator+=(wchar_t ch);
    void Append(LPCWSTR psz);
    void Append(LPCWSTR pch, int nLength);
    void AppendChar(wchar_t ch) { m_str.push_back(ch); }

    int Compare(LPCWSTR psz) const;
    int CompareNoCase(LPCWSTR psz) const;
    int Collate(LPCWSTR psz) const;
    int CollateNoCase(LPCWSTR psz) const;

    CString Left(int nCount) const;
    CString Mid(int nFirst) const;
    CString Mid(int nFirst, int nCount) const;
    CString Right(int nCount) const;
    CString SpanIncluding(LPCWSTR pszCharSet) const;
    CString SpanExcluding(LPCWSTR pszCharSet) const;
    CString Tokenize(LPCWSTR pszTokens, int& iStart) const;

    int Find(wchar_t ch, int nStart = 0) const;
    int Find(LPCWSTR pszSub, int nStart = 0) const;
    int ReverseFind(wchar_t ch) const;
    int FindOneOf(LPCWSTR pszCharSet) const;

    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    int Replace(wchar_t chOld, wchar_t chNew);
    int Replace(LPCWSTR pszOld, LPCWSTR pszNew);
    int Remove(wchar_t ch);
    int Insert(int nIndex, wchar_t ch);
    int Insert(int nIndex, LPCWSTR psz);
    int Delete(int nIndex, int nCount = 1);
    CString& Trim();
    CString& Trim(wchar_t ch);
    CString& Trim(LPCWSTR pszTargets);
    CString& TrimLeft();
    CString& TrimLeft(wchar_t ch);
    CString& TrimLeft(LPCWSTR pszTargets);
    CString& TrimRight();
    CString& TrimRight(wchar_t ch);
    CString& TrimRight(LPCWSTR pszTargets);

    // printf-style formatting; %s takes a wide string, %S a narrow one. A CString argument is
    // passed as its text (a C variable argument list could not carry the object itself).
    template <typename... Args> void Format(LPCWSTR pszFormat, const Args&... args)
    {
        FormatArgs(pszFormat, AfxVarArg(args)...);
    }
    template <typename... Args> void Format(UINT nFormatID, const Args&... args)
    {
        FormatIdArgs(nFormatID, AfxVarArg(args)...);
    }
    template <typename... Args> void AppendFormat(LPCWSTR pszFormat, const Args&... args)
    {
        AppendFormatArgs(pszFormat, AfxVarArg(args)...);
    }
    void FormatV(LPCWSTR pszFormat, va_list args);
    void AppendFormatV(LPCWSTR pszFormat, va_list args);

    // Loads a string table entry of the resource module; FALSE (and empty) when missing.
    BOOL LoadString(UINT nID);
    BOOL LoadString(HINSTANCE hInstance, UINT nID);

    // The buffer holds at least nMinBufLength characters plus a terminating zero.
    LPWSTR GetBuffer(int nMinBufLength);
    LPWSTR GetBuffer();
    LPWSTR GetBufferSetLength(int nNewLength);
    // Ends buffer access; -1 takes the length up to the first zero.
    void ReleaseBuffer(int nNewLength = -1);
    void ReleaseBufferSetLength(int nNewLength) { ReleaseBuffer(nNewLength); }
    void Preallocate(int nLength);
    void FreeExtra() { m_str.shrink_to_fit(); }

    BSTR AllocSysString() const;
    BSTR SetSysString(BSTR* pbstr) const;

    friend CString operator+(const CString& a, const CString& b);
    friend CString operator+(const CString& a, LPCWSTR b);
    friend CString operator+(LPCWSTR a, const CString& b);
    friend CString operator+(const CString& a, wchar_t b);
    friend CString operator+(wchar_t a, const CString& b);

private:
    void AFX_CDECL FormatArgs(LPCWSTR pszFormat, ...);
    void AFX_CDECL FormatIdArgs(UINT nFormatID, ...);
    void AFX_CDECL AppendFormatArgs(LPCWSTR pszFormat, ...);

    std::wstring m_str;
};

// How an argument travels through a C variable argument list: strings as their text.
inline LPCWSTR AfxVarArg(const CString& s) { return s.GetString(); }
template <typename T> inline const T& AfxVarArg(const T& value) { return value; }

inline bool operator==(const CString& a, const CString& b) { return a.str() == b.str(); }
inline bool operator==(const CString& a, LPCWSTR b) { return a.Compare(b) == 0; }
inline bool operator==(LPCWSTR a, const CString& b) { return b.Compare(a) == 0; }
inline bool operator!=(const CString& a, const CString& b) { return !(a == b); }
inline bool operator!=(const CString& a, LPCWSTR b) { return !(a == b); }
inline bool operator!=(LPCWSTR a, const CString& b) { return !(a == b); }
inline bool operator<(const CString& a, const CString& b) { return a.Compare(b) < 0; }
inline bool operator<(const CString& a, LPCWSTR b) { return a.Compare(b) < 0; }
inline bool operator>(const CString& a, const CString& b) { return a.Compare(b) > 0; }
inline bool operator>(const CString& a, LPCWSTR b) { return a.Compare(b) > 0; }
inline bool operator<=(const CString& a, const CString& b) { return a.Compare(b) <= 0; }
inline bool operator<=(const CString& a, LPCWSTR b) { return a.Compare(b) <= 0; }
inline bool operator>=(const CString& a, const CString& b) { return a.Compare(b) >= 0; }
inline bool operator>=(const CString& a, LPCWSTR b) { return a.Compare(b) >= 0; }

// The module whose string table and other resources the framework loads from.
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);
HINSTANCE AFXAPI AfxGetInstanceHandle();
