#include "aboutUnit.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "Artwork.h"
#include "appDefine.h"
#include "controls/SkinControls.h"

const QString SupportEmail = QStringLiteral("support@chimora.example.org");

static QLabel* MakeLabel(QWidget* parent, const QString& text, int x, int y, const QFont& font,
                         const QColor& color) {
  auto* label = new QLabel(text, parent);
  label->setFont(font);
  QPalette palette = label->palette();
  palette.setColor(QPalette::WindowText, color);
  label->setPalette(palette);
  label->move(x, y);
  label->adjustSize();
  return label;
}

TAboutForm::TAboutForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("AboutForm"));
  setWindowTitle(QStringLiteral("关于"));
  // Title bar with close and minimise; no maximise, no resizing.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(300, 266);
  setFont(SkinFont(11));

  Image1 = new TImage(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->SetPicture(Art(QStringLiteral("about")));
  Image1->setGeometry(0, 0, 300, 266);

  Label1 = MakeLabel(this, QStringLiteral("( Version 1.20 )"), 97, 68, SkinFont(13, true),
                     QColor(128, 0, 128));
  Label1->setObjectName(QStringLiteral("Label1"));
  lblHomepage = MakeLabel(this, DefaultHomepage, 49, 165, font(), Qt::black);
  lblHomepage->setObjectName(QStringLiteral("lblHomepage"));
  Label3 = MakeLabel(this, SupportEmail, 49, 188, font(), Qt::black);
  Label3->setObjectName(QStringLiteral("Label3"));

  SpeedButton1 = new QPushButton(QStringLiteral("继续(&C)"), this);
  SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
  SpeedButton1->setGeometry(189, 230, 67, 20);
  SpeedButton1->setFlat(true);
  SpeedButton1->setFont(SkinFont(11));
  SpeedButton1->setCursor(Qt::PointingHandCursor);
  SpeedButton1->setStyleSheet(QStringLiteral(
      "QPushButton { color: #800000; border: 1px solid transparent; background: transparent; }"
      "QPushButton:hover { border: 1px solid #800000; background: rgba(255,255,255,120); }"
      "QPushButton:pressed { background: rgba(128,0,0,40); }"));
  connect(SpeedButton1, &QPushButton::clicked, this, &TAboutForm::SpeedButton1Click);
}

void TAboutForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TAboutForm::FormShow() {
  if (AppInfo.Homepage.isEmpty()) return;
  lblHomepage->setText(AppInfo.Homepage);
  lblHomepage->adjustSize();  // a long address widens the label to the right
}

void TAboutForm::SpeedButton1Click() { close(); }
