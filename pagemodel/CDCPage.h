#pragma once

#include "pagemodel/CDCFont.h"

#include <memory>
#include <string>
#include <vector>

// One printed page: its items in drawing order, stored as "Page%04d.dat".
class CDCPage
{
public:
    static constexpr uint32_t kMagic = 0x89AA7119;
    static constexpr uint32_t kVersion = 4;
    static constexpr uint32_t kOldestVersion = 2;

    CDCPage() = default;
    ~CDCPage() = default;
    // A copy clones every item and takes the current font and the loaded state;
    // it is neither changed nor glyph-flagged.
    CDCPage(const CDCPage& other);
    CDCPage& operator=(const CDCPage& other);
    // Moving keeps every state, so a growing page set keeps its pages as they were.
    CDCPage(CDCPage&& other) noexcept = default;
    CDCPage& operator=(CDCPage&& other) noexcept = default;

    bool Save(OxReadWrite& stream) const;
    // Items read before a failure stay in the page, which stays not loaded.
    bool Load(OxReadWrite& stream);
    // Deletes every item; loaded and glyph flags become 0, changed stays.
    void Clear();

    // Driver: appends a clone of the item.
    bool AddItem(const CDCItem& item);
    // Driver: appends a clone unless the font equals the current one, which it then becomes.
    bool AddFont(const CDCFont& font);

    size_t GetItemCount() const { return m_items.size(); }
    CDCItem* GetItem(size_t index) const { return m_items[index].get(); }
    const CDCFont& GetCurrentFont() const;
    bool IsLoaded() const { return m_loaded != 0; }
    bool IsChanged() const { return m_changed != 0; }
    void SetChanged(bool changed) { m_changed = changed ? 1 : 0; }
    BYTE GetGlyphFlags() const { return m_glyphFlags; }

private:
    std::vector<std::unique_ptr<CDCItem>> m_items;
    // Only a page being recorded has a current font: null stands for the empty font, so that the
    // page set of a long job that is opened costs little for its pages not yet read.
    std::unique_ptr<CDCFont> m_currentFont;
    BYTE m_loaded = 0;
    BYTE m_changed = 0;
    BYTE m_glyphFlags = 0;
};

// The pages of one print job, stored as "Pages.dat".
class CDCPageSet
{
public:
    static constexpr uint32_t kMagic = 0x89AA7117;
    static constexpr uint32_t kVersion = 4;
    static constexpr uint32_t kOldestVersion = 2;
    bool Save(OxReadWrite& stream) const;
    // Clears the set, then reads the header; the pages come back empty and not loaded. A
    // stored page count above maxPageCount is taken for a damaged file rather than sized
    // into memory: a work file passes the number of page entries its archive holds.
    bool Load(OxReadWrite& stream, uint32_t maxPageCount = UINT32_MAX);
    void Clear();

    uint32_t GetPageCount() const { return uint32_t(m_pages.size()); }
    // Grows with empty, not loaded pages, or drops pages from the end. False, with the pages
    // as they were, when memory does not suffice.
    bool SetPageCount(uint32_t count);
    // 1-based, as the page files are numbered; null outside 1..count.
    CDCPage* GetPage(uint32_t number);
    const CDCPage* GetPage(uint32_t number) const;

    uint32_t GetResolution() const { return m_resolution; }
    void SetResolution(uint32_t dotsPerInch) { m_resolution = dotsPerInch; }
    const std::wstring& GetDocumentName() const { return m_documentName; }
    void SetDocumentName(const std::wstring& name) { m_documentName = name; }

private:
    std::vector<CDCPage> m_pages;
    uint32_t m_resolution = 0;
    std::wstring m_documentName;
};
