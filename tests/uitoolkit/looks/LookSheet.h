#pragma once
// Every painter of a look in each state on one sheet, and its screenshot from a real window.
#include "framework/Afx.h"

class CKTVisualManager;
class DibSurface;

const int kLookSheetWidth = 420;
const int kLookSheetHeight = 140;

void PaintLookSheet(CKTVisualManager& look, CDC& dc);
// Paints the sheet into a popup window, captures it from the window's DC into the surface and
// saves it in the screenshot folder under the file name.
void CaptureLookSheet(CKTVisualManager& look, DibSurface& capture, const wchar_t* fileName);
