#include "MPGHooks.h"

#include <utility>

namespace {

// Set once by the program at start, before any analysis; not guarded.
std::function<void()>& Pump() {
  static std::function<void()> pump;
  return pump;
}

std::function<std::uint16_t(const std::string&)>& ErrorBox() {
  static std::function<std::uint16_t(const std::string&)> box;
  return box;
}

}  // namespace

void SetPumpMessages(std::function<void()> pump) { Pump() = std::move(pump); }

void PumpMessages() {
  if (Pump()) Pump()();
}

void SetErrorBox(std::function<std::uint16_t(const std::string& text)> box) {
  ErrorBox() = std::move(box);
}

std::uint16_t ShowOpenError(TMPEGAudioInfo& info) {
  if (!ErrorBox()) return ErrorBoxCancel;
  const std::uint16_t answer = ErrorBox()("Error openning file: " + info.FileName);
  // A box closed by other means counts as Cancel.
  if (answer == ErrorBoxRetry || answer == ErrorBoxIgnore) return answer;
  return ErrorBoxCancel;
}
