// The Save button: busy message, refusals, and a real conversion job.
#include <QApplication>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "FakeMediaPlayer.h"
#include "FakeServices.h"
#include "appDefine.h"
#include "mainunit.h"

namespace {

struct SaveFixture : ::testing::Test {
  QTemporaryDir dir;
  TFakeMediaPlayer player;
  TFakeDialogs dialogs;
  TFakeDesktop desktop;
  std::unique_ptr<TMainForm> form = std::make_unique<TMainForm>(player, dialogs, desktop);
  QString song = dir.filePath(QStringLiteral("歌 'one'.wav"));

  void SetUp() override {
    ASSERT_EQ(QProcess::execute(QStringLiteral("ffmpeg"),
                                {"-v", "error", "-y", "-f", "lavfi", "-i",
                                 "sine=frequency=440:duration=40", "-ac", "2", song}),
              0);
    player.length = 40000;
    dialogs.openAnswers.push_back(song);
    form->btnOpenClick();
  }
};

TEST_F(SaveFixture, SavesTheSelectionAndOffersTheFolder) {
  const QString target = dir.filePath(QStringLiteral("ring 铃.mp3"));
  dialogs.saveAnswers.push_back(target);
  dialogs.confirmAnswer = true;
  form->btnSaveClick();
  EXPECT_TRUE(IsConverting);
  EXPECT_EQ(form->CutInfo.StartTime, QStringLiteral("00:00:20"));
  EXPECT_EQ(form->CutInfo.Duration, QStringLiteral("00:00:10"));

  form->btnSaveClick();  // a second save while the first runs
  EXPECT_EQ(dialogs.shown.filter(QStringLiteral("save")).size(), 1);
  EXPECT_EQ(dialogs.shown.last(), QStringLiteral("message: ") + TMainForm::BusyText);

  ASSERT_TRUE(QTest::qWaitFor([] { return !IsConverting; }, 60000));
  EXPECT_EQ(form->sb_status->text(), QStringLiteral("Completed."));
  EXPECT_EQ(dialogs.shown.last(),
            QStringLiteral("confirm: Completed. Do you want to open the target directory?"));
  EXPECT_EQ(desktop.opened, QStringList{dir.path()});
  EXPECT_GT(QFileInfo(target).size(), 1000);
}

TEST_F(SaveFixture, RefusedRequestsStartNoJob) {
  struct Case {
    const char* name;
    QString target;
  };
  const Case cases[] = {
      {"other extension", dir.filePath(QStringLiteral("ring.wav"))},
      {"the song itself", song},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    dialogs.saveAnswers.push_back(c.target);
    form->btnSaveClick();
    EXPECT_TRUE(dialogs.shown.last().startsWith(QStringLiteral("error: ")));
    EXPECT_FALSE(IsConverting);
  }
  dialogs.saveAnswers.push_back(std::nullopt);  // cancelled
  const qsizetype before = dialogs.shown.size();
  form->btnSaveClick();
  EXPECT_EQ(dialogs.shown.size(), before + 1);
  EXPECT_FALSE(IsConverting);
  EXPECT_EQ(QFileInfo(song).size() > 0, true);
}

TEST_F(SaveFixture, ClosingDuringAConversionLeavesNoPartialRingtone) {
  const QString target = dir.filePath(QStringLiteral("ring.amr"));
  form->btnMoveRightClick();  // a selection long enough to be caught running
  dialogs.saveAnswers.push_back(target);
  player.mode = TMPModes::mpStopped;
  form->btnSaveClick();
  ASSERT_TRUE(IsConverting);
  QTest::qWait(50);
  form->close();
  form.reset();
  EXPECT_FALSE(IsConverting);
  const QStringList left = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
  for (const QString& name : left) EXPECT_FALSE(name.contains(QStringLiteral("ring"))) << name.toStdString();
}

}  // namespace
