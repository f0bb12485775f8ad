#pragma once
// What both automation exports share: the omitted argument and the text of a failure.
#include "framework/AfxOle.h"

#include <cstdint>
#include <string>

// A VARIANT that tells the server to use the argument's default.
COleVariant OmittedArgument();

// The exception's message, at most AutomationMessages::ExceptionTextLimit characters.
std::wstring ExceptionText(CException* e);

// A word size in hundredths of a point as whole points, rounded to the nearest; 0 when the word
// keeps the application's size: below one point, or beyond the largest size the application
// takes (a damaged size from a work file would otherwise fail the whole export).
long WholePoints(int32_t hundredths, long largest);
