// The real player on small generated files, with a clock-driven fake sink.
#include "AudioFiles.h"
#include "MediaPlayer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <ostream>
#include <thread>

// Readable failures: modes print as their numbers.
inline void PrintTo(TMPModes mode, std::ostream* os) { *os << static_cast<int>(mode); }

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

constexpr const char* FakeSink = "fakesink sync=true";

// Polls like the window does (no GLib main loop runs here); returns how long it took.
std::chrono::milliseconds WaitForMode(const TMediaPlayer& player, TMPModes mode,
                                      std::chrono::milliseconds limit = 5s) {
  const auto start = Clock::now();
  while (player.Mode() != mode && Clock::now() - start < limit) std::this_thread::sleep_for(10ms);
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start);
}

// Playback runs on the clock: since Play it has moved at most as far as real
// time did, and not much less (the pipeline takes a moment to start).
void ExpectPlayedFrom(const TMediaPlayer& player, int from, Clock::time_point played) {
  const int position = player.Position();
  const auto elapsed = static_cast<int>(
      std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - played).count());
  EXPECT_EQ(player.Mode(), TMPModes::mpPlaying);
  EXPECT_LE(position, from + elapsed + 20);
  EXPECT_GE(position, from + elapsed - 150);
}

class MediaPlayerTest : public testing::Test {
protected:
  void OpenFile(const std::string& path) {
    player.SetFileName(path);
    player.Open();
    player.SetTimeFormat(TMPTimeFormats::tfMilliseconds);
  }

  TAudioFiles files;
  TMediaPlayer player{FakeSink};
};

TEST_F(MediaPlayerTest, WithNoFileOpenEveryCallIsHarmless) {
  player.SetTimeFormat(TMPTimeFormats::tfMilliseconds);
  player.SetStartPos(1000);
  player.SetEndPos(2000);
  player.Play();
  player.SetPosition(500);
  player.Stop();
  EXPECT_EQ(player.Mode(), TMPModes::mpNotReady);
  EXPECT_EQ(player.Position(), 0);
  EXPECT_EQ(player.Length(), 0);
}

TEST_F(MediaPlayerTest, OpenGivesLengthStoppedAtZero) {
  struct Case {
    const char* name;
    std::string path;
    int length, tolerance;
  };
  const Case cases[] = {
      {"wav 3 s", files.Wav(3), 3000, 2},
      {"wav 12.9 s", files.Wav(12.9), 12900, 2},
      {"mp3 3 s", files.Mp3(3), 3000, 60},
      {"mp3 3 s without Xing header", files.Mp3WithoutXing(3), 3000, 60},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OpenFile(c.path);
    EXPECT_EQ(player.FileName(), c.path);
    EXPECT_NEAR(player.Length(), c.length, c.tolerance);
    EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
    EXPECT_EQ(player.Position(), 0);
  }
}

TEST_F(MediaPlayerTest, FailedOpenCarriesGStreamersMessageAndLeavesNoFileOpen) {
  struct Case {
    const char* name;
    std::string path, message;
  };
  const Case cases[] = {
      {"text file", files.Text(), "Could not determine type of stream."},
      {"missing file", files.Missing(), "Resource not found."},
  };
  const std::string good = files.Wav(3);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    OpenFile(good);
    player.Play();
    player.SetFileName(c.path);
    try {
      player.Open();
      ADD_FAILURE() << "Open did not throw";
    } catch (const EMediaPlayerError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_EQ(player.Mode(), TMPModes::mpNotReady);
    EXPECT_EQ(player.Position(), 0);
    EXPECT_EQ(player.Length(), 0);
    player.Play();
    EXPECT_EQ(player.Mode(), TMPModes::mpNotReady);

    OpenFile(good);
    EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
    EXPECT_NEAR(player.Length(), 3000, 2);
  }
}

TEST_F(MediaPlayerTest, SelectionPlaysByItselfToEndPosThenNextPlayGoesOn) {
  for (const std::string& path : {files.Wav(5), files.Mp3(5)}) {
    SCOPED_TRACE(path);
    OpenFile(path);
    player.SetStartPos(2000);
    player.SetEndPos(3000);
    player.Play();
    EXPECT_EQ(player.Mode(), TMPModes::mpPlaying);
    const auto took = WaitForMode(player, TMPModes::mpStopped);
    EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
    EXPECT_GE(took, 800ms) << "plays in real time";
    EXPECT_NEAR(player.Position(), 3000, 50);

    // The end position held for that one Play only.
    const int from = player.Position();
    const auto played = Clock::now();
    player.Play();
    std::this_thread::sleep_for(300ms);
    ExpectPlayedFrom(player, from, played);
    player.Stop();
  }
}

