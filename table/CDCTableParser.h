#pragma once
// The table parser of printed pages: reads a page's words from the open work file.
#include <windows.h>

#include <memory>

#include "pagemodel/PageWordList.h"
#include "table/ConvertingTableParser.h"

class CDCWorkFile;

class CDCTableParser : public ConvertingTableParser
{
public:
    // Both borrowed: the work file and the device context that measures the page's text.
    CDCTableParser(CDCWorkFile* workFile, HDC dc);

    // Null when the page's words cannot be loaded (the grid is then released) or on a cancel.
    // A page that was not loaded before is unloaded again once its words are taken.
    std::unique_ptr<ConvertingTableGrid> ParsePage(int page, std::unique_ptr<ConvertingTableGrid> grid,
                                                   bool perPageDetection) override;

private:
    CDCWorkFile* m_workFile;
    HDC m_dc;
    // The words of the page being parsed, kept from page to page so that their storage is reused.
    PageWordList m_pageWords;
    WordList m_words;
};

// Puts words into the order the parser takes them: two words on one text line by their left
// edges, others by their vertical centres; equal ones keep their order. Being on one line is
// not transitive, so this is a merge sort, which stays defined for such an order.
void SortWordsForParsing(WordList& words);
