// The spreadsheet application stand-in answering "Excel.Application".
#pragma once
#include "StubObject.h"

namespace officestubs {

// A new application object with one reference.
StubObject* CreateExcelApplication();

} // namespace officestubs
