#include "table/PackedRows.h"

#include <algorithm>
#include <cstring>

namespace
{
// Rows are stored in blocks of this size; a larger row gets a block of its own.
const size_t kBlockSize = 256 * 1024;

// A packed cell: its joined text length (bits 0-15), its format (16-23), whether it is plain
// (24) and then its style (25-31) or else its word count (25-31). A plain cell's words are the
// pieces of its text between single spaces, all of one style: no word records are stored for
// it. A cell kept whole beside the record is marked by all bits set, which no packed cell has
// (its format is below 0xFF).
const uint32_t kKeptWhole = 0xFFFFFFFFu;
const uint32_t kMaxCellText = 0xFFFF;
const int32_t kMaxFormat = 0xFE;
const uint32_t kPlainCell = 1u << 24;
const uint32_t kCellCountShift = 25;
const uint32_t kMaxCellCount = 0x7F; // words of a cell, or the style of a plain one

// A packed word: its text length (bits 0-15), a space follows (bit 16), its style (17-31).
const uint32_t kMaxWordText = 0xFFFF;
const uint32_t kSpaceFollows = 1u << 16;
const uint32_t kStyleShift = 17;
const uint32_t kMaxStyles = 1u << 15;

const size_t kHeaderWords = 4;

uint32_t CellTextLength(uint32_t cell)
{
    return cell & 0xFFFF;
}

int32_t CellFormatBits(uint32_t cell)
{
    return static_cast<int32_t>((cell >> 16) & 0xFF);
}

bool IsPlain(uint32_t cell)
{
    return (cell & kPlainCell) != 0;
}

uint32_t CellCount(uint32_t cell)
{
    return cell >> kCellCountShift;
}

// The word records a cell has in its row's record.
uint32_t StoredWordCount(uint32_t cell)
{
    return IsPlain(cell) ? 0 : CellCount(cell);
}

uint64_t WholeKey(int column, int row)
{
    return (static_cast<uint64_t>(static_cast<uint32_t>(row)) << 32) | static_cast<uint32_t>(column);
}

size_t JoinedLength(const ConvertingTableCell& cell)
{
    size_t length = 0;
    for (const ConvertingTableCellWord& word : cell.m_words)
        length += word.m_text.size() + (word.m_spaceFollows ? 1 : 0);
    return length;
}
} // namespace

uint8_t* PackedRows::Allocate(size_t bytes)
{
    // Whole blocks rather than one growing array: the store never copies itself to grow, so a
    // large table never needs twice its size on the way.
    bytes = (bytes + 7) & ~size_t(7);
    if (m_blocks.empty() || m_blockSize - m_blockUsed < bytes)
    {
        const size_t size = (std::max)(kBlockSize, bytes);
        m_blocks.emplace_back(new uint8_t[size]);
        m_blockSize = size;
        m_blockUsed = 0;
    }
    uint8_t* place = m_blocks.back().get() + m_blockUsed;
    m_blockUsed += bytes;
    return place;
}

bool PackedRows::StyleIndex(int32_t colour, int32_t fontSize, uint32_t& index)
{
    const std::pair<int32_t, int32_t> style(colour, fontSize);
    if (!m_styles.empty() && m_styles.back() == style)
    {
        index = static_cast<uint32_t>(m_styles.size() - 1);
        return true;
    }
    const auto found = m_styleIndex.find(style);
    if (found != m_styleIndex.end())
    {
        index = found->second;
        return true;
    }
    if (m_styles.size() >= kMaxStyles)
        return false;
    index = static_cast<uint32_t>(m_styles.size());
    m_styles.push_back(style);
    m_styleIndex.emplace(style, index);
    return true;
}

bool PackedRows::Fits(const ConvertingTableCell& cell, size_t& textLength, uint32_t& plainStyle)
{
    textLength = JoinedLength(cell);
    if (cell.m_span != 0 || cell.m_format < 0 || cell.m_format > kMaxFormat || textLength > kMaxCellText)
        return false;
    bool plain = !cell.m_words.empty();
    uint32_t firstStyle = 0;
    for (size_t i = 0; i < cell.m_words.size(); ++i)
    {
        const ConvertingTableCellWord& word = cell.m_words[i];
        uint32_t style = 0;
        if (word.m_flag2 != 0 || word.m_text.size() > kMaxWordText || !StyleIndex(word.m_colour, word.m_fontSize, style))
            return false;
        if (i == 0)
            firstStyle = style;
        const bool last = i + 1 == cell.m_words.size();
        plain = plain && style == firstStyle && !word.m_text.empty() && (word.m_spaceFollows != 0) != last &&
                word.m_text.find(L' ') == std::wstring::npos;
    }
    plain = plain && firstStyle <= kMaxCellCount;
    plainStyle = plain ? firstStyle : kMaxStyles;
    return plain || cell.m_words.size() <= kMaxCellCount;
}

