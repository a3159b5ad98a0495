#pragma once
// The 18 pictures of the panel's button strip, drawn in roles on a 24 × 24 grid of units.
// Pictures keep to x, y in [3, 21) so that a pressed button can shift them by one unit without
// touching its 2-unit bevel.
#include "Sketch.h"

namespace quindel::artgen {

constexpr int kToolbarPictures = 18;
constexpr int kButtonSize = 24;

// Column order of the strip: window, letter A, lines of text, printer, two sheets, play,
// stop & rewind, loudspeaker, block, « , », bulleted list, bar, return arrow, pause,
// easel, magnifier +, magnifier −. Drawn with scale × scale pixels to a unit.
Sketch ToolbarPicture(int column, double scale = 1);

}  // namespace quindel::artgen
