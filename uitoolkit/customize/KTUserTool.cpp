// A user tool: storage, running it through the shell and its icon.
#include "uitoolkit/customize/KTUserTool.h"

#include "uitoolkit/looks/KTUIGlobals.h"

#include <shellapi.h>

#include <algorithm>

IMPLEMENT_SERIAL(CKTUserTool, CObject, VERSIONABLE_SCHEMA | 1)

CKTUserTool::ShellExecuteFn CKTUserTool::m_pfnShellExecute = &::ShellExecuteW;

namespace
{
const UINT kDefaultIconId = 16931;
const UINT kCantCopyImage = 16010;
const int kMaxPath = 260;
HICON s_hDefaultIcon = nullptr;
} // namespace

CKTUserTool::CKTUserTool() = default;

CKTUserTool::~CKTUserTool()
{
    DeleteIcon();
}

void CKTUserTool::Serialize(CArchive& ar)
{
    CObject::Serialize(ar);
    if (ar.IsStoring())
    {
        ar << m_strLabel << m_strCommand << m_strArguments << m_strInitialDirectory << m_uiCmdId;
        return;
    }
    CString strCommand;
    ar >> m_strLabel >> strCommand >> m_strArguments >> m_strInitialDirectory >> m_uiCmdId;
    SetCommand(strCommand);
}

BOOL CKTUserTool::Invoke()
{
    if (m_strCommand.IsEmpty())
        return FALSE;
    CWnd* pMainWnd = AfxGetMainWnd();
    HINSTANCE hResult = m_pfnShellExecute(pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr, L"open",
                                          m_strCommand, m_strArguments, m_strInitialDirectory, SW_SHOWNORMAL);
    // The shell's errors are the values up to 32: 32 itself is a missing library.
    return reinterpret_cast<INT_PTR>(hResult) > 32;
}

void CKTUserTool::SetCommand(LPCTSTR lpszCmd)
{
    const CString strCommand = lpszCmd != nullptr ? lpszCmd : _T("");
    if (strCommand == m_strCommand)
        return;
    m_strCommand = strCommand;
    DeleteIcon();
    m_hIcon = LoadIcon();
}

HICON CKTUserTool::GetDefaultIcon()
{
    if (s_hDefaultIcon == nullptr)
        s_hDefaultIcon = static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(kDefaultIconId),
                                                         IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                         ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    return s_hDefaultIcon;
}

HICON CKTUserTool::LoadDefaultIcon()
{
    return GetDefaultIcon();
}

HICON CKTUserTool::LoadIcon()
{
    CString strPath = m_strCommand;
    if (strPath.IsEmpty())
        return LoadDefaultIcon();
    if (strPath.FindOneOf(L"\\/:") < 0)
    {
        wchar_t szFound[kMaxPath + 1] = {};
        const DWORD nFound = ::SearchPathW(nullptr, strPath, nullptr, kMaxPath, szFound, nullptr);
        if (nFound == 0 || nFound > kMaxPath)
            return LoadDefaultIcon();
        strPath = szFound;
    }
    SHFILEINFOW info = {};
    if (::SHGetFileInfoW(strPath, 0, &info, sizeof(info), SHGFI_ICON | SHGFI_SMALLICON) == 0 || info.hIcon == nullptr)
        return LoadDefaultIcon();
    return info.hIcon;
}

void CKTUserTool::DeleteIcon()
{
    if (m_hIcon != nullptr && m_hIcon != s_hDefaultIcon)
        ::DestroyIcon(m_hIcon);
    m_hIcon = nullptr;
}

void CKTUserTool::DrawToolIcon(CDC* pDC, const CRect& rectImage)
{
    if (m_hIcon == nullptr || pDC == nullptr)
        return;
    const int cx = ::GetSystemMetrics(SM_CXSMICON);
    const int cy = ::GetSystemMetrics(SM_CYSMICON);
    const int x =
        std::max(static_cast<int>(rectImage.left), static_cast<int>(rectImage.left + (rectImage.Width() - cx) / 2));
    const int y =
        std::max(static_cast<int>(rectImage.top), static_cast<int>(rectImage.top + (rectImage.Height() - cy) / 2));
    ::DrawIconEx(pDC->GetSafeHdc(), x, y, m_hIcon, cx, cy, 0, nullptr, DI_NORMAL);
}

BOOL CKTUserTool::CopyIconToClipboard()
{
    const int cx = ::GetSystemMetrics(SM_CXSMICON);
    const int cy = ::GetSystemMetrics(SM_CYSMICON);
    BOOL bDone = FALSE;
    HDC hScreen = ::GetDC(nullptr);
    HBITMAP hBitmap = hScreen != nullptr ? ::CreateCompatibleBitmap(hScreen, cx, cy) : nullptr;
    if (hBitmap != nullptr)
    {
        HDC hMem = ::CreateCompatibleDC(hScreen);
        HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
        RECT rect = {0, 0, cx, cy};
        HBRUSH hFace = ::CreateSolidBrush(ktGlobals.m_colorFace);
        ::FillRect(hMem, &rect, hFace);
        ::DeleteObject(hFace);
        if (m_hIcon != nullptr)
            ::DrawIconEx(hMem, 0, 0, m_hIcon, cx, cy, 0, nullptr, DI_NORMAL);
        ::SelectObject(hMem, hOld);
        ::DeleteDC(hMem);
        CWnd* pMainWnd = AfxGetMainWnd();
        if (::OpenClipboard(pMainWnd != nullptr ? pMainWnd->GetSafeHwnd() : nullptr))
        {
            ::EmptyClipboard();
            bDone = ::SetClipboardData(CF_BITMAP, hBitmap) != nullptr;
            ::CloseClipboard();
        }
        // The clipboard owns the bitmap once it took it.
        if (!bDone)
            ::DeleteObject(hBitmap);
    }
    if (hScreen != nullptr)
        ::ReleaseDC(nullptr, hScreen);
    if (!bDone)
    {
        CString strMessage;
        strMessage.LoadString(kCantCopyImage);
        AfxMessageBox(strMessage);
    }
    return bDone;
}