TEST_F(MediaPlayerTest, PositionMovesWhilePlayingAndStopKeepsIt) {
  OpenFile(files.Wav(3));
  player.SetStartPos(500);
  const auto played = Clock::now();
  player.Play();
  std::this_thread::sleep_for(200ms);
  ExpectPlayedFrom(player, 500, played);
  std::this_thread::sleep_for(400ms);
  ExpectPlayedFrom(player, 500, played);
  const int later = player.Position();

  player.Stop();
  EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
  const int stoppedAt = player.Position();
  EXPECT_GE(stoppedAt, later);
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(player.Position(), stoppedAt);
  EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
}

TEST_F(MediaPlayerTest, PositionWriteMovesTheStoppedPlayerAndPlayGoesOnFromThere) {
  OpenFile(files.Wav(3));
  player.SetPosition(1500);
  EXPECT_NEAR(player.Position(), 1500, 5);
  EXPECT_EQ(player.Mode(), TMPModes::mpStopped);

  const auto played = Clock::now();
  player.Play();
  std::this_thread::sleep_for(300ms);
  ExpectPlayedFrom(player, 1500, played);
}

TEST_F(MediaPlayerTest, PlayAfterTheEndStartsFromTheBeginning) {
  OpenFile(files.Wav(3));
  player.SetPosition(2700);
  player.Play();
  WaitForMode(player, TMPModes::mpStopped);
  EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
  EXPECT_NEAR(player.Position(), 3000, 50);

  player.Play();
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(player.Mode(), TMPModes::mpPlaying);
  EXPECT_LT(player.Position(), 1000);
}

TEST_F(MediaPlayerTest, PositionsOutsideTheFileFailSilently) {
  struct Case {
    const char* name;
    std::optional<int> start, end;
  };
  const Case cases[] = {
      {"start past the end", 10000, {}},
      {"end past the end", 1000, 10000},
      {"end only, past the end", {}, 10000},
      {"negative start", -1000, {}},
      {"end before start", 2000, 1000},
  };
  OpenFile(files.Wav(3));
  player.SetPosition(1000);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.start) player.SetStartPos(*c.start);
    if (c.end) player.SetEndPos(*c.end);
    player.Play();
    EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
    EXPECT_NEAR(player.Position(), 1000, 5);
  }
  player.SetPosition(10000);
  player.SetPosition(-1);
  EXPECT_NEAR(player.Position(), 1000, 5);

  // Nothing was left over for the next Play.
  const auto played = Clock::now();
  player.Play();
  std::this_thread::sleep_for(200ms);
  ExpectPlayedFrom(player, 1000, played);
}

TEST_F(MediaPlayerTest, OpenWhilePlayingEndsThatPlayback) {
  OpenFile(files.Wav(5));
  player.Play();
  std::this_thread::sleep_for(200ms);
  OpenFile(files.Wav(3));
  std::this_thread::sleep_for(200ms);
  EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
  EXPECT_EQ(player.Position(), 0);
  EXPECT_NEAR(player.Length(), 3000, 2);
}

TEST_F(MediaPlayerTest, PathWithSpacesQuotesAndChineseCharacters) {
  const std::string path =
      files.CopyAs(files.Wav(3), "我的 音乐/铃声 #1 100% \"it's\" ?.wav");
  OpenFile(path);
  EXPECT_NEAR(player.Length(), 3000, 2);
  player.SetStartPos(2700);
  player.Play();
  WaitForMode(player, TMPModes::mpStopped);
  EXPECT_NEAR(player.Position(), 3000, 50);
}

// Here that is whatever the machine has: a sound server, or none and the silent stand-in.
TEST(MediaPlayerDesktopOutput, PlaysInRealTimeWithOrWithoutASoundServer) {
  TAudioFiles files;
  TMediaPlayer player;
  player.SetFileName(files.Wav(3));
  player.Open();
  player.SetStartPos(2000);
  player.Play();
  const auto took = WaitForMode(player, TMPModes::mpStopped);
  EXPECT_EQ(player.Mode(), TMPModes::mpStopped);
  EXPECT_GE(took, 800ms);
  EXPECT_NEAR(player.Position(), 3000, 50);
}

} // namespace
