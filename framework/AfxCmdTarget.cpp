#include "framework/AfxCmdTarget.h"

#include "framework/AfxWnd.h"
#include "framework/AfxMenu.h"
#include "framework/AfxThread.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* PASCAL CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, &entries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

namespace {

bool EntryMatches(const AFX_MSGMAP_ENTRY& entry, UINT nMessage, UINT nCode, UINT nID)
{
    if (entry.nMessage == 0xC000)
    {
        // Registered message: the entry points at the variable holding its id.
        const UINT* pnRegistered = reinterpret_cast<const UINT*>(entry.nSig);
        return pnRegistered != nullptr && *pnRegistered == nMessage && nMessage != 0;
    }
    if (entry.nMessage != nMessage)
        return false;
    if (nMessage == WM_COMMAND || nMessage == WM_NOTIFY || nMessage == WM_REFLECT_BASE + WM_COMMAND ||
        nMessage == WM_REFLECT_BASE + WM_NOTIFY)
    {
        return (WORD)entry.nCode == (WORD)nCode && nID >= entry.nID && nID <= entry.nLastID;
    }
    return true;
}

} // namespace

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT nMessage, UINT nCode, UINT nID) const
{
    for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != nullptr;
         pMap = pMap->pfnGetBaseMap != nullptr ? pMap->pfnGetBaseMap() : nullptr)
    {
        for (const AFX_MSGMAP_ENTRY* pEntry = pMap->lpEntries; pEntry->nSig != AfxSig_end; pEntry++)
        {
            if (EntryMatches(*pEntry, nMessage, nCode, nID))
                return pEntry;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    UINT nMsg = 0;
    UINT nCodeInMap = (UINT)nCode;
    if ((UINT)nCode != CN_UPDATE_COMMAND_UI)
    {
        nMsg = HIWORD(nCode);
        nCodeInMap = LOWORD(nCode);
    }
    if (nMsg == 0)
        nMsg = WM_COMMAND;

    const AFX_MSGMAP_ENTRY* pEntry = FindMessageEntry(nMsg, nCodeInMap, nID);
    if (pEntry == nullptr)
        return FALSE;
    if (pHandlerInfo != nullptr)
    {
        // Only asked whether a handler exists.
        pHandlerInfo->pTarget = this;
        pHandlerInfo->pEntry = pEntry;
        return TRUE;
    }
    AFX_MSGCALL call;
    call.message = nMsg;
    call.nID = nID;
    call.nCode = nCodeInMap;
    call.pExtra = pExtra;
    if (pEntry->nSig == AfxSig_cmdui)
    {
        CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
        pCmdUI->m_bContinueRouting = FALSE;
        pEntry->pfn(this, call);
        // A handler that called ContinueRouting lets the next target have its say.
        return !pCmdUI->m_bContinueRouting;
    }
    return pEntry->pfn(this, call);
}

void CCmdTarget::BeginWaitCursor()
{
    AFX_THREAD_WND_STATE* pState = AfxGetThreadWndState();
    HCURSOR hcurPrev = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
    if (pState->m_nWaitCursorCount++ == 0)
        pState->m_hcurWaitCursorRestore = hcurPrev;
}

void CCmdTarget::EndWaitCursor()
{
    AFX_THREAD_WND_STATE* pState = AfxGetThreadWndState();
    if (pState->m_nWaitCursorCount > 0 && --pState->m_nWaitCursorCount == 0)
        ::SetCursor(pState->m_hcurWaitCursorRestore);
}

void CCmdTarget::RestoreWaitCursor()
{
    if (AfxGetThreadWndState()->m_nWaitCursorCount > 0)
        ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

// CCmdUI ------------------------------------------------------------------------------------

void CCmdUI::Enable(BOOL bOn)
{
    if (m_pMenu != nullptr)
    {
        if (m_pSubMenu != nullptr)
            return;  // popups are not disabled through their commands
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (bOn ? MF_ENABLED : (MF_DISABLED | MF_GRAYED)));
    }
    else if (m_pOther != nullptr)
    {
        // Move the focus on before the control that has it goes grey.
        if (!bOn && ::GetFocus() == m_pOther->m_hWnd)
        {
            CWnd* pParent = m_pOther->GetParent();
            if (pParent != nullptr)
                pParent->SendMessage(WM_NEXTDLGCTL, 0, FALSE);
        }
        m_pOther->EnableWindow(bOn);
    }
    m_bEnableChanged = TRUE;
}

void CCmdUI::SetCheck(int nCheck)
{
    if (m_pMenu != nullptr)
    {
        if (m_pSubMenu != nullptr)
            return;
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (nCheck != 0 ? MF_CHECKED : MF_UNCHECKED));
    }
    else if (m_pOther != nullptr)
    {
        if ((m_pOther->SendMessage(WM_GETDLGCODE) & DLGC_BUTTON) != 0)
            m_pOther->SendMessage(BM_SETCHECK, (WPARAM)nCheck);
    }
}

void CCmdUI::SetRadio(BOOL bOn)
{
    if (m_pMenu != nullptr && m_pSubMenu == nullptr)
    {
        MENUITEMINFO mii{};
        mii.cbSize = sizeof(mii);
        mii.fMask = MIIM_FTYPE;
        ::GetMenuItemInfo(m_pMenu->m_hMenu, m_nIndex, TRUE, &mii);
        mii.fType = bOn ? (mii.fType | MFT_RADIOCHECK) : (mii.fType & ~MFT_RADIOCHECK);
        ::SetMenuItemInfo(m_pMenu->m_hMenu, m_nIndex, TRUE, &mii);
    }
    SetCheck(bOn ? 1 : 0);
}

void CCmdUI::SetText(LPCTSTR lpszText)
{
    if (m_pMenu != nullptr)
    {
        if (m_pSubMenu != nullptr)
            return;
        UINT nState = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION) & ~(MF_BITMAP | MF_OWNERDRAW | MF_SEPARATOR);
        m_pMenu->ModifyMenu(m_nIndex, MF_BYPOSITION | MF_STRING | nState, m_nID, lpszText);
    }
    else if (m_pOther != nullptr)
    {
        CString current;
        m_pOther->GetWindowText(current);
        if (current != lpszText)
            m_pOther->SetWindowText(lpszText);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler)
{
    if (m_nID == 0 || LOWORD(m_nID) == 0xFFFF)
        return TRUE;  // separators and popups
    m_bEnableChanged = FALSE;
    BOOL bResult = pTarget->OnCmdMsg(m_nID, (int)CN_UPDATE_COMMAND_UI, this, nullptr);
    if (bDisableIfNoHndler && !m_bEnableChanged)
    {
        AFX_CMDHANDLERINFO info{};
        BOOL bHandler = pTarget->OnCmdMsg(m_nID, CN_COMMAND, this, &info);
        Enable(bHandler);
    }
    return bResult;
}
