#include "framework/AfxCommDlg.h"

#include "framework/AfxThread.h"

#include <algorithm>
#include <cwchar>

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFindReplaceDialog, CCommonDialog)

namespace {

HWND OwnerOf(CWnd* pParentWnd)
{
    HWND hWnd = pParentWnd != nullptr ? pParentWnd->GetSafeHwnd() : AfxGetMainWnd()->GetSafeHwnd();
    while (hWnd != nullptr && (::GetWindowLong(hWnd, GWL_STYLE) & WS_CHILD) != 0)
        hWnd = ::GetParent(hWnd);
    return hWnd;
}

// The text of lpsz up to its end or nMax characters, whichever comes first.
size_t BoundedLength(LPCTSTR lpsz, size_t nMax)
{
    size_t n = 0;
    while (n < nMax && lpsz[n] != 0)
        n++;
    return n;
}

} // namespace

// CCommonDialog -------------------------------------------------------------------------------

void CCommonDialog::OnOK()
{
    PassCommandToSystem(IDOK);
}

void CCommonDialog::OnCancel()
{
    PassCommandToSystem(IDCANCEL);
}

void CCommonDialog::PassCommandToSystem(UINT nID)
{
    const MSG& msg = *GetCurrentMessage();
    if (msg.message == WM_COMMAND && LOWORD(msg.wParam) == nID && msg.hwnd == m_hWnd)
        Default();
    else
        DefWindowProc(WM_COMMAND, MAKEWPARAM(nID, BN_CLICKED), 0);
}

// CFileDialog ---------------------------------------------------------------------------------

// The record with the trailing reserved and extended-flags words (88 bytes on 32-bit systems):
// the program's own dialogs copy it whole to and from theirs.
static_assert(sizeof(OPENFILENAME) == (sizeof(void*) == 4 ? 88 : 152), "OPENFILENAME of the larger layout");

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName, DWORD dwFlags,
                         LPCTSTR lpszFilter, CWnd* pParentWnd, DWORD)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog)
{
    m_ofn.lStructSize = sizeof(OPENFILENAME);
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = _countof(m_szFileName);
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = _countof(m_szFileTitle);
    // Resizable only when the caller asks for it (OFN_ENABLESIZING).
    m_ofn.Flags = dwFlags | OFN_ENABLEHOOK | OFN_EXPLORER;
    m_ofn.lpfnHook = &CFileDialog::HookProc;
    m_ofn.lCustData = reinterpret_cast<LPARAM>(this);
    m_ofn.hInstance = AfxGetResourceHandle();
    if (lpszDefExt != nullptr)
    {
        m_strDefExt = lpszDefExt;
        m_ofn.lpstrDefExt = m_strDefExt;
    }
    if (lpszFileName != nullptr)
        lstrcpyn(m_szFileName, lpszFileName, _countof(m_szFileName));
    if (lpszFilter != nullptr)
    {
        // "a|b|c|d||" becomes "a\0b\0c\0d\0\0".
        m_strFilter = lpszFilter;
        int nLen = m_strFilter.GetLength();
        LPTSTR pch = m_strFilter.GetBuffer(nLen + 1);
        for (int i = 0; i < nLen; i++)
        {
            if (pch[i] == L'|')
                pch[i] = 0;
        }
        m_strFilter.ReleaseBuffer(nLen);
        m_ofn.lpstrFilter = m_strFilter;
    }
}

UINT_PTR CALLBACK CFileDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return 0;
    // The explorer dialog's hook child becomes this object's window, so its map sees the
    // dialog's notifications.
    auto* pOfn = reinterpret_cast<OPENFILENAME*>(lParam);
    auto* pDlg = reinterpret_cast<CFileDialog*>(pOfn->lCustData);
    if (pDlg != nullptr && pDlg->m_hWnd == nullptr)
        pDlg->SubclassWindow(hWnd);
    return TRUE;
}

