// Files made by real encoders, measured against ffprobe.
#include "Fixtures.h"
#include "MPGTools.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

class Encoded : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    Dir = new TTempDir;
    ASSERT_TRUE(RunCommand("ffmpeg -nostdin -v error -f lavfi -i sine=frequency=440:sample_rate=44100:"
                    "duration=20 -ac 2 " + Dir->File("source.wav")))
        << "ffmpeg could not make the source sound";
  }
  static void TearDownTestSuite() {
    delete Dir;
    Dir = nullptr;
  }

  static double ProbedDuration(const std::string& file) {
    const TCommandResult probe = Capture(
        "ffprobe -v error -show_entries format=duration -of csv=p=0 '" + file + "'");
    EXPECT_EQ(probe.exitCode, 0) << "ffprobe failed on " << file;
    return std::atof(probe.output.c_str());
  }

  void Analyse(const std::string& file) {
    audio.OnError = nullptr;
    audio.AutoLoad = false;
    audio.SetFileName(file);
    ASSERT_EQ(audio.Analyse(), 0) << audio.ErrorText();
  }

  static TTempDir* Dir;
  TMPEGAudio audio;
};

TTempDir* Encoded::Dir = nullptr;

TEST_F(Encoded, DurationsMatchFfprobe) {
  const struct {
    const char* name;
    const char* lameOptions;
    std::uint8_t version;
    std::uint8_t mode;
    bool vbr;
  } cases[] = {
      {"cbr", "-b 128", 1, 1, false},
      {"vbr with Xing", "-V 4", 1, 1, true},
      {"mpeg2 vbr", "-V 5 --resample 22.05", 2, 1, true},
      {"mpeg2.5 cbr", "-b 16 --resample 8", 3, 1, false},
      {"mpeg2.5 vbr", "-V 6 --resample 11.025", 3, 1, true},
      {"mono", "-m m -b 64", 1, 3, false},
      {"mono vbr", "-m m -V 2", 1, 3, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string file = Dir->File(std::string(c.name) + ".mp3");
    ASSERT_TRUE(RunCommand("lame --silent " + std::string(c.lameOptions) + " " +
                    Dir->File("source.wav") + " '" + file + "'"));
    Analyse(file);
    EXPECT_NEAR(audio.Info.Duration, ProbedDuration(file), 1.0);
    EXPECT_EQ(audio.Info.Version, c.version);
    EXPECT_EQ(audio.Info.Layer, 3);
    EXPECT_EQ(audio.Info.Mode, c.mode);
    EXPECT_EQ(audio.Info.BitRate == -1, c.vbr);
  }
}

TEST_F(Encoded, ID3v1WrittenByTheEncoder) {
  const std::string file = Dir->File("tagged.mp3");
  ASSERT_TRUE(RunCommand("lame --silent -b 128 --id3v1-only --tt Ring --ta Chimora --tl 'First Album' "
                  "--ty 2024 --tc 'made by lame' --tn 7 --tg Rock " +
                  Dir->File("source.wav") + " " + file));
  Analyse(file);
  EXPECT_NEAR(audio.Info.Duration, ProbedDuration(file), 1.0);
  EXPECT_TRUE(audio.HasTag());
  EXPECT_EQ(audio.Info.Title, "Ring");
  EXPECT_EQ(audio.Info.Artist, "Chimora");
  EXPECT_EQ(audio.Info.Album, "First Album");
  EXPECT_EQ(audio.Info.Year, "2024");
  EXPECT_EQ(audio.Info.Comment, "made by lame");
  EXPECT_EQ(audio.Info.Track, 7);
  EXPECT_EQ(audio.GenreText(), "Rock");
}

// A cover picture of some hundred kilobytes in an ID3v2 tag, as music shops
// and rippers write them: counted as audio it would add tens of seconds.
TEST_F(Encoded, CoverPictureIsNotCountedAsAudio) {
  const std::string cover = Dir->File("cover.png");
  const std::string file = Dir->File("cover.mp3");
  ASSERT_TRUE(RunCommand("ffmpeg -nostdin -v error -f lavfi -i 'nullsrc=s=400x300,geq=random(1)*255:"
                  "random(2)*255:random(3)*255' -frames:v 1 " + cover));
  ASSERT_TRUE(RunCommand("ffmpeg -nostdin -v error -i " + Dir->File("source.wav") + " -i " + cover +
                  " -map 0:a -map 1:v -c:a libmp3lame -b:a 128k -c:v copy -id3v2_version 3 "
                  "-disposition:v attached_pic " + file));
  const auto coverSize = static_cast<std::int32_t>(std::filesystem::file_size(cover));
  ASSERT_GT(coverSize, 200000);
  Analyse(file);
  EXPECT_GT(audio.FirstFramePos, coverSize);
  EXPECT_EQ(audio.FirstFramePos, audio.Info.ID3v2Size);
  EXPECT_EQ(audio.Info.BitRate, 128);
  EXPECT_NEAR(audio.Info.Duration, ProbedDuration(file), 1.0);
}

}  // namespace
