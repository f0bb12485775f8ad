#include "WorkFileTestSupport.h"

#include "pagemodel/CDCWorkFile.h"
#include "pagemodel/PageWordList.h"
#include "pagemodel/Unzipper.h"

#include <cstdlib>

std::vector<Entry> ReadEntries(const std::wstring& path)
{
    std::vector<Entry> entries;
    CUnzipper unzipper(path.c_str());
    for (bool more = unzipper.GotoFirstFile(); more; more = unzipper.GotoNextFile())
    {
        UnzipFileInfo info;
        unsigned char* data = nullptr;
        uint32_t size = 0;
        if (!unzipper.GetFileInfo(info) || !unzipper.ReadCurrentFile(data, size))
            return {};
        entries.push_back({info.name, Bytes(data, data + size), info.dosDate});
        std::free(data);
    }
    return entries;
}

std::vector<std::string> Names(const std::vector<Entry>& entries)
{
    std::vector<std::string> names;
    for (const Entry& e : entries)
        names.push_back(e.name);
    return names;
}

const Entry* Find(const std::vector<Entry>& entries, const std::string& name)
{
    for (const Entry& e : entries)
        if (e.name == name)
            return &e;
    return nullptr;
}

Bytes Serialized(const OxSerializable& record)
{
    OxBuffer buffer;
    OxReadWriteBuffer stream(buffer);
    record.Write(stream);
    return Bytes(buffer.GetData(), buffer.GetData() + buffer.GetSize());
}

std::vector<std::wstring> WordTexts(const PageWordList& words)
{
    std::vector<std::wstring> texts;
    for (int i = 0; i < words.GetCount(); ++i)
        texts.push_back(words.GetAt(i)->m_text);
    return texts;
}

WorkFileBuilder NumberedPages(uint32_t count, uint32_t resolution, const wchar_t* prefix)
{
    WorkFileBuilder builder(resolution);
    for (uint32_t n = 1; n <= count; ++n)
    {
        CDCPage& page = builder.AddPage();
        AddFontItem(page, L"Arial", 10);
        AddEvenText(page, 100, 100, 130, prefix + std::to_wstring(n), 12);
    }
    return builder;
}

std::vector<std::wstring> WorkFileFixture::PageWords(CDCWorkFile& file, uint32_t n)
{
    PageWordList words;
    EXPECT_TRUE(file.GetPageWords(n, m_dc, words)) << "page " << n;
    return WordTexts(words);
}
