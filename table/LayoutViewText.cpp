// Text selection over the page's words, its copy, the preview, and the text search.
#include "table/LayoutView.h"

#include <cwctype>

#include "pagemodel/ConvertingWord.h"
#include "pagemodel/RtlText.h"
#include "pagemodel/TextTokenizer.h"
#include "table/ConvertingTableGrid.h"
#include "table/WordGeometry.h"

// Adds each selected line, widened for the inversion, to the view's selection region.
class SelectionWordAddingInterface : public WordAddingInterface
{
public:
    explicit SelectionWordAddingInterface(LayoutView& view) : m_view(view) {}

    bool EndLine() override
    {
        if (m_firstWordOfLine)
            return true;
        RECT rect = m_lineRect;
        if (!m_view.LayoutToScreen(rect))
            return false;
        rect.left -= 2;
        rect.top -= 2;
        rect.right += 1;
        rect.bottom += 1;
        HRGN line = ::CreateRectRgnIndirect(&rect);
        if (!m_view.m_selectionRegion)
            m_view.m_selectionRegion = line;
        else
        {
            ::CombineRgn(m_view.m_selectionRegion, m_view.m_selectionRegion, line, RGN_OR);
            ::DeleteObject(line);
        }
        m_firstWordOfLine = true;
        return true;
    }

private:
    LayoutView& m_view;
};

void WordAddingInterface::AddWord(const ConvertingWord& word, bool)
{
    m_lineRect = m_firstWordOfLine ? word.m_rect : BoxUnion(m_lineRect, word.m_rect);
    m_firstWordOfLine = false;
}

bool WordAddingInterface::IsOnCurrentLine(const ConvertingWord& word) const
{
    return !m_firstWordOfLine && IsSameTextLine(word.m_rect, m_lineRect);
}

void CopyWordAddingInterface::AddWord(const ConvertingWord& word, bool rightToLeft)
{
    if (!m_firstWordOfLine)
    {
        const int32_t height = m_lineRect.bottom - m_lineRect.top;
        const int32_t gap = rightToLeft ? m_lineRect.left - word.m_rect.right : word.m_rect.left - m_lineRect.right;
        if (gap >= height / 8)
        {
            if (rightToLeft)
                m_lineText.insert(0, L" ");
            else
                m_lineText += L" ";
        }
    }
    if (rightToLeft)
        m_lineText.insert(0, word.m_text);
    else
        m_lineText += word.m_text;
    WordAddingInterface::AddWord(word, rightToLeft);
}

bool CopyWordAddingInterface::EndLine()
{
    if (!m_firstWordOfLine)
    {
        if (!m_text.empty())
            m_text += m_lineEnd;
        m_text += ConvertRtlText(m_lineText);
    }
    m_lineText.clear();
    m_firstWordOfLine = true;
    return true;
}

bool LayoutView::HitTestWord(int32_t x, int32_t y, WordPoint& point)
{
    if (m_leftToRightOrder.empty())
        return false;
    ConvertingWord remembered;
    bool haveRemembered = false;
    ConvertingWord word;
    int32_t lastSequence = -1;
    for (int32_t sequence : m_leftToRightOrder)
    {
        if (!GetWord(sequence, word))
            continue;
        lastSequence = sequence;
        const RECT& r = word.m_rect;
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom)
        {
            point = {sequence, OnWord};
            return true;
        }
        if (y >= r.top && y <= r.bottom && x < r.left)
        {
            point = {sequence, BeforeWord};
            return true;
        }
        if (y > r.top)
            continue;
        if (x <= r.right)
        {
            point = {haveRemembered ? remembered.m_sequence : sequence, BeforeWord};
            return true;
        }
        if (!haveRemembered)
        {
            remembered = word;
            remembered.m_sequence = sequence;
            haveRemembered = true;
        }
        else if (!IsSameTextLine(word.m_rect, remembered.m_rect))
        {
            point = {remembered.m_sequence, BeforeWord};
            return true;
        }
    }
    if (lastSequence < 0)
        return false;
    point = {haveRemembered ? remembered.m_sequence : lastSequence, AfterWord};
    return true;
}

