#pragma once

#include <cstdint>

#include "sdk/kit/resource_table.h"

namespace goview {

// The plug-in's own pictures, linked into the plug-in: entries sorted by (kind, number), their
// count in `count`. Drawn and embedded at build time.
const GoResourceEntry* PictureTable(uint32_t* count);

}  // namespace goview
