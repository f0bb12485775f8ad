#pragma once
#include <string>

// "A1"-style name of a 1-based row and column: column 1 is A, 26 Z, 27 AA, 703 AAA.
std::wstring GetExcelCellName(int row, int column);
