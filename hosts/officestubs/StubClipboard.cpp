#include "StubClipboard.h"

#include <windows.h>

#include <cstring>

namespace officestubs {

namespace {

// Another program may hold the clipboard for a moment.
bool OpenClipboardPatiently()
{
    for (int attempt = 0; attempt < 20; ++attempt) {
        if (OpenClipboard(nullptr))
            return true;
        Sleep(25);
    }
    return false;
}

} // namespace

std::pair<unsigned, std::string> UnicodeTextFormat(const std::wstring& text)
{
    std::string bytes(reinterpret_cast<const char*>(text.c_str()), (text.size() + 1) * sizeof(wchar_t));
    return {CF_UNICODETEXT, bytes};
}

bool PutOnClipboard(const std::vector<std::pair<unsigned, std::string>>& formats)
{
    if (!OpenClipboardPatiently())
        return false;
    bool ok = EmptyClipboard() != FALSE;
    for (const auto& format : formats) {
        if (!ok)
            break;
        HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, format.second.size() ? format.second.size() : 1);
        void* data = block ? GlobalLock(block) : nullptr;
        if (!data) {
            if (block)
                GlobalFree(block);
            ok = false;
            break;
        }
        std::memcpy(data, format.second.data(), format.second.size());
        GlobalUnlock(block);
        if (!SetClipboardData(format.first, block)) {
            GlobalFree(block);
            ok = false;
        }
    }
    CloseClipboard();
    return ok;
}

bool PutTextOnClipboard(const std::wstring& text)
{
    return PutOnClipboard({UnicodeTextFormat(text)});
}

} // namespace officestubs
