#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "FakeMediaPlayer.h"
#include "PlaybackCommands.h"

namespace {

using enum TMPModes;
using TLog = std::vector<std::string>;

struct TState {
  TMPModes mode;
  int start, end, cursor;
  int position = 0;
};

struct TOutcome {
  TLog told;
  int start, end, cursor;
};

struct Case {
  const char* name;
  TState in;
  TOutcome out;
};

// The renderer has no surface here: the commands only move its columns.
struct TFixture {
  explicit TFixture(const TState& in) : render(nullptr, 276, 152) {
    player.mode = in.mode;
    player.position = in.position;
    render.SetStartCol(in.start);
    render.SetEndCol(in.end);
    render.SetCursorCol(in.cursor);
  }
  TFakeMediaPlayer player;
  TWaveRender render;
};

void ExpectCases(const std::function<void(IMediaPlayer&, TWaveRender&)>& command,
                 const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    TFixture f(c.in);
    command(f.player, f.render);
    EXPECT_EQ(f.player.log, c.out.told) << c.name;
    EXPECT_EQ(f.render.StartCol(), c.out.start) << c.name;
    EXPECT_EQ(f.render.EndCol(), c.out.end) << c.name;
    EXPECT_EQ(f.render.CursorCol(), c.out.cursor) << c.name;
  }
}

const TLog PlayAt4s = {"TimeFormat=ms", "StartPos=4000", "Play"};
const TLog PlayInitialSelection = {"Open", "TimeFormat=ms", "StartPos=20000", "EndPos=30000",
                                   "Play"};

TEST(PlaybackCommands, ModeSets) {
  struct Row {
    TMPModes mode;
    bool play, edit;
  };
  const Row rows[] = {{mpNotReady, false, false}, {mpStopped, true, true},
                      {mpPlaying, false, true},   {mpRecording, false, false},
                      {mpSeeking, true, true},    {mpPaused, true, true},
                      {mpOpen, true, true}};
  for (const Row& r : rows) {
    EXPECT_EQ(InPlaySet(r.mode), r.play) << static_cast<int>(r.mode);
    EXPECT_EQ(InEditSet(r.mode), r.edit) << static_cast<int>(r.mode);
  }
}

TEST(PlaybackCommands, Play) {
  ExpectCases(PlayCommand,
              {{"first play starts at second 4", {mpStopped, 100, 150, 20}, {PlayAt4s, 100, 150, 20}},
               {"from the start of the cursor's second", {mpPaused, 100, 150, 24}, {PlayAt4s, 100, 150, 24}},
               {"open", {mpOpen, 100, 150, 25}, {{"TimeFormat=ms", "StartPos=5000", "Play"}, 100, 150, 25}},
               {"seeking", {mpSeeking, 100, 150, 20}, {PlayAt4s, 100, 150, 20}},
               {"cursor left of column 0", {mpStopped, 100, 150, -5}, {{"TimeFormat=ms", "StartPos=-1000", "Play"}, 100, 150, -5}},
               {"while playing", {mpPlaying, 100, 150, 20}, {{}, 100, 150, 20}},
               {"no file open", {mpNotReady, 100, 150, 20}, {{}, 100, 150, 20}},
               {"recording", {mpRecording, 100, 150, 20}, {{}, 100, 150, 20}}});
}

TEST(PlaybackCommands, Pause) {
  ExpectCases([](IMediaPlayer& p, TWaveRender&) { PauseCommand(p); },
              {{"playing", {mpPlaying, 100, 150, 20}, {{"Stop"}, 100, 150, 20}},
               {"stopped", {mpStopped, 100, 150, 20}, {{}, 100, 150, 20}},
               {"paused", {mpPaused, 100, 150, 20}, {{}, 100, 150, 20}},
               {"no file open", {mpNotReady, 100, 150, 20}, {{}, 100, 150, 20}}});
}

