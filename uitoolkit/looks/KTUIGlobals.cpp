#include "uitoolkit/looks/KTUIGlobals.h"

#include "uitoolkit/bars/KTMenuSound.h"
#include "uitoolkit/bars/KTMenuStore.h"
#include "uitoolkit/bars/KTToolBar.h"
#include "uitoolkit/customize/KTCommandManager.h"
#include "uitoolkit/customize/KTKeyboardManager.h"

#include "uitoolkit/looks/KTImageStrip.h"
#include "uitoolkit/looks/KTMenuGlyphs.h"
#include "uitoolkit/looks/KTVisualManager.h"

#include <cstddef>
#include <initializer_list>

const wchar_t* const KT_FONT_TAHOMA = L"Tahoma";
const wchar_t* const KT_FONT_SANS_SERIF = L"MS Sans Serif";
const wchar_t* const KT_FONT_ARIAL = L"Arial";
const wchar_t* const KT_FONT_MARLETT = L"Marlett";

CKTUIGlobals ktGlobals;

namespace
{
// The metrics record without the padded-border field of later systems, which older ones refuse.
const UINT kNonClientMetricsSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);

BOOL ReadNonClientMetrics(NONCLIENTMETRICSW& metrics)
{
    ZeroMemory(&metrics, sizeof(metrics));
    metrics.cbSize = kNonClientMetricsSize;
    return ::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0);
}

int CALLBACK StopAtFace(const LOGFONTW* pLogFont, const TEXTMETRICW*, DWORD, LPARAM lParam)
{
    // Returning 0 stops the enumeration, which EnumFontFamilies then reports as 0.
    return lstrcmpiW(pLogFont->lfFaceName, reinterpret_cast<LPCWSTR>(lParam)) == 0 ? 0 : 1;
}

int FullTextHeight(HDC hDC, HFONT hFont)
{
    if (hFont == nullptr)
        return 0;
    HGDIOBJ hOld = ::SelectObject(hDC, hFont);
    TEXTMETRICW tm{};
    ::GetTextMetricsW(hDC, &tm);
    ::SelectObject(hDC, hOld);
    return tm.tmHeight + tm.tmInternalLeading + tm.tmExternalLeading;
}

// The halfway colour, channel by channel, with the difference signed and the division truncating.
COLORREF Midway(COLORREF from, COLORREF to)
{
    auto mid = [](int a, int b) { return a + (b - a) / 2; };
    return RGB(mid(GetRValue(from), GetRValue(to)), mid(GetGValue(from), GetGValue(to)),
               mid(GetBValue(from), GetBValue(to)));
}

// The permanent-handle maps are per-thread objects that may already be gone when the process
// destroys this record, so its own objects are released without them.
void ReleaseAtExit(CGdiObject& object)
{
    HGDIOBJ handle = object.m_hObject;
    object.m_hObject = nullptr;
    if (handle != nullptr)
        ::DeleteObject(handle);
}
} // namespace

CKTUIGlobals::CKTUIGlobals() : m_strThemeLibrary(L"UxTheme.dll")
{
    UpdateSysColors();
    UpdateFonts();

    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (::GetVersionExW(&version))
    {
        m_isOldNT = version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion < 5;
        m_isWin9x = version.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS;
    }
}

CKTUIGlobals::~CKTUIGlobals()
{
    for (CGdiObject* object : std::initializer_list<CGdiObject*>{
             &m_brushFace, &m_brushSelection, &m_brushHalftone, &m_brushDarkShadow, &m_brushActiveCaption,
             &m_brushInactiveCaption, &m_brushWindow, &m_brushBarFace, &m_fontText, &m_fontStatusStyle, &m_fontBold,
             &m_fontUnderline, &m_fontRotated270, &m_fontRotated90, &m_fontSymbols})
        ReleaseAtExit(*object);
    if (m_themeModule != nullptr)
        ::FreeLibrary(m_themeModule);
}

