#include "hostkit/MediaEngine.h"

#include <cstdlib>
#include <string_view>

#include "hostkit/GstMediaEngine.h"
#include "hostkit/VirtualMediaEngine.h"

namespace quindel::hostkit {

bool MediaEngine::LendFrame(platform::SizePx size, const FrameUse& use) {
    const platform::Image& frame = Frame();
    if (frame.empty() || frame.width() != size.width || frame.height() != size.height) return false;
    use(frame.view());
    return true;
}

bool MediaEngine::CopyFrame(platform::Image& target) {
    return LendFrame({target.width(), target.height()},
                     [&](const platform::PixelsView& v) { target.assign(v); });
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
