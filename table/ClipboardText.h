#pragma once
// The clipboard text of a conversion: tab-separated cells, CR LF after every row.
#include <string>

class ConvertingTableGrid;

// Every cell, the last of a row included, is followed by a TAB; every row by CR LF. A cell that
// holds a TAB or a line break is put between double quotes (its own doubled), as a spreadsheet
// pastes it into one cell.
std::wstring BuildTableText(const ConvertingTableGrid& grid);

// Puts the text on the clipboard. Returns false with errorText set (and errorIsFinal telling
// whether it is a whole message) when it could not; the clipboard is then left closed and no
// memory block is left behind.
bool PutTextOnClipboard(const std::wstring& text, std::wstring& errorText, bool& errorIsFinal);

// Reads the clipboard's Unicode text back, as a peer that receives a conversion does. False when
// the clipboard cannot be opened or holds no Unicode text. The block comes from another program:
// the text ends at its first zero or at the block's end, whichever comes first.
bool ReadTextFromClipboard(std::wstring& text);
