#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <future>
#include <thread>
#include <utility>

#include "ConverterProcess.h"

namespace {

TEST(ConverterProcess, ArgumentsDirectoryAndStreams) {
  QTemporaryDir dir;
  const QString workDir = dir.filePath("work 'dir' \"工作\"");
  ASSERT_TRUE(QDir().mkpath(workDir));
  const QString before = QDir::currentPath();
  const QString tricky = "a 'b' \"c\" $HOME; 歌";

  TConverterProcess process;
  QByteArray out;
  // cat shows that stdin is empty rather than ours (which would block).
  const int rc = process.RunAndWait(
      "/bin/sh",
      {"-c", "pwd; cat; printf '[%s]' \"$1\"; echo first >&2; printf 'last line\\n\\n' >&2; exit 3",
       "sh", tricky},
      workDir, [&](std::span<const char> bytes) {
        out.append(bytes.data(), qsizetype(bytes.size()));
        return true;
      });
  EXPECT_EQ(rc, 3);
  EXPECT_EQ(QString::fromUtf8(out), workDir + "\n[" + tricky + "]");
  EXPECT_EQ(process.LastErrorLine(), "last line");
  EXPECT_EQ(QDir::currentPath(), before);
}

TEST(ConverterProcess, MissingProgramAndStop) {
  TConverterProcess missing;
  EXPECT_EQ(missing.RunAndWait("/nonexistent/av", {}, QDir::tempPath()), -1);
  EXPECT_EQ(missing.StartError(), ENOENT);

  TConverterProcess process;
  std::promise<void> running;
  std::thread stopper([&] {
    running.get_future().wait();
    process.Stop();
  });
  const auto start = std::chrono::steady_clock::now();
  bool told = false;
  const int rc = process.RunAndWait("/bin/sh", {"-c", "echo running; exec sleep 30"},
                                    QDir::tempPath(), [&](std::span<const char>) {
                                      if (!std::exchange(told, true)) running.set_value();
                                      return true;
                                    });
  stopper.join();
  EXPECT_EQ(rc, 128 + SIGKILL);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_EQ(process.RunAndWait("/bin/true", {}, QDir::tempPath()), -1);
}

}  // namespace
