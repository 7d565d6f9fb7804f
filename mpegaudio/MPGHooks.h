// The two places where the analyser reaches the program around it. A window
// program installs its own; without them the analyser neither pumps nor blocks.
#pragma once

#include "MPEGAudioInfo.h"

#include <cstdint>
#include <functional>
#include <string>

// Answers of the error box (and of an OnError handler).
enum : std::uint16_t { ErrorBoxCancel = 2, ErrorBoxRetry = 4, ErrorBoxIgnore = 5 };

// Offered at every 300th position of the byte search, so a window stays
// responsive during a long search. Empty: nothing is pumped.
void SetPumpMessages(std::function<void()> pump);
void PumpMessages();

// A modal box with the buttons Cancel, Retry and Ignore, answering 2, 4 or 5.
// Empty: no box, the answer is Cancel.
void SetErrorBox(std::function<std::uint16_t(const std::string& text)> box);

// The default OnError: "Error openning file: " and the name, in the error box.
std::uint16_t ShowOpenError(TMPEGAudioInfo& info);
