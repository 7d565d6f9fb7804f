// The ID3v1 (and v1.1) tag in the last 128 bytes of a file, and the genre names.
#pragma once

#include "MPEGAudioInfo.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

constexpr std::size_t ID3v1TagLength = 128;

// 0-79 are ID3v1's own genres, 80-125 the usual extension.
extern const std::array<std::string_view, 126> GenreNames;

// Cut before the first zero byte, then without trailing spaces and zero bytes.
std::string TrimTagText(std::string_view bytes);

// Copies the tag's fields into info when the block starts with "TAG" (case
// counts) and answers whether it did; otherwise info is left alone.
bool ReadID3v1Tag(const std::uint8_t (&block)[ID3v1TagLength], TMPEGAudioInfo& info);
