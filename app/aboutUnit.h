// The small modal about window: artwork, version, web address, e-mail.
#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TImage;

class TAboutForm : public QDialog {
  Q_OBJECT
public:
  explicit TAboutForm(QWidget* parent = nullptr);

  TImage* Image1;
  QLabel* Label1;
  QLabel* lblHomepage;
  QLabel* Label3;
  QPushButton* SpeedButton1;

  void FormShow();
  void SpeedButton1Click();

protected:
  void showEvent(QShowEvent* event) override;
};

extern const QString SupportEmail;
