#include "mainunit.h"

#include <QAbstractEventDispatcher>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QScrollArea>
#include <QShowEvent>
#include <QTimer>
#include <QWindow>
#include <cmath>

#include "Artwork.h"
#include "Desktop.h"
#include "Dialogs.h"
#include "MPGTools.h"
#include "MediaPlayer.h"
#include "PlaybackCommands.h"
#include "WaveRender.h"
#include "aboutUnit.h"
#include "ConverterDeploy.h"
#include "SaveRequest.h"
#include "appDefine.h"
#include "workThread.h"

TMainForm* MainForm = nullptr;

const QString TMainForm::OpenFilter = QStringLiteral(
    "Mp3 音乐文件 (*.mp3);;声音文件 (*.wav);;WMA 文件 (*.wma);;所有文件 (*)");
const QString TMainForm::SaveFilter =
    QStringLiteral("Mp3 音乐文件 (*.mp3);;AMR 铃声 (*.amr)");

static void SetTextColor(QWidget* widget, const QColor& color) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, color);
  widget->setPalette(palette);
}

TMainForm::TMainForm(IMediaPlayer& player, IDialogs& dialogs, IDesktop& desktop, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      player_(player),
      dialogs_(dialogs),
      desktop_(desktop) {
  setObjectName(QStringLiteral("MainForm"));
  // The taskbar shows the window's title; the frame shows none.
  setWindowTitle(QStringLiteral("Chimora"));
  setFont(SkinFont(11));
  ConfigFile = ConfigIniPath();
  StartSystemMove = [this] { return windowHandle() && windowHandle()->startSystemMove(); };
  BuildControls();
  FormCreate();
}

TMainForm::~TMainForm() {
  TCutMp3Thread::FinishBeforeExit();  // no job may call into a destroyed window
  QObject::disconnect(idleConnection_);
  // The analyser's hooks are process-wide and must not outlive the window.
  SetPumpMessages({});
  SetErrorBox({});
  if (MainForm == this) MainForm = nullptr;
}

TMouseEffectImage* TMainForm::MakeButton(const QString& art, int x, int y, const QString& hint) {
  auto* button = new TMouseEffectImage(this);
  button->SetOverPicture(Art(art + QStringLiteral("_over")));
  button->SetDownPicture(Art(art + QStringLiteral("_down")));
  button->SetOriginPicture(Art(art + QStringLiteral("_normal")));
  button->move(x, y);
  if (!hint.isEmpty()) button->SetHint(hint);
  return button;
}

TSkinLabel* TMainForm::MakeLabel(const QString& text, bool autoSize, int x, int y, int w, int h) {
  auto* label = new TSkinLabel(text, autoSize, this);
  label->setGeometry(x, y, w, h);
  if (autoSize) label->resize(std::max(w, label->sizeHint().width()), h);
  return label;
}

void TMainForm::BuildControls() {
  setFixedSize(598, 422);

  imgBack = new TImage(this);
  imgBack->SetPicture(Art(QStringLiteral("background")));
  imgBack->setGeometry(0, 0, 598, 422);

  lblFilename = MakeLabel(QStringLiteral("文件名:"), false, 188, 262, 176, 13);
  lblBitrate = MakeLabel(QStringLiteral("位速:"), false, 188, 282, 176, 16);
  lblChannel = MakeLabel(QStringLiteral("声道:"), false, 188, 304, 176, 13);
  lblSampleRate = MakeLabel(QStringLiteral("采样率:"), false, 188, 324, 176, 13);
  lblLength = MakeLabel(QStringLiteral("持续时间:"), false, 188, 344, 176, 13);
  lblBeginPos = MakeLabel(QStringLiteral("起始点: "), false, 393, 262, 175, 13);
  lblEndPos = MakeLabel(QStringLiteral("结束点:"), false, 393, 282, 175, 16);
  lblSelectedLength = MakeLabel(QStringLiteral("持续时间: "), false, 393, 304, 175, 13);

  btnOpen = MakeButton(QStringLiteral("open"), 26, 254, {});
  btnSave = MakeButton(QStringLiteral("save"), 26, 303, {});
  btnPlay = MakeButton(QStringLiteral("play"), 454, 97, QStringLiteral("播放"));
  btnPlay->SetDownPicture(Art(QStringLiteral("play_over")));  // Play stays lit while held
  btnMarkStart = MakeButton(QStringLiteral("markstart"), 414, 105, QStringLiteral("设指针处为起始点"));
  btnMarkEnd = MakeButton(QStringLiteral("markend"), 500, 104, QStringLiteral("设指针处为结束点"));
  btnPlaySelected = MakeButton(QStringLiteral("playselected"), 458, 60, QStringLiteral("播放所选部分"));
  btnMoveLeft = MakeButton(QStringLiteral("moveleft"), 408, 51, QStringLiteral("向左扩展"));
  btnMoveRight = MakeButton(QStringLiteral("moveright"), 503, 51, QStringLiteral("向右扩展"));

  imgAd = new TImage(this);
  imgAd->SetPicture(Art(QStringLiteral("banner")));
  imgAd->setGeometry(13, 38, 363, 170);

  btnMinimize = MakeButton(QStringLiteral("minimize"), 549, 8, {});
  btnClose = MakeButton(QStringLiteral("close"), 572, 8, {});

  sb_status = MakeLabel(QString(30, ' '), true, 1, 400, 90, 13);
  SetTextColor(sb_status, Qt::black);

  MouseEffectImage1 = MakeButton(QStringLiteral("pause"), 458, 144, QStringLiteral("暂停"));

  lbl_status = MakeLabel(QStringLiteral("播放"), true, 395, 186, 25, 13);
  lbl_status->setFont(SkinFont(11, true));
  SetTextColor(lbl_status, QColor(255, 255, 0));
  lbl_status->resize(std::max(25, lbl_status->sizeHint().width()), 13);

  lblAbout = MakeLabel(QStringLiteral("关于"), true, 60, 367, 28, 13);
  SetTextColor(lblAbout, Qt::white);
  lblAbout->setMouseTracking(true);
  lblAbout->setCursor(Qt::PointingHandCursor);

  lblCurrentPos = MakeLabel(QStringLiteral("当前位置: "), false, 393, 324, 175, 13);

  ScrollBoxWave = new QScrollArea(this);
  ScrollBoxWave->setObjectName(QStringLiteral("ScrollBoxWave"));
  ScrollBoxWave->setGeometry(13, 37, 363, 171);
  ScrollBoxWave->setFrameStyle(QFrame::Box | QFrame::Plain);
  ScrollBoxWave->setLineWidth(1);
  ScrollBoxWave->setBackgroundRole(QPalette::Dark);
  ScrollBoxWave->setWidgetResizable(false);
  ScrollBoxWave->hide();
  imgWave = new TWaveImage;
  imgWave->setObjectName(QStringLiteral("imgWave"));
  imgWave->setGeometry(0, 0, 276, 152);
  ScrollBoxWave->setWidget(imgWave);

  MediaPlayer1 = new QWidget(this);
  MediaPlayer1->setObjectName(QStringLiteral("MediaPlayer1"));
  MediaPlayer1->setGeometry(191, 368, 253, 30);
  MediaPlayer1->hide();

  const std::pair<QWidget*, const char*> names[] = {
      {imgBack, "imgBack"}, {lblFilename, "lblFilename"}, {lblBitrate, "lblBitrate"},
      {lblChannel, "lblChannel"}, {lblSampleRate, "lblSampleRate"}, {lblLength, "lblLength"},
      {lblBeginPos, "lblBeginPos"}, {lblEndPos, "lblEndPos"},
      {lblSelectedLength, "lblSelectedLength"}, {btnOpen, "btnOpen"}, {btnSave, "btnSave"},
      {btnPlay, "btnPlay"}, {btnMarkStart, "btnMarkStart"}, {btnMarkEnd, "btnMarkEnd"},
      {btnPlaySelected, "btnPlaySelected"}, {btnMoveLeft, "btnMoveLeft"},
      {btnMoveRight, "btnMoveRight"}, {imgAd, "imgAd"}, {btnMinimize, "btnMinimize"},
      {btnClose, "btnClose"}, {sb_status, "sb_status"}, {MouseEffectImage1, "MouseEffectImage1"},
      {lbl_status, "lbl_status"}, {lblAbout, "lblAbout"}, {lblCurrentPos, "lblCurrentPos"}};
  for (const auto& [widget, name] : names) widget->setObjectName(QLatin1String(name));

  // Windowed controls lie over the pictures and labels.
  ScrollBoxWave->raise();

  Timer2 = new QTimer(this);
  Timer2->setObjectName(QStringLiteral("Timer2"));
  Timer2->setInterval(1000);
  connect(Timer2, &QTimer::timeout, this, &TMainForm::Timer2Timer);
  Timer2->start();

  // The window moves by its pictures; a press starts at most one move.
  for (TImage* picture : {imgBack, imgAd}) {
    connect(picture, &TImage::MousePress, this, [this](Qt::MouseButton) { moveStartedThisPress_ = false; });
    connect(picture, &TImage::MouseMove, this, &TMainForm::WindowDrag);
  }
  connect(btnMinimize, &TMouseEffectImage::Click, this, &TMainForm::btnMinimizeClick);
  connect(btnClose, &TMouseEffectImage::Click, this, &TMainForm::btnCloseClick);
  for (TMouseEffectImage* pad : {btnPlay, btnMarkStart, btnMarkEnd, btnPlaySelected, btnMoveLeft,
                                 btnMoveRight, MouseEffectImage1})
    connect(pad, &TMouseEffectImage::MouseMove, this, [this, pad] { ControlPadMouseMove(pad); });
  connect(lblAbout, &TSkinLabel::MouseMove, this, &TMainForm::lblAboutMouseMove);
  connect(lblAbout, &TSkinLabel::MouseLeave, this, &TMainForm::lblAboutMouseLeave);
  connect(lblAbout, &TSkinLabel::Click, this, &TMainForm::lblAboutClick);

  connect(btnOpen, &TMouseEffectImage::Click, this, &TMainForm::btnOpenClick);
  connect(btnSave, &TMouseEffectImage::Click, this, &TMainForm::btnSaveClick);
  connect(btnPlay, &TMouseEffectImage::Click, this, &TMainForm::btnPlayClick);
  connect(MouseEffectImage1, &TMouseEffectImage::Click, this, &TMainForm::MouseEffectImage1Click);
  connect(btnPlaySelected, &TMouseEffectImage::Click, this, &TMainForm::btnPlaySelectedClick);
  connect(btnMarkStart, &TMouseEffectImage::Click, this, &TMainForm::btnMarkStartClick);
  connect(btnMarkEnd, &TMouseEffectImage::Click, this, &TMainForm::btnMarkEndClick);
  connect(btnMoveLeft, &TMouseEffectImage::Click, this, &TMainForm::btnMoveLeftClick);
  connect(btnMoveRight, &TMouseEffectImage::Click, this, &TMainForm::btnMoveRightClick);
  connect(imgWave, &TWaveImage::MouseUp, this, &TMainForm::imgWaveMouseUp);

  idleConnection_ = connect(QAbstractEventDispatcher::instance(),
                            &QAbstractEventDispatcher::aboutToBlock, this,
                            &TMainForm::ApplicationEvents1Idle);
}

void TMainForm::FormCreate() {
  player_.SetTimeFormat(TMPTimeFormats::tfMilliseconds);
  waveRender_ = std::make_unique<TWaveRender>(&imgWave->Canvas(), imgWave->width(),
                                              imgWave->height());
  waveRender_->OnPainted = [this] { imgWave->update(); };
  LoadApplicationInfo();
  IsConverting = false;
  WorkFolder = WorkFolderFor(GetTempDirectory());
  EnsureFolder(WorkFolder);
  DeployConverter(WorkFolder);

  // The analyser of an opened MP3 runs on this thread: let the window
  // repaint meanwhile, but hold user input back so no second open or save
  // starts in the middle of it.
  SetPumpMessages([] { QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents); });
  SetErrorBox([this](const std::string& text) {
    return static_cast<std::uint16_t>(dialogs_.CancelRetryIgnore(this, QString::fromStdString(text)));
  });
}

