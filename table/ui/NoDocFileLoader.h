#pragma once
// What a document-less program asks of the view its child frame shows: to load a file by path.
#include <cstdint>
#include <string>

class NoDocFileLoader
{
public:
    virtual ~NoDocFileLoader() = default;

    // True when the document was loaded; flags are 0 (none is defined).
    virtual bool LoadFile(const std::wstring& path, uint32_t flags) = 0;
};
