#include "framework/AfxString.h"

#include <oleauto.h>

#include <algorithm>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <vector>

namespace {

std::wstring WidenAnsi(LPCSTR pch, int nLength)
{
    if (pch == nullptr || nLength <= 0)
        return std::wstring();
    int needed = MultiByteToWideChar(CP_ACP, 0, pch, nLength, nullptr, 0);
    if (needed <= 0)
        return std::wstring();
    std::wstring result(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(CP_ACP, 0, pch, nLength, &result[0], needed);
    return result;
}

int ClampCount(int nCount, int nMax)
{
    return (std::max)(0, (std::min)(nCount, nMax));
}

bool InSet(LPCWSTR pszSet, wchar_t ch)
{
    return pszSet != nullptr && ch != 0 && std::wcschr(pszSet, ch) != nullptr;
}

int Sign(int n)
{
    return (n > 0) - (n < 0);
}

HINSTANCE g_resourceHandle = nullptr;

} // namespace

HINSTANCE AFXAPI AfxGetInstanceHandle()
{
    return GetModuleHandleW(nullptr);
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    return g_resourceHandle != nullptr ? g_resourceHandle : AfxGetInstanceHandle();
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_resourceHandle = hInstResource;
}

CString::CString(LPCWSTR psz) : m_str(psz != nullptr ? psz : L"") {}

CString::CString(LPCWSTR pch, int nLength)
{
    if (pch != nullptr && nLength > 0)
        m_str.assign(pch, static_cast<size_t>(nLength));
}

CString::CString(LPCSTR psz)
    : m_str(psz != nullptr ? WidenAnsi(psz, static_cast<int>(std::strlen(psz))) : std::wstring())
{
}

CString::CString(LPCSTR pch, int nLength) : m_str(WidenAnsi(pch, nLength)) {}

CString::CString(wchar_t ch, int nRepeat)
{
    if (nRepeat > 0)
        m_str.assign(static_cast<size_t>(nRepeat), ch);
}

CString& CString::operator=(LPCWSTR psz)
{
    // psz may point into this string.
    m_str = std::wstring(psz != nullptr ? psz : L"");
    return *this;
}

CString& CString::operator=(LPCSTR psz)
{
    *this = CString(psz);
    return *this;
}

CString& CString::operator=(wchar_t ch)
{
    m_str.assign(1, ch);
    return *this;
}

wchar_t CString::GetAt(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetLength())
        return 0;
    return m_str[static_cast<size_t>(nIndex)];
}

void CString::SetAt(int nIndex, wchar_t ch)
{
    if (nIndex >= 0 && nIndex < GetLength())
        m_str[static_cast<size_t>(nIndex)] = ch;
}

CString& CString::operator+=(const CString& s)
{
    m_str += s.m_str;
    return *this;
}

CString& CString::operator+=(LPCWSTR psz)
{
    Append(psz);
    return *this;
}

CString& CString::operator+=(LPCSTR psz)
{
    m_str += CString(psz).m_str;
    return *this;
}

CString& CString::operator+=(wchar_t ch)
{
    m_str.push_back(ch);
    return *this;
}

void CString::Append(LPCWSTR psz)
{
    if (psz != nullptr)
        m_str += std::wstring(psz);
}

void CString::Append(LPCWSTR pch, int nLength)
{
    if (pch != nullptr && nLength > 0)
        m_str += std::wstring(pch, static_cast<size_t>(nLength));
}

int CString::Compare(LPCWSTR psz) const
{
    return Sign(std::wcscmp(m_str.c_str(), psz != nullptr ? psz : L""));
}

int CString::CompareNoCase(LPCWSTR psz) const
{
    return Sign(_wcsicmp(m_str.c_str(), psz != nullptr ? psz : L""));
}

int CString::Collate(LPCWSTR psz) const
{
    return CompareStringW(LOCALE_USER_DEFAULT, 0, m_str.c_str(), -1, psz != nullptr ? psz : L"", -1) - 2;
}

int CString::CollateNoCase(LPCWSTR psz) const
{
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, m_str.c_str(), -1,
                          psz != nullptr ? psz : L"", -1) - 2;
}

CString CString::Left(int nCount) const
{
    return CString(m_str.substr(0, static_cast<size_t>(ClampCount(nCount, GetLength()))));
}

CString CString::Mid(int nFirst) const
{
    return Mid(nFirst, GetLength());
}

