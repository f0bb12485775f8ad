#include "uitoolkit/customize/KTKeyboardManager.h"

#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTKeyHelper.h"
#include "uitoolkit/looks/KTRegistry.h"

#include <cstring>
#include <vector>

// The stored value is the system's records back to back; the size is part of the format.
static_assert(sizeof(ACCEL) == 6, "an accelerator record is 6 bytes");

CKTKeyboardManager* g_pKeyboardManager = nullptr;

IMPLEMENT_DYNAMIC(CKTKeyboardManager, CObject)

namespace
{
const wchar_t kRegEntry[] = L"Accelerators";

// A copy of the table last read for a kind of frame, kept while its handle stays the same.
struct AccelCopy
{
    HACCEL hAccel = nullptr;
    std::vector<ACCEL> entries;
};

AccelCopy& MainFrameCopy()
{
    static AccelCopy s_copy;
    return s_copy;
}

AccelCopy& ChildFrameCopy()
{
    static AccelCopy s_copy;
    return s_copy;
}

// The entries of a table in the system's order. The records are zeroed first: the system's copy
// leaves the pad byte of each record as it finds it, and those bytes reach the registry.
std::vector<ACCEL> CopyEntries(HACCEL hAccel)
{
    std::vector<ACCEL> entries;
    const int nCount = hAccel != nullptr ? ::CopyAcceleratorTable(hAccel, nullptr, 0) : 0;
    if (nCount <= 0)
        return entries;
    entries.resize((size_t)nCount);
    std::memset(entries.data(), 0, entries.size() * sizeof(ACCEL));
    const int nCopied = ::CopyAcceleratorTable(hAccel, entries.data(), nCount);
    entries.resize(nCopied > 0 ? (size_t)nCopied : 0);
    return entries;
}

// The frame's default table as a copy, refreshed when the handle changed; null without one.
const std::vector<ACCEL>* CurrentEntries(CFrameWnd* pWndFrame, BOOL bIsDefaultFrame)
{
    if (pWndFrame == nullptr)
        return nullptr;
    HACCEL hAccel = pWndFrame->GetDefaultAccelerator();
    if (hAccel == nullptr)
        return nullptr;
    AccelCopy& copy = bIsDefaultFrame ? MainFrameCopy() : ChildFrameCopy();
    if (copy.hAccel != hAccel)
    {
        copy.entries = CopyEntries(hAccel);
        copy.hAccel = hAccel;
    }
    return &copy.entries;
}

// A destroyed handle's number may come back for a new table; no copy may outlive its table.
void ForgetCopiesOf(HACCEL hAccel)
{
    for (AccelCopy* pCopy : {&MainFrameCopy(), &ChildFrameCopy()})
    {
        if (pCopy->hAccel == hAccel)
        {
            pCopy->hAccel = nullptr;
            pCopy->entries.clear();
        }
    }
}

CFrameWnd* FrameOrMainFrame(CFrameWnd* pFrame)
{
    if (pFrame != nullptr)
        return pFrame;
    CWinApp* pApp = AfxGetApp();
    CWnd* pMainWnd = pApp != nullptr ? pApp->m_pMainWnd : nullptr;
    if (pMainWnd != nullptr && pMainWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        return static_cast<CFrameWnd*>(pMainWnd);
    return nullptr;
}

// The application's multi-document templates that have a table, in the document manager's order.
template <class Visit>
void ForEachTemplateWithTable(Visit visit)
{
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr)
        return;
    for (POSITION pos = pApp->GetFirstDocTemplatePosition(); pos != nullptr;)
    {
        CDocTemplate* pTemplate = pApp->GetNextDocTemplate(pos);
        if (pTemplate == nullptr || !pTemplate->IsKindOf(RUNTIME_CLASS(CMultiDocTemplate)))
            continue;
        CMultiDocTemplate* pMultiTemplate = static_cast<CMultiDocTemplate*>(pTemplate);
        if (pMultiTemplate->m_hAccelTable != nullptr)
            visit(pMultiTemplate);
    }
}
} // namespace

CKTKeyboardManager::CKTKeyboardManager()
{
    g_pKeyboardManager = this;
}

CKTKeyboardManager::~CKTKeyboardManager()
{
    if (g_pKeyboardManager == this)
        g_pKeyboardManager = nullptr;
}

CString CKTKeyboardManager::TableKey(LPCTSTR lpszProfileName, UINT uiResId)
{
    CString key;
    key.Format(L"%sKTKeyboard-%d", (LPCTSTR)GetRegistryPath(L"KTKeyboardManager", lpszProfileName), (int)uiResId);
    return key;
}

