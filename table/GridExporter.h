#pragma once
// The step of a conversion that writes the parsed grid to its target. The clipboard text export
// is built into TableConverter; the automation exports register one of these per target.
#include <cstdint>
#include <string>

#include "table/ConversionTarget.h"

class ConvertingTableGrid;
class TableConverter;

class GridExporter
{
public:
    virtual ~GridExporter() = default;

    // Runs on the conversion worker. progressRange is the range the converter set: the pages
    // took its first half (100 units a page), the export reports the second. An exporter that
    // drives automation initialises COM on this thread itself and uninitialises it before it
    // returns. On failure it sets the converter's error (SetError) and returns false; it polls
    // the converter's progress interface for a cancel.
    virtual bool Export(TableConverter& converter, const ConvertingTableGrid& grid, ConversionTarget target,
                        const std::wstring& outputFileName, int32_t progressRange) = 0;
};
