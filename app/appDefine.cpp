#include "appDefine.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

QString WorkFolder;
std::atomic<bool> IsConverting{false};
TApplicationInfo AppInfo;

const QString DefaultHomepage = QStringLiteral("https://chimora.example.org/");

static QString WithTrailingSeparator(QString dir) {
  if (!dir.endsWith('/')) dir += '/';
  return dir;
}

static bool UsableTempDir(const QString& dir) {
  return !dir.isEmpty() && QDir::cleanPath(dir) != QStringLiteral("/");
}

QString GetTempDirectory() {
  QString dir = QDir::tempPath();
  // QDir::tempPath() follows TMPDIR; an empty or root answer would put the
  // work folder somewhere nobody expects, so fall back to the user's cache.
  if (!UsableTempDir(dir)) dir = QStandardPaths::writableLocation(QStandardPaths::CacheLocation);
  if (!UsableTempDir(dir)) dir = QDir::homePath() + QStringLiteral("/.cache");
  if (!UsableTempDir(dir)) dir = QStringLiteral("/tmp");
  return WithTrailingSeparator(QDir::fromNativeSeparators(dir));
}

QString WorkFolderFor(const QString& tempDir) {
  return WithTrailingSeparator(tempDir) + QStringLiteral("Korvexa/");
}

bool EnsureFolder(const QString& folder) {
  QDir dir(folder);
  return dir.exists() || dir.mkpath(QStringLiteral("."));
}

// INI lookups behave like the Windows profile API: section and key names are
// matched without regard to case, blanks around them are ignored, and a
// value wrapped in matching quotes loses them. Commas are plain text here.
TApplicationInfo ReadApplicationInfo(const QString& iniPath) {
  TApplicationInfo info{DefaultHomepage};
  QFile file(iniPath);
  if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return info;
  if (file.size() > 1 << 20) return info;  // not a configuration file
  const QString text = QString::fromUtf8(file.readAll());
  bool inSection = false;
  for (QString line : text.split('\n')) {
    line = line.trimmed();
    if (line.isEmpty() || line.startsWith(';') || line.startsWith('#')) continue;
    if (line.startsWith('[')) {
      const qsizetype close = line.indexOf(']');
      inSection = close > 0 &&
                  line.mid(1, close - 1).trimmed().compare(QLatin1String("ApplicationInfo"),
                                                          Qt::CaseInsensitive) == 0;
      continue;
    }
    if (!inSection) continue;
    const qsizetype eq = line.indexOf('=');
    if (eq <= 0) continue;
    if (line.left(eq).trimmed().compare(QLatin1String("Homepage"), Qt::CaseInsensitive) != 0)
      continue;
    QString value = line.mid(eq + 1).trimmed();
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.mid(1, value.size() - 2);
    info.Homepage = value;
    return info;
  }
  return info;
}

QString ConfigIniPath() {
  return WithTrailingSeparator(QCoreApplication::applicationDirPath()) +
         QStringLiteral("config.ini");
}
