// Decoding of the four-byte header that starts every MPEG audio frame.
//
// header, big-endian in file order:
//   byte 0: AAAAAAAA  byte 1: AAABBCCD  byte 2: EEEEFFGH  byte 3: IIJJKLMM
//   A sync (all 1)   B version id      C layer bits      D protection bit
//   E bit-rate index F sample-rate idx G padding         H private (ignored)
//   I channel mode   J mode ext. (ign.) K copyright      L original   M emphasis (ign.)
#pragma once

#include "MPEGAudioInfo.h"

#include <cstdint>

constexpr std::uint32_t FrameSyncMask = 0xFFE00000;

constexpr bool HasFrameSync(std::uint32_t header) {
  return (header & FrameSyncMask) == FrameSyncMask;
}

// Decodes header into info and answers whether info now describes a usable
// frame. Reads info.FileLength, FileDate and ID3v2Size for the duration
// estimate and the validity test; leaves Duration alone for an unusable value.
bool DecodeHeader(std::uint32_t header, TMPEGAudioInfo& info);

// Frame length in bytes, header included. MPEG 1 has sample rates of 32 kHz and
// up, MPEG 2 and 2.5 below it, so the rate tells which Layer III rule applies.
std::uint16_t CalcFrameLength(std::uint8_t layer, std::int32_t sampleRate, std::int32_t bitRate,
                              bool padding);

bool InfoIsValid(const TMPEGAudioInfo& info);

// Samples one frame carries, by version and layer codes; 0 for unusable codes.
std::int32_t SamplesPerFrame(std::uint8_t version, std::uint8_t layer);

// Bytes b0 b1 b2 b3 in file order as b0 * 2^24 + ... + b3.
std::uint32_t ReadBigEndian32(const std::uint8_t* bytes);