void TMainForm::LoadApplicationInfo() { AppInfo = ReadApplicationInfo(ConfigFile); }

void TMainForm::FormShow() { LoadApplicationInfo(); }

void TMainForm::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // A close that arrives while an analysis pumps events would pull the window
  // from under it; it is carried out once the analysis has returned.
  if (analysing_) {
    closeDeferred_ = true;
    event->ignore();
    return;
  }
  FormClose();
  QWidget::closeEvent(event);
}

void TMainForm::FormClose() {
  // A running conversion is stopped and its temporary file removed, so the
  // program ends without a half-written ringtone.
  TCutMp3Thread::FinishBeforeExit();
  Timer2->stop();
  QObject::disconnect(idleConnection_);
  waveRender_.reset();
}

void TMainForm::WindowDrag(Qt::MouseButtons buttons) {
  if (!(buttons & Qt::LeftButton) || moveStartedThisPress_) return;
  moveStartedThisPress_ = true;
  StartSystemMove();
}

void TMainForm::btnMinimizeClick() { showMinimized(); }

void TMainForm::btnCloseClick() { close(); }

void TMainForm::ControlPadMouseMove(TMouseEffectImage* button) {
  lbl_status->SetCaption(button->Hint());
}

static void SetLinkLook(QLabel* label, bool hovered) {
  QFont font = label->font();
  font.setUnderline(hovered);
  label->setFont(font);
  SetTextColor(label, hovered ? QColor(255, 255, 0) : QColor(Qt::white));
}

