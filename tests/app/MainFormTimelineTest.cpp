// Opening a file and the playback commands, through the main window.
#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "FakeMediaPlayer.h"
#include "FakeServices.h"
#include "MediaPlayer.h"
#include "WaveRender.h"
#include "mainunit.h"

namespace {

using Log = std::vector<std::string>;

struct TimelineFixture : ::testing::Test {
  TFakeMediaPlayer player;
  TFakeDialogs dialogs;
  TFakeDesktop desktop;
  std::unique_ptr<TMainForm> form = std::make_unique<TMainForm>(player, dialogs, desktop);

  void OpenFake(const QString& path, std::int32_t lengthMs) {
    player.length = lengthMs;
    dialogs.openAnswers.push_back(path);
    form->btnOpenClick();
  }
};

TEST_F(TimelineFixture, OtherFilesTakeTheirWholeSecondsFromThePlayer) {
  OpenFake(QStringLiteral("/music/雨 天.WAV"), 12900);
  EXPECT_EQ(player.log, (Log{"TimeFormat=ms", "FileName=/music/雨 天.WAV", "Open"}));
  EXPECT_EQ(player.fileName, "/music/雨 天.WAV");
  EXPECT_EQ(form->lblFilename->text(), QStringLiteral("文件名: /music/雨 天.WAV"));
  EXPECT_EQ(form->lblFilename->toolTip(), form->lblFilename->text());
  EXPECT_EQ(form->lblLength->text(), QStringLiteral("持续时间: 12"));
  EXPECT_EQ(form->lblSampleRate->text(), QStringLiteral("采样率: "));
  EXPECT_EQ(form->lblBitrate->text(), QStringLiteral("位速: "));
  EXPECT_EQ(form->lblChannel->text(), QStringLiteral("声道: "));
  EXPECT_EQ(form->OpenedFileName, QStringLiteral("/music/雨 天.WAV"));
  EXPECT_EQ(form->WaveRender()->TimelineLength(), 60);
  EXPECT_EQ(form->imgWave->width(), 60);
  EXPECT_EQ(form->imgWave->Canvas().size(), QSize(60, 152));
  EXPECT_FALSE(form->imgAd->isVisibleTo(form.get()));
  EXPECT_TRUE(form->ScrollBoxWave->isVisibleTo(form.get()));
  // Nothing is reset by an open: the selection and cursor keep their columns.
  EXPECT_EQ(form->WaveRender()->StartCol(), 100);
  EXPECT_EQ(form->WaveRender()->EndCol(), 150);
  EXPECT_EQ(form->WaveRender()->CursorCol(), 20);
}

TEST_F(TimelineFixture, AFileThatCannotBeOpenedChangesNothingButThePlayer) {
  OpenFake(QStringLiteral("/music/first.wav"), 30000);
  const QString labels = form->lblFilename->text() + form->lblLength->text();
  player.openError = "Could not determine type of stream.";
  OpenFake(QStringLiteral("/music/notes.txt"), 99000);
  EXPECT_EQ(dialogs.shown.last(), QStringLiteral("error: Could not determine type of stream."));
  EXPECT_EQ(form->lblFilename->text() + form->lblLength->text(), labels);
  EXPECT_EQ(form->OpenedFileName, QStringLiteral("/music/first.wav"));
  EXPECT_EQ(form->WaveRender()->TimelineLength(), 150);
  EXPECT_EQ(player.mode, TMPModes::mpNotReady);
  // With no file open every command stays without effect.
  player.log.clear();
  form->btnPlayClick();
  form->btnPlaySelectedClick();
  form->btnMarkStartClick();
  form->btnMoveLeftClick();
  EXPECT_TRUE(player.log.empty());
  EXPECT_EQ(form->WaveRender()->StartCol(), 100);
}

TEST_F(TimelineFixture, ACancelledDialogAndTheBannerBeforeAnyOpen) {
  dialogs.openAnswers.push_back(std::nullopt);
  form->btnOpenClick();
  EXPECT_TRUE(player.log.empty() || player.log == Log{"TimeFormat=ms"});
  EXPECT_TRUE(form->imgAd->isVisibleTo(form.get()));
  EXPECT_TRUE(form->OpenedFileName.isEmpty());
}

TEST_F(TimelineFixture, AFileShorterThanASecondGivesAnEmptyTimeline) {
  OpenFake(QStringLiteral("/music/blip.wav"), 800);
  EXPECT_EQ(form->WaveRender()->TimelineLength(), 0);
  EXPECT_EQ(form->imgWave->width(), 0);
  EXPECT_TRUE(form->imgWave->Canvas().isNull());
  EXPECT_TRUE(form->ScrollBoxWave->isVisibleTo(form.get()));
  form->btnMarkEndClick();  // paints on a null image: skipped
  form->imgWave->repaint();
}

TEST_F(TimelineFixture, ButtonsTimerAndClicksReachThePlayerAndTheTimeline) {
  OpenFake(QStringLiteral("/music/song.wav"), 60000);
  struct Step {
    const char* name;
    TMPModes mode;
    std::function<void(TMainForm&)> act;
    Log told;
    int start, end, cursor;
  };
  const Step steps[] = {
      {"play from the cursor's second", TMPModes::mpStopped, [](TMainForm& f) { f.btnPlayClick(); },
       {"TimeFormat=ms", "StartPos=4000", "Play"}, 100, 150, 20},
      {"play while playing", TMPModes::mpPlaying, [](TMainForm& f) { f.btnPlayClick(); }, {}, 100, 150, 20},
      {"pause", TMPModes::mpPlaying, [](TMainForm& f) { f.MouseEffectImage1Click(); }, {"Stop"}, 100, 150, 20},
      {"play the selection: what a save cuts", TMPModes::mpStopped,
       [](TMainForm& f) { f.btnPlaySelectedClick(); },
       {"Open", "TimeFormat=ms", "StartPos=20000", "EndPos=30000", "Play"}, 100, 150, 20},
      {"timeline click while playing", TMPModes::mpPlaying,
       [](TMainForm& f) { f.imgWaveMouseUp(Qt::RightButton, 34, 10); },
       {"Stop", "Position=7000", "Play"}, 100, 150, 35},
      {"mark start", TMPModes::mpStopped, [](TMainForm& f) { f.btnMarkStartClick(); }, {}, 35, 150, 35},
      {"widen left", TMPModes::mpStopped, [](TMainForm& f) { f.btnMoveLeftClick(); }, {}, 30, 150, 35},
      {"widen right", TMPModes::mpPaused, [](TMainForm& f) { f.btnMoveRightClick(); }, {}, 30, 155, 35},
      {"mark end left of the start", TMPModes::mpStopped,
       [](TMainForm& f) { f.imgWaveMouseUp(Qt::LeftButton, 9, 0); f.btnMarkEndClick(); }, {}, 10, 11, 10},
      {"timer while stopped", TMPModes::mpStopped, [](TMainForm& f) { f.Timer2Timer(); }, {}, 10, 11, 10},
  };
  for (const Step& s : steps) {
    SCOPED_TRACE(s.name);
    player.mode = s.mode;
    player.log.clear();
    s.act(*form);
    EXPECT_EQ(player.log, s.told);
    EXPECT_EQ(form->WaveRender()->StartCol(), s.start);
    EXPECT_EQ(form->WaveRender()->EndCol(), s.end);
    EXPECT_EQ(form->WaveRender()->CursorCol(), s.cursor);
  }
  player.mode = TMPModes::mpPlaying;
  player.position = 7300;
  form->Timer2Timer();
  EXPECT_EQ(form->WaveRender()->CursorCol(), 35);
}

// Lets the event loop run out of events, which is when the labels refresh.
void RunIdle() {
  QEventLoop loop;
  QTimer::singleShot(30, &loop, &QEventLoop::quit);
  loop.exec();
}

TEST_F(TimelineFixture, IdlePassesKeepThePositionLabelsCurrent) {
  RunIdle();
  EXPECT_EQ(form->lblBeginPos->text(), QStringLiteral("起始点: 00:00:20"));
  EXPECT_EQ(form->lblEndPos->text(), QStringLiteral("结束点: 00:00:30"));
  EXPECT_EQ(form->lblSelectedLength->text(), QStringLiteral("时长: 00:00:10"));
  EXPECT_EQ(form->lblCurrentPos->text(), QStringLiteral("当前位置: 00:00:00"));
  OpenFake(QStringLiteral("/music/song.wav"), 60000);
  player.mode = TMPModes::mpStopped;
  for (int i = 0; i < 21; ++i) form->btnMoveLeftClick();
  player.position = 3723000;
  RunIdle();
  EXPECT_EQ(form->lblBeginPos->text(), QStringLiteral("起始点: 00:00:-01"));
  EXPECT_EQ(form->lblSelectedLength->text(), QStringLiteral("时长: 00:00:31"));
  EXPECT_EQ(form->lblCurrentPos->text(), QStringLiteral("当前位置: 01:02:03"));
}

TEST_F(TimelineFixture, AFailedReopenForPlayTheSelectionShowsTheError) {
  OpenFake(QStringLiteral("/music/song.wav"), 60000);
  player.openError = "Resource not found.";
  form->btnPlaySelectedClick();
  EXPECT_EQ(dialogs.shown.last(), QStringLiteral("error: Resource not found."));
  EXPECT_EQ(player.mode, TMPModes::mpNotReady);
}

TEST_F(TimelineFixture, ClosingDuringAnAnalysisWaitsForItsEnd) {
  QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("not audio.mp3"));
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray(4000, 'x'));
  file.close();
  form->show();
  bool visibleInBox = false;
  dialogs.duringErrorBox = [&] {
    form->close();  // the user closes the window while the analyser's box is up
    visibleInBox = form->isVisible();
  };
  dialogs.errorBoxAnswers = {TErrorBoxAnswer::Retry, TErrorBoxAnswer::Ignore};
  OpenFake(path, 0);
  const QStringList boxes = dialogs.shown.filter(QStringLiteral("errorbox: "));
  ASSERT_EQ(boxes.size(), 2);  // Retry analysed again
  EXPECT_EQ(boxes.first(), QStringLiteral("errorbox: Error openning file: ") + path);
  EXPECT_TRUE(visibleInBox);
  // The failed analysis leaves its reset record on show.
  EXPECT_EQ(form->lblBitrate->text(), QStringLiteral("位速: 0"));
  EXPECT_EQ(form->lblChannel->text(), QStringLiteral("声道: Stereo"));
  EXPECT_EQ(form->lblLength->text(), QStringLiteral("持续时间: 0:00:00"));
  EXPECT_FALSE(form->isVisible());  // the deferred close happened afterwards
}

