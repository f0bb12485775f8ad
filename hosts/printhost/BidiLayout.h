// GDI's side of a text output call with right-to-left text: before a printer driver sees a string,
// the system's text layout puts its characters in the order they stand on the page, left to right.
#pragma once

#include <string>
#include <vector>

struct DisplayOrder
{
    std::wstring text;           // the characters as they appear from left to right
    std::vector<size_t> logical; // for each of them, its position in the logical string
};

// Right-to-left runs (the levels of the platform's bidirectional analysis) come out reversed, with
// their mirrored characters (brackets, guillemets) replaced by their mirror images, as they are
// drawn. A paragraph reads right to left when rightToLeftReading is set. When the analysis is not
// available the text keeps its logical order.
DisplayOrder ToDisplayOrder(const std::wstring& logicalText, bool rightToLeftReading);
