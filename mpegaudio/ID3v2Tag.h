// The ID3v2 tag that many MP3 files start with (often with a cover picture of
// hundreds of kilobytes). It is not audio.
#pragma once

#include <cstddef>
#include <cstdint>

constexpr std::size_t ID3v2HeaderLength = 10;

// Length of the whole tag, header and footer included, when the bytes are an
// ID3v2 header: "ID3", version, revision, flags, 28-bit sync-safe size.
// 0 when they are not one.
std::int64_t ID3v2TagLength(const std::uint8_t (&header)[ID3v2HeaderLength]);
