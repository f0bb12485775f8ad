#include "uitoolkit/widgets/KTFileFontProp.h"

#include "framework/AfxCommDlg.h"

#include <climits>
#include <cwchar>

IMPLEMENT_DYNAMIC(CKTFileProp, CKTProp)
IMPLEMENT_DYNAMIC(CKTFontProp, CKTProp)

namespace
{
const TCHAR kForbiddenFileChars[] = _T("<>\"|?*");

// The in-place editor of a file name: characters no file name may hold beep and are dropped.
// Editing keys that arrive as control characters (Backspace, select all, copy, paste, cut, undo)
// stay the edit control's.
class CKTFileNameEdit : public CEdit
{
protected:
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
    {
        const TCHAR ch = static_cast<TCHAR>(nChar);
        const BOOL bEditingKey = ch == VK_BACK || ch == 1 || ch == 3 || ch == 22 || ch == 24 || ch == 26;
        if (!bEditingKey && !CKTFileProp::IsValidFileNameChar(ch))
        {
            ::MessageBeep((UINT)-1);
            return;
        }
        CEdit::OnChar(nChar, nRepCnt, nFlags);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CKTFileNameEdit, CEdit)
ON_WM_CHAR()
END_MESSAGE_MAP()

CString Trimmed(CString str)
{
    str.Trim();
    return str;
}
} // namespace

// File name ---------------------------------------------------------------------------------------

CKTFileProp::CKTFileProp(const CString& strName, const CString& strFileName, BOOL bOpenFileDialog, LPCTSTR lpszDefExt,
                         DWORD dwFileFlags, LPCTSTR lpszFilter)
    : CKTProp(strName, COleVariant(_T(""))), m_bOpenFileDialog(bOpenFileDialog),
      m_strDefExt(lpszDefExt != nullptr ? lpszDefExt : _T("")), m_dwFileFlags(dwFileFlags),
      m_strFilter(lpszFilter != nullptr ? lpszFilter : _T(""))
{
    if (IsValidFileName(strFileName))
        m_varValue = strFileName;
}

BOOL CKTFileProp::IsValidFileNameChar(TCHAR ch)
{
    return ch >= 32 && ch != 127 && std::wcschr(kForbiddenFileChars, ch) == nullptr;
}

BOOL CKTFileProp::IsValidFileName(const CString& strFileName)
{
    for (int i = 0; i < strFileName.GetLength(); i++)
    {
        if (!IsValidFileNameChar(strFileName[i]))
            return FALSE;
    }
    return TRUE;
}

BOOL CKTFileProp::SetFileName(const CString& strFileName)
{
    if (!IsValidFileName(strFileName))
        return FALSE;
    CKTProp::SetValue(COleVariant(strFileName));
    return TRUE;
}

void CKTFileProp::SetValue(const COleVariant& varValue)
{
    if (varValue.vt == VT_BSTR)
        SetFileName(varValue.bstrVal != nullptr ? CString(varValue.bstrVal) : CString());
}

BOOL CKTFileProp::TextToVar(const CString& strText)
{
    if (!IsValidFileName(strText))
        return FALSE;
    m_varValue = strText;
    return TRUE;
}

CEdit* CKTFileProp::CreateEditor() const
{
    return new CKTFileNameEdit;
}

BOOL CKTFileProp::DoFileDialog(CString& strPath)
{
    CFileDialog dlg(m_bOpenFileDialog, m_strDefExt.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_strDefExt), strPath,
                    m_dwFileFlags, m_strFilter.IsEmpty() ? nullptr : static_cast<LPCTSTR>(m_strFilter), m_pWndList);
    if (dlg.DoModal() != IDOK)
        return FALSE;
    strPath = dlg.GetPathName();
    return TRUE;
}

void CKTFileProp::OnClickButton()
{
    CString strPath = GetFileName();
    if (!DoFileDialog(strPath))
        return;
    const CString strOld = GetFileName();
    if (SetFileName(strPath) && strPath != strOld)
        ReportChange();
}

// Font --------------------------------------------------------------------------------------------

CKTFontProp::CKTFontProp(const CString& strName, const LOGFONT& lf) : CKTProp(strName, COleVariant(_T("")))
{
    if (!SetLogFont(lf))
    {
        LOGFONT lfDefault{};
        ::GetObject(::GetStockObject(DEFAULT_GUI_FONT), sizeof(LOGFONT), &lfDefault);
        if (!SetLogFont(lfDefault))
        {
            m_lf = lfDefault;
            Apply(_T("MS Shell Dlg"), 8);
        }
    }
}

