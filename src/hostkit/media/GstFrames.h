#pragma once
// The pictures of the GStreamer engine, for the kit's own sources (it shows GStreamer types):
// - kPixelFormat, kVideoFormat: the layout whose 32-bit words read as 0xAARRGGBB on this machine,
//   which the engine's app sink asks its converter for.
// - FrameSlot: the newest sample, stored by a streaming thread and taken by the owner's thread,
//   with the number of samples stored so far. FeedSlot makes an app sink store into a slot; it
//   pulls inside the sink's callbacks, so the sink's queue never grows.
// - SampleReader: maps a sample's picture and lends it for the length of one call. Rows go by the
//   stride of each sample (they may be padded, and a later sample may have another size); the
//   video description is read from the caps once for as long as the samples share them, since
//   reading it parses text.
#include <gst/app/gstappsink.h>
#include <gst/video/video.h>

#include <cstdint>
#include <mutex>
#include <utility>

#include "hostkit/media/MediaEngine.h"

namespace quindel::hostkit::gst {

#if G_BYTE_ORDER == G_LITTLE_ENDIAN
inline constexpr const char* kPixelFormat = "BGRA";
inline constexpr GstVideoFormat kVideoFormat = GST_VIDEO_FORMAT_BGRA;
#else
inline constexpr const char* kPixelFormat = "ARGB";
inline constexpr GstVideoFormat kVideoFormat = GST_VIDEO_FORMAT_ARGB;
#endif

class FrameSlot {
  public:
    FrameSlot() = default;
    FrameSlot(const FrameSlot&) = delete;
    FrameSlot& operator=(const FrameSlot&) = delete;
    ~FrameSlot() { Clear(); }

    // Takes over the caller's reference; null is ignored.
    void Store(GstSample* sample);
    // A reference to the newest sample (or null) and its number, 0 before the first.
    std::pair<GstSample*, std::uint64_t> Take() const;
    std::uint64_t Count() const;
    void Clear();

  private:
    mutable std::mutex mutex_;
    GstSample* sample_ = nullptr;
    std::uint64_t count_ = 0;
};

// The slot must outlive the sink's streaming.
void FeedSlot(GstAppSink* sink, FrameSlot& slot);

class SampleReader {
  public:
    SampleReader() = default;
    SampleReader(const SampleReader&) = delete;
    SampleReader& operator=(const SampleReader&) = delete;
    ~SampleReader() { Forget(); }

    // The sample's picture mapped and lent to `use`; with `size`, a picture of another size is
    // not lent. The converter fills the alpha of a picture that has none, so the words are opaque
    // as they come.
    bool Lend(GstSample* sample, const platform::SizePx* size, const MediaEngine::FrameUse& use);
    void Forget();

  private:
    bool Describe(GstCaps* caps);

    GstCaps* caps_ = nullptr;  // a reference, so a new caps object is never taken for it
    GstVideoInfo info_{};
    bool usable_ = false;
};

}  // namespace quindel::hostkit::gst