BOOL CKTKeyboardManager::SaveAccelTable(LPCTSTR lpszProfileName, UINT uiResId, HACCEL hAccel)
{
    CKTRegistryFactory factory;
    CKTRegistry& reg = factory.Create(FALSE, FALSE);
    if (!reg.CreateKey(TableKey(lpszProfileName, uiResId)))
        return FALSE;

    std::vector<ACCEL> entries = CopyEntries(hAccel);
    return reg.Write(kRegEntry, reinterpret_cast<LPBYTE>(entries.data()), (UINT)(entries.size() * sizeof(ACCEL)));
}

BOOL CKTKeyboardManager::LoadAccelTable(LPCTSTR lpszProfileName, UINT uiResId, HACCEL& hAccel)
{
    CKTRegistryFactory factory;
    CKTRegistry& reg = factory.Create(FALSE, TRUE);
    if (!reg.Open(TableKey(lpszProfileName, uiResId)))
        return FALSE;

    BYTE* pData = nullptr;
    UINT nBytes = 0;
    if (!reg.Read(kRegEntry, &pData, &nBytes))
        return FALSE;
    // Only whole records count; a cut-off tail is left out.
    std::vector<ACCEL> entries(nBytes / sizeof(ACCEL));
    if (!entries.empty())
        std::memcpy(entries.data(), pData, entries.size() * sizeof(ACCEL));
    delete[] pData;
    if (entries.empty())
        return FALSE;

    for (ACCEL& entry : entries)
    {
        if (CKTToolBar::IsCommandForbidden(entry.cmd))
            entry.cmd = 0;
    }
    hAccel = ::CreateAcceleratorTable(entries.data(), (int)entries.size());
    return hAccel != nullptr;
}

BOOL CKTKeyboardManager::SaveState(LPCTSTR lpszProfileName, CFrameWnd* pDefaultFrame)
{
    ForEachTemplateWithTable([&](CMultiDocTemplate* pTemplate) {
        SaveAccelTable(lpszProfileName, pTemplate->m_nIDResource, pTemplate->m_hAccelTable);
    });

    CFrameWnd* pFrame = FrameOrMainFrame(pDefaultFrame);
    if (pFrame != nullptr && pFrame->m_hAccelTable != nullptr)
        SaveAccelTable(lpszProfileName, 0, pFrame->m_hAccelTable);
    return TRUE;
}

BOOL CKTKeyboardManager::LoadState(LPCTSTR lpszProfileName, CFrameWnd* pDefaultFrame)
{
    ForEachTemplateWithTable([&](CMultiDocTemplate* pTemplate) {
        HACCEL hAccel = nullptr;
        if (LoadAccelTable(lpszProfileName, pTemplate->m_nIDResource, hAccel) && !UpdateAccelTable(pTemplate, hAccel))
            ::DestroyAcceleratorTable(hAccel);
    });

    CFrameWnd* pFrame = FrameOrMainFrame(pDefaultFrame);
    if (pFrame != nullptr && pFrame->m_hAccelTable != nullptr)
    {
        HACCEL hAccel = nullptr;
        if (LoadAccelTable(lpszProfileName, 0, hAccel) && !UpdateAccelTable(nullptr, hAccel, pFrame))
            ::DestroyAcceleratorTable(hAccel);
    }
    return TRUE;
}

void CKTKeyboardManager::ResetAll()
{
    HINSTANCE hInst = AfxGetResourceHandle();
    ForEachTemplateWithTable([&](CMultiDocTemplate* pTemplate) {
        HACCEL hAccel = ::LoadAccelerators(hInst, MAKEINTRESOURCE(pTemplate->m_nIDResource));
        if (hAccel != nullptr && !UpdateAccelTable(pTemplate, hAccel))
            ::DestroyAcceleratorTable(hAccel);
    });

    CFrameWnd* pFrame = FrameOrMainFrame(nullptr);
    // The frame keeps the id of the resource it was loaded from.
    if (pFrame != nullptr && pFrame->m_hAccelTable != nullptr && pFrame->m_nIDHelp != 0)
    {
        HACCEL hAccel = ::LoadAccelerators(hInst, MAKEINTRESOURCE(pFrame->m_nIDHelp));
        if (hAccel != nullptr && !UpdateAccelTable(nullptr, hAccel))
            ::DestroyAcceleratorTable(hAccel);
    }
}

BOOL CKTKeyboardManager::UpdateAccelTable(CMultiDocTemplate* pTemplate, LPACCEL lpAccel, int nSize,
                                          CFrameWnd* pDefaultFrame)
{
    if (lpAccel == nullptr || nSize <= 0)
        return FALSE;
    HACCEL hAccelNew = ::CreateAcceleratorTable(lpAccel, nSize);
    if (hAccelNew == nullptr)
        return FALSE;
    if (!UpdateAccelTable(pTemplate, hAccelNew, pDefaultFrame))
    {
        ::DestroyAcceleratorTable(hAccelNew);
        return FALSE;
    }
    return TRUE;
}

