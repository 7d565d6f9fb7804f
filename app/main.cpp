#include <QApplication>
#include <QScreen>

#include "Artwork.h"
#include "Desktop.h"
#include "Dialogs.h"
#include "MediaPlayer.h"
#include "mainunit.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("chimora"));
  QApplication::setApplicationDisplayName(QStringLiteral("Chimora"));
  QApplication::setDesktopFileName(QStringLiteral("chimora"));
  QApplication::setFont(SkinFont(11));

  TMediaPlayer player;
  TQtDialogs dialogs;
  TQtDesktop desktop;
  TMainForm form(player, dialogs, desktop);
  MainForm = &form;
  if (const QScreen* screen = QGuiApplication::primaryScreen())
    form.move(screen->availableGeometry().center() - form.rect().center());
  form.show();
  return app.exec();
}
