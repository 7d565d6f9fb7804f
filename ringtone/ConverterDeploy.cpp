#include "ConverterDeploy.h"

#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <cerrno>
#include <cstdio>

void DeployConverter(const QString& workFolder) {
  if (workFolder.isEmpty()) return;
  const QString ffmpeg = QStandardPaths::findExecutable(QStringLiteral("ffmpeg"));
  if (ffmpeg.isEmpty()) return;
  const QByteArray target = QFile::encodeName(QFileInfo(ffmpeg).absoluteFilePath());
  const QByteArray link = QFile::encodeName(QDir(workFolder).filePath(QStringLiteral("av")));

  // Two copies of the program may deploy at the same moment: each takes a
  // name of its own, and the last rename wins with an equally good link.
  for (int attempt = 0; attempt < 8; ++attempt) {
    const QByteArray temp = link + ".new-" + QByteArray::number(::getpid()) + '-' +
                            QByteArray::number(QRandomGenerator::global()->generate(), 16);
    if (::symlink(target.constData(), temp.constData()) == 0) {
      if (std::rename(temp.constData(), link.constData()) != 0) ::unlink(temp.constData());
      return;
    }
    if (errno != EEXIST) return;
  }
}