TEST(PlaybackCommands, PlaySelectedPlaysWhatASaveCuts) {
  ExpectCases(PlaySelectedCommand,
              {{"initial selection", {mpStopped, 100, 150, 20}, {PlayInitialSelection, 100, 150, 20}},
               {"while playing: restarts with the selection", {mpPlaying, 100, 150, 20}, {PlayInitialSelection, 100, 150, 20}},
               {"paused", {mpPaused, 100, 150, 20}, {PlayInitialSelection, 100, 150, 20}},
               {"whole seconds of both ends", {mpOpen, 104, 154, 20}, {PlayInitialSelection, 104, 154, 20}},
               {"one column", {mpStopped, 152, 153, 152}, {{"Open", "TimeFormat=ms", "StartPos=30000", "EndPos=30000", "Play"}, 152, 153, 152}},
               {"start left of column 0", {mpStopped, -5, 150, 20}, {{"Open", "TimeFormat=ms", "StartPos=-1000", "EndPos=30000", "Play"}, -5, 150, 20}},
               {"no file open", {mpNotReady, 100, 150, 20}, {{}, 100, 150, 20}},
               {"recording", {mpRecording, 100, 150, 20}, {{}, 100, 150, 20}}});
}

TEST(PlaybackCommands, MarkStart) {
  ExpectCases(MarkStartCommand,
              {{"cursor right of the selection", {mpStopped, 100, 150, 152}, {{}, 152, 153, 152}},
               {"cursor inside", {mpStopped, 100, 150, 120}, {{}, 120, 150, 120}},
               {"cursor left", {mpPaused, 100, 150, 50}, {{}, 50, 150, 50}},
               {"cursor on the end", {mpOpen, 100, 150, 150}, {{}, 150, 150, 150}},
               {"while playing", {mpPlaying, 100, 150, 120}, {{}, 120, 150, 120}},
               {"no file open", {mpNotReady, 100, 150, 120}, {{}, 100, 150, 120}},
               {"recording", {mpRecording, 100, 150, 120}, {{}, 100, 150, 120}}});
}

TEST(PlaybackCommands, MarkEnd) {
  ExpectCases(MarkEndCommand,
              {{"cursor left of the selection", {mpStopped, 100, 150, 50}, {{}, 50, 51, 50}},
               {"cursor inside", {mpStopped, 100, 150, 120}, {{}, 100, 120, 120}},
               {"cursor right", {mpPlaying, 100, 150, 200}, {{}, 100, 200, 200}},
               {"cursor on the start", {mpSeeking, 100, 150, 100}, {{}, 100, 100, 100}},
               {"no file open", {mpNotReady, 100, 150, 50}, {{}, 100, 150, 50}}});
}

TEST(PlaybackCommands, ExtendLeftAndRight) {
  ExpectCases(MoveLeftCommand,
              {{"one second earlier", {mpStopped, 100, 150, 20}, {{}, 95, 150, 20}},
               {"while playing", {mpPlaying, 100, 150, 20}, {{}, 95, 150, 20}},
               {"past column 0", {mpStopped, 2, 150, 20}, {{}, -3, 150, 20}},
               {"no file open", {mpNotReady, 100, 150, 20}, {{}, 100, 150, 20}}});
  ExpectCases(MoveRightCommand,
              {{"one second later", {mpStopped, 100, 150, 20}, {{}, 100, 155, 20}},
               {"paused", {mpPaused, 100, 150, 20}, {{}, 100, 155, 20}},
               {"recording", {mpRecording, 100, 150, 20}, {{}, 100, 150, 20}}});
}

TEST(PlaybackCommands, TimelineClick) {
  struct ClickCase {
    int x;
    Case c;
  };
  const ClickCase cases[] = {
      {0, {"stopped: right of the pointer", {mpStopped, 100, 150, 20}, {{}, 100, 150, 1}}},
      {99, {"playing: seeks there", {mpPlaying, 100, 150, 20}, {{"Stop", "Position=20000", "Play"}, 100, 150, 100}}},
      {101, {"playing: to 200 ms", {mpPlaying, 100, 150, 20}, {{"Stop", "Position=20400", "Play"}, 100, 150, 102}}},
      {-3, {"released left of the image", {mpPlaying, 100, 150, 20}, {{"Stop", "Position=-400", "Play"}, 100, 150, -2}}},
      {275, {"last pixel column", {mpPaused, 100, 150, 20}, {{}, 100, 150, 276}}},
      {10, {"no file open", {mpNotReady, 100, 150, 20}, {{}, 100, 150, 11}}},
  };
  for (const ClickCase& click : cases)
    ExpectCases([&](IMediaPlayer& p, TWaveRender& r) { TimelineClickCommand(p, r, click.x); },
                {click.c});
}

