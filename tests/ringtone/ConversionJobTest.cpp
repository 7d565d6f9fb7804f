#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <memory>

#include "ConverterDeploy.h"
#include "FakeHost.h"
#include "RingtoneFixtures.h"
#include "SaveRequest.h"
#include "appDefine.h"
#include "workThread.h"

namespace {

const QString Converting = "Converting Mp3 Ringtone ... ";
const QString Completed = "Completed.";
const QString Failed = "Conversion failed.";

class ConversionJob : public testing::Test {
 protected:
  static void TearDownTestSuite() { songDir.reset(); }

  void SetUp() override {
    // Made once per suite: 2 s of silence, then 3 s of tone, under the kind of
    // name users have.
    if (!songDir) {
      songDir = std::make_unique<QTemporaryDir>();
      song = songDir->filePath("歌曲 'one' \"two\".mp3");
      ASSERT_TRUE(MakeSong(song, 5, 2));
    }
    WorkFolder = root.filePath("Korvexa") + '/';
    ASSERT_TRUE(QDir().mkpath(WorkFolder));
    DeployConverter(WorkFolder);
    out = root.filePath("铃声 'x' \"y\"");
    ASSERT_TRUE(QDir().mkpath(out));
    IsConverting = false;
  }

  TJobHost Host() {
    return {&context, [this](const QString& s) { statuses << s; }, &dialogs, &desktop, nullptr};
  }
  TCutMp3ThreadInfo Request(const QString& target, int start, int end) {
    TCutMp3ThreadInfo info;
    const auto refusal = PrepareCutInfo(song, target, start, end, info);
    EXPECT_FALSE(refusal) << refusal->toStdString();
    return info;
  }
  // Starts a job as the Save button does and waits until it has deleted itself.
  bool Run(const TCutMp3ThreadInfo& info) {
    QPointer<TCutMp3Thread> job = new TCutMp3Thread(info, Host());
    IsConverting = true;
    return QTest::qWaitFor([&] { return job.isNull(); }, 60000);
  }
  void Reset() {
    statuses.clear();
    dialogs.prompts.clear();
    dialogs.errors.clear();
    desktop.opened.clear();
  }

  static inline std::unique_ptr<QTemporaryDir> songDir;
  static inline QString song;
  QTemporaryDir root;
  QString out;
  QObject context;
  FakeDialogs dialogs;
  FakeDesktop desktop;
  QStringList statuses;
};

// One after the other in one test: each job can only start once the last one
// has ended.
TEST_F(ConversionJob, WritesMp3AndAmrRingtones) {
  struct Case {
    const char* name;
    int start, end;
    bool amr, audible, openFolder;
  } cases[] = {
      {"铃声 'q' \"z\".mp3", 2, 4, false, true, true},
      {"RING.MP3", 0, 1, false, false, false},  // the silent part: -ss is honoured
      {"铃声 'q' \"z\".amr", 1, 4, true, true, false},
      {"Ring.AMR", 0, 2, true, false, false},
  };
  QStringList written;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Reset();
    dialogs.confirmAnswer = c.openFolder;
    const QString target = out + '/' + QString::fromUtf8(c.name);
    ASSERT_TRUE(Run(Request(target, c.start, c.end)));
    EXPECT_FALSE(IsConverting);

    EXPECT_EQ(statuses, (QStringList{Converting, "Generating " + target + " ...", Completed}));
    EXPECT_TRUE(dialogs.errors.isEmpty()) << dialogs.errors.join('|').toStdString();
    ASSERT_EQ(dialogs.prompts.size(), 1u);
    EXPECT_EQ(dialogs.prompts[0].caption, "Confirm");
    EXPECT_EQ(dialogs.prompts[0].text, "Completed. Do you want to open the target directory?");
    EXPECT_TRUE(dialogs.prompts[0].busyWhileShown);
    EXPECT_EQ(desktop.opened, c.openFolder ? QStringList{out} : QStringList{});

    written << QString::fromUtf8(c.name);
    written.sort();
    EXPECT_EQ(Entries(out), written);  // no temporary file left beside it

    auto probe = Probe(target);
    if (c.amr) {
      // ffprobe guesses an AMR file's duration from the nominal 12.2 kbit/s,
      // 3 % long for MR122's 32-byte frames; the frames themselves are 20 ms.
      EXPECT_NEAR(probe["stream.nb_read_packets"].toInt() * 0.020, c.end - c.start, 0.1);
      EXPECT_TRUE(ReadAll(target).startsWith("#!AMR\n"));
      EXPECT_EQ(probe["format.format_name"], "amr");
      EXPECT_EQ(probe["stream.codec_name"], "amr_nb");
      EXPECT_EQ(probe["stream.sample_rate"], "8000");
      EXPECT_EQ(probe["stream.channels"], "1");
    } else {
      EXPECT_NEAR(probe["format.duration"].toDouble(), c.end - c.start, 0.1);
      EXPECT_EQ(probe["format.format_name"], "mp3");
      EXPECT_EQ(probe["stream.codec_name"], "mp3");
      EXPECT_EQ(probe["stream.bit_rate"], "64000");
      EXPECT_EQ(probe["stream.channels"], "2");
    }
    const double peak = Peak(target);
    if (c.audible)
      EXPECT_GT(peak, 0.3);
    else
      EXPECT_LT(peak, 0.02);
  }
}

