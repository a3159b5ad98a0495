#include "hostkit/media/GstMediaEngine.h"

#include <gst/app/gstappsink.h>
#include <gst/video/video.h>
#include <gst/video/videooverlay.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string_view>
#include <utility>

#include "hostkit/media/GstFrames.h"
#include "hostkit/media/MediaGst.h"

namespace quindel::hostkit {

using platform::Image;
using platform::PixelsView;
using platform::SizePx;

namespace {

std::atomic<int> gLivePipelines{0};

void PipelineFinalised(gpointer, GObject*) {
    --gLivePipelines;
}

std::int64_t NanosecondsToMs(gint64 ns) {
    return std::int64_t((ns + GST_MSECOND / 2) / GST_MSECOND);
}

// autoaudiosink falls back to a fake sink of its own when no device opens; that counts as none.
bool ChoseFakeSink(GstElement* autoSink) {
    bool fake = false;
    GstIterator* it = gst_bin_iterate_elements(GST_BIN(autoSink));
    GValue item = G_VALUE_INIT;
    while (gst_iterator_next(it, &item) == GST_ITERATOR_OK) {
        GstElementFactory* factory =
            gst_element_get_factory(GST_ELEMENT(g_value_get_object(&item)));
        if (factory && std::string_view(GST_OBJECT_NAME(factory)) == "fakesink") fake = true;
        g_value_reset(&item);
    }
    g_value_unset(&item);
    gst_iterator_free(it);
    return fake;
}

gst::Element DeviceAudioSink() {
    gst::Element sink = gst::Make("autoaudiosink");
    if (!sink) return {};
    const bool usable =
        gst_element_set_state(sink.get(), GST_STATE_READY) != GST_STATE_CHANGE_FAILURE &&
        !ChoseFakeSink(sink.get());
    gst_element_set_state(sink.get(), GST_STATE_NULL);
    return usable ? std::move(sink) : gst::Element{};
}

gst::Element AudioSink(const MediaOptions& options) {
    const char* wanted = std::getenv("QUINDEL_AUDIO_SINK");
    if (!options.fakeAudio && !(wanted && std::string_view(wanted) == "fake"))
        if (gst::Element device = DeviceAudioSink()) return device;
    gst::Element fake = gst::Make("fakesink");
    if (fake) g_object_set(fake.get(), "sync", TRUE, nullptr);
    return fake;
}

}  // namespace

struct GstMediaEngine::Impl {
    explicit Impl(const MediaOptions& o) : options(o) {}

    MediaOptions options;
    gst::FrameSlot
        slot;  // declared before the pipeline, whose threads write into it, so it outlives it
    gst::Element capsFilter;
    gst::Element videoSink, audioSink;  // the last elements each way, asked for the position
    gst::Pipeline pipeline;
    std::int64_t lengthMs = 0;
    std::optional<std::int64_t> seekTarget;  // reported as the position until the seek settles
    mutable std::int64_t lastPosition = 0;
    bool playing = false, stopped = false, atEnd = false;
    std::string error;
    MediaEvents pending;  // seen on the bus by a command, reported by the next Pump
    double volume = 1.0;
    bool hasVideo = false;
    std::uintptr_t window = 0;  // the desktop window the sink draws into; 0: the app sink
    SizePx videoSize, frameSize;
    std::uint64_t pumpedFrame = 0, convertedFrame = 0;
    Image frame;
    gst::SampleReader reader;

