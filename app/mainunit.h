// The one main window: a borderless, skinned player with image buttons over
// a background picture, the timeline view and the hidden media player.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>

#include "CutMp3ThreadInfo.h"
#include "controls/MouseEffectImage.h"
#include "controls/SkinControls.h"

class IMediaPlayer;
class IDialogs;
class IDesktop;
class QScrollArea;
class QTimer;
class TWaveRender;

class TMainForm : public QWidget {
  Q_OBJECT
public:
  TMainForm(IMediaPlayer& player, IDialogs& dialogs, IDesktop& desktop, QWidget* parent = nullptr);
  ~TMainForm() override;

  // Controls, in creation order.
  TImage* imgBack;
  TSkinLabel* lblFilename;
  TSkinLabel* lblBitrate;
  TSkinLabel* lblChannel;
  TSkinLabel* lblSampleRate;
  TSkinLabel* lblLength;
  TSkinLabel* lblBeginPos;
  TSkinLabel* lblEndPos;
  TSkinLabel* lblSelectedLength;
  TMouseEffectImage* btnOpen;
  TMouseEffectImage* btnSave;
  TMouseEffectImage* btnPlay;
  TMouseEffectImage* btnMarkStart;
  TMouseEffectImage* btnMarkEnd;
  TMouseEffectImage* btnPlaySelected;
  TMouseEffectImage* btnMoveLeft;
  TMouseEffectImage* btnMoveRight;
  TImage* imgAd;
  TMouseEffectImage* btnMinimize;
  TMouseEffectImage* btnClose;
  TSkinLabel* sb_status;
  TMouseEffectImage* MouseEffectImage1;
  TSkinLabel* lbl_status;
  TSkinLabel* lblAbout;
  TSkinLabel* lblCurrentPos;
  QScrollArea* ScrollBoxWave;
  TWaveImage* imgWave;
  QWidget* MediaPlayer1;  // the player's (never visible) place in the layout
  QTimer* Timer2;

  TCutMp3ThreadInfo CutInfo;
  QString OpenedFileName;
  // config.ini beside the executable; tests point it elsewhere.
  QString ConfigFile;
  TWaveRender* WaveRender() const { return waveRender_.get(); }

  // Handlers.
  void FormCreate();
  void FormShow();
  void FormClose();
  void LoadApplicationInfo();
  void WindowDrag(Qt::MouseButtons buttons);
  void btnMinimizeClick();
  void btnCloseClick();
  void ControlPadMouseMove(TMouseEffectImage* button);
  void lblAboutMouseMove();
  void lblAboutMouseLeave();
  void lblAboutClick();
  void btnOpenClick();
  void ShowFileProperties(const QString& path);
  void btnSaveClick();
  void btnPlayClick();
  void MouseEffectImage1Click();
  void btnPlaySelectedClick();
  void btnMarkStartClick();
  void btnMarkEndClick();
  void btnMoveLeftClick();
  void btnMoveRightClick();
  void imgWaveMouseUp(Qt::MouseButton button, int x, int y);
  void Timer2Timer();
  void ApplicationEvents1Idle();

  // The window manager's own move; replaceable so tests can see the request.
  std::function<bool()> StartSystemMove;

  static const QString OpenFilter;
  static const QString SaveFilter;
  static const QString BusyText;

protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

private:
  void BuildControls();
  TMouseEffectImage* MakeButton(const QString& art, int x, int y, const QString& hint);
  TSkinLabel* MakeLabel(const QString& text, bool autoSize, int x, int y, int w, int h);

  IMediaPlayer& player_;
  IDialogs& dialogs_;
  IDesktop& desktop_;
  std::unique_ptr<TWaveRender> waveRender_;
  bool moveStartedThisPress_ = false;
  bool analysing_ = false;
  bool closeDeferred_ = false;
  QMetaObject::Connection idleConnection_;
};

extern TMainForm* MainForm;
