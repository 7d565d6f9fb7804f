// The length of a file whose container does not tell it (a CBR MP3 without
// a Xing header, say): playbin learns it only while playing, so the file's
// first stream is run once through its parser, without decoding or a clock.
#pragma once

#include <chrono>
#include <optional>
#include <string>

std::optional<std::chrono::milliseconds> ProbeDuration(const std::string& uri,
                                                       std::chrono::milliseconds timeout);
