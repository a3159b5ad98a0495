#pragma once
// The loudspeaker sign the animation form shows while a sound plays: a speaker with three waves,
// drawn in `ink` on `paper`, size x size pixels.
#include "platform/Image.h"

namespace quindel::hostkit {

platform::Image DrawLoudspeaker(int size, platform::Rgba ink, platform::Rgba paper);

}  // namespace quindel::hostkit
