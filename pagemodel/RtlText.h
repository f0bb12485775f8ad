#pragma once

#include <string>
#include <vector>

// Right-to-left code units: Hebrew and Arabic with their presentation forms.
bool IsRtlChar(wchar_t c);
bool HasRtlText(const std::wstring& text);
// Without the white space (as iswspace sees it) at both ends.
std::wstring TrimText(const std::wstring& text);

// The trimmed text made ready for output: right-to-left runs enclosed in
// left-to-right override marks on the NT family, else reordered.
std::wstring PrepareRtlText(const std::wstring& text);
std::wstring PrepareRtlText(const std::wstring& text, bool useDirectionMarks);

// The text of one cell or selection made to read in printed order.
std::wstring ConvertRtlText(const std::wstring& text);
// The same, with indexMap[i] = the position in text of the result's character i.
// Leading delimiters stay in front of the result; trailing ones are dropped.
std::wstring ConvertRtlTextWithMap(const std::wstring& text, std::vector<int>& indexMap);

// Reorders one line run by run so that its first run ends up at the right end.
// indexMap, when given, receives for each output position the input position.
std::wstring ReorderRtlLine(const std::wstring& text, std::vector<int>* indexMap = nullptr);
