#pragma once
// The 18 pictures of the panel's button strip, drawn in roles on a 24 × 24 grid. Pictures
// keep to x, y in [3, 21) so that a pressed button can shift them by one pixel without
// touching its 2-pixel bevel.
#include "Sketch.h"

namespace quindel::artgen {

constexpr int kToolbarPictures = 18;
constexpr int kButtonSize = 24;

// Column order of the strip: window, letter A, lines of text, printer, two sheets, play,
// stop & rewind, loudspeaker, block, « , », bulleted list, bar, return arrow, pause,
// easel, magnifier +, magnifier −.
Sketch ToolbarPicture(int column);

}  // namespace quindel::artgen
