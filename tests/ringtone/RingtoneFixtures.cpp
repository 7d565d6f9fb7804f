#include "RingtoneFixtures.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <cstdlib>

static QByteArray Run(const QString& program, const QStringList& args, int* exitCode) {
  QProcess p;
  p.setProcessChannelMode(QProcess::SeparateChannels);
  p.start(program, args);
  p.waitForFinished(60000);
  if (exitCode) *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
  return p.readAllStandardOutput();
}

bool MakeSong(const QString& path, int seconds, int silentSeconds) {
  // Commas inside a filter's option are escaped for ffmpeg's filter parser.
  const QString channel =
      QStringLiteral("if(gte(t\\,%1)\\,0.5*sin(2*PI*440*t)\\,0)").arg(silentSeconds);
  int rc = -1;
  Run("ffmpeg",
      {"-nostdin", "-hide_banner", "-loglevel", "error", "-y", "-f", "lavfi", "-i",
       QStringLiteral("aevalsrc=exprs=%1|%1:s=44100:d=%2").arg(channel).arg(seconds), "-c:a",
       "libmp3lame", "-b:a", "128k", "file:" + path},
      &rc);
  return rc == 0;
}

double Peak(const QString& path) {
  int rc = -1;
  const QByteArray pcm = Run("ffmpeg",
                             {"-nostdin", "-hide_banner", "-loglevel", "error", "-i",
                              "file:" + path, "-f", "s16le", "-c:a", "pcm_s16le", "pipe:1"},
                             &rc);
  if (rc != 0 || pcm.isEmpty()) return -1;
  int peak = 0;
  for (qsizetype i = 0; i + 1 < pcm.size(); i += 2) {
    const int sample = qint16(quint8(pcm[i]) | (quint8(pcm[i + 1]) << 8));
    peak = std::max(peak, std::abs(sample));
  }
  return peak / 32768.0;
}

std::map<QString, QString> Probe(const QString& path) {
  const QByteArray out =
      Run("ffprobe",
          {"-v", "error", "-count_packets", "-show_entries",
           "format=format_name,duration:stream=codec_name,sample_rate,channels,bit_rate,"
           "nb_read_packets",
           "-of", "flat", "file:" + path},
          nullptr);
  std::map<QString, QString> values;
  for (const QByteArray& line : out.split('\n')) {
    const qsizetype eq = line.indexOf('=');
    if (eq < 0) continue;
    QString key = QString::fromUtf8(line.left(eq));
    key.replace("streams.stream.0.", "stream.");
    QString value = QString::fromUtf8(line.mid(eq + 1));
    if (value.startsWith('"')) value = value.mid(1, value.size() - 2);
    values[key] = value;
  }
  return values;
}

QStringList Entries(const QString& dir) {
  return QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                             QDir::Name);
}

QByteArray ReadAll(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool WriteAll(const QString& path, const QByteArray& bytes, bool executable) {
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
    return false;
  f.close();
  if (executable) f.setPermissions(f.permissions() | QFile::ExeOwner | QFile::ExeUser);
  return true;
}
