#include "hostkit/media/GstFrames.h"

namespace quindel::hostkit::gst {

void FrameSlot::Store(GstSample* sample) {
    if (!sample) return;
    GstSample* old = nullptr;
    {
        std::lock_guard lock(mutex_);
        old = std::exchange(sample_, sample);
        ++count_;
    }
    if (old) gst_sample_unref(old);
}

std::pair<GstSample*, std::uint64_t> FrameSlot::Take() const {
    std::lock_guard lock(mutex_);
    return {sample_ ? gst_sample_ref(sample_) : nullptr, count_};
}

std::uint64_t FrameSlot::Count() const {
    std::lock_guard lock(mutex_);
    return count_;
}

void FrameSlot::Clear() {
    GstSample* old = nullptr;
    {
        std::lock_guard lock(mutex_);
        old = std::exchange(sample_, nullptr);
    }
    if (old) gst_sample_unref(old);
}

namespace {

GstFlowReturn OnPreroll(GstAppSink* sink, gpointer slot) {
    static_cast<FrameSlot*>(slot)->Store(gst_app_sink_pull_preroll(sink));
    return GST_FLOW_OK;
}

GstFlowReturn OnSample(GstAppSink* sink, gpointer slot) {
    static_cast<FrameSlot*>(slot)->Store(gst_app_sink_pull_sample(sink));
    return GST_FLOW_OK;
}

}  // namespace

void FeedSlot(GstAppSink* sink, FrameSlot& slot) {
    GstAppSinkCallbacks callbacks{};
    callbacks.new_preroll = OnPreroll;
    callbacks.new_sample = OnSample;
    gst_app_sink_set_callbacks(sink, &callbacks, &slot, nullptr);
}

bool SampleReader::Lend(GstSample* sample, const platform::SizePx* size,
                        const MediaEngine::FrameUse& use) {
    GstBuffer* buffer = gst_sample_get_buffer(sample);
    if (!buffer || !Describe(gst_sample_get_caps(sample))) return false;
    const int width = GST_VIDEO_INFO_WIDTH(&info_), height = GST_VIDEO_INFO_HEIGHT(&info_);
    if (size && (size->width != width || size->height != height)) return false;
    GstVideoFrame video;
    if (!gst_video_frame_map(&video, &info_, buffer, GST_MAP_READ)) return false;
    use({static_cast<const std::uint8_t*>(GST_VIDEO_FRAME_PLANE_DATA(&video, 0)), width, height,
         std::size_t(GST_VIDEO_FRAME_PLANE_STRIDE(&video, 0))});
    gst_video_frame_unmap(&video);
    return true;
}

void SampleReader::Forget() {
    if (caps_) gst_caps_unref(caps_);
    caps_ = nullptr;
    usable_ = false;
}

bool SampleReader::Describe(GstCaps* caps) {
    if (!caps) return false;
    if (caps == caps_) return usable_;
    Forget();
    caps_ = gst_caps_ref(caps);
    usable_ =
        gst_video_info_from_caps(&info_, caps) && GST_VIDEO_INFO_FORMAT(&info_) == kVideoFormat;
    return usable_;
}

}  // namespace quindel::hostkit::gst