void CKTUIGlobals::UpdateSysColors()
{
    m_colorFace = ::GetSysColor(COLOR_BTNFACE);
    m_colorShadow = ::GetSysColor(COLOR_BTNSHADOW);
    m_colorHighlight = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    m_colorText = ::GetSysColor(COLOR_BTNTEXT);
    m_colorFrame = ::GetSysColor(COLOR_WINDOWFRAME);
    m_colorDarkShadow = ::GetSysColor(COLOR_3DDKSHADOW);
    m_colorLight = ::GetSysColor(COLOR_3DLIGHT);
    m_colorGrayText = ::GetSysColor(COLOR_GRAYTEXT);
    m_colorSelection = ::GetSysColor(COLOR_HIGHLIGHT);
    m_colorSelectionText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_colorHotText = RGB(0, 0, 255);
    m_colorWindow = ::GetSysColor(COLOR_WINDOW);
    m_colorBarFace = m_colorFace;
    m_colorBarShadow = m_colorShadow;
    m_colorBarHighlight = m_colorHighlight;
    m_colorBarDarkShadow = m_colorDarkShadow;
    m_colorBarLight = m_colorLight;
    m_colorBarText = m_colorText;
    m_colorBarWindow = m_colorWindow;
    m_colorWindowText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_colorCaptionText = ::GetSysColor(COLOR_CAPTIONTEXT);
    m_colorMenuText = ::GetSysColor(COLOR_MENUTEXT);
    m_colorActiveCaption = ::GetSysColor(COLOR_ACTIVECAPTION);
    m_colorInactiveCaption = ::GetSysColor(COLOR_INACTIVECAPTION);
    m_colorInactiveCaptionText = ::GetSysColor(COLOR_INACTIVECAPTIONTEXT);
    m_colorActiveBorder = ::GetSysColor(COLOR_ACTIVEBORDER);
    m_colorInactiveBorder = ::GetSysColor(COLOR_INACTIVEBORDER);

    m_sysBrushHighlight = ::GetSysColorBrush(COLOR_BTNHIGHLIGHT);
    m_sysBrushShadow = ::GetSysColorBrush(COLOR_BTNSHADOW);
    m_sysBrushWindow = ::GetSysColorBrush(COLOR_WINDOW);

    RebuildBrushes();
    CKTMenuGlyphs::CleanUp();
}

void CKTUIGlobals::RebuildBrushes()
{
    struct SolidBrush
    {
        CBrush& brush;
        COLORREF color;
    };
    for (const SolidBrush& solid : {SolidBrush{m_brushFace, m_colorFace}, SolidBrush{m_brushSelection, m_colorSelection},
                                    SolidBrush{m_brushDarkShadow, m_colorDarkShadow},
                                    SolidBrush{m_brushActiveCaption, m_colorActiveCaption},
                                    SolidBrush{m_brushInactiveCaption, m_colorInactiveCaption},
                                    SolidBrush{m_brushWindow, m_colorBarWindow},
                                    SolidBrush{m_brushBarFace, m_colorBarFace}})
    {
        solid.brush.DeleteObject();
        solid.brush.CreateSolidBrush(solid.color);
    }

    HDC hScreen = ::GetDC(nullptr);
    m_bitsPerPixel = ::GetDeviceCaps(hScreen, BITSPIXEL);
    m_brushHalftone.DeleteObject();
    if (m_bitsPerPixel > 8)
    {
        m_brushHalftone.CreateSolidBrush(Midway(m_colorFace, m_colorHighlight));
    }
    else
    {
        HBITMAP hDither = CreateDitherBitmap(hScreen);
        if (hDither != nullptr)
        {
            // The brush keeps its own copy of the pattern.
            m_brushHalftone.Attach(::CreatePatternBrush(hDither));
            ::DeleteObject(hDither);
        }
    }
    ::ReleaseDC(nullptr, hScreen);
}