TEST(PlaybackCommands, TimerTick) {
  ExpectCases(TimerTickCommand,
              {{"whole seconds of the position", {mpPlaying, 100, 150, 0, 4999}, {{}, 100, 150, 20}},
               {"next second", {mpPlaying, 100, 150, 0, 5000}, {{}, 100, 150, 25}},
               {"stopped", {mpStopped, 100, 150, 20, 9000}, {{}, 100, 150, 20}},
               {"paused", {mpPaused, 100, 150, 20, 9000}, {{}, 100, 150, 20}}});
}

TEST(PlaybackCommands, PauseThenPlayRestartsAtTheCursorsSecond) {
  TFixture f({mpPlaying, 100, 150, 20, 7300});
  TimerTickCommand(f.player, f.render);
  f.player.position = 7900;
  PauseCommand(f.player);
  PlayCommand(f.player, f.render);
  EXPECT_EQ(f.player.log, (TLog{"Stop", "TimeFormat=ms", "StartPos=7000", "Play"}));
  EXPECT_EQ(f.render.CursorCol(), 35);
}

TEST(PlaybackCommands, FailedReopenLeavesEveryCommandWithoutEffect) {
  TFixture f({mpPlaying, 100, 150, 20});
  f.player.openError = "Resource not found.";
  EXPECT_THROW(
      {
        try {
          PlaySelectedCommand(f.player, f.render);
        } catch (const EMediaPlayerError& e) {
          EXPECT_STREQ(e.what(), "Resource not found.");
          throw;
        }
      },
      EMediaPlayerError);
  PlayCommand(f.player, f.render);
  PlaySelectedCommand(f.player, f.render);
  MarkStartCommand(f.player, f.render);
  MoveRightCommand(f.player, f.render);
  TimerTickCommand(f.player, f.render);
  EXPECT_EQ(f.player.log, TLog{"Open"});
  EXPECT_EQ(f.render.StartCol(), 100);
  EXPECT_EQ(f.render.EndCol(), 150);
  EXPECT_EQ(f.render.CursorCol(), 20);
}

TEST(PlaybackCommands, PositionTexts) {
  struct Row {
    TState in;
    QString begin, end, length, current;
  };
  const Row rows[] = {
      {{mpNotReady, 100, 150, 20}, "起始点: 00:00:20", "结束点: 00:00:30", "时长: 00:00:10", "当前位置: 00:00:00"},
      {{mpStopped, 152, 153, 152}, "起始点: 00:00:30", "结束点: 00:00:30", "时长: 00:00:00", "当前位置: 00:00:00"},
      {{mpPlaying, 100, 150, 20, 3'725'999}, "起始点: 00:00:20", "结束点: 00:00:30", "时长: 00:00:10", "当前位置: 01:02:05"},
      {{mpStopped, -5, 150, 20}, "起始点: 00:00:-01", "结束点: 00:00:30", "时长: 00:00:31", "当前位置: 00:00:00"},
  };
  for (const Row& r : rows) {
    TFixture f(r.in);
    const TPositionTexts texts = PositionTexts(f.player, f.render);
    EXPECT_EQ(texts.BeginPos, r.begin);
    EXPECT_EQ(texts.EndPos, r.end);
    EXPECT_EQ(texts.SelectedLength, r.length);
    EXPECT_EQ(texts.CurrentPos, r.current);
  }
}

TEST(PlaybackCommands, TwentyOneExtensionsLeftShowMinusOne) {
  TFixture f({mpStopped, 100, 150, 20});
  for (int i = 0; i < 21; ++i) MoveLeftCommand(f.player, f.render);
  EXPECT_EQ(f.render.StartCol(), -5);
  EXPECT_EQ(PositionTexts(f.player, f.render).BeginPos, "起始点: 00:00:-01");
}

} // namespace