void PackedRows::Append(const ConvertingTableRow& row)
{
    const int rowIndex = GetRowCount();
    std::vector<uint8_t>& fits = m_fits;
    std::vector<uint32_t>& plainStyles = m_plainStyles;
    fits.assign(row.size(), 0);
    plainStyles.assign(row.size(), 0);
    size_t wordCount = 0, textLength = 0;
    bool wide = false;
    for (size_t c = 0; c < row.size(); ++c)
    {
        size_t length = 0;
        fits[c] = Fits(row[c], length, plainStyles[c]);
        if (!fits[c])
            continue;
        if (plainStyles[c] == kMaxStyles)
            wordCount += row[c].m_words.size();
        textLength += length;
        for (const ConvertingTableCellWord& word : row[c].m_words)
            for (wchar_t ch : word.m_text)
                wide = wide || static_cast<uint16_t>(ch) > 0xFF;
    }
    const size_t words = kHeaderWords + row.size() + wordCount;
    uint8_t* record = Allocate(words * sizeof(uint32_t) + textLength * (wide ? 2 : 1));
    uint32_t* header = reinterpret_cast<uint32_t*>(record);
    header[0] = static_cast<uint32_t>(row.size());
    header[1] = static_cast<uint32_t>(wordCount);
    header[2] = static_cast<uint32_t>(textLength);
    header[3] = wide ? 1 : 0;
    uint32_t* cells = header + kHeaderWords;
    uint32_t* packedWords = cells + row.size();
    uint8_t* text = reinterpret_cast<uint8_t*>(packedWords + wordCount);
    size_t charIndex = 0;
    auto put = [&](wchar_t ch) {
        if (wide)
            std::memcpy(text + 2 * charIndex, &ch, 2);
        else
            text[charIndex] = static_cast<uint8_t>(ch);
        ++charIndex;
    };
    for (size_t c = 0; c < row.size(); ++c)
    {
        const ConvertingTableCell& cell = row[c];
        if (!fits[c])
        {
            cells[c] = kKeptWhole;
            m_whole.emplace(WholeKey(static_cast<int>(c), rowIndex), cell);
            m_textLength += JoinedLength(cell);
            continue;
        }
        const size_t start = charIndex;
        const bool plain = plainStyles[c] != kMaxStyles;
        for (const ConvertingTableCellWord& word : cell.m_words)
        {
            if (!plain)
            {
                uint32_t style = 0;
                StyleIndex(word.m_colour, word.m_fontSize, style);
                *packedWords++ = static_cast<uint32_t>(word.m_text.size()) |
                                 (word.m_spaceFollows ? kSpaceFollows : 0) | (style << kStyleShift);
            }
            for (wchar_t ch : word.m_text)
                put(ch);
            if (word.m_spaceFollows)
                put(L' ');
        }
        const uint32_t count = plain ? plainStyles[c] : static_cast<uint32_t>(cell.m_words.size());
        cells[c] = static_cast<uint32_t>(charIndex - start) | (static_cast<uint32_t>(cell.m_format) << 16) |
                   (plain ? kPlainCell : 0) | (count << kCellCountShift);
    }
    m_rows.push_back(record);
    m_textLength += textLength;
}

PackedRows::RowView PackedRows::View(int row) const
{
    const uint32_t* header = reinterpret_cast<const uint32_t*>(m_rows[static_cast<size_t>(row)]);
    RowView view;
    view.columnCount = header[0];
    view.wordCount = header[1];
    view.textLength = header[2];
    view.wide = header[3] != 0;
    view.cells = header + kHeaderWords;
    view.words = view.cells + view.columnCount;
    view.text = reinterpret_cast<const uint8_t*>(view.words + view.wordCount);
    return view;
}

wchar_t PackedRows::CharAt(const RowView& view, size_t index) const
{
    if (!view.wide)
        return static_cast<wchar_t>(view.text[index]);
    wchar_t ch;
    std::memcpy(&ch, view.text + 2 * index, 2);
    return ch;
}