HBITMAP CKTUIGlobals::CreateDitherBitmap(HDC hDC) const
{
    struct
    {
        BITMAPINFOHEADER header;
        RGBQUAD colors[2];
    } info{};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = 8;
    info.header.biHeight = 8;
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    const COLORREF colors[2] = {m_colorFace, ::GetSysColor(COLOR_BTNHIGHLIGHT)};
    for (int i = 0; i < 2; ++i)
        info.colors[i] = RGBQUAD{GetBValue(colors[i]), GetGValue(colors[i]), GetRValue(colors[i]), 0};

    DWORD rows[8];
    for (int row = 0; row < 8; ++row)
        rows[row] = (row % 2 == 0) ? 0x5555AAAAu : 0xAAAA5555u;
    return ::CreateDIBitmap(hDC, &info.header, CBM_INIT, rows, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
}

CString CKTUIGlobals::ChooseTextFace(BYTE menuCharSet, LPCTSTR lpszMenuFace, HDC hScreenDC)
{
    if (menuCharSet > SYMBOL_CHARSET)
        return CString(lpszMenuFace);
    const BOOL completed = ::EnumFontFamiliesW(hScreenDC, nullptr, StopAtFace, reinterpret_cast<LPARAM>(KT_FONT_TAHOMA));
    return CString(completed ? KT_FONT_SANS_SERIF : KT_FONT_TAHOMA);
}

void CKTUIGlobals::UpdateFonts()
{
    for (CFont* font : {&m_fontText, &m_fontStatusStyle, &m_fontBold, &m_fontUnderline, &m_fontRotated270,
                        &m_fontRotated90, &m_fontSymbols})
        font->DeleteObject();

    NONCLIENTMETRICSW metrics;
    ReadNonClientMetrics(metrics);

    HDC hScreen = ::GetDC(nullptr);
    LOGFONTW font{};
    font.lfCharSet = static_cast<BYTE>(::GetTextCharsetInfo(hScreen, nullptr, 0));
    font.lfHeight = metrics.lfMenuFont.lfHeight;
    font.lfWeight = metrics.lfMenuFont.lfWeight;
    font.lfItalic = metrics.lfMenuFont.lfItalic;
    const CString face = ChooseTextFace(metrics.lfMenuFont.lfCharSet, metrics.lfMenuFont.lfFaceName, hScreen);
    lstrcpynW(font.lfFaceName, face, LF_FACESIZE);
    m_fontText.CreateFontIndirect(&font);

    ReadNonClientMetrics(metrics);
    font.lfWeight = metrics.lfStatusFont.lfWeight;
    font.lfItalic = metrics.lfStatusFont.lfItalic;
    m_fontStatusStyle.CreateFontIndirect(&font);

    font.lfWeight = metrics.lfMenuFont.lfWeight;
    font.lfItalic = metrics.lfMenuFont.lfItalic;
    font.lfUnderline = TRUE;
    m_fontUnderline.CreateFontIndirect(&font);

    font.lfUnderline = FALSE;
    font.lfWeight = FW_BOLD;
    m_fontBold.CreateFontIndirect(&font);

    const BYTE charSet = font.lfCharSet;
    font.lfCharSet = SYMBOL_CHARSET;
    font.lfWeight = 0;
    font.lfHeight = ::GetSystemMetrics(SM_CYMENUCHECK) - 1;
    lstrcpynW(font.lfFaceName, KT_FONT_MARLETT, LF_FACESIZE);
    m_fontSymbols.CreateFontIndirect(&font);
    font.lfCharSet = charSet;

    LOGFONTW gui{};
    HGDIOBJ hGuiFont = ::GetStockObject(DEFAULT_GUI_FONT);
    if (hGuiFont != nullptr && ::GetObjectW(hGuiFont, sizeof(gui), &gui) != 0)
    {
        gui.lfHeight = metrics.lfMenuFont.lfHeight;
        gui.lfWeight = metrics.lfMenuFont.lfWeight;
        gui.lfItalic = metrics.lfMenuFont.lfItalic;
        gui.lfOrientation = 900;
        gui.lfEscapement = 2700;
        lstrcpynW(gui.lfFaceName, KT_FONT_ARIAL, LF_FACESIZE);
        m_fontRotated270.CreateFontIndirect(&gui);
        gui.lfEscapement = 900;
        m_fontRotated90.CreateFontIndirect(&gui);
    }

    m_textHeight = FullTextHeight(hScreen, m_fontText);
    m_textHeightRotated = FullTextHeight(hScreen, m_fontRotated270);
    ::ReleaseDC(nullptr, hScreen);
}

HMODULE CKTUIGlobals::GetThemeModule()
{
    if (m_themeModule == nullptr)
        m_themeModule = ::LoadLibraryW(m_strThemeLibrary);
    return m_themeModule;
}

void CKTUIGlobals::SetThemeLibraryName(LPCTSTR lpszName)
{
    m_strThemeLibrary = lpszName;
    if (m_themeModule != nullptr)
    {
        ::FreeLibrary(m_themeModule);
        m_themeModule = nullptr;
    }
}

BOOL CKTUIGlobals::DrawParentBackground(CWnd* pWnd, CDC* pDC, const RECT* pRect)
{
    if (pWnd == nullptr || pDC == nullptr || pWnd->GetSafeHwnd() == nullptr)
        return FALSE;

    if (pRect != nullptr)
    {
        CRgn clip;
        clip.CreateRectRgnIndirect(pRect);
        pDC->SelectClipRgn(&clip);
    }

    BOOL result = FALSE;
    BOOL drawn = FALSE;
    HWND hParent = ::GetParent(pWnd->GetSafeHwnd());
    if (HMODULE hTheme = GetThemeModule())
    {
        using DrawThemeParentBackgroundFn = HRESULT(WINAPI*)(HWND, HDC, const RECT*);
        auto drawThemeParentBackground =
            reinterpret_cast<DrawThemeParentBackgroundFn>(
            reinterpret_cast<void*>(::GetProcAddress(hTheme, "DrawThemeParentBackground")));
        if (drawThemeParentBackground != nullptr &&
            drawThemeParentBackground(pWnd->GetSafeHwnd(), pDC->GetSafeHdc(), pRect) == S_OK)
        {
            result = TRUE;
            drawn = TRUE;
        }
    }
    if (!drawn && hParent != nullptr)
    {
        POINT offset{0, 0};
        ::MapWindowPoints(pWnd->GetSafeHwnd(), hParent, &offset, 1);
        POINT oldOrigin{};
        ::OffsetWindowOrgEx(pDC->GetSafeHdc(), offset.x, offset.y, &oldOrigin);
        result = static_cast<BOOL>(::SendMessageW(hParent, WM_ERASEBKGND, (WPARAM)pDC->GetSafeHdc(), 0));
        ::SetWindowOrgEx(pDC->GetSafeHdc(), oldOrigin.x, oldOrigin.y, nullptr);
    }

    ::SelectClipRgn(pDC->GetSafeHdc(), nullptr);
    return result;
}

void CKTUIGlobals::CleanUp()
{
    CKTMenuSound::Get().CleanUp();
    m_brushHalftone.DeleteObject();
    for (CFont* font : {&m_fontText, &m_fontStatusStyle, &m_fontBold, &m_fontUnderline, &m_fontRotated270,
                        &m_fontRotated90})
        font->DeleteObject();
    if (m_themeModule != nullptr)
    {
        ::FreeLibrary(m_themeModule);
        m_themeModule = nullptr;
    }
}

void CleanUpUILibrary()
{
    ktGlobals.CleanUp();
    CKTMenuFileStore::Get().RemoveAll();
    CKTToolBar::CleanUpImages();
    CKTMenuGlyphs::CleanUp();
    CKTCommandManager::GetInstance()->ClearAllCmdImages();
    CKTKeyboardManager::CleanUp();
    CKTImageStrip::CleanUp();
    CKTVisualManager::DestroyInstance();
}
