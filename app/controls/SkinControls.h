// Small picture and label controls of the skinned windows.
#pragma once

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QWidget>

// A plain picture that reports mouse moves and presses (for the window drag).
class TImage : public QWidget {
  Q_OBJECT
public:
  explicit TImage(QWidget* parent = nullptr);
  void SetPicture(const QPixmap& picture);
  const QPixmap& Picture() const { return picture_; }

signals:
  void MousePress(Qt::MouseButton button);
  void MouseMove(Qt::MouseButtons buttons);

protected:
  void paintEvent(QPaintEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;

private:
  QPixmap picture_;
};

// The timeline picture: shows the image the renderer draws on.
class TWaveImage : public QWidget {
  Q_OBJECT
public:
  explicit TWaveImage(QWidget* parent = nullptr);
  QImage& Canvas() { return canvas_; }
  const QImage& Canvas() const { return canvas_; }
  // Resizes widget and bitmap together; the height stays.
  void SetColumns(int columns);

signals:
  void MouseUp(Qt::MouseButton button, int x, int y);

protected:
  void paintEvent(QPaintEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;

private:
  QImage canvas_;
};

// A transparent label. An auto-sized one grows from its top-left corner
// with its text; a fixed one keeps its size and cuts longer text.
class TSkinLabel : public QLabel {
  Q_OBJECT
public:
  TSkinLabel(const QString& text, bool autoSize, QWidget* parent = nullptr);
  void SetCaption(const QString& text);
  bool AutoSize() const { return autoSize_; }

signals:
  void Click();
  void MouseMove();
  void MouseLeave();

protected:
  void mouseMoveEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void leaveEvent(QEvent*) override;

private:
  bool autoSize_;
};
