// What a print job needs of the page model's helpers: registry values, paths and glyph maps.
#pragma once

#include "pagemodel/GlyphMap.h"
#include "pagemodel/PathHelpers.h"
#include "pagemodel/RegistryValues.h"
