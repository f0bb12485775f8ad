#pragma once
// Every painter of the looks, each on a small surface, so that two looks can be compared
// operation by operation, pixel by pixel.
#include "framework/Afx.h"

#include <functional>
#include <string>
#include <vector>

class CKTVisualManager;

struct LookOperation
{
    std::string name;
    std::function<void(CKTVisualManager& look, CDC& dc)> paint;
};

const int kOperationSurfaceWidth = 64;
const int kOperationSurfaceHeight = 40;

// The operations over the bars, buttons and menus that the looks recognise (bars without
// windows: the painters look only at their classes and styles).
const std::vector<LookOperation>& LookOperations();

// Paints each operation with both looks on surfaces filled alike and expects the same pixels;
// the first differing pixel of each operation is reported.
void ExpectSamePixels(CKTVisualManager& expected, CKTVisualManager& actual, const char* what);

// "themes-off-" in the run without visual styles, "8bit-" on a palette screen, else empty: the
// screenshots of the runs sit side by side.
std::wstring RunTag();
bool IsThemesOffRun();
