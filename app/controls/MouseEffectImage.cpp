#include "MouseEffectImage.h"

#include <QMouseEvent>
#include <QPainter>

TMouseEffectImage::TMouseEffectImage(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setAttribute(Qt::WA_Hover, false);
}

void TMouseEffectImage::SetOriginPicture(const QPixmap& picture) {
  origin_ = picture;
  Show(origin_);
}

void TMouseEffectImage::SetOverPicture(const QPixmap& picture) { over_ = picture; }

void TMouseEffectImage::SetDownPicture(const QPixmap& picture) { down_ = picture; }

void TMouseEffectImage::SetHint(const QString& hint) {
  hint_ = hint;
  setToolTip(hint);
}

// Auto-sizing: the button always takes the size of the picture it shows.
void TMouseEffectImage::Show(const QPixmap& picture) {
  picture_ = picture;
  if (!picture_.isNull()) resize(picture_.deviceIndependentSize().toSize());
  update();
}

void TMouseEffectImage::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.drawPixmap(0, 0, picture_);
}

void TMouseEffectImage::PointerEntered() {
  if (inside_) return;
  inside_ = true;
  Show(over_);
}

void TMouseEffectImage::PointerLeft() {
  if (!inside_) return;
  inside_ = false;
  Show(origin_);
}

void TMouseEffectImage::enterEvent(QEnterEvent*) { PointerEntered(); }

void TMouseEffectImage::leaveEvent(QEvent*) {
  inside_ = true;  // leaving always shows the normal picture
  PointerLeft();
}

void TMouseEffectImage::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  inside_ = true;
  clickArmed_ = true;
  Show(down_);
}

// The second press of a double click is no plain press: no pressed look and
// no click on its release. QWidget's default would treat it as a press.
void TMouseEffectImage::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) clickArmed_ = false;
}

void TMouseEffectImage::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (!revertOnLeave_) Show(origin_);
  const bool click = clickArmed_ && rect().contains(event->position().toPoint());
  clickArmed_ = false;
  if (click) emit Click();
}

// While the left button is held the widget keeps the mouse, and Qt holds
// back enter/leave until the release; follow the pointer ourselves so that
// moving off the button shows the normal picture at once.
void TMouseEffectImage::mouseMoveEvent(QMouseEvent* event) {
  if (event->buttons() & Qt::LeftButton) {
    if (rect().contains(event->position().toPoint()))
      PointerEntered();
    else
      PointerLeft();
  }
  emit MouseMove(event->buttons());
}
