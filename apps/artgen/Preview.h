#pragma once
// Enlarged copies of the artwork for checking it by eye.
#include "platform/Image.h"

namespace quindel::artgen {

// Every pixel becomes a factor × factor block (nearest neighbour: no blur hides flaws).
platform::Image ScaleNearest(const platform::Image& image, int factor);

}  // namespace quindel::artgen
