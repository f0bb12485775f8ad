// Turning one text output call into the page's font and text items.
#pragma once

#include "driver/DriverDdi.h"

#include "pagemodel/CDCText.h"

#include <vector>

// One recorded character at its absolute x position on the page.
struct CapturedChar
{
    uint16_t character;
    LONG x;
    LONG width;
};

// The logical font of a font with outline metrics: height in points (rounded), weight, style,
// character set, pitch and family, and the family name (at most 31 characters, terminated).
LOGFONTW MakeFontRecord(FONTOBJ* font, const IFIMETRICS& metrics, DWORD deviceResolution);

// The text items of the characters: one run while every x offset fits in 15 bits (a signed 16-bit
// number) from the run's left edge, a new run where one does not; widths are cut to the same
// bound. The first run starts at the rectangle's left edge.
std::vector<CDCText> SplitIntoRuns(const RECTL& rectangle, BYTE glyphIndex, uint32_t colour,
                                   const std::vector<CapturedChar>& chars);