bool LayoutView::ForEachSelectedWord(WordAddingInterface& adder)
{
    const bool rightToLeft = m_selectionDirection == 2;
    const std::vector<int32_t>& order = rightToLeft ? m_rightToLeftOrder : m_leftToRightOrder;
    size_t startIndex = order.size();
    for (size_t i = 0; i < order.size(); ++i)
    {
        if (order[i] == m_anchor.m_word || order[i] == m_end.m_word)
        {
            startIndex = i;
            break;
        }
    }
    if (startIndex == order.size())
        return true;
    WordPoint start = m_anchor;
    WordPoint end = m_end;
    if (m_anchor.m_word == m_end.m_word)
    {
        if (m_end.m_position < m_anchor.m_position)
            std::swap(start, end);
    }
    else if (order[startIndex] != m_anchor.m_word)
        std::swap(start, end);

    // Positions that leave a word out: before it going left to right, after it going right to left.
    const int32_t skipStart = rightToLeft ? BeforeWord : AfterWord;
    const int32_t skipEnd = rightToLeft ? AfterWord : BeforeWord;
    ConvertingWord word;
    const bool sameWord = start.m_word == end.m_word;
    const bool leaveStart = start.m_position == skipStart || (sameWord && end.m_position == skipEnd);
    if (!leaveStart && GetWord(start.m_word, word))
        adder.AddWord(word, rightToLeft);
    if (sameWord)
        return adder.EndLine();
    for (size_t i = startIndex + 1; i < order.size(); ++i)
    {
        const int32_t sequence = order[i];
        if (!GetWord(sequence, word))
            continue;
        const bool isEnd = sequence == end.m_word;
        if (isEnd && end.m_position == skipEnd)
            return adder.EndLine();
        if (!adder.IsOnCurrentLine(word) && !adder.EndLine())
            return false;
        adder.AddWord(word, rightToLeft);
        if (isEnd)
            return adder.EndLine();
    }
    return adder.EndLine();
}

void LayoutView::ReleaseSelectionRegion()
{
    if (m_selectionRegion)
    {
        ::DeleteObject(m_selectionRegion);
        m_selectionRegion = nullptr;
    }
}

bool LayoutView::UpdateSelectionRegion()
{
    ReleaseSelectionRegion();
    SelectionWordAddingInterface adder(*this);
    return ForEachSelectedWord(adder);
}

bool LayoutView::CollectSelectedText(CopyWordAddingInterface& adder, std::wstring& text)
{
    if (!ForEachSelectedWord(adder))
        return false;
    text = adder.GetText();
    return true;
}

std::wstring LayoutView::GetSelectedText()
{
    if (!m_textSelectionExists)
        return std::wstring();
    CopyWordAddingInterface adder(L"\r\n");
    std::wstring text;
    CollectSelectedText(adder, text);
    return text;
}

void LayoutView::CopySelectedText()
{
    if (!Shell().IsTextSelectionMode() || !m_textSelectionExists)
        return;
    HCURSOR old = ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    CopyWordAddingInterface adder(L"\r\n");
    std::wstring text;
    if (CollectSelectedText(adder, text) && !text.empty())
        CopyTextToClipboard(text);
    ::SetCursor(old);
}

void LayoutView::ClearTextSelection()
{
    InvalidateSelection(nullptr);
    ReleaseSelectionRegion();
    m_textSelectionExists = false;
    m_textSelectionDrag = false;
}

int32_t LayoutView::DirectionOfWord(int32_t sequence)
{
    ConvertingWord word;
    return GetWord(sequence, word) && HasRtlText(word.m_text) ? 2 : 1;
}

void LayoutView::TextSelectionPress(int32_t x, int32_t y)
{
    ClearTextSelection();
    WordPoint point;
    if (!HitTestWord(x, y, point))
        return;
    m_anchor = point;
    m_end = point;
    m_textSelectionExists = true;
    m_textSelectionDrag = true;
    m_selectionDirection = Shell().GetOptions().m_textSelectionDir;
    if (m_selectionDirection == 0 && m_anchor.m_position == OnWord)
        m_selectionDirection = DirectionOfWord(m_anchor.m_word);
    BeginCapture();
}

