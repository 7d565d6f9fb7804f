// Where the player's sound goes: a sink description given by the caller, or
// the desktop's output with a silent clock-driven stand-in where none opens.
#pragma once

#include "gstHandles.h"

#include <string>

class TAudioSinkFactory {
public:
  // description: gst-launch style, e.g. "fakesink sync=true"; empty picks
  // desktopSink, which is replaced for good by the silent sink the first
  // time it cannot be opened.
  explicit TAudioSinkFactory(std::string description,
                             std::string desktopSink = "autoaudiosink");

  // A new sink for one pipeline. Throws EMediaPlayerError when a
  // description does not parse.
  TGstElementPtr Make();
  // True once the silent stand-in has replaced the desktop's output.
  bool Silent() const { return desktop_ == TDesktop::Unusable; }

  static constexpr const char* SilentSink = "fakesink sync=true";

private:
  enum class TDesktop { Untried, Usable, Unusable };

  std::string description_;
  std::string desktopSink_;
  TDesktop desktop_ = TDesktop::Untried;
};

// A bin from a gst-launch style description; throws EMediaPlayerError.
TGstElementPtr ParseBin(const std::string& description);
