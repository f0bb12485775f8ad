#pragma once
// Layouts drawn as pictures: one string per row, one letter per cell; cells with the same letter
// form one merged block. Letters are named in the order the blocks first appear, row by row, so
// that a picture read back from a layout compares equal to the one written by hand.
#include "table/ConvertingTableLayout.h"

#include <map>
#include <string>
#include <vector>

using Picture = std::vector<std::string>;

// A table of 100 x 100 units per cell, starting at (0, 0), merged as the picture shows.
inline ConvertingTableLayout LayoutFromPicture(const Picture& picture)
{
    ConvertingTableLayout layout;
    const int rows = static_cast<int>(picture.size());
    const int columns = static_cast<int>(picture[0].size());
    layout.SetTableRect(RECT{0, 0, columns * 100, rows * 100});
    for (int c = 0; c < columns; ++c)
        layout.AppendColumn(ConvertingTableColumn{c + 1 == columns ? -1 : (c + 1) * 100, 1, CellFormatAutomatic});
    for (int r = 1; r < rows; ++r)
        layout.InsertRowLine(r - 1, r * 100);
    std::map<char, RECT> blocks;
    for (int r = 0; r < rows; ++r)
    {
        for (int c = 0; c < columns; ++c)
        {
            auto found = blocks.find(picture[r][c]);
            if (found == blocks.end())
                blocks[picture[r][c]] = RECT{c, r, c, r};
            else
            {
                found->second.right = c > found->second.right ? c : found->second.right;
                found->second.bottom = r;
            }
        }
    }
    for (const auto& block : blocks)
        layout.SetBlock(block.second.left, block.second.top, block.second.right, block.second.bottom);
    return layout;
}

inline Picture PictureOf(const ConvertingTableLayout& layout)
{
    std::map<int32_t, char> letters;
    Picture picture;
    for (int r = 0; r < layout.GetRowCount(); ++r)
    {
        std::string row;
        for (int c = 0; c < layout.GetColumnCount(); ++c)
        {
            const int32_t id = layout.GetCellId(c, r);
            auto found = letters.find(id);
            if (found == letters.end())
                found = letters.emplace(id, static_cast<char>('a' + letters.size())).first;
            row += found->second;
        }
        picture.push_back(row);
    }
    return picture;
}