void TMainForm::lblAboutMouseMove() { SetLinkLook(lblAbout, true); }

void TMainForm::lblAboutMouseLeave() { SetLinkLook(lblAbout, false); }

void TMainForm::lblAboutClick() {
  TAboutForm about(this);
  about.exec();
}

void TMainForm::btnOpenClick() {
  const std::optional<QString> path = dialogs_.OpenFileName(this, OpenFilter);
  if (!path) return;
  player_.SetFileName(QFile::encodeName(*path).toStdString());
  try {
    player_.Open();
  } catch (const EMediaPlayerError& error) {
    dialogs_.Error(this, QString::fromUtf8(error.what()));
    return;
  }
  ShowFileProperties(*path);
  OpenedFileName = *path;
  imgAd->hide();
  ScrollBoxWave->show();
  lblFilename->setToolTip(lblFilename->text());
  if (closeDeferred_) close();
}

static QString LongTimeText(double dayFraction) {
  const long long total = std::llround(dayFraction * 86400.0);
  return QString::asprintf("%lld:%02lld:%02lld", total / 3600, total % 3600 / 60, total % 60);
}

void TMainForm::ShowFileProperties(const QString& path) {
  const QString fileName = QFileInfo(path).fileName();
  const qsizetype dot = fileName.lastIndexOf('.');
  const QString extension = dot < 0 ? QString() : fileName.mid(dot);
  const QString fileLabel = QStringLiteral("文件名: %1").arg(path);
  std::int32_t seconds = 0;
  if (extension == QLatin1String(".mp3")) {
    TMPEGAudio analyser;
    analysing_ = true;
    analyser.SetFileName(QFile::encodeName(path).toStdString());
    analysing_ = false;
    seconds = analyser.Info.Duration;
    lblFilename->SetCaption(fileLabel);
    lblSampleRate->SetCaption(QStringLiteral("采样率: %1").arg(analyser.Info.SampleRate));
    lblLength->SetCaption(QStringLiteral("持续时间: ") + LongTimeText(analyser.DurationTime()));
    lblBitrate->SetCaption(
        QStringLiteral("位速: %1").arg(QString::fromStdString(analyser.BitRateText())));
    lblChannel->SetCaption(
        QStringLiteral("声道: %1").arg(QString::fromStdString(analyser.StereoText())));
  } else {
    seconds = player_.Length() / 1000;
    lblFilename->SetCaption(fileLabel);
    lblSampleRate->SetCaption(QStringLiteral("采样率: "));
    lblLength->SetCaption(QStringLiteral("持续时间: %1").arg(seconds));
    lblBitrate->SetCaption(QStringLiteral("位速: "));
    lblChannel->SetCaption(QStringLiteral("声道: "));
  }
  const std::int32_t columns = seconds * 5;
  imgWave->SetColumns(columns);
  waveRender_->SetTimelineLength(columns);
}

