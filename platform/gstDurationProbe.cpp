#include "gstDurationProbe.h"

#include "gstHandles.h"

namespace {

void LinkFirstStream(GstElement*, GstPad* pad, gpointer sink) {
  using TPadPtr = std::unique_ptr<GstPad, TGstObjectUnref>;
  TPadPtr sinkPad(gst_element_get_static_pad(GST_ELEMENT(sink), "sink"));
  if (sinkPad && !gst_pad_is_linked(sinkPad.get())) gst_pad_link(pad, sinkPad.get());
}

} // namespace

std::optional<std::chrono::milliseconds> ProbeDuration(const std::string& uri,
                                                       std::chrono::milliseconds timeout) {
  GstElement* source = gst_element_make_from_uri(GST_URI_SRC, uri.c_str(), nullptr, nullptr);
  GstElement* parser = gst_element_factory_make("parsebin", nullptr);
  GstElement* sink = gst_element_factory_make("fakesink", nullptr);
  TGstPipelinePtr pipeline(AdoptElement(gst_pipeline_new(nullptr)).release());
  if (!source || !parser || !sink) {
    for (GstElement* e : {source, parser, sink})
      if (e) AdoptElement(e);
    return std::nullopt;
  }
  gst_bin_add_many(GST_BIN(pipeline.get()), source, parser, sink, nullptr);
  if (!gst_element_link(source, parser)) return std::nullopt;
  g_signal_connect(parser, "pad-added", G_CALLBACK(LinkFirstStream), sink);

  TGstBusPtr bus(gst_element_get_bus(pipeline.get()));
  if (gst_element_set_state(pipeline.get(), GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE)
    return std::nullopt;
  const auto types = static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR);
  TGstMessagePtr end(gst_bus_timed_pop_filtered(
      bus.get(), static_cast<GstClockTime>(timeout.count()) * GST_MSECOND, types));
  if (!end || GST_MESSAGE_TYPE(end.get()) != GST_MESSAGE_EOS) return std::nullopt;

  gint64 ns = -1;
  if (!gst_element_query_position(pipeline.get(), GST_FORMAT_TIME, &ns) || ns <= 0)
    return std::nullopt;
  return std::chrono::milliseconds((ns + GST_MSECOND / 2) / GST_MSECOND);
}
