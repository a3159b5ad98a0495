#pragma once
// An animated GIF, decoded once into its indexed frames and composed on demand, so a long
// animation costs one byte per pixel per frame rather than four. Contract:
// - Decode never throws and never crashes on any byte string; it returns nothing (and the
//   reason in *error) for data that is not a usable GIF, or whose canvas is larger than
//   kMaxPixels, or that holds no frame.
// - Frame(i) gives the whole canvas after frame i, with the frames' disposal methods applied
//   in order (seeking backwards composes again from frame 0); a frame index out of range is
//   clamped. Transparent canvas pixels have alpha 0.
// - DelayMs gives the frame's own delay; a delay under 20 ms counts as 100 ms, as players do.
// - LoopCount: a file without a loop extension plays once; a loop extension asking for N
//   repeats plays N + 1 times, as browsers play it.
// - A file cut short keeps the frames read before the cut, and the rows of the frame it cut
//   that did arrive; it fails only when not one row of a frame arrived.
// - DecodeWithin takes tighter budgets (a player, a thumbnailer, a fuzzer); Decode uses the
//   defaults. Besides the canvas (maxSide, maxPixels) and the frame count, two budgets hold
//   for the whole file, checked before the memory or the work is spent: maxFrameBytes, the
//   indices all stored frames hold together (one byte a pixel, clipped to the canvas), and
//   maxDecodedPixels, the pixels decompressed to get them. A frame's rows past its last row on
//   the canvas, and frames wholly off the canvas, are passed over without decompressing them.
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>

#include "platform/Image.h"

namespace quindel::platform {

class GifAnimation {
  public:
    static constexpr std::int64_t kMaxPixels = 64LL * 1024 * 1024;

    static constexpr int kMaxSide = 32768;
    static constexpr int kMaxFrames = 16384;
    struct Limits {
        int maxSide = kMaxSide;
        std::int64_t maxPixels = kMaxPixels;
        int maxFrames = kMaxFrames;
        std::int64_t maxFrameBytes = 8 * kMaxPixels;
        std::int64_t maxDecodedPixels = 8 * kMaxPixels;
    };
    // What an animation player keeps: a canvas of up to 16 megapixels, 64 MB of frames, and at
    // most 256 megapixels decompressed (a few seconds of work at worst).
    static constexpr Limits kPlayerLimits{8192, 16LL * 1024 * 1024, kMaxFrames, 64LL * 1024 * 1024,
                                          256LL * 1024 * 1024};

    static std::optional<GifAnimation> Decode(std::span<const std::uint8_t> bytes,
                                              std::string* error = nullptr);
    static std::optional<GifAnimation> DecodeWithin(std::span<const std::uint8_t> bytes,
                                                    const Limits& limits,
                                                    std::string* error = nullptr);

    GifAnimation(GifAnimation&&) noexcept;
    GifAnimation& operator=(GifAnimation&&) noexcept;
    ~GifAnimation();

    int Width() const;
    int Height() const;
    int FrameCount() const;
    int DelayMs(int frame) const;
    // 0 means loop forever; otherwise how many times the animation plays.
    int LoopCount() const;
    const Image& Frame(int frame);

  private:
    struct Data;
    explicit GifAnimation(std::unique_ptr<Data> d);
    std::unique_ptr<Data> d_;
};

}  // namespace quindel::platform
