#pragma once

#include <windows.h>

#include <cstdint>

class OxReadWrite;

// Type codes stored before every item of a page file.
enum : BYTE
{
    CDCItemTypeText = 1,
    CDCItemTypeFont = 2,
};

// A recorded page item: a text run or a font.
class CDCItem
{
public:
    virtual ~CDCItem() = default;
    virtual bool Write(OxReadWrite& stream) const = 0;
    virtual bool Read(OxReadWrite& stream, uint32_t version) = 0;
    // A copy on the heap; null when it cannot be allocated.
    virtual CDCItem* Clone() const = 0;
    virtual BYTE GetType() const = 0;
};

// Reads the type byte and the record behind it as stored in a page file of the
// given version. Null for an unknown type or a record that does not read.
CDCItem* CreatePageItem(OxReadWrite& stream, uint32_t version);
