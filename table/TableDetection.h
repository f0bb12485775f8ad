#pragma once
// Rebuilds the column lines or the row lines of a table layout from where the words of the page
// lie. Both discard every merged cell.
#include "table/WordGeometry.h"

class ConvertingTableLayout;

// Columns from the gaps between the words in the table, then the rows. keepFormats hands the
// old column formats on by position; noWords, when given, tells whether no word lay in the
// table. The column lines lie inside the table, in order. Always true.
bool DetectTableColumns(const WordList& words, ConvertingTableLayout& layout, bool keepFormats,
                        bool* noWords = nullptr);

// Rows from the text lines of the words in the table: a line between each two boxes that follow
// each other in list order, the lines then sorted and kept inside the table. Always true.
bool DetectTableRows(const WordList& words, ConvertingTableLayout& layout);

// A table over every word, 2 pixels clear of them, with its columns and rows detected: what a
// program without a user does with a page. False when there is no word.
bool DetectTableOverWords(const WordList& words, ConvertingTableLayout& layout);