TEST_F(ConversionJob, FailuresAreReportedAndLoseNothing) {
  const QString notes = root.filePath("notes 'a'.mp3");
  ASSERT_TRUE(WriteAll(notes, "not a song at all\n"));
  const QByteArray songBytes = ReadAll(song);
  const QString kept = out + "/kept.mp3";

  struct Case {
    const char* what;
    std::function<TCutMp3ThreadInfo()> prepare;
    QString reason;
  } cases[] = {
      {"converter missing",
       [&] {
         QFile::remove(WorkFolder + "av");
         return Request(out + "/a.mp3", 0, 2);
       },
       "Converter not found"},
      {"converter failing",
       [&] {
         return TCutMp3ThreadInfo{notes, out + "/b.amr", "00:00:00", "00:00:02"};
       },
       "The converter failed: " + notes},
      // ffmpeg has written its header by the time it finds nothing to encode.
      {"existing target kept",
       [&] {
         WriteAll(kept, "an older ringtone");
         return Request(kept, 60, 62);
       },
       "No audio"},
      {"nothing left of an mp3", [&] { return Request(out + "/c.mp3", 60, 62); }, "No audio"},
      {"nothing left of an amr", [&] { return Request(out + "/d.amr", 60, 62); }, "No audio"},
      {"unsupported extension",
       [&] {
         return TCutMp3ThreadInfo{song, out + "/e.wav", "00:00:00", "00:00:02"};
       },
       "Unsupported ringtone format"},
      {"target is the source",
       [&] {
         return TCutMp3ThreadInfo{song, song, "00:00:00", "00:00:02"};
       },
       "The ringtone cannot replace the song it is cut from: " + song},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Reset();
    DeployConverter(WorkFolder);
    const TCutMp3ThreadInfo info = c.prepare();
    const QStringList before = Entries(out);
    ASSERT_TRUE(Run(info));
    EXPECT_FALSE(IsConverting);
    EXPECT_EQ(statuses,
              (QStringList{Converting, "Generating " + info.TargetFile + " ...", Failed}));
    EXPECT_TRUE(dialogs.prompts.empty());
    ASSERT_EQ(dialogs.errors.size(), 1);
    EXPECT_TRUE(dialogs.errors[0].startsWith(c.reason)) << dialogs.errors[0].toStdString();
    EXPECT_FALSE(dialogs.errors[0].contains('\n'));
    EXPECT_EQ(Entries(out), before);
  }
  EXPECT_EQ(ReadAll(kept), "an older ringtone");
  EXPECT_EQ(ReadAll(song), songBytes);
}

class ClosingWindow : public ConversionJob {
 protected:
  // Writes into its output, then runs until it is killed.
  void SlowConverter() {
    QFile::remove(WorkFolder + "av");
    ASSERT_TRUE(WriteAll(WorkFolder + "av",
                         "#!/bin/sh\nfor last; do :; done\nprintf partial > \"${last#file:}\"\n"
                         "exec sleep 30\n",
                         true));
  }
  bool PartFileWritten() const {
    for (const QString& name : Entries(out))
      if (name.endsWith(".part") && QFileInfo(out + '/' + name).size() > 0) return true;
    return false;
  }
};

TEST_F(ClosingWindow, StopsTheConverterAndKeepsTheOldTarget) {
  SlowConverter();
  const QString target = out + "/ring.mp3";
  ASSERT_TRUE(WriteAll(target, "an older ringtone"));
  QPointer<TCutMp3Thread> job = new TCutMp3Thread(Request(target, 0, 2), Host());
  IsConverting = true;
  ASSERT_TRUE(QTest::qWaitFor([&] { return PartFileWritten(); }, 10000));

  QElapsedTimer clock;
  clock.start();
  TCutMp3Thread::FinishBeforeExit();
  EXPECT_LT(clock.elapsed(), 10000);
  EXPECT_TRUE(job.isNull());
  EXPECT_FALSE(IsConverting);
  EXPECT_EQ(Entries(out), QStringList{"ring.mp3"});
  EXPECT_EQ(ReadAll(target), "an older ringtone");

  QTest::qWait(50);
  EXPECT_EQ(statuses, (QStringList{Converting, "Generating " + target + " ..."}));
  EXPECT_TRUE(dialogs.errors.isEmpty());
  EXPECT_TRUE(dialogs.prompts.empty());
}

// The job's first step waits for the main thread, which is busy closing.
TEST_F(ClosingWindow, DoesNotDeadlockOnAPendingHostCall) {
  QPointer<TCutMp3Thread> job = new TCutMp3Thread(Request(out + "/ring.amr", 0, 2), Host());
  IsConverting = true;
  TCutMp3Thread::FinishBeforeExit();
  EXPECT_TRUE(job.isNull());
  EXPECT_FALSE(IsConverting);
  QTest::qWait(50);
  EXPECT_TRUE(statuses.isEmpty());
  EXPECT_TRUE(Entries(out).isEmpty());
}

TEST_F(ClosingWindow, WhileTheCompletionPromptIsOpen) {
  dialogs.confirmAnswer = true;
  dialogs.whileConfirming = [] { TCutMp3Thread::FinishBeforeExit(); };
  ASSERT_TRUE(Run(Request(out + "/ring.mp3", 2, 4)));
  EXPECT_FALSE(IsConverting);
  EXPECT_EQ(dialogs.prompts.size(), 1u);
  EXPECT_TRUE(desktop.opened.isEmpty());
  EXPECT_EQ(Probe(out + "/ring.mp3")["stream.codec_name"], "mp3");
}

}  // namespace
