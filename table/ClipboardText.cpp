#include "table/ClipboardText.h"

#include "table/ConversionMessages.h"
#include "table/ConvertingTableGrid.h"
#include "table/SpreadsheetText.h"

#include <windows.h>

#include <cstring>
#include <cwchar>

static_assert(sizeof(OSVERSIONINFOW) == 276, "the version query passes a structure of 276 bytes");

namespace {

// The global block that will go on the clipboard; freed unless the clipboard took it.
class ClipboardBlock
{
public:
    ClipboardBlock() = default;
    ClipboardBlock(const ClipboardBlock&) = delete;
    ClipboardBlock& operator=(const ClipboardBlock&) = delete;
    ~ClipboardBlock()
    {
        if (m_handle)
            GlobalFree(m_handle);
    }
    bool Allocate(SIZE_T bytes)
    {
        m_handle = GlobalAlloc(GMEM_MOVEABLE, bytes);
        return m_handle != nullptr;
    }
    HGLOBAL Get() const { return m_handle; }
    void Release() { m_handle = nullptr; }

private:
    HGLOBAL m_handle = nullptr;
};

bool IsNtFamily()
{
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    BOOL known = GetVersionExW(&info);
#pragma GCC diagnostic pop
    return !known || info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

bool FillUnicode(const std::wstring& text, ClipboardBlock& block)
{
    SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
    if (!block.Allocate(bytes))
        return false;
    void* data = GlobalLock(block.Get());
    if (!data)
        return false;
    std::memcpy(data, text.c_str(), bytes);
    GlobalUnlock(block.Get());
    return true;
}

constexpr DWORD AnsiFlags = WC_COMPOSITECHECK | WC_SEPCHARS;

} // namespace

std::wstring BuildTableText(const ConvertingTableGrid& grid)
{
    std::wstring text;
    // No cell's text is much longer than its words with their spaces: room for that, reserved
    // once, keeps a long text from being copied again and again as it grows.
    const int columns = grid.GetColumnCount();
    text.reserve(grid.GetTextLength() + size_t(grid.GetRowCount()) * (size_t(columns) + 2));
    for (int row = 0; row < grid.GetRowCount(); ++row) {
        for (int column = 0; column < columns; ++column) {
            // A cell holding a TAB or a line break is quoted: unquoted it would paste as extra
            // cells or rows and move every later row.
            text += ClipboardCellText(grid.GetCellText(column, row, false));
            text += L'\t';
        }
        text += L"\r\n";
    }
    return text;
}

bool PutTextOnClipboard(const std::wstring& text, std::wstring& errorText, bool& errorIsFinal)
{
    using namespace ConversionMessages;
    errorIsFinal = false;
    if (text.empty()) {
        errorText = EmptyClipboardText;
        errorIsFinal = true;
        return false;
    }

    ClipboardBlock block;
    UINT format = CF_UNICODETEXT;
    if (IsNtFamily()) {
        if (!FillUnicode(text, block)) {
            errorText = ClipboardAllocFailed;
            return false;
        }
    } else {
        format = CF_TEXT;
        int size = WideCharToMultiByte(CP_ACP, AnsiFlags, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
        if (size <= 0) {
            errorText = SetClipboardDataFailed;
            return false;
        }
        if (!block.Allocate(static_cast<SIZE_T>(size) + 1)) {
            errorText = ClipboardAllocFailed;
            return false;
        }
        auto* data = static_cast<char*>(GlobalLock(block.Get()));
        if (!data) {
            errorText = ClipboardAllocFailed;
            return false;
        }
        int converted = WideCharToMultiByte(CP_ACP, AnsiFlags, text.c_str(), -1, data, size, nullptr, nullptr);
        GlobalUnlock(block.Get());
        if (converted != size) {
            errorText = SetClipboardDataFailed;
            return false;
        }
    }

    if (!OpenClipboard(nullptr)) {
        errorText = OpenClipboardFailed;
        return false;
    }
    if (!EmptyClipboard()) {
        CloseClipboard();
        errorText = EmptyClipboardFailed;
        return false;
    }
    if (!SetClipboardData(format, block.Get())) {
        CloseClipboard();
        errorText = SetClipboardFailed;
        return false;
    }
    block.Release();
    CloseClipboard();
    return true;
}

bool ReadTextFromClipboard(std::wstring& text)
{
    text.clear();
    if (!OpenClipboard(nullptr))
        return false;
    bool found = false;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        const SIZE_T capacity = GlobalSize(data) / sizeof(wchar_t);
        if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
            text.assign(chars, wcsnlen(chars, capacity));
            GlobalUnlock(data);
            found = true;
        }
    }
    CloseClipboard();
    return found;
}
