#include "pagemodel/PageWordBuilder.h"

#include "pagemodel/CDCPage.h"
#include "pagemodel/CDCText.h"
#include "pagemodel/PageWordList.h"
#include "pagemodel/SelectedFont.h"
#include "pagemodel/TextTokenizer.h"

#include <climits>
#include <memory>
#include <string>
#include <vector>

namespace {

LONG ClampToLong(int64_t value)
{
    return value < INT_MIN ? INT_MIN : value > INT_MAX ? INT_MAX : static_cast<LONG>(value);
}

bool IsEmptyRect(const RECT& r)
{
    return r.right <= r.left || r.bottom <= r.top;
}

int TextWidth(HDC dc, const std::wstring& text)
{
    SIZE size = {0, 0};
    if (text.empty() || !GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size))
        return 0;
    return size.cx;
}

class WordMaker
{
public:
    WordMaker(const CDCText& text, int32_t fontSize, PageWordList& words)
        : m_text(text), m_fontSize(fontSize), m_words(words)
    {
    }

    void Add(LONG left, LONG right, const std::wstring& content)
    {
        std::unique_ptr<ConvertingWord> word = m_words.NewWord();
        word->m_rect = m_text.m_rect;
        word->m_rect.left = left;
        word->m_rect.right = right;
        word->m_text.assign(content);
        word->m_colour = static_cast<int32_t>(m_text.m_colour);
        word->m_fontSize = m_fontSize;
        m_words.AddWord(std::move(word));
    }

private:
    const CDCText& m_text;
    int32_t m_fontSize;
    PageWordList& m_words;
};

// Characters with their own positions: a space, or a gap wider than a space, ends a word.
void BuildPositionedWords(const CDCText& text, int spaceWidth, WordMaker& maker)
{
    const int64_t textLeft = text.m_rect.left;
    std::wstring current;
    int64_t left = 0, right = 0;
    for (const CDCCharInfo& info : text.m_chars) {
        const wchar_t c = static_cast<wchar_t>(info.m_char);
        const int64_t x = static_cast<int16_t>(info.m_x), width = static_cast<int16_t>(info.m_width);
        if (current.empty()) {
            if (c == L' ')
                continue;
        } else if (c == L' ' || x > (right - textLeft) + spaceWidth) {
            maker.Add(ClampToLong(left), ClampToLong(right), current);
            current.clear();
            if (c == L' ')
                continue;
        } else {
            current += c;
            right = textLeft + x + width;
            continue;
        }
        current = c;
        left = textLeft + x;
        right = left + width;
    }
    if (!current.empty())
        maker.Add(ClampToLong(left), ClampToLong(right), current);
}

// Characters without positions: the tokens are laid out from the left by their measure.
void BuildUnpositionedWords(const CDCText& text, HDC dc, int spaceWidth, WordMaker& maker)
{
    std::wstring joined;
    for (const CDCCharInfo& info : text.m_chars)
        joined += static_cast<wchar_t>(info.m_char);
    std::vector<std::wstring> tokens;
    TextTokenizer tokenizer(joined);
    for (std::wstring token; tokenizer.NextTokenString(token, false);)
        tokens.push_back(token);
    if (tokens.empty())
        return;
    if (tokens.size() == 1) {
        maker.Add(text.m_rect.left, text.m_rect.right, tokens[0]);
        return;
    }
    int64_t x = text.m_rect.left;
    for (const std::wstring& token : tokens) {
        const int64_t width = TextWidth(dc, token);
        maker.Add(ClampToLong(x), ClampToLong(x + width), token);
        x += width + spaceWidth;
    }
}

} // namespace

void BuildPageWords(const CDCPage& page, uint32_t resolution, HDC dc, PageWordList& words)
{
    const int savedState = SaveDC(dc);
    {
        // The font of the last font item, created when a text first needs it.
        std::unique_ptr<SelectedFont> font;
        bool fontSelected = false;
        int spaceWidth = 0;
        LOGFONTW logFont = {};
        int32_t fontSize = 0;
        for (size_t i = 0; i < page.GetItemCount(); ++i) {
            const CDCItem* item = page.GetItem(i);
            if (item->GetType() == CDCItemTypeFont) {
                logFont = static_cast<const CDCFont*>(item)->m_logFont;
                const LONG points = logFont.lfHeight;
                fontSize = ClampToLong(int64_t(points) * 100);
                logFont.lfHeight = -MulDiv(points, static_cast<int>(resolution), 72);
                fontSelected = false;
                continue;
            }
            if (item->GetType() != CDCItemTypeText)
                continue;
            const CDCText& text = *static_cast<const CDCText*>(item);
            if (text.m_chars.empty() || IsEmptyRect(text.m_rect))
                continue;
            if (!fontSelected) {
                // The old font goes first, so that the device context gets its own font back.
                font.reset();
                font = std::make_unique<SelectedFont>(dc, logFont);
                fontSelected = true;
                // The width of a space depends on the selected font alone.
                spaceWidth = TextWidth(dc, L" ");
            }
            WordMaker maker(text, fontSize, words);
            if (text.m_chars.front().m_width != 0)
                BuildPositionedWords(text, spaceWidth, maker);
            else
                BuildUnpositionedWords(text, dc, spaceWidth, maker);
        }
    }
    RestoreDC(dc, savedState);
}