bool PackedRows::Locate(int column, int row, RowView& view, CellPlace& place) const
{
    view = View(row);
    place = CellPlace{0, 0, 0};
    for (int c = 0; c < column; ++c)
    {
        const uint32_t cell = view.cells[c];
        if (cell == kKeptWhole)
            continue;
        place.firstWord += StoredWordCount(cell);
        place.firstChar += CellTextLength(cell);
    }
    place.cell = view.cells[column];
    return place.cell != kKeptWhole;
}

const ConvertingTableCell* PackedRows::KeptWhole(int column, int row) const
{
    const auto found = m_whole.find(WholeKey(column, row));
    return found == m_whole.end() ? nullptr : &found->second;
}

ConvertingTableCell PackedRows::GetCell(int column, int row) const
{
    RowView view;
    CellPlace place;
    if (!Locate(column, row, view, place))
        return *KeptWhole(column, row);
    ConvertingTableCell cell;
    cell.m_format = CellFormatBits(place.cell);
    if (IsPlain(place.cell))
    {
        // One word between single spaces, each but the last followed by one.
        const std::pair<int32_t, int32_t>& style = m_styles[CellCount(place.cell)];
        const size_t end = place.firstChar + CellTextLength(place.cell);
        for (size_t at = place.firstChar; at < end;)
        {
            ConvertingTableCellWord word;
            for (; at < end && CharAt(view, at) != L' '; ++at)
                word.m_text += CharAt(view, at);
            word.m_colour = style.first;
            word.m_fontSize = style.second;
            word.m_spaceFollows = at < end ? 1 : 0;
            at += word.m_spaceFollows;
            cell.m_words.push_back(std::move(word));
        }
        return cell;
    }
    const uint32_t count = CellCount(place.cell);
    cell.m_words.resize(count);
    size_t at = place.firstChar;
    for (uint32_t i = 0; i < count; ++i)
    {
        const uint32_t packed = view.words[place.firstWord + i];
        ConvertingTableCellWord& word = cell.m_words[i];
        const size_t length = packed & kMaxWordText;
        word.m_text.resize(length);
        for (size_t k = 0; k < length; ++k)
            word.m_text[k] = CharAt(view, at + k);
        at += length;
        const std::pair<int32_t, int32_t>& style = m_styles[packed >> kStyleShift];
        word.m_colour = style.first;
        word.m_fontSize = style.second;
        word.m_spaceFollows = (packed & kSpaceFollows) ? 1 : 0;
        at += word.m_spaceFollows;
    }
    return cell;
}

std::wstring PackedRows::GetJoinedText(int column, int row) const
{
    RowView view;
    CellPlace place;
    if (!Locate(column, row, view, place))
        return KeptWhole(column, row)->GetJoinedText();
    const size_t length = CellTextLength(place.cell);
    std::wstring text(length, L'\0');
    if (view.wide)
        std::memcpy(&text[0], view.text + 2 * place.firstChar, 2 * length);
    else
        std::copy(view.text + place.firstChar, view.text + place.firstChar + length, text.begin());
    return text;
}

bool PackedRows::HasWords(int column, int row) const
{
    RowView view;
    CellPlace place;
    if (!Locate(column, row, view, place))
        return !KeptWhole(column, row)->m_words.empty();
    return IsPlain(place.cell) || CellCount(place.cell) != 0;
}

int32_t PackedRows::GetFormat(int column, int row) const
{
    RowView view;
    CellPlace place;
    if (!Locate(column, row, view, place))
        return KeptWhole(column, row)->m_format;
    return CellFormatBits(place.cell);
}

ConvertingTableRow PackedRows::TakeLast()
{
    const int row = GetRowCount() - 1;
    const RowView view = View(row);
    ConvertingTableRow cells;
    cells.reserve(view.columnCount);
    for (uint32_t c = 0; c < view.columnCount; ++c)
        cells.push_back(GetCell(static_cast<int>(c), row));
    for (uint32_t c = 0; c < view.columnCount; ++c)
    {
        const auto whole = m_whole.find(WholeKey(static_cast<int>(c), row));
        if (whole == m_whole.end())
            continue;
        m_textLength -= JoinedLength(whole->second);
        m_whole.erase(whole);
    }
    m_textLength -= view.textLength;
    m_rows.pop_back();
    return cells;
}