    // The X image sink drawing into the window, or null (an app sink, or nothing open).
    GstVideoOverlay* Overlay() const {
        return videoSink && GST_IS_VIDEO_OVERLAY(videoSink.get())
                   ? GST_VIDEO_OVERLAY(videoSink.get())
                   : nullptr;
    }
    MediaResult Build(const char* uri);
    gst::Element VideoSink();
    void ApplyFrameSize();
    MediaResult Preroll();
    void ReadStreams();
    void RefreshLength();
    std::int64_t Position() const;
    void SeekTo(std::int64_t ms);
    void Drain();
    void Handle(GstMessage* message);
    void Release();
};

MediaResult GstMediaEngine::Impl::Build(const char* uri) {
    gst::Element playbin = gst::Make("playbin");
    if (!playbin) return {"the GStreamer element playbin is not installed"};
    ++gLivePipelines;
    g_object_weak_ref(G_OBJECT(playbin.get()), PipelineFinalised, nullptr);
    pipeline.reset(playbin.release());
    gst::Element audio = AudioSink(options);
    gst::Element video = VideoSink();
    if (!audio || !video) return {"GStreamer lacks the app sink, converter or audio sink elements"};
    audioSink.reset(GST_ELEMENT(gst_object_ref(audio.get())));
    g_object_set(pipeline.get(), "uri", uri, "audio-sink", audio.get(), "video-sink", video.get(),
                 "volume", volume, nullptr);
    return {};
}

// converter ! capsfilter ! sink in a bin that playbin takes as its video sink. The sink is an
// app sink, or an X image sink that draws straight into the window given: then no picture
// passes through the application, as with any player on that desktop.
gst::Element GstMediaEngine::Impl::VideoSink() {
    gst::Element bin = gst::Make("bin");
    gst::Element convert = gst::Make("videoconvertscale");
    gst::Element filter = gst::Make("capsfilter");
    gst::Element sink = gst::Make(window ? "ximagesink" : "appsink");
    if (!bin || !convert || !filter || !sink) return {};
    // Stretched to fill the frame size, as the control's picture fills the control.
    g_object_set(convert.get(), "add-borders", FALSE, nullptr);
    if (window) {
        // The window's input belongs to the toolkit; the toolkit's paints ask for redraws.
        g_object_set(sink.get(), "handle-events", FALSE, nullptr);
        gst_video_overlay_set_window_handle(GST_VIDEO_OVERLAY(sink.get()), guintptr(window));
    } else {
        g_object_set(sink.get(), "max-buffers", guint(1), "drop", TRUE, "sync", TRUE,
                     "enable-last-sample", FALSE, nullptr);
        gst::FeedSlot(GST_APP_SINK(sink.get()), slot);
    }
    videoSink.reset(GST_ELEMENT(gst_object_ref(sink.get())));
    gst_bin_add_many(GST_BIN(bin.get()), convert.get(), filter.get(), sink.get(), nullptr);
    if (!gst_element_link_many(convert.get(), filter.get(), sink.get(), nullptr)) return {};
    GstPad* target = gst_element_get_static_pad(convert.get(), "sink");
    gst_element_add_pad(bin.get(), gst_ghost_pad_new("sink", target));
    gst_object_unref(target);
    capsFilter = std::move(filter);
    ApplyFrameSize();
    return bin;
}

// Without a frame size the picture keeps its display aspect with square pixels. An X image sink
// takes the pixel format of its screen.
void GstMediaEngine::Impl::ApplyFrameSize() {
    GstCaps* caps = frameSize.width > 0 && frameSize.height > 0
                        ? gst_caps_new_simple("video/x-raw", "width", G_TYPE_INT, frameSize.width,
                                              "height", G_TYPE_INT, frameSize.height, nullptr)
                        : gst_caps_new_simple("video/x-raw", "pixel-aspect-ratio",
                                              GST_TYPE_FRACTION, 1, 1, nullptr);
    if (!window) gst_caps_set_simple(caps, "format", G_TYPE_STRING, gst::kPixelFormat, nullptr);
    g_object_set(capsFilter.get(), "caps", caps, nullptr);
    gst_caps_unref(caps);
}

MediaResult GstMediaEngine::Impl::Preroll() {
    const GstStateChangeReturn change = gst_element_set_state(pipeline.get(), GST_STATE_PAUSED);
    if (change == GST_STATE_CHANGE_SUCCESS || change == GST_STATE_CHANGE_NO_PREROLL) return {};
    const std::int64_t timeout = change == GST_STATE_CHANGE_FAILURE ? 0 : options.openTimeoutMs;
    const gst::Message message = gst::WaitOnBus(
        pipeline.get(), GstMessageType(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR), timeout);
    if (message && GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_ERROR)
        return {gst::MessageText(message.get())};
    if (change == GST_STATE_CHANGE_FAILURE) return {"GStreamer cannot play the file"};
    if (!message) return {"the file did not load within the time allowed"};
    return {};
}

void GstMediaEngine::Impl::RefreshLength() {
    gint64 ns = 0;
    if (gst_element_query_duration(pipeline.get(), GST_FORMAT_TIME, &ns) && ns >= 0)
        lengthMs = NanosecondsToMs(ns);
}

void GstMediaEngine::Impl::ReadStreams() {
    RefreshLength();
    gint videos = 0;
    g_object_get(pipeline.get(), "n-video", &videos, nullptr);
    hasVideo = videos > 0;
    GstPad* pad = nullptr;
    if (hasVideo) g_signal_emit_by_name(pipeline.get(), "get-video-pad", 0, &pad);
    if (!pad) return;
    if (GstCaps* caps = gst_pad_get_current_caps(pad)) {
        GstVideoInfo info;
        if (gst_video_info_from_caps(&info, caps)) {
            const int parN = GST_VIDEO_INFO_PAR_N(&info), parD = GST_VIDEO_INFO_PAR_D(&info);
            const int width = GST_VIDEO_INFO_WIDTH(&info);
            videoSize = {
                parN > 0 && parD > 0 ? int(gst_util_uint64_scale_int(width, parN, parD)) : width,
                GST_VIDEO_INFO_HEIGHT(&info)};
        }
        gst_caps_unref(caps);
    }
    gst_object_unref(pad);
}

std::int64_t GstMediaEngine::Impl::Position() const {
    if (!pipeline) return 0;
    if (atEnd) return lengthMs;
    if (seekTarget) return *seekTarget;
    gint64 ns = 0;
    // Asked of the sink that paces the file (its pictures', else its sound's) first: asking the
    // pipeline walks every bin in it, and the panel asks ten times a second.
    GstElement* pacer = (hasVideo ? videoSink : audioSink).get();
    const bool known = (pacer && gst_element_query_position(pacer, GST_FORMAT_TIME, &ns)) ||
                       gst_element_query_position(pipeline.get(), GST_FORMAT_TIME, &ns);
    if (known && ns >= 0) lastPosition = NanosecondsToMs(ns);
    return lengthMs > 0 ? std::min(lastPosition, lengthMs) : lastPosition;
}

void GstMediaEngine::Impl::SeekTo(std::int64_t ms) {
    ms = std::max<std::int64_t>(lengthMs > 0 ? std::min(ms, lengthMs) : ms, 0);
    const auto flags = GstSeekFlags(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
    if (!gst_element_seek_simple(pipeline.get(), GST_FORMAT_TIME, flags, ms * GST_MSECOND)) return;
    seekTarget = lastPosition = ms;
    atEnd = false;
}

void GstMediaEngine::Impl::Handle(GstMessage* message) {
    switch (GST_MESSAGE_TYPE(message)) {
        case GST_MESSAGE_EOS:
            atEnd = true;
            playing = false;
            seekTarget.reset();
            gst_element_set_state(pipeline.get(), GST_STATE_PAUSED);
            pending.ended = true;
            break;
        case GST_MESSAGE_ERROR:
            error = gst::MessageText(message);
            playing = false;
            gst_element_set_state(pipeline.get(), GST_STATE_PAUSED);
            pending.failed = true;
            break;
        case GST_MESSAGE_ASYNC_DONE:
            if (GST_MESSAGE_SRC(message) == GST_OBJECT(pipeline.get())) seekTarget.reset();
            RefreshLength();
            break;
        case GST_MESSAGE_DURATION_CHANGED:
            RefreshLength();
            break;
        default:
            break;
    }
}

// Commands drain the bus first, so they act on the present state (an end already reached, say).
void GstMediaEngine::Impl::Drain() {
    if (!pipeline) return;
    GstBus* bus = gst_element_get_bus(pipeline.get());
    while (GstMessage* message = gst_bus_pop(bus)) {
        Handle(message);
        gst_message_unref(message);
    }
    gst_object_unref(bus);
}

void GstMediaEngine::Impl::Release() {
    pipeline.reset();
    capsFilter.reset();
    videoSink.reset();
    audioSink.reset();
    slot.Clear();
    lengthMs = lastPosition = 0;
    seekTarget.reset();
    playing = stopped = atEnd = hasVideo = false;
    error.clear();
    pending = {};
    videoSize = {};
    frame = {};
    reader.Forget();
    pumpedFrame = convertedFrame = slot.Count();
}

GstMediaEngine::GstMediaEngine(const MediaOptions& options) : d_(std::make_unique<Impl>(options)) {}

GstMediaEngine::~GstMediaEngine() {
    d_->Release();
}

MediaResult GstMediaEngine::Open(const std::string& path) {
    Close();
    if (const std::string& failure = gst::Initialise(); !failure.empty()) return {failure};
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return {"file not found: " + path};
    GError* error = nullptr;
    gchar* uri = gst_filename_to_uri(path.c_str(), &error);
    if (!uri) {
        MediaResult bad{error ? error->message : "not a usable file name: " + path};
        g_clear_error(&error);
        return bad;
    }
    MediaResult result = d_->Build(uri);
    g_free(uri);
    if (result.ok()) result = d_->Preroll();
    if (!result.ok()) {
        d_->Release();
        return result;
    }
    d_->ReadStreams();
    return {};
}

void GstMediaEngine::Close() {
    d_->Release();
}

bool GstMediaEngine::IsOpen() const {
    return d_->pipeline != nullptr;
}

void GstMediaEngine::Play() {
    if (!d_->pipeline) return;
    d_->Drain();
    if (d_->atEnd) d_->SeekTo(0);
    if (gst_element_set_state(d_->pipeline.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE)
        return;
    d_->playing = true;
    d_->stopped = false;
}

void GstMediaEngine::Pause() {
    if (!d_->pipeline) return;
    d_->Drain();
    gst_element_set_state(d_->pipeline.get(), GST_STATE_PAUSED);
    d_->playing = false;
}

void GstMediaEngine::Stop() {
    if (!d_->pipeline) return;
    Pause();
    d_->SeekTo(0);
    d_->stopped = true;
}

void GstMediaEngine::Seek(std::int64_t ms) {
    if (!d_->pipeline) return;
    d_->Drain();
    d_->SeekTo(ms);
    d_->stopped = false;
}

std::int64_t GstMediaEngine::LengthMs() const {
    return d_->lengthMs;
}

std::int64_t GstMediaEngine::PositionMs() const {
    return d_->Position();
}

bool GstMediaEngine::AtEnd() const {
    return d_->atEnd;
}

MediaState GstMediaEngine::State() const {
    if (!d_->pipeline) return MediaState::Closed;
    if (d_->playing) return MediaState::Playing;
    return d_->stopped ? MediaState::Stopped : MediaState::Paused;
}

std::string GstMediaEngine::ErrorText() const {
    return d_->error;
}

void GstMediaEngine::SetVolume(double linear) {
    d_->volume = std::clamp(linear, 0.0, 1.0);
    if (d_->pipeline) g_object_set(d_->pipeline.get(), "volume", d_->volume, nullptr);
}

double GstMediaEngine::Volume() const {
    return d_->volume;
}

bool GstMediaEngine::HasVideo() const {
    return d_->hasVideo;
}

SizePx GstMediaEngine::VideoSize() const {
    return d_->videoSize;
}

// A paused picture is sought again in place, so the new size shows without playing.
void GstMediaEngine::SetFrameSize(SizePx size) {
    if (size == d_->frameSize) return;
    d_->frameSize = size;
    if (!d_->capsFilter) return;
    d_->ApplyFrameSize();
    if (d_->hasVideo && !d_->playing && !d_->atEnd) d_->SeekTo(d_->Position());
}

const Image& GstMediaEngine::Frame() {
    auto [sample, count] = d_->slot.Take();
    if (sample && count != d_->convertedFrame) {
        d_->reader.Lend(sample, nullptr, [this](const PixelsView& v) { d_->frame.assign(v); });
        d_->convertedFrame = count;
    }
    if (sample) gst_sample_unref(sample);
    return d_->frame;
}

// Straight from the sample: a playing film is painted without a copy of ours.
bool GstMediaEngine::LendFrame(SizePx size, const FrameUse& use) {
    GstSample* sample = d_->slot.Take().first;
    if (!sample) return false;
    const bool lent = d_->reader.Lend(sample, &size, use);
    gst_sample_unref(sample);
    return lent;
}

bool GstMediaEngine::DrawInto(std::uintptr_t window) {
    if (window != 0 && !(gst::Initialise().empty() && gst::Installed("ximagesink"))) return false;
    d_->window = window;
    if (GstVideoOverlay* overlay = d_->Overlay(); overlay && window)
        gst_video_overlay_set_window_handle(overlay, window);
    return true;
}

void GstMediaEngine::Redraw() {
    if (GstVideoOverlay* overlay = d_->Overlay()) gst_video_overlay_expose(overlay);
}

MediaEvents GstMediaEngine::Pump() {
    d_->Drain();
    const std::uint64_t count = d_->slot.Count();
    if (d_->pipeline && count != d_->pumpedFrame) d_->pending.newFrame = true;
    d_->pumpedFrame = count;
    return std::exchange(d_->pending, {});
}

MediaEvents GstMediaEngine::PumpFor(std::int64_t timeoutMs) {
    if (d_->pipeline) {
        if (gst::Message message = gst::WaitOnBus(d_->pipeline.get(), GST_MESSAGE_ANY, timeoutMs))
            d_->Handle(message.get());
    }
    return Pump();
}

int GstMediaEngine::LivePipelines() {
    return gLivePipelines.load();
}

}  // namespace quindel::hostkit
