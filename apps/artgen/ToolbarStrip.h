#pragma once
// The panel's button strip: 6 rows (button states) × 18 columns (pictures) of 24 × 24 cells,
// drawn at any density: scale × scale pixels to each of the cell's units.
#include "platform/Image.h"

namespace quindel::artgen {

constexpr int kToolbarRows = 6;

// Row 0 lit up (grey face), 1 lit down (light picture on a strong blue face, sunken),
// 2 disabled (embossed grey picture), 3 up (light blue face), 4 and 5 down (darker blue,
// sunken). Down rows shift the picture one unit right and down.
platform::Image RenderToolbarStrip(double scale = 1);
// The side of a cell in pixels at that scale.
int CellPixels(double scale);

}  // namespace quindel::artgen
