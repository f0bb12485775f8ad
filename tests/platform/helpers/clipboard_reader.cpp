// Prints the clipboard's Unicode text as UTF-8, so a test can check what another process sees.
#include <windows.h>
#include <cstdio>
#include <string>

int main()
{
    if (!OpenClipboard(nullptr))
        return 2;
    int rc = 3;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
            int bytes = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
            std::string utf8(bytes > 0 ? bytes : 1, '\0');
            WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], bytes, nullptr, nullptr);
            std::fputs(utf8.c_str(), stdout);
            GlobalUnlock(data);
            rc = 0;
        }
    }
    CloseClipboard();
    return rc;
}
