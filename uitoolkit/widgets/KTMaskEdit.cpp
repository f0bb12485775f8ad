#include "uitoolkit/widgets/KTMaskEdit.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKTMaskEdit, CEdit)

namespace
{
const TCHAR kEditable = _T('_');
const TCHAR kBackspaceChar = 8;
const TCHAR kDeleteChar = 127;
} // namespace

BEGIN_MESSAGE_MAP(CKTMaskEdit, CEdit)
ON_WM_CHAR()
ON_WM_KEYDOWN()
ON_WM_LBUTTONUP()
ON_WM_CREATE()
ON_CONTROL_REFLECT_EX(EN_UPDATE, &CKTMaskEdit::OnUpdateR)
ON_CONTROL_REFLECT_EX(EN_SETFOCUS, &CKTMaskEdit::OnSetFocusR)
END_MESSAGE_MAP()

BOOL CKTMaskEdit::EnableMask(LPCTSTR lpszMask, LPCTSTR lpszInputTemplate, TCHAR chDefault, LPCTSTR lpszValid)
{
    const CString strMask = lpszMask != nullptr ? lpszMask : _T("");
    const CString strTemplate = lpszInputTemplate != nullptr ? lpszInputTemplate : _T("");
    if (strMask.IsEmpty() || strMask.GetLength() != strTemplate.GetLength())
        return FALSE;
    m_strMask = strMask;
    m_strInputTemplate = strTemplate;
    m_chDefault = chDefault;
    SetValidChars(lpszValid);
    m_str = m_strInputTemplate;
    for (int i = 0; i < m_str.GetLength(); i++)
    {
        if (m_strInputTemplate[i] == kEditable)
            m_str.SetAt(i, m_chDefault);
    }
    if (m_hWnd != nullptr)
        ShowValue(FirstEditable());
    return TRUE;
}

void CKTMaskEdit::DisableMask()
{
    m_strMask.Empty();
    m_strInputTemplate.Empty();
}

void CKTMaskEdit::SetValidChars(LPCTSTR lpszValid)
{
    m_strValid = lpszValid != nullptr ? lpszValid : _T("");
}

BOOL CKTMaskEdit::IsValidChar(TCHAR ch) const
{
    return m_strValid.IsEmpty() || m_strValid.Find(ch) >= 0;
}

BOOL CKTMaskEdit::IsMaskedChar(TCHAR chChar, TCHAR chMaskChar) const
{
    switch (chMaskChar)
    {
    case _T('D'):
        return chChar >= _T('0') && chChar <= _T('9');
    case _T('L'):
        return ::IsCharAlpha(chChar);
    case _T('C'):
        return chChar >= 32 && chChar != kDeleteChar;
    default:
        return FALSE;
    }
}

BOOL CKTMaskEdit::IsEditablePos(int nPos) const
{
    return nPos >= 0 && nPos < m_strInputTemplate.GetLength() && m_strInputTemplate[nPos] == kEditable;
}

BOOL CKTMaskEdit::CheckChar(TCHAR ch, int nPos) const
{
    if (m_strMask.IsEmpty())
        return IsValidChar(ch);
    if (!IsEditablePos(nPos))
        return FALSE;
    return IsValidChar(ch) && IsMaskedChar(ch, m_strMask[nPos]);
}

BOOL CKTMaskEdit::SetValue(LPCTSTR lpszString, BOOL bWithDelimiters)
{
    const CString strValue = lpszString != nullptr ? lpszString : _T("");
    CString strNew;
    if (m_strMask.IsEmpty())
    {
        for (int i = 0; i < strValue.GetLength(); i++)
        {
            if (!IsValidChar(strValue[i]))
                return FALSE;
        }
        strNew = strValue;
    }
    else if (bWithDelimiters)
    {
        if (strValue.GetLength() != m_strMask.GetLength())
            return FALSE;
        for (int i = 0; i < strValue.GetLength(); i++)
        {
            const TCHAR ch = strValue[i];
            // The value that GetValue hands out (literals in place, the default character in empty
            // positions) is always taken back.
            const BOOL bFits = IsEditablePos(i) ? (ch == m_chDefault || CheckChar(ch, i)) : ch == m_strInputTemplate[i];
            if (!bFits)
                return FALSE;
        }
        strNew = strValue;
    }
    else
    {
        int nEditable = 0;
        for (int i = 0; i < m_strInputTemplate.GetLength(); i++)
            nEditable += IsEditablePos(i) ? 1 : 0;
        if (strValue.GetLength() != nEditable)
            return FALSE;
        strNew = m_strInputTemplate;
        int j = 0;
        for (int i = 0; i < strNew.GetLength(); i++)
        {
            if (!IsEditablePos(i))
                continue;
            const TCHAR ch = strValue[j++];
            if (ch != m_chDefault && !CheckChar(ch, i))
                return FALSE;
            strNew.SetAt(i, ch);
        }
    }
    m_str = strNew;
    if (m_hWnd != nullptr)
    {
        CString strText;
        GetWindowText(strText);
        if (strText != m_str)
            ShowValue(m_strMask.IsEmpty() ? m_str.GetLength() : FirstEditable());
    }
    return TRUE;
}

