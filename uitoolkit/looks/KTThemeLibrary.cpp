#include "uitoolkit/looks/KTThemeLibrary.h"

#include "uitoolkit/customize/KTButton.h"
#include "uitoolkit/looks/KTUIGlobals.h"

#include <algorithm>

#include <vssym32.h>

CString CKTThemeLibrary::s_strModuleName = L"UxTheme.dll";

namespace
{
template <typename Fn>
Fn EntryPoint(HMODULE hModule, const char* lpszName)
{
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(hModule, lpszName)));
}

const int kPartProgressBar = 1;
const int kPartProgressChunk = 3;
} // namespace

CKTThemeLibrary::CKTThemeLibrary()
{
    m_hThemeDll = ::LoadLibraryW(s_strModuleName);
    if (m_hThemeDll == nullptr)
        return;
    m_pfOpenThemeData = EntryPoint<OpenThemeDataFn>(m_hThemeDll, "OpenThemeData");
    m_pfCloseThemeData = EntryPoint<CloseThemeDataFn>(m_hThemeDll, "CloseThemeData");
    m_pfDrawThemeBackground = EntryPoint<DrawThemeBackgroundFn>(m_hThemeDll, "DrawThemeBackground");
    m_pfGetThemeColor = EntryPoint<GetThemeColorFn>(m_hThemeDll, "GetThemeColor");
    m_pfGetThemeSysColor = EntryPoint<GetThemeSysColorFn>(m_hThemeDll, "GetThemeSysColor");
    m_pfGetCurrentThemeName = EntryPoint<GetCurrentThemeNameFn>(m_hThemeDll, "GetCurrentThemeName");
    m_pfGetWindowTheme = EntryPoint<GetWindowThemeFn>(m_hThemeDll, "GetWindowTheme");
    OpenThemes();
}

CKTThemeLibrary::~CKTThemeLibrary()
{
    CloseThemes();
    if (m_hThemeDll != nullptr)
        ::FreeLibrary(m_hThemeDll);
}

void CKTThemeLibrary::OpenThemes()
{
    CloseThemes();
    if (m_hThemeDll == nullptr || m_pfOpenThemeData == nullptr || m_pfCloseThemeData == nullptr ||
        m_pfDrawThemeBackground == nullptr)
        return;
    CWnd* pMainWnd = AfxGetMainWnd();
    HWND hWnd = pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr;
    const std::pair<HTHEME*, const wchar_t*> classes[] = {
        {&m_hThemeToolBar, L"TOOLBAR"},         {&m_hThemeButton, L"BUTTON"},  {&m_hThemeStatusBar, L"STATUS"},
        {&m_hThemeWindow, L"WINDOW"},           {&m_hThemeRebar, L"REBAR"},    {&m_hThemeComboBox, L"COMBOBOX"},
        {&m_hThemeProgress, L"PROGRESS"},       {&m_hThemeHeader, L"HEADER"},  {&m_hThemeScrollBar, L"SCROLLBAR"},
        {&m_hThemeExplorerBar, L"EXPLORERBAR"}, {&m_hThemeTree, L"TREEVIEW"},  {&m_hThemeStartPanel, L"STARTPANEL"},
        {&m_hThemeTaskBand, L"TASKBAND"},       {&m_hThemeTaskBar, L"TASKBAR"}};
    for (const auto& themeClass : classes)
        *themeClass.first = m_pfOpenThemeData(hWnd, themeClass.second);
}

void CKTThemeLibrary::CloseThemes()
{
    for (HTHEME* pTheme :
         {&m_hThemeToolBar, &m_hThemeRebar, &m_hThemeButton, &m_hThemeStatusBar, &m_hThemeWindow, &m_hThemeComboBox,
          &m_hThemeProgress, &m_hThemeHeader, &m_hThemeScrollBar, &m_hThemeExplorerBar, &m_hThemeTree,
          &m_hThemeStartPanel, &m_hThemeTaskBand, &m_hThemeTaskBar})
    {
        if (*pTheme != nullptr && m_pfCloseThemeData != nullptr)
            m_pfCloseThemeData(*pTheme);
        *pTheme = nullptr;
    }
}

COLORREF CKTThemeLibrary::GetThemeSysColorOrDefault(HTHEME hTheme, int nColorIndex) const
{
    if (hTheme != nullptr && m_pfGetThemeSysColor != nullptr)
        return m_pfGetThemeSysColor(hTheme, nColorIndex);
    return ::GetSysColor(nColorIndex);
}

