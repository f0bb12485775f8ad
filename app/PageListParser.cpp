#include "app/PageListParser.h"

#include <algorithm>
#include <cstdint>

namespace
{

bool ReadNumber(const std::wstring& text, size_t& at, int32_t& number)
{
    const size_t start = at;
    int64_t value = 0;
    while (at < text.size() && text[at] >= L'0' && text[at] <= L'9')
    {
        value = value * 10 + (text[at] - L'0');
        // A page number past 32 bits names no page; the end of its range must fit as well.
        if (value >= INT32_MAX)
            return false;
        ++at;
    }
    number = static_cast<int32_t>(value);
    return at > start;
}

void Insert(PageRangeList& pages, PageRange range)
{
    for (size_t i = 0; i < pages.size(); ++i)
    {
        if (pages[i].first > range.end)
        {
            pages.insert(pages.begin() + static_cast<std::ptrdiff_t>(i), range);
            return;
        }
        if (pages[i].first == range.end)
        {
            pages[i].first = std::min(pages[i].first, range.first);
            return;
        }
        if (pages[i].end >= range.first)
        {
            pages[i].first = std::min(pages[i].first, range.first);
            pages[i].end = std::max(pages[i].end, range.end);
            while (i + 1 < pages.size() && pages[i + 1].first <= pages[i].end)
            {
                pages[i].end = std::max(pages[i].end, pages[i + 1].end);
                pages.erase(pages.begin() + static_cast<std::ptrdiff_t>(i + 1));
            }
            return;
        }
    }
    pages.push_back(range);
}

} // namespace

bool ParsePageList(const std::wstring& input, PageRangeList& pages)
{
    pages.clear();
    std::wstring text;
    for (wchar_t c : input)
    {
        if (c == L' ')
            continue;
        if ((c < L'0' || c > L'9') && c != L'-' && c != L',')
            return false;
        text += c;
    }
    if (text.empty())
        return false;
    size_t at = 0;
    for (;;)
    {
        int32_t first = 0;
        if (!ReadNumber(text, at, first))
        {
            pages.clear();
            return false;
        }
        PageRange range = {first, first + 1};
        if (at < text.size() && text[at] == L'-')
        {
            ++at;
            int32_t last = 0;
            if (!ReadNumber(text, at, last))
            {
                pages.clear();
                return false;
            }
            if (last > first)
                range.end = last + 1;
            else if (last < first)
                range = {last, first + 1};
        }
        Insert(pages, range);
        if (at == text.size())
            return true;
        if (text[at] != L',')
        {
            pages.clear();
            return false;
        }
        ++at;
    }
}

std::wstring FormatPageList(const PageRangeList& pages)
{
    std::wstring text;
    for (const PageRange& range : pages)
    {
        if (!text.empty())
            text += L", ";
        text += std::to_wstring(range.first);
        if (range.end - range.first != 1)
            text += L"-" + std::to_wstring(range.end - 1);
    }
    return text;
}
