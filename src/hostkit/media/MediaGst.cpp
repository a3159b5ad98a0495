#include "hostkit/media/MediaGst.h"

#include <algorithm>
#include <mutex>

namespace quindel::hostkit::gst {

const std::string& Initialise() {
    static std::once_flag once;
    static std::string failure;
    std::call_once(once, [] {
        GError* error = nullptr;
        if (gst_init_check(nullptr, nullptr, &error)) return;
        failure = "GStreamer cannot start";
        if (error) {
            failure += std::string(": ") + error->message;
            g_error_free(error);
        }
    });
    return failure;
}

void PipelineRelease::operator()(GstElement* pipeline) const {
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
}

Element Make(const char* factory, const char* name) {
    GstElement* element = gst_element_factory_make(factory, name);
    if (element) gst_object_ref_sink(element);
    return Element(element);
}

bool Installed(const char* factory) {
    GstElementFactory* found = gst_element_factory_find(factory);
    if (found) gst_object_unref(found);
    return found != nullptr;
}

std::string MessageText(GstMessage* message) {
    GError* error = nullptr;
    gchar* debug = nullptr;
    if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR)
        gst_message_parse_error(message, &error, &debug);
    else if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_WARNING)
        gst_message_parse_warning(message, &error, &debug);
    std::string text = error ? error->message : "unknown GStreamer failure";
    if (error) g_error_free(error);
    g_free(debug);
    return text;
}

Message WaitOnBus(GstElement* pipeline, GstMessageType kinds, std::int64_t timeoutMs) {
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_timed_pop_filtered(
        bus, GstClockTime(std::max<std::int64_t>(timeoutMs, 0)) * GST_MSECOND, kinds);
    gst_object_unref(bus);
    return Message(message);
}

}  // namespace quindel::hostkit::gst
