#include "SkinControls.h"

#include <QMouseEvent>
#include <QPainter>

TImage::TImage(QWidget* parent) : QWidget(parent) {}

void TImage::SetPicture(const QPixmap& picture) {
  picture_ = picture;
  update();
}

// Drawn from the top-left corner and cut at the control's edges.
void TImage::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QPainter painter(this);
  painter.drawPixmap(0, 0, picture_);
}

void TImage::mousePressEvent(QMouseEvent* event) { emit MousePress(event->button()); }

void TImage::mouseMoveEvent(QMouseEvent* event) { emit MouseMove(event->buttons()); }

TWaveImage::TWaveImage(QWidget* parent) : QWidget(parent) {}

void TWaveImage::SetColumns(int columns) {
  columns = std::max(columns, 0);
  const int h = height();
  resize(columns, h);
  setMinimumSize(columns, h);
  // A timeline of no columns has no bitmap at all: painting it is skipped.
  canvas_ = (columns > 0 && h > 0) ? QImage(columns, h, QImage::Format_RGB32) : QImage();
  if (!canvas_.isNull()) canvas_.fill(Qt::black);
  update();
}

void TWaveImage::paintEvent(QPaintEvent*) {
  if (canvas_.isNull()) return;
  QPainter painter(this);
  painter.drawImage(0, 0, canvas_);
}

void TWaveImage::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint p = event->position().toPoint();
  emit MouseUp(event->button(), p.x(), p.y());
}

TSkinLabel::TSkinLabel(const QString& text, bool autoSize, QWidget* parent)
    : QLabel(text, parent), autoSize_(autoSize) {
  setAlignment(Qt::AlignLeft | Qt::AlignTop);
  setTextFormat(Qt::PlainText);
  setWordWrap(false);
}

void TSkinLabel::SetCaption(const QString& text) {
  if (text == this->text()) return;
  setText(text);
  if (autoSize_) resize(sizeHint().width(), height());
}

void TSkinLabel::mouseMoveEvent(QMouseEvent* event) {
  emit MouseMove();
  QLabel::mouseMoveEvent(event);
}

void TSkinLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
    emit Click();
  QLabel::mouseReleaseEvent(event);
}

void TSkinLabel::leaveEvent(QEvent* event) {
  emit MouseLeave();
  QLabel::leaveEvent(event);
}