INT_PTR CFileDialog::DoModal()
{
    if (m_ofn.lpstrFile != nullptr && m_ofn.nMaxFile > 0)
    {
        // Whatever follows the initial name goes, so the dialog never reads an old list of names.
        const size_t nLen = BoundedLength(m_ofn.lpstrFile, m_ofn.nMaxFile - 1);
        std::fill(m_ofn.lpstrFile + nLen, m_ofn.lpstrFile + m_ofn.nMaxFile, 0);
    }
    const HWND hWndFocus = ::GetFocus();
    m_ofn.hwndOwner = OwnerOf(m_pParentWnd);
    // Modal for the whole of the owner, frames and their bars included, for the dialog's life.
    const bool bEnableOwner = m_ofn.hwndOwner != nullptr && ::IsWindowEnabled(m_ofn.hwndOwner);
    if (bEnableOwner)
        ::EnableWindow(m_ofn.hwndOwner, FALSE);
    BOOL bResult = m_bOpenFileDialog ? ::GetOpenFileName(&m_ofn) : ::GetSaveFileName(&m_ofn);
    if (m_hWnd != nullptr)
        UnsubclassWindow();
    if (bEnableOwner)
        ::EnableWindow(m_ofn.hwndOwner, TRUE);
    if (hWndFocus != nullptr && ::IsWindow(hWndFocus))
        ::SetFocus(hWndFocus);
    return bResult ? IDOK : IDCANCEL;
}

CString CFileDialog::GetPathName() const
{
    if (m_hWnd != nullptr)
    {
        HWND hWndExplorer = ::GetParent(m_hWnd);
        CString path;
        int nLen = (int)::SendMessage(hWndExplorer, CDM_GETFILEPATH, 0, 0);
        if (nLen > 0)
        {
            ::SendMessage(hWndExplorer, CDM_GETFILEPATH, (WPARAM)nLen, (LPARAM)path.GetBufferSetLength(nLen));
            path.ReleaseBuffer();
            return path;
        }
    }
    return CString(m_ofn.lpstrFile, (int)BoundedLength(m_ofn.lpstrFile, m_ofn.nMaxFile));
}

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    int nSlash = std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/'));
    return path.Mid(nSlash + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    int nDot = name.ReverseFind(L'.');
    return nDot >= 0 ? name.Mid(nDot + 1) : CString();
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    int nDot = name.ReverseFind(L'.');
    return nDot >= 0 ? name.Left(nDot) : name;
}

CString CFileDialog::GetFolderPath() const
{
    CString path = GetPathName();
    int nSlash = std::max(path.ReverseFind(L'\\'), path.ReverseFind(L'/'));
    return nSlash >= 0 ? path.Left(nSlash) : CString();
}

CString CFileDialog::GetNextPathName(POSITION& pos) const
{
    // The buffer holds one path, or (multiple selection) the folder and then the names, each
    // ending with a zero and the list with two. Nothing is read past nMaxFile.
    LPCTSTR pBegin = m_ofn.lpstrFile;
    LPCTSTR pEnd = pBegin + m_ofn.nMaxFile;
    LPCTSTR lpsz = reinterpret_cast<LPCTSTR>(pos);
    if (lpsz == nullptr || lpsz < pBegin || lpsz >= pEnd)
    {
        pos = nullptr;
        return CString();
    }
    size_t nFolderLen = BoundedLength(pBegin, m_ofn.nMaxFile);
    CString folder(pBegin, (int)nFolderLen);
    if (lpsz == pBegin)
    {
        LPCTSTR pFirstName = pBegin + nFolderLen + 1;
        if ((m_ofn.Flags & OFN_ALLOWMULTISELECT) == 0 || pFirstName >= pEnd || *pFirstName == 0)
        {
            pos = nullptr;
            return folder;
        }
        lpsz = pFirstName;
    }
    size_t nNameLen = BoundedLength(lpsz, (size_t)(pEnd - lpsz));
    CString name(lpsz, (int)nNameLen);
    LPCTSTR pNext = lpsz + nNameLen + 1;
    pos = (pNext < pEnd && *pNext != 0) ? reinterpret_cast<POSITION>(const_cast<LPTSTR>(pNext)) : nullptr;
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != L'\\')
        folder += L"\\";
    return folder + name;
}

