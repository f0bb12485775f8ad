#pragma once
// Builds a conversion's cell grid as a table in a new, invisible Word document through
// automation, copies it to the clipboard and closes the document and Word.
#include "table/GridExporter.h"

class WordApplication;

struct WordExportOptions
{
    bool keepFormatting = false;
    bool mergeCells = false;
};

class WordExporter : public GridExporter
{
public:
    explicit WordExporter(const WordExportOptions& options) : m_options(options) {}

    // Target clipboard as Word table.
    bool Export(TableConverter& converter, const ConvertingTableGrid& grid, ConversionTarget target,
                const std::wstring& outputFileName, int32_t progressRange) override;

private:
    // Steps from the new document to its close; false after a cancel. Raises on automation failures.
    template <class Family>
    bool WriteTable(TableConverter& converter, const ConvertingTableGrid& grid, WordApplication& word,
                    int32_t progressRange);
    template <class Family>
    bool FillCells(TableConverter& converter, const ConvertingTableGrid& grid, WordApplication& word,
                   typename Family::Table& table, int32_t progressRange, bool& mergeNeeded);
    template <class Family>
    void MergeBlocks(const ConvertingTableGrid& grid, WordApplication& word, typename Family::Document& document,
                     typename Family::Table& table);

    WordExportOptions m_options;
};
