#pragma once
// Reading work files back entry by entry, and the small stand-ins the work-file tests share.

#include "ScratchFiles.h"
#include "tests/support/MemoryDC.h"
#include "tests/support/WorkFileBuilder.h"
#include "pagemodel/OxBuffer.h"
#include "pagemodel/OxReadWrite.h"
#include "pagemodel/OxSerializable.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

class CDCWorkFile;
class PageWordList;

struct Entry
{
    std::string name;
    Bytes bytes;
    uint32_t dosDate;
};

// Every entry of an archive in stored order; empty when any of them does not read.
std::vector<Entry> ReadEntries(const std::wstring& path);
std::vector<std::string> Names(const std::vector<Entry>& entries);
const Entry* Find(const std::vector<Entry>& entries, const std::string& name);

// A stand-in for the table layout: one line of text.
struct TextRecord : OxSerializable
{
    std::wstring text;
    explicit TextRecord(const std::wstring& t = L"") : text(t) {}
    bool Write(OxReadWrite& stream) const override { return WriteWideString(stream, text); }
    bool Read(OxReadWrite& stream) override { return ReadWideString(stream, text); }
};
Bytes Serialized(const OxSerializable& record);

std::vector<std::wstring> WordTexts(const PageWordList& words);

// Pages with one word each that tells which page it is: prefix + N.
WorkFileBuilder NumberedPages(uint32_t count, uint32_t resolution = 144, const wchar_t* prefix = L"p");

// A work file's place in a folder of its own, and the texts of a page's words as it reads them.
class WorkFileFixture : public ::testing::Test
{
protected:
    ScratchFolder m_folder;
    std::wstring m_path = m_folder.File(L"job.kest");
    MemoryDC m_dc;

    std::vector<std::wstring> PageWords(CDCWorkFile& file, uint32_t n);
};
