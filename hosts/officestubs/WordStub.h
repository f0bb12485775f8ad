// The word-processor stand-in answering "Word.Application".
#pragma once
#include "StubObject.h"

namespace officestubs {

// A new application object with one reference; its Version comes from KEST_WORD_VERSION.
StubObject* CreateWordApplication();

} // namespace officestubs
