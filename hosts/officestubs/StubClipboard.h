// Puts what the stand-ins copy on the clipboard, as the applications do: owned by the system.
#pragma once
#include <string>
#include <utility>
#include <vector>

namespace officestubs {

// Each entry: a clipboard format and its bytes. Replaces the clipboard's content.
bool PutOnClipboard(const std::vector<std::pair<unsigned, std::string>>& formats);

// CF_UNICODETEXT with its terminating zero.
std::pair<unsigned, std::string> UnicodeTextFormat(const std::wstring& text);

bool PutTextOnClipboard(const std::wstring& text);

} // namespace officestubs
