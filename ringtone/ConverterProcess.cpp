#include "ConverterProcess.h"

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <csignal>
#include <vector>

extern char** environ;

namespace {

class TFd {
 public:
  TFd() = default;
  TFd(const TFd&) = delete;
  TFd& operator=(const TFd&) = delete;
  ~TFd() { Close(); }
  int Get() const { return fd_; }
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  void Close() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

struct TPipe {
  TFd Read, Write;
  bool Open() {
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) return false;
    Read.Reset(fds[0]);
    Write.Reset(fds[1]);
    return true;
  }
};

class TSpawnActions {
 public:
  TSpawnActions() { posix_spawn_file_actions_init(&actions_); }
  ~TSpawnActions() { posix_spawn_file_actions_destroy(&actions_); }
  posix_spawn_file_actions_t* Get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_;
};

class TSpawnAttributes {
 public:
  TSpawnAttributes() {
    posix_spawnattr_init(&attr_);
    // The job thread's blocked signals and our ignored SIGPIPE are ours, not
    // the converter's.
    sigset_t none, pipe;
    sigemptyset(&none);
    sigemptyset(&pipe);
    sigaddset(&pipe, SIGPIPE);
    posix_spawnattr_setsigmask(&attr_, &none);
    posix_spawnattr_setsigdefault(&attr_, &pipe);
    posix_spawnattr_setflags(&attr_, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
  }
  ~TSpawnAttributes() { posix_spawnattr_destroy(&attr_); }
  const posix_spawnattr_t* Get() const { return &attr_; }

 private:
  posix_spawnattr_t attr_;
};

constexpr int MaxErrorLine = 400;

}  // namespace

int TConverterProcess::RunAndWait(const QString& program, const QStringList& arguments,
                                  const QString& workingDirectory, const TOutputSink& onOutput) {
  startError_ = 0;
  outputRefused_ = false;
  lastErrorLine_.clear();

  TPipe out, err;
  if ((onOutput && !out.Open()) || !err.Open()) {
    startError_ = errno;
    return -1;
  }
  const QByteArray dir = QFile::encodeName(workingDirectory);
  TSpawnActions actions;
  posix_spawn_file_actions_addopen(actions.Get(), 0, "/dev/null", O_RDONLY, 0);
  if (onOutput)
    posix_spawn_file_actions_adddup2(actions.Get(), out.Write.Get(), 1);
  else
    posix_spawn_file_actions_addopen(actions.Get(), 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_adddup2(actions.Get(), err.Write.Get(), 2);
  posix_spawn_file_actions_addchdir_np(actions.Get(), dir.constData());
  // Descriptors opened elsewhere in the program without O_CLOEXEC stay ours.
  posix_spawn_file_actions_addclosefrom_np(actions.Get(), 3);
  TSpawnAttributes attributes;

  std::vector<QByteArray> argBytes;
  argBytes.push_back(QFile::encodeName(program));
  for (const QString& a : arguments) argBytes.push_back(QFile::encodeName(a));
  std::vector<char*> argv;
  for (QByteArray& a : argBytes) argv.push_back(a.data());
  argv.push_back(nullptr);

  {
    std::lock_guard lock(mutex_);
    if (stopped_) return -1;
    pid_t pid = 0;
    const int rc =
        ::posix_spawn(&pid, argv[0], actions.Get(), attributes.Get(), argv.data(), environ);
    if (rc != 0) {
      startError_ = rc;
      return -1;
    }
    pid_ = pid;
  }
  out.Write.Close();
  err.Write.Close();
  Relay(onOutput ? out.Read.Get() : -1, err.Read.Get(), onOutput);
  return Reap();
}

// Keeps the last non-blank line of what tail holds; an unfinished line stays
// in tail unless final.
static void TakeLines(QByteArray& tail, QString& last, bool final) {
  auto keep = [&](const QByteArray& line) {
    const QByteArray text = line.trimmed();
    if (!text.isEmpty()) last = QString::fromLocal8Bit(text.left(MaxErrorLine));
  };
  qsizetype begin = 0;
  for (qsizetype i = 0; i < tail.size(); ++i) {
    if (tail[i] != '\n' && tail[i] != '\r') continue;
    keep(tail.mid(begin, i - begin));
    begin = i + 1;
  }
  tail.remove(0, begin);
  if (final) {
    keep(tail);
    tail.clear();
  } else if (tail.size() > 64 * 1024) {
    tail.truncate(MaxErrorLine);
  }
}

void TConverterProcess::Relay(int outFd, int errFd, const TOutputSink& onOutput) {
  QByteArray errTail;
  char buffer[16384];
  std::vector<pollfd> fds;
  if (outFd >= 0) fds.push_back({outFd, POLLIN, 0});
  fds.push_back({errFd, POLLIN, 0});
  while (!fds.empty()) {
    // The timeout only matters when Stop() killed a child whose own children
    // keep the pipes open.
    if (::poll(fds.data(), fds.size(), 200) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (Stopped()) break;
    for (auto it = fds.begin(); it != fds.end();) {
      if (!(it->revents & (POLLIN | POLLHUP | POLLERR))) {
        ++it;
        continue;
      }
      const ssize_t n = ::read(it->fd, buffer, sizeof buffer);
      if (n < 0 && errno == EINTR) {
        ++it;
        continue;
      }
      if (n <= 0) {
        it = fds.erase(it);
        continue;
      }
      if (it->fd == errFd) {
        errTail.append(buffer, n);
        TakeLines(errTail, lastErrorLine_, false);
      } else if (!outputRefused_ && !onOutput(std::span<const char>(buffer, size_t(n)))) {
        outputRefused_ = true;
        std::lock_guard lock(mutex_);
        if (pid_ > 0) ::kill(pid_, SIGKILL);
      }
      ++it;
    }
  }
  TakeLines(errTail, lastErrorLine_, true);
}

int TConverterProcess::Reap() {
  pid_t pid;
  {
    std::lock_guard lock(mutex_);
    pid = pid_;
  }
  // Wait without reaping first: until the zombie is reaped its pid cannot be
  // reused, so a Stop() racing with the exit signals nothing else.
  siginfo_t info{};
  while (::waitid(P_PID, id_t(pid), &info, WEXITED | WNOWAIT) != 0 && errno == EINTR) {
  }
  {
    std::lock_guard lock(mutex_);
    pid_ = 0;
  }
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

void TConverterProcess::Stop() {
  std::lock_guard lock(mutex_);
  stopped_ = true;
  if (pid_ > 0) ::kill(pid_, SIGKILL);
}

bool TConverterProcess::Stopped() const {
  std::lock_guard lock(mutex_);
  return stopped_;
}
