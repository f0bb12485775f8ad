// The toolbar's button list: inserting, removing, replacing and looking up buttons, and the
// mnemonic map.
#include "uitoolkit/bars/KTToolBar.h"

// Buttons ---------------------------------------------------------------------------------------

int CKTToolBar::InsertButton(CKTToolbarButton* pButton, int iInsertAt)
{
    if (pButton == nullptr || IsCommandForbidden(pButton->m_nID))
        return -1;
    const int nCount = GetCount();
    if (iInsertAt < -1 || iInsertAt > nCount)
        return -1;
    if (iInsertAt == -1 || iInsertAt == nCount)
    {
        if (m_pCustomizeBtn != nullptr && nCount > 0)
        {
            m_Buttons.InsertBefore(m_Buttons.GetTailPosition(), pButton);
            iInsertAt = nCount - 1;
        }
        else
        {
            m_Buttons.AddTail(pButton);
            iInsertAt = nCount;
        }
    }
    else
        m_Buttons.InsertBefore(m_Buttons.FindIndex(iInsertAt), pButton);
    pButton->OnChangeParentWnd(this);
    RebuildAccelerationKeys();
    return iInsertAt;
}

int CKTToolBar::InsertButton(const CKTToolbarButton& button, int iInsertAt)
{
    CObject* pObject = button.GetRuntimeClass()->CreateObject();
    if (pObject == nullptr)
        return -1;
    if (!pObject->IsKindOf(RUNTIME_CLASS(CKTToolbarButton)))
    {
        delete pObject;
        return -1;
    }
    CKTToolbarButton* pCopy = static_cast<CKTToolbarButton*>(pObject);
    pCopy->CopyFrom(button);
    const int iIndex = InsertButton(pCopy, iInsertAt);
    if (iIndex < 0)
        delete pCopy;
    return iIndex;
}

int CKTToolBar::InsertSeparator(int iInsertAt)
{
    if (GetCount() == 0 || iInsertAt == 0)
        return -1;
    CKTToolbarButton* pButton = new CKTToolbarButton;
    pButton->m_nStyle = TBBS_SEPARATOR;
    const int iIndex = InsertButton(pButton, iInsertAt);
    if (iIndex < 0)
        delete pButton;
    return iIndex;
}

void CKTToolBar::ClearDeletedIndices(int iRemoved)
{
    auto shift = [iRemoved](int& index) {
        if (index == iRemoved)
            index = -1;
        else if (index > iRemoved)
            index--;
    };
    shift(m_iSelected);
    shift(m_iButtonCapture);
    if (m_iHighlighted == iRemoved)
    {
        m_iHighlighted = -1;
        m_iHot = -1;
    }
    else if (m_iHighlighted > iRemoved)
    {
        m_iHighlighted--;
        m_iHot = m_iHighlighted;
    }
}

BOOL CKTToolBar::RemoveButton(int iIndex)
{
    POSITION pos = iIndex >= 0 ? m_Buttons.FindIndex(iIndex) : nullptr;
    if (pos == nullptr)
        return FALSE;
    CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetAt(pos));
    if (pButton == m_pCustomizeBtn)
        return FALSE;
    m_Buttons.RemoveAt(pos);
    pButton->OnCancelMode();
    delete pButton;
    ClearDeletedIndices(iIndex);

    // No separator at the end (the customize button and the first button stay).
    for (;;)
    {
        int iLast = GetCount() - 1;
        if (m_pCustomizeBtn != nullptr)
            iLast--;
        if (iLast <= 0)
            break;
        CKTToolbarButton* pLast = GetButton(iLast);
        if (!pLast->IsSeparator())
            break;
        m_Buttons.RemoveAt(m_Buttons.FindIndex(iLast));
        delete pLast;
        ClearDeletedIndices(iLast);
    }
    // No two separators in a row where the button was.
    if (iIndex > 0 && iIndex < GetCount())
    {
        CKTToolbarButton* pPrev = GetButton(iIndex - 1);
        CKTToolbarButton* pAt = GetButton(iIndex);
        if (pPrev->IsSeparator() && pAt->IsSeparator() && pAt != m_pCustomizeBtn)
            return RemoveButton(iIndex);
    }
    RebuildAccelerationKeys();
    return TRUE;
}

void CKTToolBar::RemoveAllButtons()
{
    m_iButtonCapture = -1;
    m_iHighlighted = -1;
    m_iHot = -1;
    m_iSelected = -1;
    while (!m_Buttons.IsEmpty())
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.RemoveHead());
        pButton->OnCancelMode();
        delete pButton;
    }
    m_pCustomizeBtn = nullptr;
    m_AcellKeys.RemoveAll();
}

int CKTToolBar::ReplaceButton(UINT uiCmd, const CKTToolbarButton& button, BOOL bAll)
{
    int nReplaced = 0;
    int iIndex = CommandToIndex(uiCmd);
    while (iIndex >= 0)
    {
        CObject* pObject = button.GetRuntimeClass()->CreateObject();
        if (pObject == nullptr || !pObject->IsKindOf(RUNTIME_CLASS(CKTToolbarButton)))
        {
            delete pObject;
            break;
        }
        CKTToolbarButton* pCopy = static_cast<CKTToolbarButton*>(pObject);
        pCopy->CopyFrom(button);
        if (IsCommandForbidden(pCopy->m_nID))
        {
            delete pCopy;
            break;
        }
        POSITION pos = m_Buttons.FindIndex(iIndex);
        CKTToolbarButton* pOld = static_cast<CKTToolbarButton*>(m_Buttons.GetAt(pos));
        m_Buttons.SetAt(pos, pCopy);
        pCopy->OnChangeParentWnd(this);
        pCopy->m_rect = pOld->m_rect;
        pOld->OnCancelMode();
        delete pOld;
        nReplaced++;
        if (!bAll)
            break;
        iIndex = CommandToIndex(uiCmd, iIndex + 1);
    }
    RebuildAccelerationKeys();
    return nReplaced;
}

