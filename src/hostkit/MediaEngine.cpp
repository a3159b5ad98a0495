#include "hostkit/MediaEngine.h"

#include <cstdlib>
#include <string_view>

#include "hostkit/GstMediaEngine.h"
#include "hostkit/VirtualMediaEngine.h"

namespace quindel::hostkit {

bool MediaEngine::CopyFrame(platform::Image& target) {
    const platform::Image& frame = Frame();
    if (frame.empty() || frame.width() != target.width() || frame.height() != target.height())
        return false;
    target.blit(frame, 0, 0);
    return true;
}

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
