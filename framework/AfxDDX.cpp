#include "framework/AfxDDX.h"

#include "framework/AfxAppUI.h"

#include <cerrno>
#include <climits>
#include <cwchar>
#include <cwctype>

IMPLEMENT_DYNAMIC(CUserException, CSimpleException)

void AFXAPI AfxThrowUserException()
{
    throw new CUserException;
}

CDataExchange::CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate)
    : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd)
{
}

HWND CDataExchange::PrepareCtrl(int nIDC)
{
    HWND hWndCtrl = nullptr;
    m_pDlgWnd->GetDlgItem(nIDC, &hWndCtrl);
    if (hWndCtrl == nullptr)
        AfxThrowNotSupportedException();  // a dialog without the control: a programming error
    m_hWndLastControl = hWndCtrl;
    m_bEditLastControl = FALSE;
    return hWndCtrl;
}

HWND CDataExchange::PrepareEditCtrl(int nIDC)
{
    HWND hWndCtrl = PrepareCtrl(nIDC);
    m_bEditLastControl = TRUE;
    return hWndCtrl;
}

void CDataExchange::Fail()
{
    if (!m_bSaveAndValidate)
        AfxThrowUserException();
    if (m_hWndLastControl != nullptr)
    {
        ::SetFocus(m_hWndLastControl);
        if (m_bEditLastControl)
            ::SendMessage(m_hWndLastControl, EM_SETSEL, 0, -1);
    }
    AfxThrowUserException();
}

namespace {

CString ControlText(HWND hWndCtrl)
{
    CString text;
    int nLen = ::GetWindowTextLength(hWndCtrl);
    ::GetWindowText(hWndCtrl, text.GetBufferSetLength(nLen), nLen + 1);
    text.ReleaseBuffer();
    return text;
}

// Reads a whole signed integer (surrounding blanks allowed) within [minValue, maxValue].
bool ParseSigned(LPCTSTR psz, long long minValue, long long maxValue, long long& result)
{
    while (iswspace(*psz))
        psz++;
    if (*psz == 0)
        return false;
    wchar_t* pEnd = nullptr;
    errno = 0;
    long long value = wcstoll(psz, &pEnd, 10);
    if (errno != 0 || pEnd == psz)
        return false;
    while (iswspace(*pEnd))
        pEnd++;
    if (*pEnd != 0 || value < minValue || value > maxValue)
        return false;
    result = value;
    return true;
}

bool ParseUnsigned(LPCTSTR psz, unsigned long long maxValue, unsigned long long& result)
{
    while (iswspace(*psz))
        psz++;
    if (*psz == 0 || *psz == L'-')
        return false;
    wchar_t* pEnd = nullptr;
    errno = 0;
    unsigned long long value = wcstoull(psz, &pEnd, 10);
    if (errno != 0 || pEnd == psz)
        return false;
    while (iswspace(*pEnd))
        pEnd++;
    if (*pEnd != 0 || value > maxValue)
        return false;
    result = value;
    return true;
}

template <class T>
void ExchangeSigned(CDataExchange* pDX, int nIDC, T& value, long long minValue, long long maxValue)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        long long parsed = 0;
        if (!ParseSigned(ControlText(hWndCtrl), minValue, maxValue, parsed))
        {
            AfxMessageBox(L"Please enter an integer.", MB_OK | MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = (T)parsed;
    }
    else
    {
        wchar_t buffer[32];
        swprintf(buffer, 32, L"%lld", (long long)value);
        ::SetWindowText(hWndCtrl, buffer);
    }
}

template <class T>
void ExchangeUnsigned(CDataExchange* pDX, int nIDC, T& value, unsigned long long maxValue)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        unsigned long long parsed = 0;
        if (!ParseUnsigned(ControlText(hWndCtrl), maxValue, parsed))
        {
            AfxMessageBox(L"Please enter a positive integer.", MB_OK | MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = (T)parsed;
    }
    else
    {
        wchar_t buffer[32];
        swprintf(buffer, 32, L"%llu", (unsigned long long)value);
        ::SetWindowText(hWndCtrl, buffer);
    }
}

template <class T>
void ExchangeFloat(CDataExchange* pDX, int nIDC, T& value, int nDigits)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        CString text = ControlText(hWndCtrl);
        LPCTSTR psz = text;
        while (iswspace(*psz))
            psz++;
        wchar_t* pEnd = nullptr;
        errno = 0;
        double parsed = wcstod(psz, &pEnd);
        while (pEnd != nullptr && iswspace(*pEnd))
            pEnd++;
        if (*psz == 0 || pEnd == psz || errno != 0 || *pEnd != 0)
        {
            AfxMessageBox(L"Please enter a number.", MB_OK | MB_ICONEXCLAMATION);
            pDX->Fail();
        }
        value = (T)parsed;
    }
    else
    {
        wchar_t buffer[64];
        swprintf(buffer, 64, L"%.*g", nDigits, (double)value);
        ::SetWindowText(hWndCtrl, buffer);
    }
}

