// Owning holders for the GLib/GStreamer handles the player uses, and the
// one-time framework start.
#pragma once

#include <gst/gst.h>

#include <memory>
#include <optional>
#include <string>

struct TGstObjectUnref {
  void operator()(gpointer object) const { gst_object_unref(object); }
};
// A pipeline must be brought back to NULL before its last reference goes.
struct TGstPipelineRelease {
  void operator()(GstElement* pipeline) const {
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
  }
};
struct TGstMessageUnref {
  void operator()(GstMessage* message) const { gst_message_unref(message); }
};
struct TGErrorFree {
  void operator()(GError* error) const { g_error_free(error); }
};
struct TGFree {
  void operator()(gpointer memory) const { g_free(memory); }
};

using TGstElementPtr = std::unique_ptr<GstElement, TGstObjectUnref>;
using TGstPipelinePtr = std::unique_ptr<GstElement, TGstPipelineRelease>;
using TGstBusPtr = std::unique_ptr<GstBus, TGstObjectUnref>;
using TGstMessagePtr = std::unique_ptr<GstMessage, TGstMessageUnref>;
using TGErrorPtr = std::unique_ptr<GError, TGErrorFree>;
using TGCharPtr = std::unique_ptr<gchar, TGFree>;

// Takes over a freshly made element (floating reference) or nothing.
inline TGstElementPtr AdoptElement(GstElement* element) {
  if (element) gst_object_ref_sink(element);
  return TGstElementPtr(element);
}

// Starts GStreamer once per process; empty on success, else why it failed.
std::optional<std::string> EnsureGstInit();