CString CKTMaskEdit::GetValueWithoutDelimiters() const
{
    if (m_strMask.IsEmpty())
        return m_str;
    CString strResult;
    for (int i = 0; i < m_str.GetLength(); i++)
    {
        if (IsEditablePos(i))
            strResult += m_str[i];
    }
    return strResult;
}

int CKTMaskEdit::NextEditable(int nPos) const
{
    for (int i = std::max(nPos, 0); i < m_strInputTemplate.GetLength(); i++)
    {
        if (IsEditablePos(i))
            return i;
    }
    return -1;
}

int CKTMaskEdit::PrevEditable(int nPos) const
{
    for (int i = std::min(nPos, m_strInputTemplate.GetLength() - 1); i >= 0; i--)
    {
        if (IsEditablePos(i))
            return i;
    }
    return -1;
}

int CKTMaskEdit::LastEditable() const
{
    return PrevEditable(m_strInputTemplate.GetLength() - 1);
}

void CKTMaskEdit::GetGroupBounds(int& nBegin, int& nEnd, int nStartPos, BOOL bForward) const
{
    if (m_strMask.IsEmpty())
    {
        nBegin = 0;
        nEnd = m_str.GetLength();
        return;
    }
    nBegin = -1;
    nEnd = 0;
    const int nFirst = FirstEditable();
    const int nLast = LastEditable();
    if (nFirst < 0 || nStartPos < nFirst || nStartPos > nLast)
        return;
    int nPos = bForward ? NextEditable(nStartPos) : PrevEditable(nStartPos);
    if (nPos < 0)
        return;
    nBegin = nPos;
    while (nBegin > 0 && IsEditablePos(nBegin - 1))
        nBegin--;
    nEnd = nPos;
    while (IsEditablePos(nEnd))
        nEnd++;
}

void CKTMaskEdit::ShowValue(int nCaret, int nEnd)
{
    m_bUpdating = TRUE;
    SetWindowText(m_str);
    m_bUpdating = FALSE;
    if (nCaret < 0)
        nCaret = 0;
    SetSel(nCaret, nEnd < 0 ? nCaret : nEnd);
}

void CKTMaskEdit::ClearRange(int nStart, int nEnd)
{
    for (int i = nStart; i < nEnd && i < m_str.GetLength(); i++)
    {
        if (IsEditablePos(i))
            m_str.SetAt(i, m_chDefault);
    }
}

void CKTMaskEdit::OnChar(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    TCHAR ch = static_cast<TCHAR>(nChar);
    const BOOL bCtrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (ch >= 32 && ch != kDeleteChar && !bCtrl)
    {
        const DWORD dwStyle = GetStyle();
        if ((dwStyle & ES_UPPERCASE) != 0)
            ch = static_cast<TCHAR>(reinterpret_cast<UINT_PTR>(::CharUpper(reinterpret_cast<LPTSTR>((UINT_PTR)ch))));
        else if ((dwStyle & ES_LOWERCASE) != 0)
            ch = static_cast<TCHAR>(reinterpret_cast<UINT_PTR>(::CharLower(reinterpret_cast<LPTSTR>((UINT_PTR)ch))));

        int nStart = 0, nEnd = 0;
        GetSel(nStart, nEnd);
        if (m_strMask.IsEmpty())
        {
            if (!CheckChar(ch, nStart))
            {
                Beep();
                return;
            }
            const TCHAR sz[2] = {ch, 0};
            ReplaceSel(sz, TRUE);
            return;
        }
        // The caret on a literal types into the next editable position.
        const int nPos = IsEditablePos(nStart) ? nStart : NextEditable(nStart);
        if (nPos < 0 || !CheckChar(ch, nPos))
        {
            Beep();
            return;
        }
        if (nEnd > nPos + 1)
            ClearRange(nPos + 1, nEnd);
        m_str.SetAt(nPos, ch);
        const int nNext = NextEditable(nPos + 1);
        ShowValue(nNext < 0 ? nPos + 1 : nNext);
        return;
    }
    if (!m_strMask.IsEmpty() && (ch == kBackspaceChar || ch == kDeleteChar))
        return; // the key-down handler already did it
    Default();
}