void CFileDialog::SetControlText(int nID, LPCTSTR lpsz)
{
    if (m_hWnd != nullptr)
        ::SendMessage(::GetParent(m_hWnd), CDM_SETCONTROLTEXT, (WPARAM)nID, (LPARAM)lpsz);
}

void CFileDialog::HideControl(int nID)
{
    if (m_hWnd != nullptr)
        ::SendMessage(::GetParent(m_hWnd), CDM_HIDECONTROL, (WPARAM)nID, 0);
}

void CFileDialog::SetDefExt(LPCSTR lpsz)
{
    m_strDefExt = CString(lpsz);
    m_ofn.lpstrDefExt = m_strDefExt;
    if (m_hWnd != nullptr)
        ::SendMessage(::GetParent(m_hWnd), CDM_SETDEFEXT, 0, (LPARAM)(LPCTSTR)m_strDefExt);
}

UINT CFileDialog::OnShareViolation(LPCTSTR)
{
    return OFN_SHAREWARN;
}

BOOL CFileDialog::OnFileNameOK()
{
    return FALSE;
}

void CFileDialog::OnLBSelChangedNotify(UINT, UINT, UINT) {}
void CFileDialog::OnInitDone() {}
void CFileDialog::OnFileNameChange() {}
void CFileDialog::OnFolderChange() {}
void CFileDialog::OnTypeChange() {}

BOOL CFileDialog::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    OFNOTIFY* pNotify = reinterpret_cast<OFNOTIFY*>(lParam);
    switch (pNotify->hdr.code)
    {
    case CDN_INITDONE: OnInitDone(); return TRUE;
    case CDN_SELCHANGE: OnFileNameChange(); return TRUE;
    case CDN_FOLDERCHANGE: OnFolderChange(); return TRUE;
    case CDN_TYPECHANGE: OnTypeChange(); return TRUE;
    case CDN_SHAREVIOLATION:
        *pResult = OnShareViolation(pNotify->pszFile);
        ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, *pResult);
        return TRUE;
    case CDN_FILEOK:
        // TRUE refuses the name and keeps the dialog open.
        *pResult = OnFileNameOK();
        ::SetWindowLongPtr(m_hWnd, DWLP_MSGRESULT, *pResult);
        return TRUE;
    default:
        return CCommonDialog::OnNotify(wParam, lParam, pResult);
    }
}

// CColorDialog --------------------------------------------------------------------------------

COLORREF* PASCAL CColorDialog::GetSavedCustomColors()
{
    static COLORREF customColors[16] = {
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
        RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
    return customColors;
}

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd) : CCommonDialog(pParentWnd)
{
    m_cc.lStructSize = sizeof(CHOOSECOLOR);
    m_cc.lpCustColors = GetSavedCustomColors();
    m_cc.Flags = dwFlags | CC_ENABLEHOOK;
    m_cc.lpfnHook = &CColorDialog::HookProc;
    m_cc.lCustData = reinterpret_cast<LPARAM>(this);
    if ((m_cc.rgbResult = clrInit) != 0)
        m_cc.Flags |= CC_RGBINIT;
}

