#include "FileFacts.h"
#include "MPGTools.h"

#include <gtest/gtest.h>

#include <ctime>

using namespace std::string_literals;

namespace {

double TimeOfDay(int hours, int minutes, int seconds) {
  return (hours * 3600 + minutes * 60 + seconds) / 86400.0;
}

TEST(Text, StreamTexts) {
  const struct {
    std::int32_t bitRate;
    std::uint8_t mode, layer, version;
    const char *bitRateText, *stereo, *modeText, *layerText, *versionText;
  } cases[] = {
      {128, 0, 3, 1, "128", "Stereo", "Stereo", "III", "1.0"},
      {-1, 1, 2, 2, "VBR", "Stereo", "Joint-Stereo", "II", "2.0"},
      {64, 2, 1, 3, "64", "Stereo", "Dual-Channel", "I", "2.5"},
      {32, 3, 3, 1, "32", "Mono", "Single-Channel", "III", "1.0"},
      {0, 0, 0, 0, "0", "Stereo", "Stereo", "Unknown", "Unknown"},  // a failed analysis
      {0, 9, 9, 9, "0", "Stereo", "Unknown", "Unknown", "Unknown"},  // set by hand
  };
  for (const auto& c : cases) {
    TMPEGAudio audio;
    audio.Info.BitRate = c.bitRate;
    audio.Info.Mode = c.mode;
    audio.Info.Layer = c.layer;
    audio.Info.Version = c.version;
    EXPECT_EQ(audio.BitRateText(), c.bitRateText);
    EXPECT_EQ(audio.StereoText(), c.stereo);
    EXPECT_EQ(audio.ModeText(), c.modeText);
    EXPECT_EQ(audio.LayerText(), c.layerText);
    EXPECT_EQ(audio.VersionText(), c.versionText);
  }
}

TEST(Text, DurationAsTimeOfDay) {
  const struct {
    std::uint16_t seconds;
    double time;
  } cases[] = {{250, TimeOfDay(0, 4, 10)}, {65535, TimeOfDay(18, 12, 15)}, {0, 0.0}};
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(SecondsToTime(c.seconds), c.time);
    TMPEGAudio audio;
    audio.Info.Duration = c.seconds;
    EXPECT_DOUBLE_EQ(audio.DurationTime(), c.time);
  }
}

TEST(Text, ArtistAndTitleDefaults) {
  TMPEGAudio audio;
  audio.ResetInfo();
  audio.Info.Title = "song.mp3";
  EXPECT_EQ(audio.ArtistOrDefault(), "Unknown Artist");
  EXPECT_EQ(audio.TitleOrDefault(), "Unknown Title");
  audio.DefaultTitle.clear();
  EXPECT_EQ(audio.TitleOrDefault(), "song.mp3");
  audio.DefaultArtist = "An artist name that runs past thirty bytes";
  EXPECT_EQ(audio.ArtistOrDefault(), "An artist name that runs past ");

  audio.Info.TagId = "TAG";
  audio.Info.Artist = "Tagged";
  audio.DefaultTitle = "Unknown Title";
  EXPECT_EQ(audio.ArtistOrDefault(), "Tagged");
  EXPECT_EQ(audio.TitleOrDefault(), "song.mp3");
}

TEST(Text, FlagsAndUnitTexts) {
  TMPEGAudio audio;
  audio.Info.Copyrighted = true;
  EXPECT_EQ(audio.CopyrightedText("Yes", "No"), "Yes");
  EXPECT_EQ(audio.OriginalText("Yes", "No"), "No");
  EXPECT_EQ(audio.ProtectionText("*", " "), " ");
  EXPECT_EQ(ChooseText(true, "a", "b"), "a");
  EXPECT_EQ(ChooseText(false, "a", "b"), "b");
  EXPECT_EQ(UnitVersionText(), "MPGTools 1.8");
  EXPECT_EQ(audio.ShortFileName(), "Error converting long filename to short.");
  EXPECT_EQ(GenreNames[0], "Blues");
  EXPECT_EQ(GenreNames[92], "Progessive Rock");
  EXPECT_EQ(GenreNames[125], "Dance Hall");
}

TEST(Text, CutTextKeepsWholeCharacters) {
  const struct {
    std::string text;
    std::size_t capacity;
    std::string kept;
  } cases[] = {
      {"abcdef", 4, "abcd"},
      {"abc", 3, "abc"},
      {"aé", 2, "a"},                   // 2-byte é would be split
      {"a铃声", 3, "a"},                // 3-byte characters
      {"a铃声", 5, "a铃"},
      {"ab😀", 5, "ab"},                // 4-byte character
      {"caf\xE9s"s, 4, "caf\xE9"s},     // Latin-1 bytes are cut as they stand
      {"\x80\x80\x80\x80\x80"s, 2, "\x80\x80"s},
  };
  for (const auto& c : cases) EXPECT_EQ(CutText(c.text, c.capacity), c.kept) << c.text;
}

TEST(Text, PackedFileDate) {
  std::tm local{};
  local.tm_year = 2024 - 1900;
  local.tm_mon = 2;
  local.tm_mday = 15;
  local.tm_hour = 13;
  local.tm_min = 45;
  local.tm_sec = 37;
  local.tm_isdst = -1;
  const std::int32_t packed = PackedFileDate(std::mktime(&local));
  EXPECT_EQ(static_cast<std::uint32_t>(packed), (44u << 25 | 3u << 21 | 15u << 16) |
                                                    (13u << 11 | 45u << 5 | 18u));
  // 2024-03-15 is day 45366 counted from 1899-12-30; seconds are kept in twos.
  EXPECT_DOUBLE_EQ(PackedFileDateToDateTime(packed), 45366 + TimeOfDay(13, 45, 36));

  local.tm_year = 1975 - 1900;
  EXPECT_EQ(PackedFileDate(std::mktime(&local)), -1);
  EXPECT_EQ(PackedFileDateToDateTime(0), 0);
  EXPECT_EQ(PackedFileDateToDateTime(-1), 0);

  TMPEGAudio audio;
  audio.Info.FileDate = packed;
  EXPECT_DOUBLE_EQ(audio.FileDateTime(), 45366 + TimeOfDay(13, 45, 36));
}

}  // namespace