BOOL CKTKeyboardManager::UpdateAccelTable(CMultiDocTemplate* pTemplate, HACCEL hAccelNew, CFrameWnd* pDefaultFrame)
{
    if (hAccelNew == nullptr)
        return FALSE;

    HACCEL hAccelOld = nullptr;
    if (pTemplate != nullptr)
    {
        hAccelOld = pTemplate->m_hAccelTable;
        if (hAccelOld == nullptr)
            return FALSE;
        if (hAccelOld == hAccelNew)
            return TRUE;
        pTemplate->m_hAccelTable = hAccelNew;
        // The template's child frames share its table.
        for (POSITION posDoc = pTemplate->GetFirstDocPosition(); posDoc != nullptr;)
        {
            CDocument* pDoc = pTemplate->GetNextDoc(posDoc);
            for (POSITION posView = pDoc != nullptr ? pDoc->GetFirstViewPosition() : nullptr; posView != nullptr;)
            {
                CView* pView = pDoc->GetNextView(posView);
                CFrameWnd* pFrame = pView != nullptr ? pView->GetParentFrame() : nullptr;
                if (pFrame != nullptr && pFrame->m_hAccelTable == hAccelOld)
                    pFrame->m_hAccelTable = hAccelNew;
            }
        }
    }
    else
    {
        CFrameWnd* pFrame = FrameOrMainFrame(pDefaultFrame);
        if (pFrame == nullptr)
            return FALSE;
        hAccelOld = pFrame->m_hAccelTable;
        if (hAccelOld == nullptr)
            return FALSE;
        if (hAccelOld == hAccelNew)
            return TRUE;
        pFrame->m_hAccelTable = hAccelNew;
        pFrame->m_bOwnAccelTable = TRUE;
    }

    ForgetCopiesOf(hAccelOld);
    ::DestroyAcceleratorTable(hAccelOld);
    return TRUE;
}

BOOL CKTKeyboardManager::FindDefaultAccelerator(UINT uiCmd, CString& str, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame)
{
    str.Empty();
    const std::vector<ACCEL>* pEntries = CurrentEntries(pWndFrame, bIsDefaultFrame);
    if (pEntries == nullptr)
        return FALSE;
    for (const ACCEL& entry : *pEntries)
    {
        if (entry.cmd == uiCmd)
        {
            ACCEL found = entry;
            CKTKeyHelper helper(&found);
            helper.Format(str);
            return TRUE;
        }
    }
    return FALSE;
}

BOOL CKTKeyboardManager::IsKeyInAccelTable(WORD wKey, BYTE fVirt, CFrameWnd* pWndFrame, BOOL bIsDefaultFrame)
{
    const std::vector<ACCEL>* pEntries = CurrentEntries(pWndFrame, bIsDefaultFrame);
    if (pEntries == nullptr)
        return FALSE;
    for (const ACCEL& entry : *pEntries)
    {
        if (entry.key == wKey && entry.fVirt == fVirt)
            return TRUE;
    }
    return FALSE;
}

UINT CKTKeyboardManager::TranslateCharToUpper(UINT nChar)
{
    const BOOL bAlt = (::GetKeyState(VK_MENU) & 0x8000) != 0;
    if (bAlt)
        return nChar;

    if (nChar >= VK_NUMPAD0 && nChar <= VK_NUMPAD9)
    {
        // The key's code is a letter's; a layout that gives no character still means the digit.
        const UINT uiDigit = L'0' + (nChar - VK_NUMPAD0);
        BYTE keyState[256] = {};
        WCHAR chars[4] = {};
        HKL hkl = ::GetKeyboardLayout(0);
        if (::GetKeyboardState(keyState) &&
            ::ToUnicodeEx(nChar, ::MapVirtualKeyEx(nChar, MAPVK_VK_TO_VSC, hkl), keyState, chars, 4, 0, hkl) >= 1)
            nChar = chars[0];
        else
            nChar = uiDigit;
    }
    return (UINT)(UINT_PTR)::CharUpperW(reinterpret_cast<LPWSTR>((UINT_PTR)LOWORD(nChar)));
}

void CKTKeyboardManager::CleanUp()
{
    for (AccelCopy* pCopy : {&MainFrameCopy(), &ChildFrameCopy()})
    {
        pCopy->hAccel = nullptr;
        pCopy->entries.clear();
        pCopy->entries.shrink_to_fit();
    }
}
