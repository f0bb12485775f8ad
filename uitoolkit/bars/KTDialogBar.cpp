#include "uitoolkit/bars/KTDialogBar.h"

#include "uitoolkit/looks/KTUIGlobals.h"

#include <algorithm>
#include <cstring>
#include <vector>

IMPLEMENT_SERIAL(CKTDialogBar, CKTSizingControlBar, VERSIONABLE_SCHEMA | 1)

BEGIN_MESSAGE_MAP(CKTDialogBar, CKTSizingControlBar)
ON_WM_ERASEBKGND()
ON_MESSAGE(WM_INITDIALOG, &CKTDialogBar::HandleInitDialog)
END_MESSAGE_MAP()

namespace
{

// The style words of a dialog template: at the start of a plain one, after the version,
// signature and help id of an extended one. Null when the template is too short to hold them.
DWORD* TemplateStyle(std::vector<BYTE>& dialogTemplate, DWORD** ppExStyle)
{
    const size_t nBytes = dialogTemplate.size();
    BYTE* p = dialogTemplate.data();
    WORD signature = 0;
    if (nBytes >= 4)
        std::memcpy(&signature, p + 2, sizeof(signature));
    if (signature == 0xFFFF)
    {
        if (nBytes < 26)
            return nullptr;
        *ppExStyle = reinterpret_cast<DWORD*>(p + 8);
        return reinterpret_cast<DWORD*>(p + 12);
    }
    if (nBytes < 18)
        return nullptr;
    *ppExStyle = reinterpret_cast<DWORD*>(p + 4);
    return reinterpret_cast<DWORD*>(p);
}

} // namespace

CKTDialogBar::CKTDialogBar() = default;

CKTDialogBar::~CKTDialogBar() = default;

INT_PTR CALLBACK CKTDialogBar::DialogProc(HWND, UINT, WPARAM, LPARAM)
{
    // Everything is handled through the bar's own window procedure; a bar takes no focus when
    // it appears.
    return FALSE;
}

BOOL CKTDialogBar::Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, BOOL bHasGripper, LPCTSTR lpszTemplateName,
                          UINT nStyle, UINT nID)
{
    if (pParentWnd == nullptr || lpszTemplateName == nullptr)
        return FALSE;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_lpszTemplateName = lpszTemplateName;
    else
    {
        m_strTemplateName = lpszTemplateName;
        m_lpszTemplateName = m_strTemplateName;
    }
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceW(hInst, m_lpszTemplateName, RT_DIALOG);
    HGLOBAL hTemplate = hResource != nullptr ? ::LoadResource(hInst, hResource) : nullptr;
    const BYTE* pTemplate = hTemplate != nullptr ? static_cast<const BYTE*>(::LockResource(hTemplate)) : nullptr;
    if (pTemplate == nullptr)
        return FALSE;
    std::vector<BYTE> dialogTemplate(pTemplate, pTemplate + ::SizeofResource(hInst, hResource));
    DWORD* pExStyle = nullptr;
    DWORD* pStyle = TemplateStyle(dialogTemplate, &pExStyle);
    if (pStyle == nullptr)
        return FALSE;

    // A child without a frame of its own; the bar bits go to the bar style, never to the window.
    const DWORD dwKeptDialogBits = DS_SETFONT | DS_FIXEDSYS | DS_3DLOOK | DS_NOFAILCREATE | DS_LOCALEDIT;
    *pStyle = (*pStyle & dwKeptDialogBits) | DS_CONTROL | (nStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPCHILDREN;
    *pExStyle = 0;
    m_dwStyle = nStyle & CBRS_ALL;
    m_nCaptionHeight = bHasGripper ? std::max(ktGlobals.m_textHeight, 12) : 0;

    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamW(hInst, reinterpret_cast<LPCDLGTEMPLATE>(dialogTemplate.data()),
                                             pParentWnd->GetSafeHwnd(), &DialogProc, 0);
    AfxUnhookWindowCreate();
    if (hWnd == nullptr)
    {
        if (m_hWnd != nullptr && !::IsWindow(m_hWnd))
            Detach();
        return FALSE;
    }
    ::SetWindowLongPtrW(m_hWnd, GWLP_ID, static_cast<LONG_PTR>(nID));
    if (lpszWindowName != nullptr)
        SetWindowText(lpszWindowName);

    // The template's size in pixels is the window the dialog manager made.
    CRect rect;
    GetWindowRect(&rect);
    m_sizeDefault = rect.Size();
    m_szHorz = m_szVert = m_szFloat = m_sizeDefault;
    SetBarStyle(m_dwStyle | CBRS_SIZE_DYNAMIC);
    return TRUE;
}

LRESULT CKTDialogBar::HandleInitDialog(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    // No OLE-control container exists in this toolkit, so the template's controls are all made
    // by the dialog manager.
    return Default();
}

BOOL CKTDialogBar::SetOccDialogInfo(void* pOccDialogInfo)
{
    m_pOccDialogInfo = pOccDialogInfo;
    return TRUE;
}

CSize CKTDialogBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    if (m_bAllowSizing)
        return CKTSizingControlBar::CalcFixedLayout(bStretch, bHorz);

    CSize size = m_sizeDefault;
    if (bStretch)
        (bHorz ? size.cx : size.cy) = 32767;
    size.cx += 2 * m_nBorder;
    size.cy += 2 * m_nBorder;
    if (IsHorzDocked())
    {
        size.cx += m_nCaptionHeight;
        if (IsEdgeShown(HTTOP) || IsEdgeShown(HTBOTTOM))
            size.cy += m_cxEdge;
    }
    else if (IsVertDocked())
    {
        size.cy += m_nCaptionHeight;
        if (IsEdgeShown(HTLEFT) || IsEdgeShown(HTRIGHT))
            size.cx += m_cxEdge;
    }
    const CSize sizeBar = CControlBar::CalcFixedLayout(bStretch, bHorz);
    return CSize(std::max(size.cx, sizeBar.cx), std::max(size.cy, sizeBar.cy));
}

CSize CKTDialogBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    if (!m_bAllowSizing)
        return CControlBar::CalcDynamicLayout(nLength, dwMode);
    return CKTSizingControlBar::CalcDynamicLayout(nLength, dwMode);
}

void CKTDialogBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    UpdateDialogControls(pTarget, bDisableIfNoHndler);
}

BOOL CKTDialogBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rectClient;
    GetClientRect(&rectClient);
    pDC->FillRect(rectClient, &ktGlobals.m_brushFace);
    return TRUE;
}
