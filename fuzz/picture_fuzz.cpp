// Any bytes through the picture decoders: the header-only size, a reduced and a whole decode,
// and for a GIF every frame composed, forwards and then back to the start.
#include <cstddef>
#include <cstdint>
#include <span>

#include "platform/GifAnimation.h"
#include "platform/PictureFile.h"

using namespace quindel::platform;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> bytes(data, size);
    // Tighter than the defaults, so no single input spends a second filling a huge canvas.
    const PictureLimits limits{2048, 1 << 18};
    (void)ReadPictureSize(bytes);
    (void)DecodePictureAtLeast(bytes, 7, 5, limits);
    (void)DecodePicture(bytes, limits);
    if (SniffPictureFormat(bytes) == PictureFormat::Gif) {
        auto gif = GifAnimation::DecodeWithin(bytes, {limits.maxSide, limits.maxPixels, 64,
                                                      8 * limits.maxPixels, 8 * limits.maxPixels});
        if (gif) {
            for (int i = 0; i < gif->FrameCount(); ++i) (void)gif->DelayMs(i), (void)gif->Frame(i);
            (void)gif->Frame(0);
        }
    }
    return 0;
}
