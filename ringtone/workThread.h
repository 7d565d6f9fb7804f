// The conversion job: cuts the selected stretch out of the song and encodes
// it as an MP3 or AMR ringtone on a thread of its own, with the converter
// "av" in the work folder as a separate process.
#pragma once

#include <QList>
#include <QThread>
#include <atomic>
#include <functional>
#include <optional>

#include "ConverterProcess.h"
#include "CutMp3ThreadInfo.h"

class IDesktop;
class IDialogs;
class QWidget;

// The main-thread side the job reports to. Every call runs on the thread of
// mainThreadContext and the job waits for it. All of it must outlive the job,
// or the window must call TCutMp3Thread::FinishBeforeExit() before any of it
// goes away.
struct TJobHost {
  QObject* mainThreadContext = nullptr;
  std::function<void(const QString&)> setStatus;  // sb_status
  IDialogs* dialogs = nullptr;
  IDesktop* desktop = nullptr;
  QWidget* dialogParent = nullptr;
};

class TCutMp3Thread final : public QThread {
  Q_OBJECT
 public:
  // On the main thread. Copies info, reads WorkFolder, and starts at once;
  // the object deletes itself (deleteLater) when the work has ended. The
  // caller sets IsConverting = true right after constructing it: the job's
  // first step waits for the main thread, so it cannot end before that.
  TCutMp3Thread(const TCutMp3ThreadInfo& info, const TJobHost& host);
  // Clears IsConverting.
  ~TCutMp3Thread() override;

  // For the main window's close, on the main thread: stops the converter of
  // every job that still exists, makes each job skip all later host calls
  // (also one already waiting for the main thread), waits for the job
  // threads to end while processing events, and deletes the jobs. The
  // temporary file of an interrupted conversion is removed and the target is
  // left as it was before the job. Afterwards IsConverting is false and no
  // host call will come.
  // Called from inside one of a job's own host calls (e.g. while its
  // completion prompt is open) it cannot wait for that job: the job is then
  // past its file work, makes no further host call, and deletes itself (and
  // clears IsConverting) once the event loop runs again.
  static void FinishBeforeExit();

  // Status texts, in the order they appear.
  static const QString ConvertingText;                   // "Converting Mp3 Ringtone ... "
  static QString GeneratingText(const QString& target);  // "Generating <target> ..."
  static const QString CompletedText;                    // "Completed."
  static const QString FailedText;                       // "Conversion failed."
  static const QString CompletionPrompt;
  static const QString CompletionCaption;

 protected:
  void run() override;  // Execute

 private:
  // nullopt on success, else the reason in one line for the error box.
  std::optional<QString> Convert();
  std::optional<QString> RunConverter(const QString& temp);
  QString ConverterFailure(int exitCode) const;

  // Blocking calls onto the main thread; skipped once aborted.
  void UpdateStatus();
  void ShowCompletion();
  void ShowError(const QString& reason);
  void CallOnMainThread(const std::function<void()>& call);

  QString StatusText;
  TCutMp3ThreadInfo JobInfo;

  const TJobHost host_;
  const QString workFolder_;
  TConverterProcess converter_;
  std::atomic<bool> aborted_{false};
  bool inHostCall_ = false;  // main thread only

  static QList<TCutMp3Thread*> jobs_;  // main thread only
};
