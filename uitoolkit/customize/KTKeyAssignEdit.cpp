#include "uitoolkit/customize/KTKeyAssignEdit.h"

IMPLEMENT_DYNAMIC(CKTKeyAssignEdit, CEdit)

BEGIN_MESSAGE_MAP(CKTKeyAssignEdit, CEdit)
ON_WM_KILLFOCUS()
END_MESSAGE_MAP()

CKTKeyAssignEdit::CKTKeyAssignEdit() : m_Helper(&m_Accel) {}

void CKTKeyAssignEdit::ResetKey()
{
    m_bIsDefined = FALSE;
    m_Accel = ACCEL{};
    if (GetSafeHwnd() != nullptr)
        SetWindowText(L"");
}

void CKTKeyAssignEdit::SetAccelFlag(BYTE bFlag, BOOL bOn)
{
    if (bOn)
        m_Accel.fVirt |= bFlag;
    else
        m_Accel.fVirt &= (BYTE)~bFlag;
}

BOOL CKTKeyAssignEdit::PreTranslateMessage(MSG* pMsg)
{
    switch (pMsg->message)
    {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        m_bIsFirstKey = TRUE;
        SetFocus();
        return TRUE;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP:
        break;
    default:
        return CEdit::PreTranslateMessage(pMsg);
    }

    const BOOL bPressed = pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN;
    const BOOL bRepeat = (pMsg->lParam & (1 << 30)) != 0;
    if (bPressed && !bRepeat && m_bIsDefined)
        ResetKey();

    if (!m_bIsDefined)
    {
        switch (pMsg->wParam)
        {
        case VK_SHIFT:
            SetAccelFlag(FSHIFT, bPressed);
            break;
        case VK_CONTROL:
            SetAccelFlag(FCONTROL, bPressed);
            break;
        case VK_MENU:
            SetAccelFlag(FALT, bPressed);
            break;
        default:
            if (!m_bIsFirstKey)
            {
                m_bIsFirstKey = TRUE;
                return TRUE;
            }
            m_Accel.key = (WORD)pMsg->wParam;
            if (bPressed)
            {
                m_bIsDefined = TRUE;
                SetAccelFlag(FVIRTKEY, TRUE);
            }
            break;
        }
    }

    if ((m_Accel.fVirt & FVIRTKEY) != 0 && (m_Accel.fVirt & (FSHIFT | FCONTROL | FALT)) == 0)
    {
        if (m_Accel.key == VK_TAB)
        {
            ResetKey();
            return CEdit::PreTranslateMessage(pMsg);
        }
        if (m_Accel.key == VK_ESCAPE)
        {
            ResetKey();
            return TRUE;
        }
    }

    CString str;
    m_Helper.Format(str);
    SetWindowText(str);
    return TRUE;
}

void CKTKeyAssignEdit::OnKillFocus(CWnd* pNewWnd)
{
    m_bIsFirstKey = FALSE;
    CEdit::OnKillFocus(pNewWnd);
}
