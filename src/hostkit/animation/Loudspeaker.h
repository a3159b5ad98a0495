#pragma once
// The loudspeaker sign the animation form shows while a sound plays: a speaker with three waves,
// drawn in `ink` on `paper`, size x size pixels.
#include "platform/Image.h"

namespace quindel::hostkit {

platform::Image DrawLoudspeaker(int size, platform::Rgba ink, platform::Rgba paper);
// An ink that stands out on paper: black on a light colour, a light grey on a dark one (a stage's
// dark background).
platform::Rgba InkOn(platform::Rgba paper);

}  // namespace quindel::hostkit
