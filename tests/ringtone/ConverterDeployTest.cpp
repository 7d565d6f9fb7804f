#include <gtest/gtest.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <atomic>
#include <thread>

#include "ConverterDeploy.h"
#include "RingtoneFixtures.h"

namespace {

class ScopedPath {
 public:
  explicit ScopedPath(const QString& path) : saved_(qgetenv("PATH")) {
    qputenv("PATH", QFile::encodeName(path));
  }
  ~ScopedPath() { qputenv("PATH", saved_); }

 private:
  QByteArray saved_;
};

class ConverterDeploy : public testing::Test {
 protected:
  void SetUp() override {
    work = root.filePath("Korvexa") + '/';
    ASSERT_TRUE(QDir().mkpath(work));
    bin = root.filePath("bin");
    ASSERT_TRUE(QDir().mkpath(bin));
    fakeFfmpeg = bin + "/ffmpeg";
    ASSERT_TRUE(WriteAll(fakeFfmpeg, "#!/bin/sh\nexit 0\n", true));
  }
  QString LinkTarget() const { return QFileInfo(work + "av").symLinkTarget(); }

  QTemporaryDir root;
  QString work, bin, fakeFfmpeg;
};

TEST_F(ConverterDeploy, LinksTheFfmpegOnPath) {
  DeployConverter(work);
  EXPECT_EQ(LinkTarget(), QFileInfo(QStandardPaths::findExecutable("ffmpeg")).absoluteFilePath());
  {
    ScopedPath path(bin);
    DeployConverter(work);
  }
  EXPECT_EQ(LinkTarget(), fakeFfmpeg);
  EXPECT_EQ(Entries(work), QStringList{"av"});
}

TEST_F(ConverterDeploy, ReplacesAnExistingFile) {
  ASSERT_TRUE(WriteAll(work + "av", "an old converter"));
  ScopedPath path(bin);
  DeployConverter(work);
  EXPECT_TRUE(QFileInfo(work + "av").isSymLink());
  EXPECT_EQ(LinkTarget(), fakeFfmpeg);
}

// A converter starting while another start redeploys must always find "av".
TEST_F(ConverterDeploy, ReplacesWithoutAGap) {
  ScopedPath path(bin);
  DeployConverter(work);
  const QByteArray link = QFile::encodeName(work + "av");
  std::atomic<bool> done{false};
  std::atomic<int> looks{0}, misses{0};
  std::thread reader([&] {
    char buffer[4096];
    while (!done) {
      if (::readlink(link.constData(), buffer, sizeof buffer) < 0) ++misses;
      ++looks;
    }
  });
  for (int i = 0; i < 500; ++i) DeployConverter(work);
  done = true;
  reader.join();
  EXPECT_GT(looks.load(), 0);
  EXPECT_EQ(misses.load(), 0);
  EXPECT_EQ(Entries(work), QStringList{"av"});
}

TEST_F(ConverterDeploy, SilentWithoutFfmpegOrFolder) {
  const QString empty = root.filePath("nothing");
  ASSERT_TRUE(QDir().mkpath(empty));
  ScopedPath path(empty);
  DeployConverter(work);
  EXPECT_TRUE(Entries(work).isEmpty());
  DeployConverter(root.filePath("missing/Korvexa/"));
  EXPECT_FALSE(QFileInfo::exists(root.filePath("missing")));
  DeployConverter(QString());
}

}  // namespace