CString CString::Mid(int nFirst, int nCount) const
{
    int first = ClampCount(nFirst, GetLength());
    int count = ClampCount(nCount, GetLength() - first);
    return CString(m_str.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Right(int nCount) const
{
    int count = ClampCount(nCount, GetLength());
    return CString(m_str.substr(static_cast<size_t>(GetLength() - count)));
}

CString CString::SpanIncluding(LPCWSTR pszCharSet) const
{
    int n = 0;
    while (n < GetLength() && InSet(pszCharSet, m_str[static_cast<size_t>(n)]))
        ++n;
    return Left(n);
}

CString CString::SpanExcluding(LPCWSTR pszCharSet) const
{
    int n = 0;
    while (n < GetLength() && !InSet(pszCharSet, m_str[static_cast<size_t>(n)]))
        ++n;
    return Left(n);
}

CString CString::Tokenize(LPCWSTR pszTokens, int& iStart) const
{
    if (iStart < 0 || iStart >= GetLength()) {
        iStart = -1;
        return CString();
    }
    int first = iStart;
    while (first < GetLength() && InSet(pszTokens, m_str[static_cast<size_t>(first)]))
        ++first;
    if (first >= GetLength()) {
        iStart = -1;
        return CString();
    }
    int end = first;
    while (end < GetLength() && !InSet(pszTokens, m_str[static_cast<size_t>(end)]))
        ++end;
    iStart = end + 1;
    return Mid(first, end - first);
}

int CString::Find(wchar_t ch, int nStart) const
{
    if (nStart < 0 || nStart >= GetLength())
        return -1;
    size_t pos = m_str.find(ch, static_cast<size_t>(nStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::Find(LPCWSTR pszSub, int nStart) const
{
    if (pszSub == nullptr || nStart < 0 || nStart > GetLength())
        return -1;
    size_t pos = m_str.find(pszSub, static_cast<size_t>(nStart));
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::ReverseFind(wchar_t ch) const
{
    size_t pos = m_str.rfind(ch);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

int CString::FindOneOf(LPCWSTR pszCharSet) const
{
    if (pszCharSet == nullptr)
        return -1;
    size_t pos = m_str.find_first_of(pszCharSet);
    return pos == std::wstring::npos ? -1 : static_cast<int>(pos);
}

CString& CString::MakeUpper()
{
    if (!m_str.empty())
        CharUpperBuffW(&m_str[0], static_cast<DWORD>(m_str.size()));
    return *this;
}

CString& CString::MakeLower()
{
    if (!m_str.empty())
        CharLowerBuffW(&m_str[0], static_cast<DWORD>(m_str.size()));
    return *this;
}

CString& CString::MakeReverse()
{
    std::reverse(m_str.begin(), m_str.end());
    return *this;
}

int CString::Replace(wchar_t chOld, wchar_t chNew)
{
    int count = 0;
    for (wchar_t& c : m_str) {
        if (c == chOld) {
            c = chNew;
            ++count;
        }
    }
    return count;
}

int CString::Replace(LPCWSTR pszOld, LPCWSTR pszNew)
{
    if (pszOld == nullptr || *pszOld == 0)
        return 0;
    const std::wstring oldText(pszOld);
    const std::wstring newText(pszNew != nullptr ? pszNew : L"");
    std::wstring result;
    int count = 0;
    size_t from = 0;
    for (size_t pos; (pos = m_str.find(oldText, from)) != std::wstring::npos; from = pos + oldText.size()) {
        result.append(m_str, from, pos - from);
        result += newText;
        ++count;
    }
    if (count > 0) {
        result.append(m_str, from, std::wstring::npos);
        m_str.swap(result);
    }
    return count;
}

int CString::Remove(wchar_t ch)
{
    size_t before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
    return static_cast<int>(before - m_str.size());
}

int CString::Insert(int nIndex, wchar_t ch)
{
    m_str.insert(static_cast<size_t>(ClampCount(nIndex, GetLength())), 1, ch);
    return GetLength();
}

int CString::Insert(int nIndex, LPCWSTR psz)
{
    if (psz != nullptr)
        m_str.insert(static_cast<size_t>(ClampCount(nIndex, GetLength())), std::wstring(psz));
    return GetLength();
}

int CString::Delete(int nIndex, int nCount)
{
    int first = ClampCount(nIndex, GetLength());
    int count = ClampCount(nCount, GetLength() - first);
    m_str.erase(static_cast<size_t>(first), static_cast<size_t>(count));
    return GetLength();
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(wchar_t ch)
{
    return TrimRight(ch).TrimLeft(ch);
}

CString& CString::Trim(LPCWSTR pszTargets)
{
    return TrimRight(pszTargets).TrimLeft(pszTargets);
}

CString& CString::TrimLeft()
{
    size_t n = 0;
    while (n < m_str.size() && std::iswspace(m_str[n]))
        ++n;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimLeft(wchar_t ch)
{
    wchar_t set[2] = {ch, 0};
    return TrimLeft(set);
}

CString& CString::TrimLeft(LPCWSTR pszTargets)
{
    size_t n = 0;
    while (n < m_str.size() && InSet(pszTargets, m_str[n]))
        ++n;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimRight()
{
    while (!m_str.empty() && std::iswspace(m_str.back()))
        m_str.pop_back();
    return *this;
}

CString& CString::TrimRight(wchar_t ch)
{
    wchar_t set[2] = {ch, 0};
    return TrimRight(set);
}

CString& CString::TrimRight(LPCWSTR pszTargets)
{
    while (!m_str.empty() && InSet(pszTargets, m_str.back()))
        m_str.pop_back();
    return *this;
}

void CString::AppendFormatV(LPCWSTR pszFormat, va_list args)
{
    if (pszFormat == nullptr)
        return;
    va_list counting;
    va_copy(counting, args);
    int needed = _vscwprintf(pszFormat, counting);
    va_end(counting);
    if (needed <= 0)
        return;
    std::vector<wchar_t> buffer(static_cast<size_t>(needed) + 1);
    _vsnwprintf(buffer.data(), buffer.size(), pszFormat, args);
    buffer.back() = 0;
    m_str.append(buffer.data(), static_cast<size_t>(needed));
}

void CString::FormatV(LPCWSTR pszFormat, va_list args)
{
    // The arguments may refer to this very string.
    CString result;
    result.AppendFormatV(pszFormat, args);
    m_str.swap(result.m_str);
}

void AFX_CDECL CString::FormatArgs(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    FormatV(pszFormat, args);
    va_end(args);
}

void AFX_CDECL CString::FormatIdArgs(UINT nFormatID, ...)
{
    CString format;
    format.LoadString(nFormatID);
    va_list args;
    va_start(args, nFormatID);
    FormatV(format, args);
    va_end(args);
}

void AFX_CDECL CString::AppendFormatArgs(LPCWSTR pszFormat, ...)
{
    va_list args;
    va_start(args, pszFormat);
    CString formatted;
    formatted.FormatV(pszFormat, args);
    va_end(args);
    m_str += formatted.m_str;
}

BOOL CString::LoadString(UINT nID)
{
    return LoadString(AfxGetResourceHandle(), nID);
}

BOOL CString::LoadString(HINSTANCE hInstance, UINT nID)
{
    // String table entries are at most 65535 characters; grow until the text fits.
    for (int size = 256; size <= 65536; size *= 4) {
        std::vector<wchar_t> buffer(static_cast<size_t>(size));
        int length = ::LoadStringW(hInstance, nID, buffer.data(), size);
        if (length <= 0) {
            Empty();
            return FALSE;
        }
        if (length < size - 1) {
            m_str.assign(buffer.data(), static_cast<size_t>(length));
            return TRUE;
        }
    }
    Empty();
    return FALSE;
}

LPWSTR CString::GetBuffer(int nMinBufLength)
{
    if (nMinBufLength > GetLength())
        m_str.resize(static_cast<size_t>(nMinBufLength));
    return &m_str[0];
}

LPWSTR CString::GetBuffer()
{
    return &m_str[0];
}

LPWSTR CString::GetBufferSetLength(int nNewLength)
{
    m_str.resize(static_cast<size_t>((std::max)(0, nNewLength)));
    return &m_str[0];
}

void CString::ReleaseBuffer(int nNewLength)
{
    size_t length;
    if (nNewLength < 0)
        length = std::wcslen(m_str.c_str());  // bounded: the string always ends with a zero
    else
        length = (std::min)(static_cast<size_t>(nNewLength), m_str.size());
    m_str.resize(length);
}

void CString::Preallocate(int nLength)
{
    if (nLength > 0)
        m_str.reserve(static_cast<size_t>(nLength));
}

BSTR CString::AllocSysString() const
{
    return SysAllocStringLen(m_str.c_str(), static_cast<UINT>(m_str.size()));
}

BSTR CString::SetSysString(BSTR* pbstr) const
{
    SysReAllocStringLen(pbstr, m_str.c_str(), static_cast<UINT>(m_str.size()));
    return *pbstr;
}

CString operator+(const CString& a, const CString& b)
{
    return CString(a.m_str + b.m_str);
}

CString operator+(const CString& a, LPCWSTR b)
{
    CString result(a);
    result.Append(b);
    return result;
}

CString operator+(LPCWSTR a, const CString& b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(const CString& a, wchar_t b)
{
    CString result(a);
    result += b;
    return result;
}

CString operator+(wchar_t a, const CString& b)
{
    CString result(a, 1);
    result += b;
    return result;
}
