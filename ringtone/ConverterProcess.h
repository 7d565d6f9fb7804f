// One converter process at a time: started with an argument vector (no
// shell), waited for, and stoppable from another thread.
#pragma once

#include <sys/types.h>

#include <QString>
#include <QStringList>
#include <functional>
#include <mutex>
#include <span>

class TConverterProcess {
 public:
  // Receives the child's stdout as it comes; answering false stops the child.
  using TOutputSink = std::function<bool(std::span<const char>)>;

  // Starts program (a path; PATH is not searched) in workingDirectory, with
  // stdin from /dev/null and stdout to onOutput (or /dev/null when empty),
  // and waits for it to end. Answers its exit code, 128 + the signal number
  // when a signal ended it, or -1 when it could not start (StartError() then
  // holds the errno) or Stop() came first. The process's own current
  // directory is never changed.
  int RunAndWait(const QString& program, const QStringList& arguments,
                 const QString& workingDirectory, const TOutputSink& onOutput = {});

  // Any thread: kills the running child and makes every later RunAndWait
  // answer -1 at once.
  void Stop();
  bool Stopped() const;

  int StartError() const { return startError_; }
  // The last non-empty line the child wrote to stderr.
  QString LastErrorLine() const { return lastErrorLine_; }
  // The sink answered false.
  bool OutputRefused() const { return outputRefused_; }

 private:
  void Relay(int outFd, int errFd, const TOutputSink& onOutput);
  int Reap();

  mutable std::mutex mutex_;
  pid_t pid_ = 0;  // guarded; 0 once reaped, so Stop never signals a reused pid
  bool stopped_ = false;
  int startError_ = 0;
  bool outputRefused_ = false;
  QString lastErrorLine_;
};