int CKTFontProp::ScreenDpi()
{
    HDC hdc = ::GetDC(nullptr);
    const int nDpi = hdc != nullptr ? ::GetDeviceCaps(hdc, LOGPIXELSY) : 0;
    if (hdc != nullptr)
        ::ReleaseDC(nullptr, hdc);
    return nDpi > 0 ? nDpi : 96;
}

BOOL CKTFontProp::SetLogFont(const LOGFONT& lf)
{
    // The face comes from outside: only what lies within the record counts.
    const size_t nFace = wcsnlen(lf.lfFaceName, LF_FACESIZE);
    if (nFace == 0 || nFace == LF_FACESIZE || lf.lfHeight == 0 || lf.lfHeight == LONG_MIN)
        return FALSE;
    const int nHeight = static_cast<int>(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight);
    const int nPoints = ::MulDiv(nHeight, 72, ScreenDpi());
    if (nPoints < MinPoints || nPoints > MaxPoints)
        return FALSE;
    m_lf = lf;
    Apply(CString(lf.lfFaceName, static_cast<int>(nFace)), nPoints);
    return TRUE;
}

void CKTFontProp::Apply(const CString& strFace, int nPoints)
{
    std::wmemset(m_lf.lfFaceName, 0, LF_FACESIZE);
    std::wmemcpy(m_lf.lfFaceName, strFace, static_cast<size_t>(strFace.GetLength()));
    m_lf.lfHeight = -::MulDiv(nPoints, ScreenDpi(), 72);
    m_lf.lfWidth = 0;
    m_nPoints = nPoints;
    m_varValue = FormatProperty();
}

BOOL CKTFontProp::ParseFontText(const CString& strText, CString& strFace, int& nPoints)
{
    const int nComma = strText.ReverseFind(_T(','));
    if (nComma < 0)
        return FALSE;
    const CString strName = Trimmed(strText.Left(nComma));
    const CString strSize = Trimmed(strText.Mid(nComma + 1));
    if (strName.IsEmpty() || strName.GetLength() >= LF_FACESIZE || strSize.IsEmpty() || strSize.GetLength() > 4)
        return FALSE;
    int nValue = 0;
    for (int i = 0; i < strSize.GetLength(); i++)
    {
        if (strSize[i] < _T('0') || strSize[i] > _T('9'))
            return FALSE;
        nValue = nValue * 10 + (strSize[i] - _T('0'));
    }
    if (nValue < MinPoints || nValue > MaxPoints)
        return FALSE;
    strFace = strName;
    nPoints = nValue;
    return TRUE;
}

CString CKTFontProp::FormatProperty() const
{
    CString str;
    str.Format(_T("%s, %d"), static_cast<LPCTSTR>(CString(m_lf.lfFaceName)), m_nPoints);
    return str;
}

void CKTFontProp::SetValue(const COleVariant& varValue)
{
    CString strFace;
    int nPoints = 0;
    if (varValue.vt != VT_BSTR ||
        !ParseFontText(varValue.bstrVal != nullptr ? CString(varValue.bstrVal) : CString(), strFace, nPoints))
        return;
    Apply(strFace, nPoints);
    Redraw();
    if (m_pWndInPlace != nullptr)
        m_pWndInPlace->SetWindowText(FormatProperty());
}

BOOL CKTFontProp::TextToVar(const CString& strText)
{
    CString strFace;
    int nPoints = 0;
    if (!ParseFontText(strText, strFace, nPoints))
        return FALSE;
    Apply(strFace, nPoints);
    return TRUE;
}

BOOL CKTFontProp::DoFontDialog(LOGFONT& lf)
{
    CHOOSEFONT cf{};
    cf.lStructSize = sizeof(cf);
    cf.hwndOwner = m_pWndList != nullptr ? m_pWndList->GetSafeHwnd() : nullptr;
    cf.lpLogFont = &lf;
    cf.Flags = CF_SCREENFONTS | CF_INITTOLOGFONTSTRUCT | CF_LIMITSIZE;
    cf.nSizeMin = MinPoints;
    cf.nSizeMax = MaxPoints;
    return ::ChooseFont(&cf);
}

void CKTFontProp::OnClickButton()
{
    LOGFONT lf = m_lf;
    if (!DoFontDialog(lf))
        return;
    const CString strOld = FormatProperty();
    const LOGFONT lfOld = m_lf;
    if (SetLogFont(lf) &&
        (FormatProperty() != strOld || lfOld.lfWeight != m_lf.lfWeight || lfOld.lfItalic != m_lf.lfItalic ||
         lfOld.lfUnderline != m_lf.lfUnderline || lfOld.lfStrikeOut != m_lf.lfStrikeOut))
    {
        Redraw();
        ReportChange();
    }
}