BOOL CKTThemeLibrary::GetThemeColorValue(HTHEME hTheme, int nPart, int nState, int nProperty, COLORREF& color) const
{
    COLORREF value = 0;
    if (hTheme == nullptr || m_pfGetThemeColor == nullptr ||
        m_pfGetThemeColor(hTheme, nPart, nState, nProperty, &value) != S_OK)
        return FALSE;
    color = value;
    return TRUE;
}

CString CKTThemeLibrary::GetCurrentThemeFileTitle() const
{
    if (m_pfGetCurrentThemeName == nullptr)
        return CString();
    wchar_t fileName[256] = {};
    if (m_pfGetCurrentThemeName(fileName, 255, nullptr, 0, nullptr, 0) != S_OK)
        return CString();
    fileName[255] = 0;
    CString title(fileName);
    const int slash = std::max(title.ReverseFind(L'\\'), title.ReverseFind(L'/'));
    if (slash >= 0)
        title = title.Mid(slash + 1);
    const int dot = title.ReverseFind(L'.');
    if (dot >= 0)
        title = title.Left(dot);
    return title;
}

BOOL CKTThemeLibrary::HasWindowTheme(HWND hWnd) const
{
    return hWnd != nullptr && m_pfGetWindowTheme != nullptr && m_pfGetWindowTheme(hWnd) != nullptr;
}

BOOL CKTThemeLibrary::DrawThemed(HTHEME hTheme, CDC* pDC, int nPart, int nState, const CRect& rect) const
{
    if (hTheme == nullptr || m_pfDrawThemeBackground == nullptr)
        return FALSE;
    m_pfDrawThemeBackground(hTheme, pDC->GetSafeHdc(), nPart, nState, &rect, nullptr);
    return TRUE;
}

BOOL CKTThemeLibrary::DrawPushButton(CDC* pDC, CRect rect, CKTButton* pButton, UINT)
{
    if (m_hThemeButton == nullptr || pButton == nullptr)
        return FALSE;
    return DrawPushButtonWindow(pDC, rect, pButton, pButton->IsPushed(), pButton->IsHighlighted());
}

int CKTThemeLibrary::GetPushButtonState(HWND hWnd, BOOL bPushed, BOOL bHighlighted)
{
    if (hWnd != nullptr && !::IsWindowEnabled(hWnd))
        return PBS_DISABLED;
    // Only the pushed bit: a button that merely has the focus or is checked is not pressed.
    if ((bPushed && bHighlighted) || (hWnd != nullptr && (::SendMessageW(hWnd, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0))
        return PBS_PRESSED;
    return bHighlighted ? PBS_HOT : PBS_NORMAL;
}

BOOL CKTThemeLibrary::DrawPushButtonWindow(CDC* pDC, CRect rect, CWnd* pWnd, BOOL bPushed, BOOL bHighlighted)
{
    if (m_hThemeButton == nullptr)
        return FALSE;
    const int state = GetPushButtonState(pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr, bPushed, bHighlighted);
    if (pWnd != nullptr)
        ktGlobals.DrawParentBackground(pWnd, pDC, &rect);
    return DrawThemed(m_hThemeButton, pDC, BP_PUSHBUTTON, state, rect);
}

BOOL CKTThemeLibrary::DrawProgress(CDC* pDC, CRect rect, int nTotal, int nCurrent, BOOL bShowText)
{
    if (m_hThemeProgress == nullptr)
        return FALSE;
    DrawThemed(m_hThemeProgress, pDC, kPartProgressBar, 0, rect);
    if (nTotal == 0)
        return TRUE;
    CRect chunk = rect;
    chunk.DeflateRect(3, 3);
    // In 64 bits: a long bar times a large position would overflow 32.
    const long long filled = static_cast<long long>(chunk.Width()) * nCurrent / nTotal;
    chunk.right = chunk.left + static_cast<int>(std::clamp(filled, 0LL, static_cast<long long>(chunk.Width())));
    if (chunk.right > chunk.left)
        DrawThemed(m_hThemeProgress, pDC, kPartProgressChunk, 0, chunk);
    if (bShowText)
    {
        CString text;
        text.Format(L"%d%%", static_cast<int>(static_cast<long long>(nCurrent) * 100 / nTotal));
        const COLORREF oldText = pDC->SetTextColor(ktGlobals.m_colorText);
        const int oldMode = pDC->SetBkMode(TRANSPARENT);
        CRect rectText = rect;
        pDC->DrawText(text, rectText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        pDC->SetBkMode(oldMode);
        pDC->SetTextColor(oldText);
    }
    return TRUE;
}
