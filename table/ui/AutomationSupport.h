#pragma once
// What both automation exports share: the omitted argument and the text of a failure.
#include "framework/AfxOle.h"

#include <string>

// A VARIANT that tells the server to use the argument's default.
COleVariant OmittedArgument();

// The exception's message, at most AutomationMessages::ExceptionTextLimit characters.
std::wstring ExceptionText(CException* e);
