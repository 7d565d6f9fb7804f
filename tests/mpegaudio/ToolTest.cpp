// chimora-info, run as a separate process as people and scripts run it.
#include "Fixtures.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const std::string Tool = CHIMORA_INFO_PATH;

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream stream(text);
  for (std::string part; std::getline(stream, part, separator);) parts.push_back(part);
  if (!text.empty() && text.back() == separator) parts.emplace_back();
  return parts;
}

class InfoTool : public ::testing::Test {
protected:
  void SetUp() override {
    WriteFile(dir.File("song.mp3"), FrameStream(Mpeg1Layer3Header, 417, 4000000));
    TBytes tag(128, 0);
    const std::string text = "TAGa\tb\nc";
    std::copy(text.begin(), text.end(), tag.begin());
    tag[127] = 17;
    WriteFile(dir.File("tagged.mp3"), FrameStream(Mpeg1Layer3Header, 417, 41700) + tag);
  }
  TCommandResult Info(const std::string& arguments) {
    return Capture("cd '" + dir.Path().string() + "' && " + Tool + " " + arguments + " 2>/dev/null");
  }
  TTempDir dir;
};

TEST_F(InfoTool, ExitStatus) {
  const struct {
    const char* arguments;
    int exitCode;
  } cases[] = {
      {"song.mp3", 0},
      {"song.mp3 gone.mp3", 1},
      {"--tsv gone.mp3", 1},
      {"", 2},
      {"--tsv", 2},
      {"--bogus song.mp3", 2},
      {"--help", 0},
      {"-- song.mp3", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(Info(c.arguments).exitCode, c.exitCode) << c.arguments;
}

TEST_F(InfoTool, TabSeparatedColumns) {
  const TCommandResult run = Info("--tsv song.mp3 gone.mp3 tagged.mp3");
  const auto lines = Split(run.output, '\n');
  ASSERT_EQ(lines.size(), 4u) << run.output;
  EXPECT_EQ(lines[0],
            "file\tresult\tfirst_frame_pos\tversion\tlayer\tsamplerate\tbitrate\tmode\t"
            "framelength\tduration\ttag_id\ttitle\tartist\talbum\tyear\tcomment\ttrack\tgenre");
  for (const auto& line : lines) EXPECT_EQ(Split(line, '\t').size(), 18u) << line;
  EXPECT_EQ(lines[1],
            "song.mp3\t0\t0\t1\t3\t44100\t128\t1\t417\t250\tBAD\tsong.mp3\t[notag]\t[notag]\t"
            "    \t[notag]\t0\t255");
  EXPECT_EQ(lines[2],
            "gone.mp3\t-1\t0\t0\t0\t0\t0\t0\t0\t0\tBAD\t[not found: gone.mp3]\t[notag]\t[notag]\t"
            "    \t[notag]\t0\t255");
  // The tag's tab and line break become spaces; zero bytes in the year too.
  EXPECT_EQ(lines[3],
            "tagged.mp3\t0\t0\t1\t3\t44100\t128\t1\t417\t2\tTAG\ta b c\t\t\t    \t\t0\t17");
}

TEST_F(InfoTool, ReadableReport) {
  const TCommandResult run = Info("song.mp3 tagged.mp3 gone.mp3");
  EXPECT_NE(run.output.find("duration     0:04:10"), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("bit rate     128 kbit/s"), std::string::npos);
  EXPECT_NE(run.output.find("version      MPEG 1.0, Layer III"), std::string::npos);
  EXPECT_NE(run.output.find("genre        Rock (17)"), std::string::npos);
  EXPECT_NE(run.output.find("file not found: " + dir.File("gone.mp3")), std::string::npos);
}

// Odd and broken files from other projects' test data, where present.
TEST(InfoToolSamples, SurvivesEveryRealSample) {
  const std::filesystem::path samples = CHIMORA_MP3_SAMPLES;
  if (!std::filesystem::is_directory(samples)) GTEST_SKIP() << "no samples at " << samples;
  std::string files;
  for (const auto& entry : std::filesystem::directory_iterator(samples))
    if (entry.path().filename().string().rfind("x_", 0) == 0)
      files += " '" + entry.path().string() + "'";
  ASSERT_FALSE(files.empty());
  const TCommandResult run = Capture("timeout 60 " + Tool + " --tsv" + files);
  EXPECT_TRUE(run.exitCode == 0 || run.exitCode == 1) << "exit " << run.exitCode;
  EXPECT_EQ(Split(run.output, '\n').size(), 1 + Split(files, '\'').size() / 2);
}

}  // namespace
