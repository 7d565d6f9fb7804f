#include "FrameHeader.h"

#include <array>

namespace {

// By the two version-id bits: 00 MPEG 2.5, 01 reserved, 10 MPEG 2, 11 MPEG 1.
constexpr std::array<std::uint8_t, 4> VersionCodes = {3, 0, 2, 1};

// Hz, by version code and sample-rate index.
constexpr std::int32_t SampleRates[4][4] = {
    {0, 0, 0, 0},
    {44100, 48000, 32000, 0},
    {22050, 24000, 16000, 0},
    {11025, 12000, 8000, 0},
};

// kbit/s, one row per version code 1-3 and layer code 1-3.
constexpr std::uint16_t BitRates[9][16] = {
    {0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448, 0},  // 1, I
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384, 0},     // 1, II
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},      // 1, III
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},     // 2, I
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},          // 2, II
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},          // 2, III
    {0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256, 0},     // 2.5, I
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},          // 2.5, II
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},          // 2.5, III
};

constexpr std::uint32_t Bits(std::uint32_t header, int low, int count) {
  return (header >> low) & ((1u << count) - 1);
}

// 64-bit: files of 256 MiB and more overflow FileLength * 8 in 32 bits.
std::uint16_t EstimateDuration(const TMPEGAudioInfo& info) {
  if (info.BitRate == 0) return 0;
  const std::int64_t audioBytes = std::int64_t{info.FileLength} - info.ID3v2Size;
  return static_cast<std::uint16_t>(audioBytes * 8 / (std::int64_t{info.BitRate} * 1000));
}

}  // namespace

bool DecodeHeader(std::uint32_t header, TMPEGAudioInfo& info) {
  info.Version = 0;
  info.Layer = 0;
  info.SampleRate = 0;
  info.BitRate = 0;
  info.Mode = 0;
  info.Copyrighted = false;
  info.Original = false;
  info.ProtectionBit = false;
  info.Padding = false;
  info.FrameLength = 0;
  if (!HasFrameSync(header)) return false;

  info.Version = VersionCodes[Bits(header, 19, 2)];
  if (info.Version != 0) {
    info.Layer = static_cast<std::uint8_t>((4 - Bits(header, 17, 2)) % 4);
    info.SampleRate = SampleRates[info.Version][Bits(header, 10, 2)];
    info.ProtectionBit = Bits(header, 16, 1) != 0;
    info.Copyrighted = Bits(header, 3, 1) != 0;
    info.Original = Bits(header, 2, 1) != 0;
    info.Mode = static_cast<std::uint8_t>(Bits(header, 6, 2));
    info.Padding = Bits(header, 9, 1) != 0;
    if (info.Layer != 0) {
      info.BitRate = BitRates[(info.Version - 1) * 3 + (info.Layer - 1)][Bits(header, 12, 4)];
      info.Duration = EstimateDuration(info);
      info.FrameLength = CalcFrameLength(info.Layer, info.SampleRate, info.BitRate, info.Padding);
    }
  }
  return InfoIsValid(info);
}

std::uint16_t CalcFrameLength(std::uint8_t layer, std::int32_t sampleRate, std::int32_t bitRate,
                              bool padding) {
  if (sampleRate <= 0) return 0;
  const std::int64_t rate = bitRate;
  const std::int64_t pad = padding ? 1 : 0;
  std::int64_t length;
  if (layer == 1)
    length = 4 * (12000 * rate / sampleRate + pad);
  else if (layer == 3 && sampleRate < 32000)
    length = 72000 * rate / sampleRate + pad;
  else
    length = 144000 * rate / sampleRate + pad;
  return static_cast<std::uint16_t>(length);
}

bool InfoIsValid(const TMPEGAudioInfo& info) {
  return info.FileLength > 5 && info.Version > 0 && info.Layer > 0 && info.FileDate != 0 &&
         info.BitRate >= -1 && info.BitRate != 0 && info.SampleRate > 0;
}

std::int32_t SamplesPerFrame(std::uint8_t version, std::uint8_t layer) {
  switch (layer) {
    case 1: return version == 0 ? 0 : 384;
    case 2: return version == 0 ? 0 : 1152;
    case 3: return version == 1 ? 1152 : version == 0 ? 0 : 576;
    default: return 0;
  }
}

std::uint32_t ReadBigEndian32(const std::uint8_t* bytes) {
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 |
         std::uint32_t{bytes[2]} << 8 | std::uint32_t{bytes[3]};
}
