#include "hostkit/media/MediaEngineFactory.h"

#include <cstdlib>
#include <string_view>

#include "hostkit/media/GstMediaEngine.h"
#include "hostkit/media/VirtualMediaEngine.h"

namespace quindel::hostkit {

std::unique_ptr<MediaEngine> MakeMediaEngine(const platform::Platform& platform,
                                             const MediaOptions& options) {
    MediaBackend backend = options.backend;
    if (backend == MediaBackend::Automatic) {
        const char* wanted = std::getenv("QUINDEL_MEDIA_ENGINE");
        const bool virtualWanted = wanted && std::string_view(wanted) == "virtual";
        backend = virtualWanted ? MediaBackend::Virtual : MediaBackend::GStreamer;
    }
    if (backend == MediaBackend::Virtual) return std::make_unique<VirtualMediaEngine>(platform);
    return std::make_unique<GstMediaEngine>(options);
}

}  // namespace quindel::hostkit
