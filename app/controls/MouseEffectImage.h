// A picture that acts as a push button with three looks: normal, hover
// (pointer over it) and pressed (left button held on it).
#pragma once

#include <QPixmap>
#include <QWidget>

class TMouseEffectImage : public QWidget {
  Q_OBJECT
public:
  explicit TMouseEffectImage(QWidget* parent = nullptr);

  // Setting the normal picture also shows it at once; the other two are
  // only stored until the next notification picks them.
  void SetOriginPicture(const QPixmap& picture);
  void SetOverPicture(const QPixmap& picture);
  void SetDownPicture(const QPixmap& picture);
  const QPixmap& OriginPicture() const { return origin_; }
  const QPixmap& OverPicture() const { return over_; }
  const QPixmap& DownPicture() const { return down_; }

  bool RevertOnLeave() const { return revertOnLeave_; }
  void SetRevertOnLeave(bool revert) { revertOnLeave_ = revert; }

  // The picture on show (a copy of one of the three).
  const QPixmap& Picture() const { return picture_; }

  QString Hint() const { return hint_; }
  void SetHint(const QString& hint);

signals:
  void Click();
  void MouseMove(Qt::MouseButtons buttons);

protected:
  void paintEvent(QPaintEvent*) override;
  void enterEvent(QEnterEvent*) override;
  void leaveEvent(QEvent*) override;
  void mousePressEvent(QMouseEvent*) override;
  void mouseDoubleClickEvent(QMouseEvent*) override;
  void mouseReleaseEvent(QMouseEvent*) override;
  void mouseMoveEvent(QMouseEvent*) override;

private:
  void Show(const QPixmap& picture);
  void PointerEntered();
  void PointerLeft();

  QPixmap over_;
  QPixmap origin_;
  QPixmap down_;
  bool revertOnLeave_ = false;
  QPixmap picture_;
  QString hint_;
  bool inside_ = false;
  bool clickArmed_ = false;
};
