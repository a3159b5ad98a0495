#include "hostkit/media/MediaEngine.h"

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

}  // namespace quindel::hostkit
