#pragma once
#include <cstdint>

// Where a conversion sends its table; the values are stored in the user's options.
enum ConversionTarget : int32_t
{
    TargetExcelSheet = 0,
    TargetExcelFile = 1,
    TargetClipboardText = 2,
    TargetClipboardExcel = 3,
    TargetClipboardWord = 4,
};

constexpr int32_t ConversionTargetCount = 5;
