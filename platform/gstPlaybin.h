// One opened file in a GStreamer playbin: preroll, seeks, queries and the
// bus, in milliseconds. The pipeline is only ever PAUSED or PLAYING.
#pragma once

#include "gstHandles.h"

#include <chrono>
#include <optional>
#include <string>

class TGstPlaybin {
public:
  using ms = std::chrono::milliseconds;
  enum class TBusEvent { EndOfStream, Error };

  // Opens path (bytes as on disk) and prerolls it to PAUSED within timeout.
  // Throws EMediaPlayerError with GStreamer's own message.
  TGstPlaybin(const std::string& path, TGstElementPtr audioSink, ms timeout);
  TGstPlaybin(const TGstPlaybin&) = delete;
  TGstPlaybin& operator=(const TGstPlaybin&) = delete;

  // The next end of stream or error, without waiting; other messages are dropped.
  std::optional<TBusEvent> NextEvent();
  // Waits, at most timeout, for a pending state change (a preroll) to finish.
  void Settle(ms timeout);
  // Flushing, accurate; no stop plays to the end of the file.
  bool Seek(ms from, std::optional<ms> stop);
  // Flushing, accurate, keeping the stop position in force.
  bool MoveTo(ms position);
  void SetPlaying(bool playing);

  std::optional<ms> Position() const;
  // From the container, or measured once at open where it does not tell.
  std::optional<ms> Duration() const;

private:
  TGstPipelinePtr pipeline_;
  TGstBusPtr bus_;
  std::optional<ms> probedDuration_;
};
