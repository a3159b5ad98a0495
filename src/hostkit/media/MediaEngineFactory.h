#pragma once
// Making the media engine a control plays through: GStreamer for real decoding, or the virtual
// engine on the platform's clock for deterministic hosts and tests (MediaOptions::backend; with
// Automatic, QUINDEL_MEDIA_ENGINE=virtual asks for the virtual one, anything else for GStreamer).
#include <memory>

#include "hostkit/media/MediaEngine.h"

namespace quindel::platform {
class Platform;
}

namespace quindel::hostkit {

// The virtual engine reads the time of `platform`, which must outlive the engine.
std::unique_ptr<MediaEngine> MakeMediaEngine(const platform::Platform& platform,
                                             const MediaOptions& options = {});

}  // namespace quindel::hostkit
