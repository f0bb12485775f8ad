#include "uitoolkit/customize/KTCursorResource.h"

HCURSOR KTLoadCursorResource(UINT nID)
{
    HINSTANCE hInstance = AfxGetResourceHandle();
    HRSRC hResource = ::FindResourceW(hInstance, MAKEINTRESOURCEW(nID), MAKEINTRESOURCEW(10)); // RT_RCDATA
    if (hResource == nullptr)
        return nullptr;
    const DWORD cbResource = ::SizeofResource(hInstance, hResource);
    HGLOBAL hData = ::LoadResource(hInstance, hResource);
    BYTE* pData = hData != nullptr ? static_cast<BYTE*>(::LockResource(hData)) : nullptr;
    // The hot spot (two words), then at least a bitmap header.
    if (pData == nullptr || cbResource < 2 * sizeof(WORD) + sizeof(BITMAPINFOHEADER))
        return nullptr;
    const auto* pHeader = reinterpret_cast<const BITMAPINFOHEADER*>(pData + 2 * sizeof(WORD));
    if (pHeader->biSize != sizeof(BITMAPINFOHEADER))
        return nullptr;
    return reinterpret_cast<HCURSOR>(
        ::CreateIconFromResourceEx(pData, cbResource, FALSE, 0x00030000, 0, 0, LR_DEFAULTCOLOR));
}

namespace
{
const UINT kHandCursorId = 16919;

class CHandCursor
{
public:
    CHandCursor() : m_hCursor(KTLoadCursorResource(kHandCursorId)) {}
    ~CHandCursor()
    {
        if (m_hCursor != nullptr)
            ::DestroyCursor(m_hCursor);
    }
    CHandCursor(const CHandCursor&) = delete;
    CHandCursor& operator=(const CHandCursor&) = delete;
    HCURSOR Get() const { return m_hCursor != nullptr ? m_hCursor : ::LoadCursor(nullptr, IDC_HAND); }

private:
    HCURSOR m_hCursor;
};
} // namespace

HCURSOR KTGetHandCursor()
{
    static const CHandCursor s_hand;
    return s_hand.Get();
}
