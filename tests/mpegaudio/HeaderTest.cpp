#include "Fixtures.h"
#include "MPGTools.h"

#include <gtest/gtest.h>

namespace {

TMPEGAudioInfo FileFacts(std::int32_t length) {
  TMPEGAudioInfo info;
  info.FileLength = length;
  info.FileDate = 0x5A210000;
  return info;
}

struct TFrameCase {
  const char* name;
  std::uint32_t header;
  std::uint8_t version, layer;
  std::int32_t sampleRate, bitRate;
  std::uint16_t frameLength;
};

TEST(Header, DecodesUsableHeaders) {
  const TFrameCase cases[] = {
      {"mpeg1 layer3 128k", 0xFFFB9064, 1, 3, 44100, 128, 417},
      {"same with padding", 0xFFFB9264, 1, 3, 44100, 128, 418},
      {"mpeg1 layer1 32k", 0xFFFF10C0, 1, 1, 44100, 32, 32},
      {"mpeg1 layer1 32k padded", 0xFFFF12C0, 1, 1, 44100, 32, 36},
      {"mpeg1 layer2 320k 48k", 0xFFFDD400, 1, 2, 48000, 320, 960},
      {"mpeg2 layer3 64k 22050", 0xFFF38044, 2, 3, 22050, 64, 208},
      {"mpeg2 layer2 64k 22050", 0xFFF58044, 2, 2, 22050, 64, 417},
      {"mpeg2.5 layer3 8k 8000", 0xFFE31844, 3, 3, 8000, 8, 72},
      {"mpeg2.5 layer1 256k 8000", 0xFFE7E844, 3, 1, 8000, 256, 1536},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TMPEGAudioInfo info = FileFacts(4000000);
    EXPECT_TRUE(DecodeHeader(c.header, info));
    EXPECT_EQ(info.Version, c.version);
    EXPECT_EQ(info.Layer, c.layer);
    EXPECT_EQ(info.SampleRate, c.sampleRate);
    EXPECT_EQ(info.BitRate, c.bitRate);
    EXPECT_EQ(info.FrameLength, c.frameLength);
  }
}

TEST(Header, FlagsAndModeOfTheCommonHeader) {
  TMPEGAudioInfo info = FileFacts(4000000);
  ASSERT_TRUE(DecodeHeader(0xFFFB9064, info));
  EXPECT_TRUE(info.ProtectionBit);
  EXPECT_FALSE(info.Padding);
  EXPECT_EQ(info.Mode, 1);
  EXPECT_FALSE(info.Copyrighted);
  EXPECT_TRUE(info.Original);
  EXPECT_EQ(info.Duration, 250);

  ASSERT_TRUE(DecodeHeader(0xFFFA90C8, info));  // no CRC bit, single channel, copyrighted
  EXPECT_FALSE(info.ProtectionBit);
  EXPECT_EQ(info.Mode, 3);
  EXPECT_TRUE(info.Copyrighted);
  EXPECT_FALSE(info.Original);
}

TEST(Header, RejectsUnusableFieldValues) {
  const struct {
    const char* name;
    std::uint32_t header;
  } cases[] = {
      {"sync bits broken", 0xFFDB9064},  {"version id 01", 0xFFEB9064},
      {"layer bits 00", 0xFFF99064},     {"free-format bit rate", 0xFFFB0064},
      {"bit-rate index 15", 0xFFFBF064}, {"sample-rate index 3", 0xFFFB9C64},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TMPEGAudioInfo info = FileFacts(4000000);
    EXPECT_FALSE(DecodeHeader(c.header, info));
    EXPECT_FALSE(InfoIsValid(info));
  }
}

TEST(Header, NeedsTheFileFactsInTheRecord) {
  const struct {
    const char* name;
    std::int32_t fileLength, fileDate;
    bool valid;
  } cases[] = {
      {"5 bytes", 5, 0x5A210000, false},
      {"6 bytes", 6, 0x5A210000, true},
      {"no file date", 4000000, 0, false},
      {"unreadable file date", 4000000, -1, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TMPEGAudioInfo info;
    info.FileLength = c.fileLength;
    info.FileDate = c.fileDate;
    EXPECT_EQ(DecodeHeader(Mpeg1Layer3Header, info), c.valid);
  }
}

TEST(Header, DurationEstimateUsesTheWholeFileIn64Bits) {
  const struct {
    std::int32_t fileLength;
    std::int32_t id3v2Size;
    std::uint16_t duration;
  } cases[] = {
      {4000000, 0, 250},
      {300000000, 0, 18750},       // FileLength * 8 overflows 32 bits
      {2000000000, 0, 59464},      // 125000 s, kept in 16 bits
      {4800000, 800000, 250},      // ID3v2 bytes are not audio
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.fileLength);
    TMPEGAudioInfo info = FileFacts(c.fileLength);
    info.ID3v2Size = c.id3v2Size;
    ASSERT_TRUE(DecodeHeader(0xFFFB9064, info));
    EXPECT_EQ(info.Duration, c.duration);
  }
}

TEST(Header, FrameLengthOfOddArguments) {
  EXPECT_EQ(CalcFrameLength(3, 0, 128, false), 0);
  EXPECT_EQ(CalcFrameLength(3, -44100, 128, false), 0);
  EXPECT_EQ(CalcFrameLength(2, 8000, 2000000000, false), 0x6800);  // no overflow, 16 bits kept
}

}  // namespace
