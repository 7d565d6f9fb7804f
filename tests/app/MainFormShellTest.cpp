// The main window's shell: layout, drag, status texts, about window, start-up state.
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QFile>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include "FakeMediaPlayer.h"
#include "FakeServices.h"
#include "aboutUnit.h"
#include "appDefine.h"
#include "mainunit.h"

namespace {

struct FormFixture : ::testing::Test {
  TFakeMediaPlayer player;
  TFakeDialogs dialogs;
  TFakeDesktop desktop;
  std::unique_ptr<TMainForm> form = std::make_unique<TMainForm>(player, dialogs, desktop);
};

void Move(QWidget* widget, Qt::MouseButtons held) {
  QMouseEvent event(QEvent::MouseMove, QPointF(3, 3), widget->mapToGlobal(QPointF(3, 3)),
                    Qt::NoButton, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

void Press(QWidget* widget, Qt::MouseButton button) {
  QMouseEvent event(QEvent::MouseButtonPress, QPointF(3, 3), widget->mapToGlobal(QPointF(3, 3)),
                    button, button, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

void Leave(QWidget* widget) {
  QEvent event(QEvent::Leave);
  QApplication::sendEvent(widget, &event);
}

TEST_F(FormFixture, EveryControlSitsAtItsPlace) {
  struct Place {
    const char* name;
    int x, y, w, h;
  };
  const Place places[] = {
      {"imgBack", 0, 0, 598, 422},          {"lblFilename", 188, 262, 176, 13},
      {"lblBitrate", 188, 282, 176, 16},    {"lblChannel", 188, 304, 176, 13},
      {"lblSampleRate", 188, 324, 176, 13}, {"lblLength", 188, 344, 176, 13},
      {"lblBeginPos", 393, 262, 175, 13},   {"lblEndPos", 393, 282, 175, 16},
      {"lblSelectedLength", 393, 304, 175, 13}, {"btnOpen", 26, 254, 108, 32},
      {"btnSave", 26, 303, 108, 32},        {"btnPlay", 454, 97, 47, 48},
      {"btnMarkStart", 414, 105, 36, 35},   {"btnMarkEnd", 500, 104, 36, 35},
      {"btnPlaySelected", 458, 60, 36, 36}, {"btnMoveLeft", 408, 51, 40, 40},
      {"btnMoveRight", 503, 51, 42, 42},    {"imgAd", 13, 38, 363, 170},
      {"btnMinimize", 549, 8, 14, 14},      {"btnClose", 572, 8, 14, 14},
      {"sb_status", 1, 400, -1, 13},        {"MouseEffectImage1", 458, 144, 35, 35},
      {"lbl_status", 395, 186, 25, 13},     {"lblAbout", 60, 367, 28, 13},
      {"lblCurrentPos", 393, 324, 175, 13}, {"ScrollBoxWave", 13, 37, 363, 171},
      {"imgWave", 0, 0, 276, 152},          {"MediaPlayer1", 191, 368, 253, 30},
  };
  EXPECT_EQ(form->size(), QSize(598, 422));
  EXPECT_EQ(form->minimumSize(), form->maximumSize());  // not resizable
  EXPECT_TRUE(form->windowFlags() & Qt::FramelessWindowHint);
  for (const Place& p : places) {
    SCOPED_TRACE(p.name);
    auto* widget = form->findChild<QWidget*>(QLatin1String(p.name));
    ASSERT_NE(widget, nullptr);
    const QRect g = widget->geometry();
    EXPECT_EQ(g.topLeft(), QPoint(p.x, p.y));
    if (p.w >= 0) {
      EXPECT_EQ(g.width(), p.w);
    }
    EXPECT_EQ(g.height(), p.h);
  }
  EXPECT_EQ(form->imgWave->parentWidget(), form->ScrollBoxWave->viewport());
  EXPECT_FALSE(form->ScrollBoxWave->isVisibleTo(form.get()));
  EXPECT_TRUE(form->imgAd->isVisibleTo(form.get()));
  EXPECT_FALSE(form->MediaPlayer1->isVisibleTo(form.get()));
  EXPECT_TRUE(form->imgWave->Canvas().isNull());  // no picture until a file is opened
}

TEST_F(FormFixture, StartsWithTheWindowTexts) {
  const std::pair<QLabel*, const char*> texts[] = {
      {form->lblFilename, "文件名:"},        {form->lblBitrate, "位速:"},
      {form->lblChannel, "声道:"},           {form->lblSampleRate, "采样率:"},
      {form->lblLength, "持续时间:"},        {form->lblBeginPos, "起始点: "},
      {form->lblEndPos, "结束点:"},          {form->lblSelectedLength, "持续时间: "},
      {form->lbl_status, "播放"},            {form->lblAbout, "关于"},
      {form->lblCurrentPos, "当前位置: "},   {form->sb_status, "                              "},
  };
  for (const auto& [label, text] : texts) EXPECT_EQ(label->text(), QString::fromUtf8(text));
  EXPECT_TRUE(form->btnOpen->toolTip().isEmpty());
  EXPECT_EQ(form->btnPlay->toolTip(), QStringLiteral("播放"));
  EXPECT_TRUE(form->Timer2->isActive());
  EXPECT_EQ(form->Timer2->interval(), 1000);
  EXPECT_FALSE(IsConverting);
  EXPECT_TRUE(WorkFolder.endsWith(QStringLiteral("/Korvexa/")));
  EXPECT_TRUE(QDir(WorkFolder).exists());
}

TEST_F(FormFixture, ControlPadButtonsNameThemselvesInTheStatusLabel) {
  const std::pair<TMouseEffectImage*, const char*> pad[] = {
      {form->btnPlay, "播放"},
      {form->btnMarkStart, "设指针处为起始点"},
      {form->btnMarkEnd, "设指针处为结束点"},
      {form->btnPlaySelected, "播放所选部分"},
      {form->btnMoveLeft, "向左扩展"},
      {form->btnMoveRight, "向右扩展"},
      {form->MouseEffectImage1, "暂停"},
  };
  for (const auto& [button, text] : pad) {
    Move(button, Qt::NoButton);
    EXPECT_EQ(form->lbl_status->text(), QString::fromUtf8(text));
    Leave(button);
    EXPECT_EQ(form->lbl_status->text(), QString::fromUtf8(text));  // stays after leaving
    EXPECT_EQ(form->lbl_status->pos(), QPoint(395, 186));
  }
  const QString before = form->lbl_status->text();
  for (TMouseEffectImage* other : {form->btnOpen, form->btnSave, form->btnMinimize, form->btnClose})
    Move(other, Qt::NoButton);
  EXPECT_EQ(form->lbl_status->text(), before);
}

TEST_F(FormFixture, PicturesDragTheWindowOncePerLeftPress) {
  int moves = 0;
  form->StartSystemMove = [&] { return ++moves, true; };
  for (QWidget* picture : {static_cast<QWidget*>(form->imgBack), static_cast<QWidget*>(form->imgAd)}) {
    moves = 0;
    Move(picture, Qt::NoButton);
    Move(picture, Qt::RightButton);
    EXPECT_EQ(moves, 0);
    Press(picture, Qt::LeftButton);
    Move(picture, Qt::LeftButton);
    Move(picture, Qt::LeftButton);  // the window manager owns the drag now
    EXPECT_EQ(moves, 1);
    Press(picture, Qt::LeftButton);
    Move(picture, Qt::LeftButton | Qt::RightButton);
    EXPECT_EQ(moves, 2);
  }
}

TEST_F(FormFixture, AboutLabelLightsUpOnHover) {
  auto plain = [&] {
    return !form->lblAbout->font().underline() &&
           form->lblAbout->palette().color(QPalette::WindowText) == QColor(Qt::white);
  };
  EXPECT_TRUE(plain());
  for (int i = 0; i < 3; ++i) {
    Move(form->lblAbout, Qt::NoButton);
    EXPECT_TRUE(form->lblAbout->font().underline());
    EXPECT_EQ(form->lblAbout->palette().color(QPalette::WindowText), QColor(255, 255, 0));
  }
  Leave(form->lblAbout);
  EXPECT_TRUE(plain());
  Leave(form->lblAbout);
  EXPECT_TRUE(plain());
}

// Answers the modal about window from inside its event loop.
struct AboutSeen {
  QPointer<TAboutForm> window;
  QString homepage, version, email, caption;
  QSize size;
};

void CloseAboutWhenShown(AboutSeen& seen, bool byKey) {
  QTimer::singleShot(0, [&seen, byKey] {
    auto* about = qobject_cast<TAboutForm*>(QApplication::activeModalWidget());
    ASSERT_NE(about, nullptr);
    seen.window = about;
    seen.homepage = about->lblHomepage->text();
    seen.version = about->Label1->text();
    seen.email = about->Label3->text();
    seen.caption = about->windowTitle();
    seen.size = about->size();
    if (byKey) {
      QApplication::setActiveWindow(about);
      QTest::keyClick(about, Qt::Key_C, Qt::AltModifier);
      // Should the key not close it, fail instead of hanging in the modal loop.
      QTimer::singleShot(3000, about, [about] {
        ADD_FAILURE() << "Alt+C did not close the about window";
        about->close();
      });
    } else {
      about->SpeedButton1->click();
    }
  });
}

TEST_F(FormFixture, EveryAboutClickShowsAFreshWindowThatIsReleased) {
  AppInfo.Homepage = QStringLiteral("https://example.net/ringtones");
  form->ConfigFile = QStringLiteral("/nonexistent/config.ini");
  form->show();
  AboutSeen first, second;
  CloseAboutWhenShown(first, false);
  form->lblAboutClick();
  EXPECT_TRUE(first.window.isNull());
  // Without config.ini the built-in address.
  EXPECT_EQ(first.homepage, DefaultHomepage);
  EXPECT_EQ(first.version, QStringLiteral("( Version 1.20 )"));
  EXPECT_EQ(first.email, SupportEmail);
  EXPECT_EQ(first.caption, QStringLiteral("关于"));
  EXPECT_EQ(first.size, QSize(300, 266));
  CloseAboutWhenShown(second, true);
  form->lblAboutClick();
  EXPECT_TRUE(second.window.isNull());
}

TEST(AboutForm, EmptyHomepageKeepsTheBuiltInAddressAndTheButtonHasAltC) {
  const TApplicationInfo saved = AppInfo;
  AppInfo.Homepage.clear();
  TAboutForm about;
  about.FormShow();
  EXPECT_EQ(about.lblHomepage->text(), DefaultHomepage);
  AppInfo.Homepage = QStringLiteral("https://a-very-long-address.example.org/with/a/long/path");
  about.FormShow();
  EXPECT_EQ(about.lblHomepage->text(), AppInfo.Homepage);
  EXPECT_EQ(about.lblHomepage->pos(), QPoint(49, 165));
  EXPECT_GT(about.lblHomepage->width(), 132);  // grows to the right
  EXPECT_EQ(about.SpeedButton1->text(), QStringLiteral("继续(&C)"));
  EXPECT_EQ(about.SpeedButton1->shortcut(), QKeySequence(Qt::ALT | Qt::Key_C));
  EXPECT_FALSE(about.windowFlags() & Qt::WindowMaximizeButtonHint);
  AppInfo = saved;
}

class ConfigFixture : public ::testing::Test {
protected:
  QTemporaryDir dir;
  QString Write(const QByteArray& bytes) {
    const QString path = dir.filePath(QStringLiteral("config.ini"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
    return path;
  }
};

TEST_F(ConfigFixture, HomepageComesFromTheFileOrTheDefault) {
  struct Case {
    const char* name;
    std::optional<QByteArray> content;  // nullopt: no file at all
    QString expected;
  };
  const Case cases[] = {
      {"missing file", std::nullopt, DefaultHomepage},
      {"no section", "Homepage=https://x.example/\n", DefaultHomepage},
      {"other section", "[Other]\nHomepage=https://x.example/\n", DefaultHomepage},
      {"section without key", "[ApplicationInfo]\nName=Chimora\n", DefaultHomepage},
      {"malformed", QByteArray("\x00\xff[[[=\n=\x01", 10), DefaultHomepage},
      {"key", "[ApplicationInfo]\nHomepage=https://x.example/\n", "https://x.example/"},
      {"case and blanks", "; c\r\n[ applicationinfo ]\r\n  homepage = https://y.example/a,b \r\n",
       "https://y.example/a,b"},
      {"quoted", "[ApplicationInfo]\nHomepage=\"https://q.example/\"\n", "https://q.example/"},
      {"empty value", "[ApplicationInfo]\nHomepage=\n", ""},
      {"first of two", "[ApplicationInfo]\nHomepage=a\nHomepage=b\n", "a"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    QFile::remove(dir.filePath(QStringLiteral("config.ini")));
    const QString path = c.content ? Write(*c.content) : dir.filePath(QStringLiteral("config.ini"));
    EXPECT_EQ(ReadApplicationInfo(path).Homepage, c.expected);
  }
  // A path that cannot be read as a file.
  EXPECT_EQ(ReadApplicationInfo(dir.path()).Homepage, DefaultHomepage);
}

TEST_F(ConfigFixture, ShowingTheWindowReadsTheFileAgain) {
  TFakeMediaPlayer player;
  TFakeDialogs dialogs;
  TFakeDesktop desktop;
  TMainForm form(player, dialogs, desktop);
  form.ConfigFile = Write("[ApplicationInfo]\nHomepage=https://first.example/\n");
  form.show();
  EXPECT_EQ(AppInfo.Homepage, QStringLiteral("https://first.example/"));
  form.hide();
  Write("[ApplicationInfo]\nHomepage=https://second.example/\n");
  form.show();
  EXPECT_EQ(AppInfo.Homepage, QStringLiteral("https://second.example/"));
  EXPECT_TRUE(dialogs.shown.isEmpty());
}

TEST(WorkFolder, OneSeparatorBetweenTempDirectoryAndFolder) {
  EXPECT_EQ(WorkFolderFor(QStringLiteral("/tmp/u")), QStringLiteral("/tmp/u/Korvexa/"));
  EXPECT_EQ(WorkFolderFor(QStringLiteral("/tmp/u/")), QStringLiteral("/tmp/u/Korvexa/"));
}

TEST(WorkFolder, TemporaryDirectoryIsNeverEmptyOrRoot) {
  const QByteArray saved = qgetenv("TMPDIR");
  QTemporaryDir dir;
  for (const QByteArray& value : {QByteArray(dir.path().toUtf8()), QByteArray(dir.path().toUtf8() + "/"),
                                  QByteArray("/"), QByteArray("")}) {
    SCOPED_TRACE(value.toStdString());
    qputenv("TMPDIR", value);
    const QString temp = GetTempDirectory();
    EXPECT_TRUE(temp.endsWith('/'));
    EXPECT_FALSE(temp.endsWith(QStringLiteral("//")));
    EXPECT_NE(temp, QStringLiteral("/"));
    if (value.startsWith(dir.path().toUtf8())) {
      EXPECT_EQ(temp, dir.path() + '/');
    }
  }
  qputenv("TMPDIR", saved);
}

TEST(WorkFolder, ExistingFolderIsUsedAsItIs) {
  QTemporaryDir dir;
  const QString folder = WorkFolderFor(dir.path());
  ASSERT_TRUE(EnsureFolder(folder));
  QFile keep(folder + QStringLiteral("keep.txt"));
  ASSERT_TRUE(keep.open(QIODevice::WriteOnly));
  keep.write("x");
  keep.close();
  EXPECT_TRUE(EnsureFolder(folder));
  EXPECT_TRUE(QFile::exists(folder + QStringLiteral("keep.txt")));
  EXPECT_TRUE(EnsureFolder(dir.filePath(QStringLiteral("a/b/c/"))));  // parents too
}

TEST(WorkFolder, WindowOpensWhenTheFolderCannotBeCreated) {
  const QByteArray saved = qgetenv("TMPDIR");
  QTemporaryDir dir;
  const QString blocker = dir.filePath(QStringLiteral("a-file"));
  QFile file(blocker);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.close();
  qputenv("TMPDIR", blocker.toUtf8());  // a folder cannot be made below a file
  TFakeMediaPlayer player;
  TFakeDialogs dialogs;
  TFakeDesktop desktop;
  TMainForm form(player, dialogs, desktop);
  form.show();
  EXPECT_EQ(WorkFolder, blocker + QStringLiteral("/Korvexa/"));
  EXPECT_FALSE(QDir(WorkFolder).exists());
  EXPECT_TRUE(form.isVisible());
  EXPECT_TRUE(dialogs.shown.isEmpty());
  qputenv("TMPDIR", saved);
}

}  // namespace
