#include "gstPlaybin.h"

#include "MediaPlayer.h"
#include "gstDurationProbe.h"

#include <algorithm>

namespace {

using ms = TGstPlaybin::ms;

GstClockTime ToClock(ms value) { return static_cast<GstClockTime>(value.count()) * GST_MSECOND; }

// Rounded: a stop at 3000 ms is often reported a few nanoseconds short.
ms FromClock(gint64 ns) { return ms((ns + GST_MSECOND / 2) / GST_MSECOND); }

std::string UriOf(const std::string& path) {
  GError* raw = nullptr;
  TGCharPtr uri(gst_filename_to_uri(path.c_str(), &raw));
  TGErrorPtr error(raw);
  if (!uri) throw EMediaPlayerError(error ? error->message : "Invalid file name.");
  return uri.get();
}

[[noreturn]] void ThrowError(GstMessage* message, const char* fallback) {
  if (!message) throw EMediaPlayerError(fallback);
  GError* raw = nullptr;
  gst_message_parse_error(message, &raw, nullptr);
  TGErrorPtr error(raw);
  throw EMediaPlayerError(error ? error->message : fallback);
}

} // namespace

TGstPlaybin::TGstPlaybin(const std::string& path, TGstElementPtr audioSink, ms timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  const std::string uri = UriOf(path);
  TGstElementPtr playbin = AdoptElement(gst_element_factory_make("playbin", nullptr));
  if (!playbin) throw EMediaPlayerError("GStreamer has no playbin element.");
  pipeline_.reset(playbin.release());
  bus_.reset(gst_element_get_bus(pipeline_.get()));

  // Video, where a file has any, must never open a window.
  TGstElementPtr videoSink = AdoptElement(gst_element_factory_make("fakesink", nullptr));
  if (videoSink) g_object_set(videoSink.get(), "sync", TRUE, nullptr);
  g_object_set(pipeline_.get(), "uri", uri.c_str(), "audio-sink", audioSink.get(), "video-sink",
               videoSink.get(), nullptr);

  const GstStateChangeReturn change = gst_element_set_state(pipeline_.get(), GST_STATE_PAUSED);
  const char* failed = "The file could not be opened.";
  if (change == GST_STATE_CHANGE_FAILURE) {
    // The element that failed has posted its error by now, or never will.
    const ms grace = std::min(timeout, ms(500));
    TGstMessagePtr error(gst_bus_timed_pop_filtered(bus_.get(), ToClock(grace), GST_MESSAGE_ERROR));
    ThrowError(error.get(), failed);
  }
  if (change == GST_STATE_CHANGE_ASYNC) {
    const auto types = static_cast<GstMessageType>(GST_MESSAGE_ERROR | GST_MESSAGE_ASYNC_DONE);
    TGstMessagePtr done(gst_bus_timed_pop_filtered(bus_.get(), ToClock(timeout), types));
    if (!done)
      throw EMediaPlayerError("Opening \"" + path + "\" took longer than " +
                              std::to_string(timeout.count() / 1000) + " s.");
    if (GST_MESSAGE_TYPE(done.get()) == GST_MESSAGE_ERROR) ThrowError(done.get(), failed);
  }
  if (!Duration()) {
    const auto left = std::chrono::duration_cast<ms>(deadline - std::chrono::steady_clock::now());
    probedDuration_ = ProbeDuration(uri, std::max(left, ms(0)));
  }
}

std::optional<TGstPlaybin::TBusEvent> TGstPlaybin::NextEvent() {
  const auto types = static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR);
  TGstMessagePtr message(gst_bus_pop_filtered(bus_.get(), types));
  if (!message) return std::nullopt;
  return GST_MESSAGE_TYPE(message.get()) == GST_MESSAGE_EOS ? TBusEvent::EndOfStream
                                                            : TBusEvent::Error;
}

void TGstPlaybin::Settle(ms timeout) {
  gst_element_get_state(pipeline_.get(), nullptr, nullptr, ToClock(timeout));
}

bool TGstPlaybin::Seek(ms from, std::optional<ms> stop) {
  const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
  // SET with "none" clears a stop left by an earlier seek; NONE would keep it.
  const GstClockTime end = stop ? ToClock(*stop) : GST_CLOCK_TIME_NONE;
  return gst_element_seek(pipeline_.get(), 1.0, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET,
                          ToClock(from), GST_SEEK_TYPE_SET, end);
}

bool TGstPlaybin::MoveTo(ms position) {
  const auto flags = static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE);
  return gst_element_seek(pipeline_.get(), 1.0, GST_FORMAT_TIME, flags, GST_SEEK_TYPE_SET,
                          ToClock(position), GST_SEEK_TYPE_NONE, GST_CLOCK_TIME_NONE);
}

void TGstPlaybin::SetPlaying(bool playing) {
  gst_element_set_state(pipeline_.get(), playing ? GST_STATE_PLAYING : GST_STATE_PAUSED);
}

std::optional<ms> TGstPlaybin::Position() const {
  gint64 ns = 0;
  if (!gst_element_query_position(pipeline_.get(), GST_FORMAT_TIME, &ns) || ns < 0)
    return std::nullopt;
  return FromClock(ns);
}

std::optional<ms> TGstPlaybin::Duration() const {
  gint64 ns = 0;
  if (!gst_element_query_duration(pipeline_.get(), GST_FORMAT_TIME, &ns) || ns < 0)
    return probedDuration_;
  return FromClock(ns);
}
