#include "hosts/printhost/BidiLayout.h"

#include <windows.h>
#include <usp10.h>

namespace
{

wchar_t Mirrored(wchar_t c)
{
    static const wchar_t pairs[][2] = {{L'(', L')'}, {L'[', L']'}, {L'{', L'}'}, {L'<', L'>'}, {0x00AB, 0x00BB}};
    for (const auto& pair : pairs)
    {
        if (c == pair[0])
            return pair[1];
        if (c == pair[1])
            return pair[0];
    }
    return c;
}

DisplayOrder AsStored(const std::wstring& text)
{
    DisplayOrder order{text, std::vector<size_t>(text.size())};
    for (size_t i = 0; i < text.size(); ++i)
        order.logical[i] = i;
    return order;
}

} // namespace

DisplayOrder ToDisplayOrder(const std::wstring& logicalText, bool rightToLeftReading)
{
    const int length = static_cast<int>(logicalText.size());
    if (length == 0)
        return DisplayOrder{};
    SCRIPT_CONTROL control{};
    SCRIPT_STATE state{};
    state.uBidiLevel = rightToLeftReading ? 1 : 0;
    // At most one item per character, and the analysis ends the list with one more.
    std::vector<SCRIPT_ITEM> items(static_cast<size_t>(length) + 2);
    int itemCount = 0;
    if (FAILED(ScriptItemize(logicalText.c_str(), length, length + 1, &control, &state, items.data(), &itemCount)) ||
        itemCount < 1 || itemCount > length)
        return AsStored(logicalText);

    std::vector<BYTE> levels(static_cast<size_t>(itemCount));
    for (int i = 0; i < itemCount; ++i)
        levels[i] = static_cast<BYTE>(items[i].a.s.uBidiLevel);
    std::vector<int> visualToLogical(static_cast<size_t>(itemCount));
    if (FAILED(ScriptLayout(itemCount, levels.data(), visualToLogical.data(), nullptr)))
        return AsStored(logicalText);

    DisplayOrder order;
    order.text.reserve(logicalText.size());
    order.logical.reserve(logicalText.size());
    for (int visual = 0; visual < itemCount; ++visual)
    {
        const int item = visualToLogical[visual];
        if (item < 0 || item >= itemCount)
            return AsStored(logicalText);
        const int first = items[item].iCharPos;
        const int end = items[item + 1].iCharPos;
        if (first < 0 || end > length || first > end)
            return AsStored(logicalText);
        const bool rightToLeft = (levels[item] & 1) != 0;
        for (int i = 0; i < end - first; ++i)
        {
            const size_t at = static_cast<size_t>(rightToLeft ? end - 1 - i : first + i);
            order.text += rightToLeft ? Mirrored(logicalText[at]) : logicalText[at];
            order.logical.push_back(at);
        }
    }
    if (order.text.size() != logicalText.size())
        return AsStored(logicalText);
    return order;
}
