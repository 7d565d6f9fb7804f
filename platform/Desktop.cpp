#include "Desktop.h"

#include <QDesktopServices>
#include <QUrl>

void TQtDesktop::OpenFolder(const QString& folder) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}
