#pragma once
// GStreamer plumbing shared by the engine and the writer. Include it from host kit sources only:
// the kit links GStreamer privately, so no public header may show its types.
//
// - Initialise: GStreamer is set up once per process, from any thread; every caller gets the
//   first outcome. Never undone (deinitialising is only safe as a process's very last act).
// - Element and Message own one reference; Pipeline also takes its element to the NULL state
//   before letting go, which stops the streaming threads and flushes the bus.
// - WaitOnBus is the one bounded wait on a bus: the first message of the given kinds, or none
//   after the timeout. Nothing here needs a running GLib main loop.
#include <gst/gst.h>

#include <cstdint>
#include <memory>
#include <string>

namespace quindel::hostkit::gst {

// Empty once GStreamer is ready; otherwise why it could not start.
const std::string& Initialise();

struct ObjectUnref {
    void operator()(gpointer object) const { gst_object_unref(object); }
};
struct MessageUnref {
    void operator()(GstMessage* message) const { gst_message_unref(message); }
};
struct PipelineRelease {
    void operator()(GstElement* pipeline) const;
};
using Element = std::unique_ptr<GstElement, ObjectUnref>;
using Message = std::unique_ptr<GstMessage, MessageUnref>;
using Pipeline = std::unique_ptr<GstElement, PipelineRelease>;

// A new element of the named kind, owned (its floating reference sunk); null when the kind is
// not installed.
Element Make(const char* factory, const char* name = nullptr);

// Whether elements of the named kind can be made.
bool Installed(const char* factory);

// The text of an error or warning message.
std::string MessageText(GstMessage* message);

Message WaitOnBus(GstElement* pipeline, GstMessageType kinds, std::int64_t timeoutMs);

}  // namespace quindel::hostkit::gst