void CKTMaskEdit::OnKeyDown(UINT nChar, UINT /*nRepCnt*/, UINT /*nFlags*/)
{
    if (m_strMask.IsEmpty())
    {
        Default();
        return;
    }
    const BOOL bShift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const BOOL bCtrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    // The moving end of a selection made with Shift.
    const int nAnchor = nStart;
    int nCaret = nEnd;

    switch (nChar)
    {
    case VK_LEFT:
    case VK_UP: {
        int nPos;
        if (bCtrl)
        {
            int nBegin, nGroupEnd;
            GetGroupBounds(nBegin, nGroupEnd, PrevEditable(nCaret - 1), FALSE);
            nPos = nBegin == nCaret ? -1 : nBegin;
            if (nPos < 0)
            {
                GetGroupBounds(nBegin, nGroupEnd, PrevEditable(nCaret - 2), FALSE);
                nPos = nBegin;
            }
        }
        else
        {
            nPos = PrevEditable(nCaret - 1);
        }
        if (nPos < 0)
        {
            Beep();
            return;
        }
        SetSel(bShift ? nAnchor : nPos, nPos);
        return;
    }
    case VK_RIGHT:
    case VK_DOWN: {
        int nPos;
        if (bCtrl)
        {
            int nBegin, nGroupEnd;
            GetGroupBounds(nBegin, nGroupEnd, nCaret, TRUE);
            nPos = nBegin < 0 ? -1 : NextEditable(nGroupEnd);
        }
        else
        {
            const int nNext = NextEditable(nCaret + 1);
            // After the last editable position the caret may stand just behind it.
            nPos = nNext >= 0 ? nNext : (IsEditablePos(nCaret) ? nCaret + 1 : -1);
        }
        if (nPos < 0)
        {
            Beep();
            return;
        }
        SetSel(bShift ? nAnchor : nPos, nPos);
        return;
    }
    case VK_HOME:
        SetSel(bShift ? nStart : FirstEditable(), FirstEditable());
        return;
    case VK_END:
        SetSel(bShift ? nStart : LastEditable() + 1, LastEditable() + 1);
        return;
    case VK_DELETE:
        if (nEnd > nStart)
        {
            ClearRange(nStart, nEnd);
            ShowValue(nStart);
        }
        else if (IsEditablePos(nStart))
        {
            ClearRange(nStart, nStart + 1);
            ShowValue(nStart);
        }
        else
        {
            Beep();
        }
        return;
    case VK_BACK:
        if (nEnd > nStart)
        {
            ClearRange(nStart, nEnd);
            ShowValue(nStart);
        }
        else
        {
            const int nPos = PrevEditable(nStart - 1);
            if (nPos < 0)
            {
                Beep();
                return;
            }
            ClearRange(nPos, nPos + 1);
            ShowValue(nPos);
        }
        return;
    default:
        Default();
        return;
    }
}

void CKTMaskEdit::OnLButtonUp(UINT /*nFlags*/, CPoint /*point*/)
{
    Default();
    if (m_strMask.IsEmpty())
        return;
    int nStart = 0, nEnd = 0;
    GetSel(nStart, nEnd);
    int nBegin, nGroupEnd;
    GetGroupBounds(nBegin, nGroupEnd, nStart, TRUE);
    if (nBegin < 0)
    {
        // A click beside the editable positions goes to the nearest group.
        const int nFirst = FirstEditable();
        const int nPos = nStart < nFirst ? nFirst : LastEditable() + 1;
        SetSel(nPos, nPos);
        return;
    }
    if (nStart == nEnd)
    {
        const int nPos = IsEditablePos(nStart) ? nStart : nBegin;
        SetSel(nPos, nPos);
        return;
    }
    SetSel(std::max(nStart, nBegin), std::min(std::max(nEnd, nBegin), nGroupEnd));
}

int CKTMaskEdit::OnCreate(LPCREATESTRUCT /*lpCreateStruct*/)
{
    if (Default() == -1)
        return -1;
    ShowValue(0);
    return 0;
}

void CKTMaskEdit::PreSubclassWindow()
{
    CEdit::PreSubclassWindow();
    // A control from a dialog template starts with its own text as the value when it fits.
    CString strText;
    GetWindowText(strText);
    if (!strText.IsEmpty() && !SetValue(strText))
        ShowValue(0);
}

BOOL CKTMaskEdit::OnSetFocusR()
{
    if (m_strMask.IsEmpty())
        return FALSE;
    int nBegin, nEnd;
    GetGroupBounds(nBegin, nEnd, FirstEditable(), TRUE);
    if (nBegin >= 0)
        SetSel(nBegin, nEnd);
    return FALSE;
}

BOOL CKTMaskEdit::OnUpdateR()
{
    if (m_bUpdating)
        return FALSE;
    CString strText;
    GetWindowText(strText);
    if (strText == m_str)
        return FALSE;
    if (!SetValue(strText))
    {
        // Pasted or otherwise changed text that does not fit: the old value comes back.
        Beep();
        int nStart = 0, nEnd = 0;
        GetSel(nStart, nEnd);
        ShowValue(nStart);
    }
    EmptyUndoBuffer();
    return FALSE;
}
