#include "RingtoneFormat.h"

#include <QFileInfo>

std::optional<TRingtoneKind> RingtoneKindOf(const QString& targetFile) {
  const QString suffix = QFileInfo(targetFile).suffix();
  if (suffix.compare(QLatin1String("mp3"), Qt::CaseInsensitive) == 0) return TRingtoneKind::Mp3;
  if (suffix.compare(QLatin1String("amr"), Qt::CaseInsensitive) == 0) return TRingtoneKind::Amr;
  return std::nullopt;
}

// ffmpeg would read "name:rest" as a protocol and "-x" as an option; an
// absolute path is neither, and keeps its error messages plain.
static QString FileUrl(const QString& path) {
  return path.startsWith('/') ? path : QStringLiteral("file:") + path;
}

QStringList ConverterArguments(TRingtoneKind kind, const TCutMp3ThreadInfo& info,
                               const QString& outputFile) {
  // Never ask (a question nobody sees would hang the job), never read our
  // stdin, and print errors only, so stderr's last line is the reason.
  QStringList args{"-nostdin", "-hide_banner", "-nostats", "-loglevel", "error", "-i",
                   FileUrl(info.SourceFile),
                   // After -i: the cut is exact to the sample, also in VBR files.
                   "-ss", info.StartTime, "-t", info.Duration,
                   // First audio stream only: a cover picture must not become a stream.
                   "-map", "0:a:0"};
  switch (kind) {
    case TRingtoneKind::Mp3:
      args << "-c:a"
           << "libmp3lame"
           << "-b:a"
           << "64k"
           << "-ac"
           << "2"
           << "-f"
           << "mp3"
           << "-progress"
           << "pipe:1"
           << "-y" << FileUrl(outputFile);
      break;
    case TRingtoneKind::Amr:
      args << "-c:a"
           << "pcm_s16le"
           << "-ac"
           << "1"
           << "-ar"
           << "8000"
           << "-f"
           << "s16le"
           << "pipe:1";
      break;
  }
  return args;
}