const QString TMainForm::BusyText =
    QStringLiteral("正在生成铃声，请等待当前的转换完成后再保存。");

void TMainForm::btnSaveClick() {
  if (IsConverting) {
    dialogs_.Message(this, QStringLiteral("Chimora"), BusyText);
    return;
  }
  const std::optional<QString> target = dialogs_.SaveFileName(this, SaveFilter, QStringLiteral(".mp3"));
  if (!target || !waveRender_) return;
  TCutMp3ThreadInfo info;
  if (const std::optional<QString> refusal = PrepareCutInfo(
          OpenedFileName, *target, waveRender_->StartSecond(), waveRender_->EndSecond(), info)) {
    dialogs_.Error(this, *refusal);
    return;
  }
  CutInfo = info;
  new TCutMp3Thread(CutInfo, TJobHost{this, [this](const QString& text) { sb_status->SetCaption(text); },
                                      &dialogs_, &desktop_, this});
  IsConverting = true;
}

void TMainForm::btnPlayClick() { PlayCommand(player_, *waveRender_); }

void TMainForm::MouseEffectImage1Click() { PauseCommand(player_); }

void TMainForm::btnPlaySelectedClick() {
  try {
    PlaySelectedCommand(player_, *waveRender_);
  } catch (const EMediaPlayerError& error) {
    dialogs_.Error(this, QString::fromUtf8(error.what()));
  }
}

void TMainForm::btnMarkStartClick() { MarkStartCommand(player_, *waveRender_); }

void TMainForm::btnMarkEndClick() { MarkEndCommand(player_, *waveRender_); }

void TMainForm::btnMoveLeftClick() { MoveLeftCommand(player_, *waveRender_); }

void TMainForm::btnMoveRightClick() { MoveRightCommand(player_, *waveRender_); }

void TMainForm::imgWaveMouseUp(Qt::MouseButton, int x, int) {
  TimelineClickCommand(player_, *waveRender_, x);
}

void TMainForm::Timer2Timer() {
  if (waveRender_) TimerTickCommand(player_, *waveRender_);
}

void TMainForm::ApplicationEvents1Idle() {
  if (!waveRender_) return;
  const TPositionTexts texts = PositionTexts(player_, *waveRender_);
  lblBeginPos->SetCaption(texts.BeginPos);
  lblEndPos->SetCaption(texts.EndPos);
  lblSelectedLength->SetCaption(texts.SelectedLength);
  lblCurrentPos->SetCaption(texts.CurrentPos);
}
