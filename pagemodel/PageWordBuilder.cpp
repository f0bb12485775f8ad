#include "pagemodel/PageWordBuilder.h"

#include "pagemodel/CDCPage.h"
#include "pagemodel/CDCText.h"
#include "pagemodel/PageWordList.h"

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

bool IsDelimiter(wchar_t c)
{
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\r';
}

std::vector<std::wstring> SplitTokens(const std::wstring& text)
{
    std::vector<std::wstring> tokens;
    size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && IsDelimiter(text[at]))
            ++at;
        const size_t start = at;
        while (at < text.size() && !IsDelimiter(text[at]))
            ++at;
        if (at > start)
            tokens.push_back(text.substr(start, at - start));
    }
    return tokens;
}

// The font the page's texts are measured in, created from the last font item and deleted
// when it is replaced or the build ends.
class MeasuringFont
{
public:
    explicit MeasuringFont(HDC dc) : m_dc(dc) {}
    ~MeasuringFont() { Release(); }
    MeasuringFont(const MeasuringFont&) = delete;
    MeasuringFont& operator=(const MeasuringFont&) = delete;

    // Selects a font for the logical font; when it cannot be created the measuring goes on
    // in the font the device context holds.
    void Select(const LOGFONTW& logFont)
    {
        Release();
        m_font = CreateFontIndirectW(&logFont);
        if (m_font)
            m_previous = static_cast<HFONT>(SelectObject(m_dc, m_font));
    }

    int Width(const std::wstring& text) const
    {
        SIZE size = {0, 0};
        if (!text.empty() && !GetTextExtentPoint32W(m_dc, text.c_str(), static_cast<int>(text.size()), &size))
            return 0;
        return size.cx;
    }

private:
    void Release()
    {
        if (m_font) {
            SelectObject(m_dc, m_previous);
            DeleteObject(m_font);
        }
        m_font = nullptr;
        m_previous = nullptr;
    }

    HDC m_dc;
    HFONT m_font = nullptr;
    HFONT m_previous = nullptr;
};

class WordMaker
{
public:
    WordMaker(const CDCText& text, int32_t fontSize, PageWordList& words)
        : m_text(text), m_fontSize(fontSize), m_words(words)
    {
    }

    void Add(LONG left, LONG right, const std::wstring& content)
    {
        RECT rect = m_text.m_rect;
        rect.left = left;
        rect.right = right;
        m_words.AddWord(std::make_unique<ConvertingWord>(rect, content, static_cast<int32_t>(m_text.m_colour),
                                                         m_fontSize));
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
void BuildUnpositionedWords(const CDCText& text, const MeasuringFont& font, int spaceWidth, WordMaker& maker)
{
    std::wstring joined;
    for (const CDCCharInfo& info : text.m_chars)
        joined += static_cast<wchar_t>(info.m_char);
    const std::vector<std::wstring> tokens = SplitTokens(joined);
    if (tokens.size() == 1) {
        maker.Add(text.m_rect.left, text.m_rect.right, tokens[0]);
        return;
    }
    int64_t x = text.m_rect.left;
    for (const std::wstring& token : tokens) {
        const int64_t width = font.Width(token);
        maker.Add(ClampToLong(x), ClampToLong(x + width), token);
        x += width + spaceWidth;
    }
}

} // namespace

void BuildPageWords(const CDCPage& page, uint32_t resolution, HDC dc, PageWordList& words)
{
    const int savedState = SaveDC(dc);
    {
        MeasuringFont font(dc);
        bool fontSelected = false;
        LOGFONTW logFont = {};
        int32_t fontSize = 0;
        for (size_t i = 0; i < page.GetItemCount(); ++i) {
            const CDCItem* item = page.GetItem(i);
            if (item->GetType() == CDCItemTypeFont) {
                logFont = static_cast<const CDCFont*>(item)->m_logFont;
                // A face name of 32 characters is stored without its terminating zero.
                logFont.lfFaceName[LF_FACESIZE - 1] = L'\0';
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
                font.Select(logFont);
                fontSelected = true;
            }
            const int spaceWidth = font.Width(L" ");
            WordMaker maker(text, fontSize, words);
            if (text.m_chars.front().m_width != 0)
                BuildPositionedWords(text, spaceWidth, maker);
            else
                BuildUnpositionedWords(text, font, spaceWidth, maker);
        }
    }
    RestoreDC(dc, savedState);
}