[[noreturn]] void FailRange(CDataExchange* pDX, LPCTSTR lpszText)
{
    AfxMessageBox(lpszText, MB_OK | MB_ICONEXCLAMATION);
    pDX->Fail();
}

void CheckRange(CDataExchange* pDX, long long value, long long minVal, long long maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString text;
    text.Format(L"Enter an integer between %lld and %lld.", minVal, maxVal);
    FailRange(pDX, text);
}

} // namespace

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareEditCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = ControlText(hWndCtrl);
    else
        ::SetWindowText(hWndCtrl, value);
}

void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, int& value) { ExchangeSigned(pDX, nIDC, value, INT_MIN, INT_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, long& value) { ExchangeSigned(pDX, nIDC, value, LONG_MIN, LONG_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, short& value) { ExchangeSigned(pDX, nIDC, value, SHRT_MIN, SHRT_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, UINT& value) { ExchangeUnsigned(pDX, nIDC, value, UINT_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, DWORD& value) { ExchangeUnsigned(pDX, nIDC, value, ULONG_MAX); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, BYTE& value) { ExchangeUnsigned(pDX, nIDC, value, 255); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, double& value) { ExchangeFloat(pDX, nIDC, value, 15); }
void AFXAPI DDX_Text(CDataExchange* pDX, int nIDC, float& value) { ExchangeFloat(pDX, nIDC, value, 6); }

void AFXAPI DDX_Check(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = (int)::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0);
    else
    {
        if (value < 0 || value > 2)
            value = 0;  // an out-of-range state shows as unchecked
        ::SendMessage(hWndCtrl, BM_SETCHECK, (WPARAM)value, 0);
    }
}

void AFXAPI DDX_Radio(CDataExchange* pDX, int nIDC, int& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        value = -1;
    // The group runs from nIDC to the next control with WS_GROUP; only radio buttons count.
    int iButton = 0;
    do
    {
        if ((::SendMessage(hWndCtrl, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) != 0)
        {
            if (pDX->m_bSaveAndValidate)
            {
                if (::SendMessage(hWndCtrl, BM_GETCHECK, 0, 0) != 0)
                    value = iButton;
            }
            else
                ::SendMessage(hWndCtrl, BM_SETCHECK, iButton == value, 0);
            iButton++;
        }
        hWndCtrl = ::GetWindow(hWndCtrl, GW_HWNDNEXT);
    } while (hWndCtrl != nullptr && (::GetWindowLong(hWndCtrl, GWL_STYLE) & WS_GROUP) == 0);
}

void AFXAPI DDX_CBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWndCtrl, CB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_CBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        int nIndex = (int)::SendMessage(hWndCtrl, CB_GETCURSEL, 0, 0);
        if (nIndex != CB_ERR && (::GetWindowLong(hWndCtrl, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST)
        {
            int nLen = (int)::SendMessage(hWndCtrl, CB_GETLBTEXTLEN, (WPARAM)nIndex, 0);
            ::SendMessage(hWndCtrl, CB_GETLBTEXT, (WPARAM)nIndex, (LPARAM)value.GetBufferSetLength(nLen));
            value.ReleaseBuffer();
        }
        else
            value = ControlText(hWndCtrl);
    }
    else if (::SendMessage(hWndCtrl, CB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value) == CB_ERR)
        ::SetWindowText(hWndCtrl, value);
}

void AFXAPI DDX_LBIndex(CDataExchange* pDX, int nIDC, int& index)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
        index = (int)::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
    else
        ::SendMessage(hWndCtrl, LB_SETCURSEL, (WPARAM)index, 0);
}

void AFXAPI DDX_LBString(CDataExchange* pDX, int nIDC, CString& value)
{
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (pDX->m_bSaveAndValidate)
    {
        int nIndex = (int)::SendMessage(hWndCtrl, LB_GETCURSEL, 0, 0);
        if (nIndex == LB_ERR)
        {
            value.Empty();
            return;
        }
        int nLen = (int)::SendMessage(hWndCtrl, LB_GETTEXTLEN, (WPARAM)nIndex, 0);
        ::SendMessage(hWndCtrl, LB_GETTEXT, (WPARAM)nIndex, (LPARAM)value.GetBufferSetLength(nLen));
        value.ReleaseBuffer();
    }
    else
        ::SendMessage(hWndCtrl, LB_SELECTSTRING, (WPARAM)-1, (LPARAM)(LPCTSTR)value);
}

void AFXAPI DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd != nullptr)
        return;
    HWND hWndCtrl = pDX->PrepareCtrl(nIDC);
    if (!rControl.SubclassWindow(hWndCtrl))
        AfxThrowNotSupportedException();
}

void AFXAPI DDV_MaxChars(CDataExchange* pDX, const CString& value, int nChars)
{
    if (pDX->m_bSaveAndValidate && value.GetLength() > nChars)
    {
        CString text;
        text.Format(L"Enter no more than %d characters.", nChars);
        FailRange(pDX, text);
    }
    else if (!pDX->m_bSaveAndValidate && pDX->m_hWndLastControl != nullptr && pDX->m_bEditLastControl)
    {
        // Loading the value also limits what the user can type.
        ::SendMessage(pDX->m_hWndLastControl, EM_LIMITTEXT, (WPARAM)nChars, 0);
    }
}

void AFXAPI DDV_MinMaxInt(CDataExchange* pDX, int value, int minVal, int maxVal) { CheckRange(pDX, value, minVal, maxVal); }
void AFXAPI DDV_MinMaxLong(CDataExchange* pDX, long value, long minVal, long maxVal) { CheckRange(pDX, value, minVal, maxVal); }
void AFXAPI DDV_MinMaxShort(CDataExchange* pDX, short value, short minVal, short maxVal) { CheckRange(pDX, value, minVal, maxVal); }
void AFXAPI DDV_MinMaxByte(CDataExchange* pDX, BYTE value, BYTE minVal, BYTE maxVal) { CheckRange(pDX, value, minVal, maxVal); }
void AFXAPI DDV_MinMaxUInt(CDataExchange* pDX, UINT value, UINT minVal, UINT maxVal) { CheckRange(pDX, value, minVal, maxVal); }
void AFXAPI DDV_MinMaxDWord(CDataExchange* pDX, DWORD value, DWORD minVal, DWORD maxVal) { CheckRange(pDX, value, minVal, maxVal); }

void AFXAPI DDV_MinMaxDouble(CDataExchange* pDX, const double& value, double minVal, double maxVal)
{
    if (!pDX->m_bSaveAndValidate || (value >= minVal && value <= maxVal))
        return;
    CString text;
    text.Format(L"Enter a number between %g and %g.", minVal, maxVal);
    FailRange(pDX, text);
}

void AFXAPI DDV_MinMaxFloat(CDataExchange* pDX, const float& value, float minVal, float maxVal)
{
    DDV_MinMaxDouble(pDX, value, minVal, maxVal);
}

BOOL CWnd::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    // Controls changed by the exchange must not notify this window meanwhile.
    struct LockoutGuard
    {
        AFX_THREAD_WND_STATE* pState;
        HWND hWndOld;
        ~LockoutGuard() { pState->m_hLockoutNotifyWindow = hWndOld; }
    } guard{AfxGetThreadWndState(), AfxGetThreadWndState()->m_hLockoutNotifyWindow};
    guard.pState->m_hLockoutNotifyWindow = m_hWnd;
    try
    {
        DoDataExchange(&dx);
        return TRUE;
    }
    catch (CUserException* e)
    {
        e->Delete();
        return FALSE;
    }
}
