#include "TempTarget.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <cerrno>
#include <cstdio>
#include <cstring>

static QString SystemError(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

TTempTarget::TTempTarget(QString target) : target_(std::move(target)) {}

TTempTarget::~TTempTarget() { Discard(); }

bool TTempTarget::Create() {
  const QFileInfo info(target_);
  for (int attempt = 0; attempt < 16; ++attempt) {
    const QString random =
        QStringLiteral("%1").arg(QRandomGenerator::global()->generate(), 8, 16, QChar('0'));
    QString name = QStringLiteral(".%1.%2.part").arg(info.fileName(), random);
    // Long Chinese titles come near the 255-byte limit of a name.
    if (QFile::encodeName(name).size() > 255)
      name = QStringLiteral(".ringtone.%1.part").arg(random);
    const QString path = info.dir().filePath(name);
    // 0666 and the umask rather than QTemporaryFile's 0600: the file becomes
    // the ringtone.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      path_ = path;
      return true;
    }
    if (errno != EEXIST) {
      error_ =
          QStringLiteral("Cannot write in %1: %2").arg(info.absolutePath(), SystemError(errno));
      return false;
    }
  }
  error_ = QStringLiteral("Cannot find a free temporary name in %1.").arg(info.absolutePath());
  return false;
}

bool TTempTarget::Commit() {
  if (path_.isEmpty()) return false;
  if (std::rename(QFile::encodeName(path_).constData(), QFile::encodeName(target_).constData()) !=
      0) {
    error_ = QStringLiteral("Cannot replace %1: %2").arg(target_, SystemError(errno));
    return false;
  }
  path_.clear();
  return true;
}

void TTempTarget::Discard() {
  if (path_.isEmpty()) return;
  ::unlink(QFile::encodeName(path_).constData());
  path_.clear();
}