// The real player and analyser on generated files, with a scripted dialog.
class RealFilesTest : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    dir_ = new QTemporaryDir;
    Make(QStringLiteral("song 歌.mp3"), {"-f", "lavfi", "-i", "sine=frequency=440:duration=205",
                                         "-ac", "2", "-ar", "44100", "-c:a", "libmp3lame", "-b:a", "128k"});
    Make(QStringLiteral("clip.wav"), {"-f", "lavfi", "-i", "sine=frequency=440:duration=12.9",
                                      "-ac", "1", "-ar", "8000"});
  }
  static void TearDownTestSuite() { delete dir_; }
  static void Make(const QString& name, QStringList args) {
    args.prepend(QStringLiteral("-y"));
    args.prepend(QStringLiteral("error"));
    args.prepend(QStringLiteral("-v"));
    args << dir_->filePath(name);
    ASSERT_EQ(QProcess::execute(QStringLiteral("ffmpeg"), args), 0);
  }
  static QString Path(const QString& name) { return dir_->filePath(name); }
  static inline QTemporaryDir* dir_ = nullptr;
};

TEST_F(RealFilesTest, OpensAnMp3AndAWavWithTheirProperties) {
  TMediaPlayer player(QStringLiteral("fakesink sync=true").toStdString());
  TFakeDialogs dialogs;
  TFakeDesktop desktop;
  TMainForm form(player, dialogs, desktop);
  dialogs.openAnswers = {Path(QStringLiteral("song 歌.mp3")), Path(QStringLiteral("clip.wav"))};

  form.btnOpenClick();
  EXPECT_EQ(form.lblFilename->text(), QStringLiteral("文件名: ") + Path(QStringLiteral("song 歌.mp3")));
  EXPECT_EQ(form.lblLength->text(), QStringLiteral("持续时间: 0:03:25"));
  EXPECT_EQ(form.lblSampleRate->text(), QStringLiteral("采样率: 44100"));
  EXPECT_EQ(form.lblBitrate->text(), QStringLiteral("位速: 128"));
  EXPECT_EQ(form.lblChannel->text(), QStringLiteral("声道: Stereo"));
  EXPECT_EQ(form.WaveRender()->TimelineLength(), 1025);
  EXPECT_EQ(form.imgWave->width(), 1025);
  EXPECT_EQ(player.Mode(), TMPModes::mpStopped);

  form.btnOpenClick();
  EXPECT_EQ(form.lblLength->text(), QStringLiteral("持续时间: 12"));
  EXPECT_EQ(form.lblSampleRate->text(), QStringLiteral("采样率: "));
  EXPECT_EQ(form.WaveRender()->TimelineLength(), 60);
  EXPECT_TRUE(dialogs.shown.filter(QStringLiteral("error")).isEmpty());
}

}  // namespace