CKTToolbarButton* CKTToolBar::GetButton(int iIndex) const
{
    POSITION pos = iIndex >= 0 ? m_Buttons.FindIndex(iIndex) : nullptr;
    return pos != nullptr ? static_cast<CKTToolbarButton*>(m_Buttons.GetAt(pos)) : nullptr;
}

int CKTToolBar::CommandToIndex(UINT nIDFind, int iIndexFirst) const
{
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; i++)
    {
        const CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (i >= iIndexFirst && pButton->m_nID == nIDFind)
            return i;
    }
    return -1;
}

int CKTToolBar::ButtonToIndex(const CKTToolbarButton* pButton) const
{
    int i = 0;
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr; i++)
        if (m_Buttons.GetNext(pos) == pButton)
            return i;
    return -1;
}

UINT CKTToolBar::GetItemID(int nIndex) const
{
    const CKTToolbarButton* pButton = GetButton(nIndex);
    return pButton != nullptr ? pButton->m_nID : 0;
}

UINT CKTToolBar::GetButtonStyle(int nIndex) const
{
    const CKTToolbarButton* pButton = GetButton(nIndex);
    return pButton != nullptr ? pButton->m_nStyle : 0;
}

CString CKTToolBar::GetButtonText(int nIndex) const
{
    const CKTToolbarButton* pButton = GetButton(nIndex);
    return pButton != nullptr ? pButton->m_strText : CString();
}

void CKTToolBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    const CKTToolbarButton* pButton = GetButton(nIndex);
    *lpRect = pButton != nullptr ? pButton->m_rect : CRect(0, 0, 0, 0);
}

void CKTToolBar::GetInvalidateItemRect(int nIndex, LPRECT lpRect) const
{
    const CKTToolbarButton* pButton = GetButton(nIndex);
    *lpRect = pButton != nullptr ? pButton->GetInvalidateRect() : CRect(0, 0, 0, 0);
}

void CKTToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    CKTToolbarButton* pButton = GetButton(nIndex);
    if (pButton == nullptr)
        return;
    const UINT nOld = pButton->m_nStyle;
    if (nOld == nStyle)
        return;
    if (nStyle & TBBS_DISABLED)
        nStyle &= ~TBBS_PRESSED;
    pButton->SetStyle(nStyle);
    if (!((nOld & TBBS_PRESSED) && (nStyle & TBBS_PRESSED)))
        InvalidateButton(nIndex);
}

CKTToolbarButton* CKTToolBar::GetHighlightedButton() const
{
    return GetButton(m_iHighlighted);
}

void CKTToolBar::SetHotButton(CKTToolbarButton* pButton)
{
    if (pButton == nullptr)
    {
        m_iHot = -1;
        m_iHighlighted = -1;
        return;
    }
    const int iIndex = ButtonToIndex(pButton);
    if (iIndex >= 0 && iIndex != m_iHighlighted)
        OnChangeHot(iIndex);
}

int CKTToolBar::GetCommandButtons(UINT uiCmd, CObList& listButtons)
{
    listButtons.RemoveAll();
    if (uiCmd == 0)
        return 0;
    for (POSITION pos = m_AllToolbars.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolBar* pBar = static_cast<CKTToolBar*>(m_AllToolbars.GetNext(pos));
        if (pBar->GetSafeHwnd() == nullptr)
            continue;
        for (POSITION posB = pBar->m_Buttons.GetHeadPosition(); posB != nullptr;)
        {
            CObject* pButton = pBar->m_Buttons.GetNext(posB);
            if (static_cast<CKTToolbarButton*>(pButton)->m_nID == uiCmd)
                listButtons.AddTail(pButton);
        }
    }
    return static_cast<int>(listButtons.GetCount());
}

void CKTToolBar::EnableLargeIcons(BOOL bEnable)
{
    m_bLargeIconsAreEnbaled = bEnable;
    if (GetSafeHwnd() != nullptr)
        AdjustLayout();
}

void CKTToolBar::EnableTextLabels(BOOL bEnable)
{
    if (m_bMenuMode)
        return;
    m_bTextLabels = bEnable;
    if (GetSafeHwnd() != nullptr)
        AdjustLayout();
}

void CKTToolBar::RebuildAccelerationKeys()
{
    m_AcellKeys.RemoveAll();
    for (POSITION pos = m_Buttons.GetHeadPosition(); pos != nullptr;)
    {
        CKTToolbarButton* pButton = static_cast<CKTToolbarButton*>(m_Buttons.GetNext(pos));
        if (pButton->IsSeparator() || !pButton->m_bText)
            continue;
        if (const wchar_t ch = GetMnemonic(pButton->m_strText))
            m_AcellKeys.SetAt(ch, pButton);
    }
}

wchar_t CKTToolBar::GetMnemonic(const CString& strText)
{
    const int n = strText.GetLength();
    for (int i = 0; i + 1 < n; i++)
    {
        if (strText[i] != L'&')
            continue;
        if (strText[i + 1] == L'&')
        {
            i++;
            continue;
        }
        wchar_t ch = strText[i + 1];
        ::CharUpperBuffW(&ch, 1);
        return ch;
    }
    return 0;
}