void LayoutView::TextSelectionMove(int32_t x, int32_t y)
{
    WordPoint point;
    if (!HitTestWord(x, y, point))
        return;
    m_end = point;
    if (m_selectionDirection == 0 && m_end != m_anchor)
        m_selectionDirection = DirectionOfWord(m_anchor.m_position == BeforeWord ? m_anchor.m_word : m_end.m_word);
    HRGN old = nullptr;
    if (m_selectionRegion)
    {
        old = ::CreateRectRgn(0, 0, 0, 0);
        ::CombineRgn(old, m_selectionRegion, nullptr, RGN_COPY);
    }
    UpdateSelectionRegion();
    m_textSelectionExists = m_selectionRegion != nullptr;
    InvalidateSelection(old);
    if (old)
        ::DeleteObject(old);
    AutoScroll(x, y);
}

void LayoutView::UpdatePreview()
{
    LayoutFrame* frame = GetFrame();
    if (!frame)
        return;
    if (Shell().IsTextSelectionMode())
    {
        frame->UpdateTextPreview(GetSelectedText());
        return;
    }
    if (!GetLayout().IsEmpty() && GetLayout().HasColumns())
        frame->UpdateTablePreview(ParseCurrentPage());
    else
        frame->UpdateTablePreview(nullptr);
}

// --- search ----------------------------------------------------------------------------------

int32_t LayoutView::FindInText(const std::wstring& text, const std::wstring& search, bool matchCase)
{
    if (matchCase)
    {
        const size_t at = text.find(search);
        return at == std::wstring::npos ? -1 : static_cast<int32_t>(at);
    }
    // Only A to Z change case, as the plain "C" locale lower-cases them.
    auto lower = [](std::wstring s) {
        for (wchar_t& c : s)
            if (c >= L'A' && c <= L'Z')
                c = static_cast<wchar_t>(c - L'A' + L'a');
        return s;
    };
    const size_t at = lower(text).find(lower(search));
    return at == std::wstring::npos ? -1 : static_cast<int32_t>(at);
}

void LayoutView::FindText(const std::wstring& text, bool searchDown, bool matchCase)
{
    std::vector<std::wstring> search;
    TextTokenizer tokenizer(text);
    std::wstring token;
    while (tokenizer.NextTokenString(token, false))
        search.push_back(token);
    const std::vector<int32_t>& order = m_leftToRightOrder;
    const int32_t count = static_cast<int32_t>(order.size());
    if (search.empty() || count == 0)
    {
        ::MessageBeep(0xFFFFFFFF);
        return;
    }
    // Next to the current selection: after its later end going down, before its earlier one up.
    int32_t start = searchDown ? 0 : count - 1;
    if (m_textSelectionExists)
    {
        int32_t first = -1, last = -1;
        for (int32_t i = 0; i < count; ++i)
        {
            if (order[i] == m_anchor.m_word || order[i] == m_end.m_word)
            {
                if (first < 0)
                    first = i;
                last = i;
            }
        }
        if (first >= 0)
            start = searchDown ? (last + 1) % count : (first - 1 + count) % count;
    }
    const int32_t n = static_cast<int32_t>(search.size());
    ConvertingWord word;
    // One full cycle over the page's words, then the search gives up.
    for (int32_t step = 0; step < count; ++step)
    {
        const int32_t i = searchDown ? (start + step) % count : ((start - step) % count + count) % count;
        if (i + n > count)
            continue;
        bool match = true;
        for (int32_t k = 0; k < n && match; ++k)
        {
            if (!GetWord(order[i + k], word))
            {
                match = false;
                break;
            }
            const int32_t at = FindInText(word.m_text, search[k], matchCase);
            const int32_t wordLength = static_cast<int32_t>(word.m_text.size());
            const int32_t searchLength = static_cast<int32_t>(search[k].size());
            if (n == 1)
                match = at != -1;
            else if (k == 0)
                match = at != -1 && at + searchLength == wordLength;
            else if (k == n - 1)
                match = at == 0;
            else
                match = at == 0 && searchLength == wordLength;
        }
        if (!match)
            continue;
        InvalidateSelection(nullptr);
        m_anchor = {order[i], OnWord};
        m_end = {order[i + n - 1], OnWord};
        m_selectionDirection = 1;
        m_textSelectionExists = true;
        UpdateSelectionRegion();
        InvalidateSelection(nullptr);
        OnSelectionChanged();
        // The preview shows the found words, as it shows a selection dragged by hand.
        UpdatePreview();
        return;
    }
    ::MessageBeep(0xFFFFFFFF);
}

void LayoutView::FindTyped(const OxTextFindInterface& search)
{
    FindText(ConvertRtlText(search.m_findText), search.m_searchDown, search.m_matchCase);
}
