#include "pagemodel/RtlText.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>

namespace {

const wchar_t kLeftToRightOverride = 0x202D;
const wchar_t kPopDirectionalFormatting = 0x202C;
// A Hebrew code unit put in front of a text so that its first run is right-to-left.
const wchar_t kRtlAnchor = 0x0590;

bool IsSpace(wchar_t c)
{
    return std::iswspace(c) != 0;
}

bool IsPunct(wchar_t c)
{
    return std::iswpunct(c) != 0;
}

bool IsBlank(wchar_t c)
{
    return c == L' ' || c == L'\t';
}

bool IsLineBreak(wchar_t c)
{
    return c == L'\n' || c == L'\r';
}

bool IsDelimiter(wchar_t c)
{
    return c == L' ' || c == L'\n' || c == L'\t' || c == L'\r';
}

wchar_t Mirrored(wchar_t c)
{
    switch (c) {
    case L'(': return L')';
    case L')': return L'(';
    case L'<': return L'>';
    case L'>': return L'<';
    case L'[': return L']';
    case L']': return L'[';
    case L'{': return L'}';
    case L'}': return L'{';
    default: return c;
    }
}

bool IsNtFamily()
{
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(&info))
        return true;
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT;
}

std::wstring EncloseRtlRuns(const std::wstring& text)
{
    std::wstring result;
    const size_t length = text.size();
    size_t i = 0;
    bool rtl = length != 0 && IsRtlChar(text[0]);
    while (i < length) {
        size_t end = i + 1;
        if (rtl) {
            while (end < length && !IsLineBreak(text[end])
                   && (IsRtlChar(text[end]) || IsSpace(text[end]) || IsPunct(text[end])))
                ++end;
            result += kLeftToRightOverride;
            result.append(text, i, end - i);
            result += kPopDirectionalFormatting;
        } else {
            while (end < length && !IsRtlChar(text[end]))
                ++end;
            // White space before a right-to-left run belongs inside its marks.
            if (end < length) {
                while (end > i + 1 && IsSpace(text[end - 1]) && !IsLineBreak(text[end - 1]))
                    --end;
            }
            result.append(text, i, end - i);
        }
        i = end;
        rtl = !rtl;
    }
    return result;
}

} // namespace

bool IsRtlChar(wchar_t c)
{
    return (c >= 0x0590 && c <= 0x05FF) || (c >= 0xFB1E && c <= 0xFB4F) || (c >= 0x0600 && c <= 0x06FF)
        || (c >= 0xFB50 && c <= 0xFDFF) || (c >= 0xFE70 && c <= 0xFEFE);
}

bool HasRtlText(const std::wstring& text)
{
    for (wchar_t c : text) {
        if (IsRtlChar(c))
            return true;
    }
    return false;
}

std::wstring TrimText(const std::wstring& text)
{
    size_t first = 0;
    while (first < text.size() && IsSpace(text[first]))
        ++first;
    size_t last = text.size();
    while (last > first && IsSpace(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

std::wstring PrepareRtlText(const std::wstring& text)
{
    return PrepareRtlText(text, IsNtFamily());
}

std::wstring PrepareRtlText(const std::wstring& text, bool useDirectionMarks)
{
    const std::wstring trimmed = TrimText(text);
    if (!HasRtlText(trimmed))
        return trimmed;
    if (useDirectionMarks)
        return EncloseRtlRuns(trimmed);
    return TrimText(ReorderRtlLine(L" " + trimmed));
}

std::wstring ReorderRtlLine(const std::wstring& text, std::vector<int>* indexMap)
{
    const size_t length = text.size();
    std::wstring result(length, L' ');
    if (indexMap != nullptr)
        indexMap->assign(length, 0);

    size_t strong = 0;
    while (strong < length && (IsSpace(text[strong]) || IsPunct(text[strong])))
        ++strong;
    bool rtl = strong < length && IsRtlChar(text[strong]);

    size_t out = length;  // the output fills from its end towards its start
    size_t i = 0;
    while (i < length) {
        size_t end = i + 1;
        if (rtl) {
            // Spaces and tabs between right-to-left words belong to the run; without
            // them the words' separating spaces would move to the runs' edges.
            while (end < length && (IsRtlChar(text[end]) || IsPunct(text[end]) || IsBlank(text[end])))
                ++end;
            for (size_t j = i; j < end; ++j) {
                --out;
                result[out] = Mirrored(text[j]);
                if (indexMap != nullptr)
                    (*indexMap)[out] = int(j);
            }
        } else {
            while (end < length && !IsRtlChar(text[end]) && text[end] != L'\n')
                ++end;
            while (end > i + 1) {
                const wchar_t last = text[end - 1];
                const bool givenBack = IsBlank(last) || (IsPunct(last) && last != L'/' && last != L'%');
                if (!givenBack)
                    break;
                --end;
            }
            for (size_t j = end; j > i; --j) {
                --out;
                result[out] = text[j - 1];
                if (indexMap != nullptr)
                    (*indexMap)[out] = int(j - 1);
            }
        }
        i = end;
        rtl = !rtl;
    }
    return result;
}

std::wstring ConvertRtlText(const std::wstring& text)
{
    const std::wstring trimmed = TrimText(text);
    if (!HasRtlText(trimmed))
        return trimmed;
    std::vector<int> indexMap;
    std::wstring line;
    line += kRtlAnchor;
    line += L' ';
    line += trimmed;
    std::wstring result = ReorderRtlLine(line, &indexMap);
    size_t anchor = 0, space = 0;
    for (size_t i = 0; i < indexMap.size(); ++i) {
        if (indexMap[i] == 0)
            anchor = i;
        else if (indexMap[i] == 1)
            space = i;
    }
    result.erase((std::max)(anchor, space), 1);
    result.erase((std::min)(anchor, space), 1);
    return result;
}

std::wstring ConvertRtlTextWithMap(const std::wstring& text, std::vector<int>& indexMap)
{
    size_t start = 0;
    while (start < text.size() && IsDelimiter(text[start]))
        ++start;
    if (!HasRtlText(text) || start == text.size()) {
        indexMap.resize(text.size());
        for (size_t i = 0; i < text.size(); ++i)
            indexMap[i] = int(i);
        return text;
    }
    size_t end = text.size() - 1;
    while (IsDelimiter(text[end]))
        --end;

    std::wstring line;
    line += kRtlAnchor;
    line += L' ';
    line.append(text, start, end - start + 1);
    std::vector<int> lineMap;
    const std::wstring reordered = ReorderRtlLine(line, &lineMap);

    // The leading delimiters stay in front, in the text and in the map alike.
    std::wstring result = text.substr(0, start);
    indexMap.clear();
    indexMap.reserve(start + reordered.size());
    for (size_t i = 0; i < start; ++i)
        indexMap.push_back(int(i));
    for (size_t i = 0; i < reordered.size(); ++i) {
        if (lineMap[i] < 2)
            continue;
        result += reordered[i];
        indexMap.push_back(lineMap[i] + int(start) - 2);
    }
    return result;
}
