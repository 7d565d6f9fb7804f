#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "RingtoneFixtures.h"
#include "SaveRequest.h"

namespace {

const QString Song = QStringLiteral("/music/歌 'one' \"two\".mp3");

// Selections as the timeline holds them: columns, 5 to a second, truncated
// toward zero as TWaveRender's StartSecond and EndSecond do.
struct TimeCase {
  int startCol, endCol;
  const char* start;  // nullptr: refused
  const char* length;
};

const TimeCase TimeCases[] = {
    {7, 13, "00:00:01", "00:00:01"},
    {4, 6, "00:00:00", "00:00:01"},
    {0, 4, nullptr, nullptr},  // length 00:00:00: nothing to cut
    {3725 * 5, 3755 * 5, "01:02:05", "00:00:30"},
    {360000 * 5, 360020 * 5, "100:00:00", "00:00:20"},
    {0, 360000 * 5, "00:00:00", "100:00:00"},
    // Left of 0 the stretch starts at 0 and loses what lay before it.
    {-17, 25, "00:00:00", "00:00:05"},
    {-4, 10, "00:00:00", "00:00:02"},  // -4 div 5 is 0
    {-25, -5, nullptr, nullptr},
    {-10, 0, nullptr, nullptr},
    {50, 25, nullptr, nullptr},  // end before start
};

TEST(SaveRequest, TimeTextsOfTheSelection) {
  for (const TimeCase& c : TimeCases) {
    SCOPED_TRACE(testing::Message() << "cols " << c.startCol << ".." << c.endCol);
    TCutMp3ThreadInfo info{"old", "old", "old", "old"};
    const auto refusal = PrepareCutInfo(Song, "/tmp/ring.mp3", c.startCol / 5, c.endCol / 5, info);
    if (!c.start) {
      ASSERT_TRUE(refusal.has_value());
      EXPECT_EQ(info.SourceFile, "old");
      continue;
    }
    ASSERT_FALSE(refusal.has_value()) << refusal->toStdString();
    EXPECT_EQ(info.SourceFile, Song);
    EXPECT_EQ(info.TargetFile, "/tmp/ring.mp3");
    EXPECT_EQ(info.StartTime, c.start);
    EXPECT_EQ(info.Duration, c.length);
  }
}

TEST(SaveRequest, ExtensionDecidesAndIgnoresCase) {
  struct Case {
    const char* target;
    bool accepted;
  } cases[] = {
      {"/tmp/ring.mp3", true},      {"/tmp/ring.MP3", true},  {"/tmp/ring.amr", true},
      {"/tmp/ring.Amr", true},      {"/tmp/ring.wav", false}, {"/tmp/ring", false},
      {"/tmp/ring.mp3.txt", false}, {"/tmp/mp3", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.target);
    TCutMp3ThreadInfo info;
    const auto refusal = PrepareCutInfo(Song, QString::fromUtf8(c.target), 0, 10, info);
    EXPECT_EQ(!refusal.has_value(), c.accepted);
    if (refusal) {
      EXPECT_FALSE(refusal->contains('\n'));
      EXPECT_TRUE(refusal->contains(".mp3")) << refusal->toStdString();
    }
  }
}

TEST(SaveRequest, RefusesNoSongAndTheSongItself) {
  QTemporaryDir dir;
  const QString song = dir.filePath("歌 曲.mp3");
  ASSERT_TRUE(WriteAll(song, "song bytes"));
  const QString symlink = dir.filePath("link.mp3");
  const QString hardlink = dir.filePath("hard.mp3");
  ASSERT_TRUE(QFile::link(song, symlink));
  ASSERT_EQ(::link(QFile::encodeName(song).constData(), QFile::encodeName(hardlink).constData()),
            0);
  QDir(dir.path()).mkdir("sub");

  struct Case {
    QString source, target;
  } cases[] = {
      {"", dir.filePath("ring.mp3")},
      {song, song},
      {song, symlink},
      {symlink, song},
      {song, hardlink},
      {song, dir.filePath("sub/../歌 曲.mp3")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE((c.source + " -> " + c.target).toStdString());
    TCutMp3ThreadInfo info;
    const auto refusal = PrepareCutInfo(c.source, c.target, 0, 10, info);
    ASSERT_TRUE(refusal.has_value());
    EXPECT_FALSE(refusal->contains('\n'));
    EXPECT_TRUE(info.TargetFile.isEmpty());
  }
  TCutMp3ThreadInfo info;
  EXPECT_FALSE(PrepareCutInfo(song, dir.filePath("ring.mp3"), 0, 10, info).has_value());
}

}  // namespace