UINT_PTR CALLBACK CColorDialog::HookProc(HWND hWnd, UINT message, WPARAM, LPARAM lParam)
{
    if (message != WM_INITDIALOG)
        return 0;
    auto* pcc = reinterpret_cast<CHOOSECOLOR*>(lParam);
    auto* pDlg = reinterpret_cast<CColorDialog*>(pcc->lCustData);
    if (pDlg != nullptr && pDlg->m_hWnd == nullptr)
        pDlg->Attach(hWnd);  // borrowed: the system's procedure stays in charge
    return TRUE;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = OwnerOf(m_pParentWnd);
    // The system's dialog writes the colour being edited into the record as it changes; a
    // cancelled dialog leaves the caller's colour as it was.
    const COLORREF clrBefore = m_cc.rgbResult;
    BOOL bResult = ::ChooseColor(&m_cc);
    Detach();
    if (!bResult)
        m_cc.rgbResult = clrBefore;
    return bResult ? IDOK : IDCANCEL;
}

void CColorDialog::SetCurrentColor(COLORREF clr)
{
    // While the dialog is up the colour goes to its red, green and blue fields.
    if (m_hWnd == nullptr)
    {
        m_cc.rgbResult = clr;
        m_cc.Flags |= CC_RGBINIT;
        return;
    }
    SetDlgItemInt(706, GetRValue(clr), FALSE);
    SetDlgItemInt(707, GetGValue(clr), FALSE);
    SetDlgItemInt(708, GetBValue(clr), FALSE);
}

// CFindReplaceDialog --------------------------------------------------------------------------

CFindReplaceDialog::CFindReplaceDialog() : CCommonDialog(nullptr)
{
    m_fr.lStructSize = sizeof(FINDREPLACE);
    m_fr.Flags = FR_ENABLEHOOK;
    m_fr.lpfnHook = &CFindReplaceDialog::HookProc;
    m_fr.lCustData = reinterpret_cast<LPARAM>(this);
    m_fr.lpstrFindWhat = m_szFindWhat;
    m_fr.wFindWhatLen = (WORD)_countof(m_szFindWhat);
    m_fr.lpstrReplaceWith = m_szReplaceWith;
    m_fr.wReplaceWithLen = (WORD)_countof(m_szReplaceWith);
}

UINT PASCAL CFindReplaceDialog::GetFindReplaceMessage()
{
    static UINT nMessage = ::RegisterWindowMessage(FINDMSGSTRING);
    return nMessage;
}

UINT_PTR CALLBACK CFindReplaceDialog::HookProc(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG ? TRUE : 0;
}

BOOL CFindReplaceDialog::Create(BOOL bFindDialogOnly, LPCTSTR lpszFindWhat, LPCTSTR lpszReplaceWith, DWORD dwFlags,
                                CWnd* pParentWnd)
{
    m_fr.Flags = (m_fr.Flags & FR_ENABLEHOOK) | dwFlags | FR_ENABLEHOOK;
    if (lpszFindWhat != nullptr)
        lstrcpyn(m_szFindWhat, lpszFindWhat, _countof(m_szFindWhat));
    if (lpszReplaceWith != nullptr)
        lstrcpyn(m_szReplaceWith, lpszReplaceWith, _countof(m_szReplaceWith));
    if (pParentWnd == nullptr)
        pParentWnd = AfxGetMainWnd();
    m_fr.hwndOwner = pParentWnd->GetSafeHwnd();
    AfxHookWindowCreate(this);
    HWND hWnd = bFindDialogOnly ? ::FindText(&m_fr) : ::ReplaceText(&m_fr);
    // As every window: a failed creation ends in PostNcDestroy, which deletes this dialog.
    if (!AfxUnhookWindowCreate() && hWnd == nullptr)
        PostNcDestroy();
    return hWnd != nullptr;
}

CFindReplaceDialog* PASCAL CFindReplaceDialog::GetNotifier(LPARAM lParam)
{
    auto* pfr = reinterpret_cast<FINDREPLACE*>(lParam);
    return pfr != nullptr ? reinterpret_cast<CFindReplaceDialog*>(pfr->lCustData) : nullptr;
}

void CFindReplaceDialog::PostNcDestroy()
{
    delete this;
}
