#include "workThread.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QPointer>
#include <cerrno>
#include <cstring>

#include "AmrNbEncoder.h"
#include "Desktop.h"
#include "Dialogs.h"
#include "RingtoneFormat.h"
#include "SaveRequest.h"
#include "TempTarget.h"
#include "appDefine.h"

const QString TCutMp3Thread::ConvertingText = QStringLiteral("Converting Mp3 Ringtone ... ");
const QString TCutMp3Thread::CompletedText = QStringLiteral("Completed.");
const QString TCutMp3Thread::FailedText = QStringLiteral("Conversion failed.");
const QString TCutMp3Thread::CompletionPrompt =
    QStringLiteral("Completed. Do you want to open the target directory?");
const QString TCutMp3Thread::CompletionCaption = QStringLiteral("Confirm");

QList<TCutMp3Thread*> TCutMp3Thread::jobs_;

QString TCutMp3Thread::GeneratingText(const QString& target) {
  return QStringLiteral("Generating %1 ...").arg(target);
}

TCutMp3Thread::TCutMp3Thread(const TCutMp3ThreadInfo& info, const TJobHost& host)
    : JobInfo(info), host_(host), workFolder_(WorkFolder) {
  jobs_.append(this);
  connect(this, &QThread::finished, this, &QObject::deleteLater);
  start();
}

TCutMp3Thread::~TCutMp3Thread() {
  wait();
  jobs_.removeOne(this);
  IsConverting = false;
}

void TCutMp3Thread::run() {
  StatusText = ConvertingText;
  UpdateStatus();
  StatusText = GeneratingText(JobInfo.TargetFile);
  UpdateStatus();
  const std::optional<QString> failure = Convert();
  if (!failure) {
    StatusText = CompletedText;
    UpdateStatus();
    ShowCompletion();
  } else {
    StatusText = FailedText;
    UpdateStatus();
    ShowError(*failure);
  }
}

std::optional<QString> TCutMp3Thread::Convert() {
  if (!RingtoneKindOf(JobInfo.TargetFile))
    return QStringLiteral("Unsupported ringtone format: %1 (use .mp3 or .amr).")
        .arg(JobInfo.TargetFile);
  if (JobInfo.SourceFile.isEmpty()) return QStringLiteral("No song is open to cut from.");
  // The rename at the end would replace the song with its own ringtone.
  if (IsSameFile(JobInfo.SourceFile, JobInfo.TargetFile))
    return QStringLiteral("The ringtone cannot replace the song it is cut from: %1")
        .arg(JobInfo.TargetFile);

  TTempTarget temp(JobInfo.TargetFile);
  if (!temp.Create()) return temp.ErrorString();
  if (std::optional<QString> failure = RunConverter(temp.Path())) return failure;
  if (aborted_) return QStringLiteral("Stopped.");
  if (!temp.Commit()) return temp.ErrorString();
  return std::nullopt;
}

std::optional<QString> TCutMp3Thread::RunConverter(const QString& temp) {
  const QString program = workFolder_ + QStringLiteral("av");
  const TRingtoneKind kind = *RingtoneKindOf(JobInfo.TargetFile);
  const QStringList args = ConverterArguments(kind, JobInfo, temp);
  const QString noAudio = QStringLiteral("No audio in the selection (from %1, length %2) of %3")
                              .arg(JobInfo.StartTime, JobInfo.Duration, JobInfo.SourceFile);

  if (kind == TRingtoneKind::Mp3) {
    // ffmpeg exits 0 also when nothing was left to encode (a start past the
    // end of the song); its progress report tells how much it wrote.
    QByteArray partial;
    long long outTimeUs = 0;
    const int rc =
        converter_.RunAndWait(program, args, workFolder_, [&](std::span<const char> bytes) {
          partial.append(bytes.data(), qsizetype(bytes.size()));
          for (qsizetype nl; (nl = partial.indexOf('\n')) >= 0; partial.remove(0, nl + 1)) {
            const QByteArray line = partial.left(nl).trimmed();
            if (line.startsWith("out_time_us=")) outTimeUs = line.mid(12).toLongLong();
          }
          return true;
        });
    if (rc != 0) return ConverterFailure(rc);
    if (outTimeUs <= 0) return noAudio;
    return std::nullopt;
  }

  TAmrNbEncoder encoder;
  if (!encoder.Open(temp)) return encoder.ErrorString();
  const int rc = converter_.RunAndWait(
      program, args, workFolder_, [&](std::span<const char> pcm) { return encoder.Write(pcm); });
  if (converter_.OutputRefused()) return encoder.ErrorString();
  if (rc != 0) return ConverterFailure(rc);
  if (!encoder.Finish()) return encoder.ErrorString();
  if (encoder.Frames() == 0) return noAudio;
  return std::nullopt;
}

QString TCutMp3Thread::ConverterFailure(int exitCode) const {
  const QString program = workFolder_ + QStringLiteral("av");
  if (exitCode == -1) {
    if (converter_.Stopped()) return QStringLiteral("Stopped.");
    const int error = converter_.StartError();
    // A dangling "av" (ffmpeg removed since the start) lands here as well.
    if (error == ENOENT)
      return QStringLiteral("Converter not found: %1 (is ffmpeg installed?)").arg(program);
    return QStringLiteral("Cannot start the converter %1: %2")
        .arg(program, QString::fromLocal8Bit(std::strerror(error)));
  }
  if (!converter_.LastErrorLine().isEmpty())
    return QStringLiteral("The converter failed: %1").arg(converter_.LastErrorLine());
  if (exitCode > 128)
    return QStringLiteral("The converter was ended by signal %1.").arg(exitCode - 128);
  return QStringLiteral("The converter failed with exit code %1.").arg(exitCode);
}

void TCutMp3Thread::CallOnMainThread(const std::function<void()>& call) {
  if (aborted_ || !host_.mainThreadContext) return;
  QMetaObject::invokeMethod(
      host_.mainThreadContext,
      [this, &call] {
        // The window may have begun to close while this call was queued.
        if (aborted_) return;
        inHostCall_ = true;
        call();
        inHostCall_ = false;
      },
      Qt::BlockingQueuedConnection);
}

void TCutMp3Thread::UpdateStatus() {
  CallOnMainThread([this] {
    if (host_.setStatus) host_.setStatus(StatusText);
  });
}

void TCutMp3Thread::ShowCompletion() {
  CallOnMainThread([this] {
    if (!host_.dialogs) return;
    const bool open =
        host_.dialogs->Confirm(host_.dialogParent, CompletionCaption, CompletionPrompt);
    if (open && !aborted_ && host_.desktop)
      host_.desktop->OpenFolder(QFileInfo(JobInfo.TargetFile).absolutePath());
  });
}

void TCutMp3Thread::ShowError(const QString& reason) {
  CallOnMainThread([this, &reason] {
    if (host_.dialogs) host_.dialogs->Error(host_.dialogParent, reason);
  });
}

void TCutMp3Thread::FinishBeforeExit() {
  QList<QPointer<TCutMp3Thread>> jobs;
  for (TCutMp3Thread* job : jobs_) {
    job->aborted_ = true;
    job->converter_.Stop();
    jobs.append(job);
  }
  for (const QPointer<TCutMp3Thread>& job : jobs) {
    // Events keep flowing so that a host call the job is waiting on runs
    // (and returns at once) instead of deadlocking both threads.
    while (job && !job->inHostCall_ && !job->wait(10))
      QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    if (job && !job->inHostCall_) delete job.data();
  }
}
