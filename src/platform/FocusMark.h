#pragma once
// The mark a control draws where the keyboard is: a dotted rectangle, each dot dark on a light
// pixel and light on a dark one, so it shows on any colour (a selected row, a button's face).
#include "platform/Image.h"

namespace quindel::platform {

// Around (x, y, w, h), every other pixel of its one-pixel edge, inside the image.
void DrawFocusMark(Image& img, int x, int y, int w, int h);

}  // namespace quindel::platform
