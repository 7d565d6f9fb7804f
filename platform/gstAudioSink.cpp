#include "gstAudioSink.h"

#include "MediaPlayer.h"

#include <atomic>
#include <cstdio>

namespace {

bool ContainsFakeSink(GstElement* element) {
  if (!GST_IS_BIN(element)) return false;
  bool found = false;
  GstIterator* it = gst_bin_iterate_recurse(GST_BIN(element));
  GValue item = G_VALUE_INIT;
  bool done = false;
  while (!done && !found) {
    switch (gst_iterator_next(it, &item)) {
    case GST_ITERATOR_OK: {
      auto* child = GST_ELEMENT(g_value_get_object(&item));
      GstElementFactory* factory = gst_element_get_factory(child);
      found = factory && g_strcmp0(GST_OBJECT_NAME(factory), "fakesink") == 0;
      g_value_reset(&item);
      break;
    }
    case GST_ITERATOR_RESYNC:
      gst_iterator_resync(it);
      break;
    default:
      done = true;
    }
  }
  g_value_unset(&item);
  gst_iterator_free(it);
  return found;
}

// autoaudiosink does not fail when nothing can be opened: it quietly puts a
// fakesink inside itself, so that counts as "cannot be opened" too.
bool CanOpen(GstElement* sink) {
  bool ok = gst_element_set_state(sink, GST_STATE_PAUSED) != GST_STATE_CHANGE_FAILURE &&
            !ContainsFakeSink(sink);
  gst_element_set_state(sink, GST_STATE_NULL);
  return ok;
}

void SayPlayingSilently() {
  static std::atomic<bool> said{false};
  if (!said.exchange(true))
    std::fputs("Chimora: no audio output could be opened; playing silently.\n", stderr);
}

} // namespace

TGstElementPtr ParseBin(const std::string& description) {
  GError* raw = nullptr;
  TGstElementPtr bin = AdoptElement(gst_parse_bin_from_description(description.c_str(), TRUE, &raw));
  TGErrorPtr error(raw);
  if (error) throw EMediaPlayerError(error->message);
  if (!bin) throw EMediaPlayerError("Cannot make the sink \"" + description + "\".");
  return bin;
}

TAudioSinkFactory::TAudioSinkFactory(std::string description, std::string desktopSink)
    : description_(std::move(description)), desktopSink_(std::move(desktopSink)) {}

TGstElementPtr TAudioSinkFactory::Make() {
  if (!description_.empty()) return ParseBin(description_);
  if (desktop_ == TDesktop::Unusable) return ParseBin(SilentSink);
  TGstElementPtr sink = ParseBin(desktopSink_);
  if (desktop_ == TDesktop::Untried) {
    desktop_ = CanOpen(sink.get()) ? TDesktop::Usable : TDesktop::Unusable;
    if (Silent()) {
      SayPlayingSilently();
      return ParseBin(SilentSink);
    }
  }
  return sink;
}
