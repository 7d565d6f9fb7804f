// bench_ringtone_job SOURCE TARGET START_SECOND END_SECOND
//   runs one conversion job the way the Save button starts it, without a
//   window; exit code 0 when it completed.
// bench_ringtone_job --print-command SOURCE TARGET START_SECOND END_SECOND
//   prints the converter's command, shell-quoted, writing straight to TARGET
//   (for .amr: the PCM half; pipe it into --encode-amr).
// bench_ringtone_job --encode-amr TARGET
//   encodes 8000 Hz mono s16le PCM from stdin, as the job does.
#include <unistd.h>

#include <QCoreApplication>
#include <cstdio>
#include <cstring>

#include "AmrNbEncoder.h"
#include "ConverterDeploy.h"
#include "Desktop.h"
#include "Dialogs.h"
#include "RingtoneFormat.h"
#include "SaveRequest.h"
#include "appDefine.h"
#include "workThread.h"

namespace {

struct TConsoleDialogs : IDialogs {
  bool failed = false;
  std::optional<QString> OpenFileName(QWidget*, const QString&) override { return {}; }
  std::optional<QString> SaveFileName(QWidget*, const QString&, const QString&) override {
    return {};
  }
  void Error(QWidget*, const QString& text) override {
    failed = true;
    std::fprintf(stderr, "%s\n", qPrintable(text));
  }
  void Message(QWidget*, const QString&, const QString&) override {}
  bool Confirm(QWidget*, const QString&, const QString&) override { return false; }
  TErrorBoxAnswer CancelRetryIgnore(QWidget*, const QString&) override {
    return TErrorBoxAnswer::Cancel;
  }
};

struct TNoDesktop : IDesktop {
  void OpenFolder(const QString&) override {}
};

QString ShellQuoted(QString arg) {
  return '\'' + arg.replace('\'', QStringLiteral("'\\''")) + '\'';
}

int EncodeAmr(const QString& target) {
  TAmrNbEncoder encoder;
  if (!encoder.Open(target))
    return std::fprintf(stderr, "%s\n", qPrintable(encoder.ErrorString())), 1;
  char buffer[16384];
  for (ssize_t n; (n = ::read(0, buffer, sizeof buffer)) > 0;)
    if (!encoder.Write({buffer, size_t(n)})) break;
  if (!encoder.Finish()) return std::fprintf(stderr, "%s\n", qPrintable(encoder.ErrorString())), 1;
  return encoder.Frames() > 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  // Without an application object: the direct side pays only for encoding.
  if (argc == 3 && std::strcmp(argv[1], "--encode-amr") == 0)
    return EncodeAmr(QString::fromLocal8Bit(argv[2]));
  QCoreApplication app(argc, argv);
  QStringList args = app.arguments().mid(1);
  const bool printOnly = !args.isEmpty() && args[0] == "--print-command";
  if (printOnly) args.removeFirst();
  if (args.size() != 4) {
    std::fprintf(stderr,
                 "usage: bench_ringtone_job [--print-command] SOURCE TARGET START END\n"
                 "       bench_ringtone_job --encode-amr TARGET\n");
    return 2;
  }

  TCutMp3ThreadInfo info;
  if (auto refusal = PrepareCutInfo(args[0], args[1], args[2].toInt(), args[3].toInt(), info)) {
    std::fprintf(stderr, "%s\n", qPrintable(*refusal));
    return 2;
  }
  if (printOnly) {
    QStringList command{"ffmpeg"};
    for (const QString& a :
         ConverterArguments(*RingtoneKindOf(info.TargetFile), info, info.TargetFile))
      command << ShellQuoted(a);
    std::printf("%s\n", qPrintable(command.join(' ')));
    return 0;
  }

  WorkFolder = WorkFolderFor(GetTempDirectory());
  EnsureFolder(WorkFolder);
  DeployConverter(WorkFolder);

  QObject context;
  TConsoleDialogs dialogs;
  TNoDesktop desktop;
  TJobHost host{&context, [](const QString&) {}, &dialogs, &desktop, nullptr};
  auto* job = new TCutMp3Thread(info, host);
  IsConverting = true;
  QObject::connect(job, &QObject::destroyed, &app, &QCoreApplication::quit);
  app.exec();
  return dialogs.failed ? 1 : 0;
}
