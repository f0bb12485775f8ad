#pragma once
// Turns the text runs of a loaded page into words, measured with the caller's device context.

#include <windows.h>

#include <cstdint>

class CDCPage;
class PageWordList;

// Appends the words of the page's text runs in drawing order. A run without characters or
// with an empty rectangle gives no words; the rest of the page still does. The device
// context's state is saved and restored around the measuring.
void BuildPageWords(const CDCPage& page, uint32_t resolution, HDC dc, PageWordList& words);
