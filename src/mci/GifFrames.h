#pragma once
// Animated GIF files as the animation device's frames. The file plays once whatever loop count
// it asks for: its callers wait for the end of play. Budgets are tighter than the decoder's
// defaults, since every frame is also held as a full picture in the window it plays in.
#include <cstdint>
#include <memory>
#include <string>

#include "mci/FrameSource.h"

namespace quindel::mci {

// FileNotFound when no normal file is there; InvalidFile for one that is too large or no
// usable GIF; FileRead when it cannot be read.
std::unique_ptr<FrameSource> LoadGifFile(const std::string& path, std::uint32_t& error);

}  // namespace quindel::mci
