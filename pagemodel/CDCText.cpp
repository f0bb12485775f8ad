#include "pagemodel/CDCText.h"

#include "pagemodel/OxReadWrite.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>

namespace {

const uint32_t kCharRecordSize = 6;

// The version-4 character records, taken from the stream in blocks rather than value by value:
// a page holds thousands of them.
bool ReadCharRecords(OxReadWrite& stream, std::vector<CDCCharInfo>& chars)
{
    const size_t kBlock = 256;
    uint8_t raw[kBlock * kCharRecordSize];
    for (size_t done = 0; done < chars.size();) {
        const size_t n = std::min(kBlock, chars.size() - done);
        if (!stream.Read(raw, uint32_t(n * kCharRecordSize)))
            return false;
        for (size_t i = 0; i < n; ++i) {
            CDCCharInfo& info = chars[done + i];
            const uint8_t* record = raw + i * kCharRecordSize;
            std::memcpy(&info.m_char, record, 2);
            std::memcpy(&info.m_x, record + 2, 2);
            std::memcpy(&info.m_width, record + 4, 2);
        }
        done += n;
    }
    return true;
}

} // namespace

bool CDCCharInfo::Write(OxReadWrite& stream) const
{
    return stream.WriteValue(m_char) && stream.WriteValue(m_x) && stream.WriteValue(m_width);
}

bool CDCCharInfo::Read(OxReadWrite& stream, uint32_t version)
{
    if (version < 4)
        return false;
    return stream.ReadValue(m_char) && stream.ReadValue(m_x) && stream.ReadValue(m_width);
}

bool CDCText::Write(OxReadWrite& stream) const
{
    if (m_chars.size() > INT32_MAX)
        return false;
    if (!stream.WriteValue(int32_t(m_rect.top)) || !stream.WriteValue(int32_t(m_rect.bottom))
        || !stream.WriteValue(int32_t(m_rect.left)) || !stream.WriteValue(int32_t(m_rect.right))
        || !stream.WriteValue(m_glyphIndex) || !stream.WriteValue(m_colour)
        || !stream.WriteValue(int32_t(m_chars.size())))
        return false;
    // In blocks, as they are read: a page holds thousands of character records.
    const size_t kBlock = 256;
    uint8_t raw[kBlock * kCharRecordSize];
    for (size_t done = 0; done < m_chars.size();) {
        const size_t n = std::min(kBlock, m_chars.size() - done);
        for (size_t i = 0; i < n; ++i) {
            const CDCCharInfo& info = m_chars[done + i];
            uint8_t* record = raw + i * kCharRecordSize;
            std::memcpy(record, &info.m_char, 2);
            std::memcpy(record + 2, &info.m_x, 2);
            std::memcpy(record + 4, &info.m_width, 2);
        }
        if (!stream.Write(raw, uint32_t(n * kCharRecordSize)))
            return false;
        done += n;
    }
    return true;
}

bool CDCText::Read(OxReadWrite& stream, uint32_t version)
{
    int32_t top = 0, bottom = 0, left = 0, right = 0;
    BYTE glyphIndex = 0;
    if (!stream.ReadValue(top) || !stream.ReadValue(bottom) || !stream.ReadValue(left)
        || !stream.ReadValue(right) || !stream.ReadValue(glyphIndex))
        return false;
    const RECT rect = {left, top, right, bottom};
    uint32_t colour = 0;
    std::vector<CDCCharInfo> chars;
    if (version < 4) {
        if (!ReadOlderText(stream, chars, colour, rect))
            return false;
    } else {
        int32_t count = 0;
        if (!stream.ReadValue(colour) || !stream.ReadValue(count))
            return false;
        // The count comes from the file: it must fit in what is left before we allocate.
        if (count < 0 || uint64_t(count) * kCharRecordSize > stream.GetCount())
            return false;
        chars.resize(size_t(count));
        if (!ReadCharRecords(stream, chars))
            return false;
    }
    m_rect = rect;
    m_glyphIndex = glyphIndex;
    m_colour = colour;
    m_chars.swap(chars);
    return true;
}

bool CDCText::ReadOlderText(OxReadWrite& stream, std::vector<CDCCharInfo>& chars, uint32_t& colour,
                            const RECT& rect)
{
    std::wstring text;
    BYTE positionsMode = 0;
    if (!ReadWideString(stream, text) || !stream.ReadValue(colour) || !stream.ReadValue(positionsMode))
        return false;
    const uint32_t length = uint32_t(text.size());
    const uint32_t runWidth = uint32_t(rect.right) - uint32_t(rect.left);
    chars.reserve(length);
    if (positionsMode == 0 && length != 0) {
        if (uint64_t(length) * sizeof(int32_t) > stream.GetCount())
            return false;
        std::vector<int32_t> offsets(length);
        for (int32_t& offset : offsets) {
            if (!stream.ReadValue(offset))
                return false;
        }
        for (uint32_t i = 0; i < length; ++i) {
            const uint32_t next = i + 1 < length ? uint32_t(offsets[i + 1]) : runWidth;
            chars.emplace_back(uint16_t(text[i]), uint16_t(offsets[i]), uint16_t(next - uint32_t(offsets[i])));
        }
        return true;
    }
    if (length == 0)
        return true;
    const uint32_t width = runWidth / length;
    for (uint32_t i = 0; i < length; ++i)
        chars.emplace_back(uint16_t(text[i]), uint16_t(i * width), uint16_t(width));
    return true;
}

CDCItem* CDCText::Clone() const
{
    try {
        return new CDCText(*this);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
