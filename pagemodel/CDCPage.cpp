#include "pagemodel/CDCPage.h"

#include "pagemodel/CDCText.h"
#include "pagemodel/OxReadWrite.h"

#include <new>
#include <stdexcept>

namespace {

// The smallest stored item: a type byte and a text record without characters
// (rectangle, flag, colour, character count).
const uint32_t kSmallestItemSize = 1 + 16 + 1 + 4 + 4;

bool ReadHeader(OxReadWrite& stream, uint32_t magic, uint32_t oldest, uint32_t newest, uint32_t& version)
{
    uint32_t storedMagic = 0;
    return stream.ReadValue(storedMagic) && storedMagic == magic && stream.ReadValue(version)
        && version >= oldest && version <= newest;
}

} // namespace

CDCPage::CDCPage(const CDCPage& other)
{
    *this = other;
}

CDCPage& CDCPage::operator=(const CDCPage& other)
{
    if (this == &other)
        return *this;
    std::vector<std::unique_ptr<CDCItem>> items;
    items.reserve(other.m_items.size());
    for (const auto& item : other.m_items) {
        items.emplace_back(item->Clone());
        if (!items.back())
            throw std::bad_alloc();
    }
    std::unique_ptr<CDCFont> font(other.m_currentFont ? new CDCFont(*other.m_currentFont) : nullptr);
    m_items.swap(items);
    m_currentFont.swap(font);
    m_loaded = other.m_loaded;
    m_changed = 0;
    m_glyphFlags = 0;
    return *this;
}

bool CDCPage::Save(OxReadWrite& stream) const
{
    if (!stream.WriteValue(kMagic) || !stream.WriteValue(kVersion)
        || !stream.WriteValue(uint32_t(m_items.size())))
        return false;
    for (const auto& item : m_items) {
        if (!stream.WriteValue(item->GetType()) || !item->Write(stream))
            return false;
    }
    return true;
}

bool CDCPage::Load(OxReadWrite& stream)
{
    Clear();
    uint32_t version = 0;
    uint32_t count = 0;
    if (!ReadHeader(stream, kMagic, kOldestVersion, kVersion, version) || !stream.ReadValue(count))
        return false;
    if (uint64_t(count) * kSmallestItemSize > stream.GetCount())
        return false;
    for (uint32_t i = 0; i < count; ++i) {
        std::unique_ptr<CDCItem> item(CreatePageItem(stream, version));
        if (!item)
            return false;
        if (item->GetType() == CDCItemTypeText)
            m_glyphFlags |= static_cast<CDCText*>(item.get())->m_glyphIndex;
        m_items.push_back(std::move(item));
    }
    m_loaded = 1;
    return true;
}

void CDCPage::Clear()
{
    // Swapped out rather than cleared, so that an unloaded page gives its memory back.
    std::vector<std::unique_ptr<CDCItem>>().swap(m_items);
    m_loaded = 0;
    m_glyphFlags = 0;
}

bool CDCPage::AddItem(const CDCItem& item)
{
    std::unique_ptr<CDCItem> copy(item.Clone());
    if (!copy)
        return false;
    m_items.push_back(std::move(copy));
    return true;
}

const CDCFont& CDCPage::GetCurrentFont() const
{
    static const CDCFont empty;
    return m_currentFont ? *m_currentFont : empty;
}

bool CDCPage::AddFont(const CDCFont& font)
{
    if (font.IsEqual(GetCurrentFont()))
        return true;
    if (!m_currentFont)
        m_currentFont.reset(new (std::nothrow) CDCFont());
    if (!m_currentFont || !AddItem(font))
        return false;
    m_currentFont->Assign(font);
    return true;
}

bool CDCPageSet::Save(OxReadWrite& stream) const
{
    return stream.WriteValue(kMagic) && stream.WriteValue(kVersion)
        && stream.WriteValue(uint32_t(m_pages.size())) && stream.WriteValue(m_resolution)
        && WriteWideString(stream, m_documentName);
}

bool CDCPageSet::Load(OxReadWrite& stream, uint32_t maxPageCount)
{
    Clear();
    uint32_t version = 0;
    uint32_t count = 0;
    uint32_t resolution = 0;
    std::wstring name;
    if (!ReadHeader(stream, kMagic, kOldestVersion, kVersion, version) || !stream.ReadValue(count)
        || !stream.ReadValue(resolution))
        return false;
    if (version >= 3 && !ReadWideString(stream, name))
        return false;
    if (count > maxPageCount || !SetPageCount(count))
        return false;
    m_resolution = resolution;
    m_documentName.swap(name);
    return true;
}

void CDCPageSet::Clear()
{
    m_resolution = 0;
    m_documentName.clear();
    m_pages.clear();
}

bool CDCPageSet::SetPageCount(uint32_t count)
{
    try {
        m_pages.resize(count);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    return true;
}

CDCPage* CDCPageSet::GetPage(uint32_t number)
{
    return number >= 1 && number <= m_pages.size() ? &m_pages[number - 1] : nullptr;
}

const CDCPage* CDCPageSet::GetPage(uint32_t number) const
{
    return number >= 1 && number <= m_pages.size() ? &m_pages[number - 1] : nullptr;
}
