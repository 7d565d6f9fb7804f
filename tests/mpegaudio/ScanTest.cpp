#include "Fixtures.h"
#include "MPGTools.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::int64_t PastTheEnd = -100;  // FirstFramePos = FileLength + 1

// Whether the last UTF-8 sequence of text is complete.
bool EndsOnACharacter(const std::string& text) {
  std::size_t i = text.size();
  std::size_t continuations = 0;
  while (i > 0 && (static_cast<unsigned char>(text[i - 1]) & 0xC0) == 0x80) --i, ++continuations;
  if (i == 0) return continuations == 0;
  const auto lead = static_cast<unsigned char>(text[i - 1]);
  const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  return continuations + 1 == length;
}

class Scan : public TAnalyserFixture {
protected:
  void ExpectFirstFrame(std::int64_t expected) {
    EXPECT_EQ(audio.FirstFramePos, expected == PastTheEnd ? audio.Info.FileLength + 1 : expected);
  }
};

// A header at 0 whose frame length lands on zeroes, overlapping the real
// stream that starts at 3 (the header's last byte may be 0xFF).
TBytes FalseSyncThenStream() {
  TBytes bytes = HeaderBytes(0xFFFB90FF) + FrameStream(Mpeg1Layer3Header, 417, 417 * 20);
  bytes.erase(bytes.begin() + 3);
  return bytes;
}

TEST_F(Scan, FindsTheFirstFramePair) {
  const struct {
    const char* name;
    TBytes bytes;
    std::int32_t scanLimit;
    std::int32_t result;
    std::int64_t firstFramePos;
    std::uint16_t duration;
    std::int32_t bitRate;
  } cases[] = {
      {"frame at 0", FrameStream(Mpeg1Layer3Header, 417, 4000000), 0, 0, 0, 250, 128},
      // 3 999 000 stream bytes alone would give 249 s: the other data counts.
      {"after 1000 bytes of other data",
       Junk(1000) + FrameStream(Mpeg1Layer3Header, 417, 3999000), 0, 0, 1000, 250, 128},
      {"false sync resumes one byte on", FalseSyncThenStream(), 0, 0, 3, 0, 128},
      {"scan limit before the first frame",
       Junk(5000) + FrameStream(Mpeg1Layer3Header, 417, 100000), 2000, -1, PastTheEnd, 0, 0},
      {"scan limit past the first frame",
       Junk(5000) + FrameStream(Mpeg1Layer3Header, 417, 100000), 6000, 0, 5000, 6, 128},
      {"no frame at all", Junk(70000), 0, -1, PastTheEnd, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    audio.ScanLimit = c.scanLimit;
    EXPECT_EQ(AnalyseBytes(c.bytes), c.result);
    ExpectFirstFrame(c.firstFramePos);
    EXPECT_EQ(audio.Info.Duration, c.duration);
    EXPECT_EQ(audio.Info.BitRate, c.bitRate);
    EXPECT_EQ(audio.IsValid(), c.result == 0);
    EXPECT_EQ(audio.ErrorText().empty(), c.result == 0) << audio.ErrorText();
  }
}

TEST_F(Scan, LastHeaderWithoutRoomForASecondIsNoPair) {
  const struct {
    const char* name;
    std::uint32_t header;
  } cases[] = {
      {"CRC flag clear: frame ends at the file's end", 0xFFFA9064},
      // The flag widens the room, so the second header is sought at the
      // file's end: cut off, it rejects the candidate too.
      {"no-CRC flag set: second header cut off", Mpeg1Layer3Header},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(AnalyseBytes(FrameStream(c.header, 417, 417)), -1);
    ExpectFirstFrame(PastTheEnd);
    EXPECT_FALSE(audio.IsValid());
    EXPECT_EQ(audio.Info.BitRate, 0);
    EXPECT_EQ(audio.Info.FileLength, 417);
  }
}

// A first frame with a Xing header at offset, followed by frames up to length.
TBytes XingFile(std::uint32_t header, std::size_t frameLength, std::size_t offset,
                const char* id, std::uint32_t flags, std::uint32_t frames) {
  TBytes bytes = FrameStream(header, frameLength, frameLength * 40);
  Put(bytes, offset, TBytes(id, id + 4));
  PutBigEndian32(bytes, offset + 4, flags);
  if (flags & 1) PutBigEndian32(bytes, offset + 8, frames);
  return bytes;
}

TEST_F(Scan, ReadsTheXingHeader) {
  const struct {
    const char* name;
    TBytes bytes;
    std::int32_t result;
    std::int32_t bitRate;
    std::uint16_t duration;
    std::uint16_t frameLength;
  } cases[] = {
      {"mpeg1 stereo", XingFile(Mpeg1Layer3Header, 417, 36, "Xing", 0xF, 10000), 0, -1, 261, 1},
      {"mpeg1 mono", XingFile(0xFFFB90C4, 417, 21, "Xing", 0x1, 10000), 0, -1, 261, 1},
      {"mpeg2 stereo: 576 samples a frame", XingFile(0xFFF38044, 208, 21, "Xing", 0x1, 1000),
       0, -1, 26, 8},
      {"mpeg2 mono", XingFile(0xFFF380C4, 208, 13, "Xing", 0x1, 1000), 0, -1, 26, 8},
      {"4.5 s rounds to even", XingFile(0xFFFB9864, 576, 36, "Xing", 0x1, 125), 0, -1, 4, 184},
      {"13.5 s rounds to even", XingFile(0xFFFB9864, 576, 36, "Xing", 0x1, 375), 0, -1, 14, 61},
      {"no frame count flag", XingFile(Mpeg1Layer3Header, 417, 36, "Xing", 0x6, 10000), -1, -1,
       0, 417},
      {"frame count 0", XingFile(Mpeg1Layer3Header, 417, 36, "Xing", 0x1, 0), -1, -1, 0, 417},
      {"Info header is measured as CBR", XingFile(Mpeg1Layer3Header, 417, 36, "Info", 0x1, 10),
       0, 128, 1, 417},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(AnalyseBytes(c.bytes), c.result);
    EXPECT_EQ(audio.Info.BitRate, c.bitRate);
    EXPECT_EQ(audio.BitRateText(), c.bitRate == -1 ? "VBR" : std::to_string(c.bitRate));
    EXPECT_EQ(audio.Info.Duration, c.duration);
    EXPECT_EQ(audio.Info.FrameLength, c.frameLength);
  }
}

TEST_F(Scan, XingWithoutFrameCountSkipsTheTag) {
  TBytes tag(128, 0);
  Put(tag, 0, {'T', 'A', 'G', 'S', 'o', 'n', 'g'});
  EXPECT_EQ(AnalyseBytes(XingFile(Mpeg1Layer3Header, 417, 36, "Xing", 0, 0) + tag), -1);
  EXPECT_EQ(audio.Info.Title, "[notag]");
  EXPECT_FALSE(audio.HasTag());
}

TEST_F(Scan, ID3v2TagIsNeitherSearchedNorCounted) {
  // Two headers a frame apart inside a cover picture would make a false pair.
  TBytes picture = Junk(800000);
  Put(picture, 100, HeaderBytes(Mpeg1Layer3Header));
  Put(picture, 517, HeaderBytes(Mpeg1Layer3Header));
  const TBytes stream = FrameStream(Mpeg1Layer3Header, 417, 4000000);
  const struct {
    const char* name;
    TBytes bytes;
    std::int64_t firstFramePos;
    std::uint16_t duration;
  } cases[] = {
      {"tag with a false pair in its picture", ID3v2Header(800000) + picture + stream, 800010,
       250},
      {"tag with footer", ID3v2Header(800000, true) + picture + Junk(10) + stream, 800020, 250},
      {"two tags", ID3v2Header(50) + Junk(50) + ID3v2Header(100) + Junk(100) + stream, 170, 250},
      {"tag longer than the file is other data", ID3v2Header(9000000) + stream, 10, 250},
      {"padding after the tag is still searched", ID3v2Header(100) + Junk(100) + TBytes(16000, 0) +
       stream, 16110, 251},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(AnalyseBytes(c.bytes), 0);
    EXPECT_EQ(audio.FirstFramePos, c.firstFramePos);
    EXPECT_EQ(audio.Info.Duration, c.duration);
  }
}

TEST_F(Scan, SmallAndNonMpegFiles) {
  const struct {
    const char* name;
    TBytes bytes;
    std::int32_t result;
    bool factsRead;
  } cases[] = {
      {"empty", {}, 0, false},
      {"5 bytes", {0xFF, 0xFB, 0x90, 0x64, 0}, 0, false},
      {"text", TBytes{'h', 'e', 'l', 'l', 'o', ' ', 't', 'e', 'x', 't', '\n'}, -1, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    int boxes = 0;
    SetErrorBox([&boxes](const std::string&) {
      ++boxes;
      return std::uint16_t{ErrorBoxCancel};
    });
    audio.OnError = nullptr;
    EXPECT_EQ(AnalyseBytes(c.bytes), c.result);
    EXPECT_EQ(audio.Info.Duration, 0);
    EXPECT_EQ(audio.Info.FileLength, c.factsRead ? std::int32_t(c.bytes.size()) : 0);
    EXPECT_EQ(audio.Info.FileDate != 0, c.factsRead);
    EXPECT_EQ(audio.Info.Title, "[notag]");
    EXPECT_EQ(audio.Info.TagId, "BAD");
    EXPECT_EQ(audio.Info.Genre, 255);
    EXPECT_EQ(audio.Info.FileName, dir.File("song.mp3"));

    audio.OnError = ShowOpenError;
    EXPECT_EQ(AnalyseBytes(c.bytes), c.result == 0 ? 0 : ErrorBoxCancel);
    EXPECT_EQ(boxes, c.result == 0 ? 0 : 1);
    SetErrorBox(nullptr);
  }
}

TEST_F(Scan, MissingFilesAndFolders) {
  std::filesystem::create_directory(dir.File("folder.mp3"));
  const struct {
    const char* name;
    std::string file;
    std::string title;
  } cases[] = {
      {"missing", "gone.mp3", "[not found: gone.mp3]"},
      {"long name cut to 30", "a-rather-long-missing-name.mp3", "[not found: a-rather-long-miss"},
      {"folder", "folder.mp3", "[not found: folder.mp3]"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    audio.SetFileName(dir.File(c.file));
    EXPECT_EQ(audio.Analyse(), -1);
    EXPECT_EQ(audio.Info.Title, c.title);
    EXPECT_NE(audio.ErrorText().find("not found"), std::string::npos);
  }
}

TEST_F(Scan, RelativeAndOverlongNames) {
  const TBytes stream = FrameStream(Mpeg1Layer3Header, 417, 41700);
  WriteFile(dir.File("rel.mp3"), stream);
  const auto previous = std::filesystem::current_path();
  std::filesystem::current_path(dir.Path());
  audio.SetFileName("./sub/../rel.mp3");
  const std::int32_t result = audio.Analyse();
  std::filesystem::current_path(previous);
  EXPECT_EQ(result, 0);
  EXPECT_EQ(audio.FileName(), dir.File("rel.mp3"));

  // A deep folder of Chinese names (three bytes a character) passes 255 bytes.
  std::filesystem::path deep = dir.Path();
  for (int i = 0; i < 6; ++i) deep /= "铃声文件夹铃声文件夹铃声文件夹";
  std::filesystem::create_directories(deep);
  const std::string name = (deep / "歌曲.mp3").string();
  ASSERT_GT(name.size(), 255u);
  WriteFile(name, stream);
  audio.SetFileName(name);
  EXPECT_EQ(audio.Analyse(), 0) << audio.ErrorText();
  EXPECT_LE(audio.Info.FileName.size(), 255u);
  EXPECT_EQ(name.compare(0, audio.Info.FileName.size(), audio.Info.FileName), 0);
  EXPECT_TRUE(EndsOnACharacter(audio.Info.FileName)) << audio.Info.FileName;
}

TEST_F(Scan, RetryThroughOnErrorAnalysesAgain) {
  const std::string name = dir.File("late.mp3");
  int calls = 0;
  audio.OnError = [&](TMPEGAudioInfo& info) {
    ++calls;
    EXPECT_EQ(info.Title, "[not found: late.mp3]");
    WriteFile(name, FrameStream(Mpeg1Layer3Header, 417, 4000000));
    return std::uint16_t{ErrorBoxRetry};
  };
  audio.AutoLoad = true;
  audio.SetFileName(name);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(audio.Info.Duration, 250);
  EXPECT_EQ(audio.Analyse(), 0);
  EXPECT_EQ(calls, 1);
}

TEST_F(Scan, DefaultErrorHandlerAsksTheInstalledBox) {
  WriteFile(dir.File("text.mp3"), {'n', 'o', 't', ' ', 'm', 'p', 'e', 'g'});
  audio.OnError = ShowOpenError;
  audio.SetFileName(dir.File("text.mp3"));

  EXPECT_EQ(audio.Analyse(), ErrorBoxCancel);  // no box installed: nothing blocks

  std::vector<std::string> texts;
  std::vector<std::uint16_t> answers = {ErrorBoxRetry, 0, ErrorBoxIgnore};
  SetErrorBox([&](const std::string& text) {
    texts.push_back(text);
    return answers[texts.size() - 1];
  });
  EXPECT_EQ(audio.Analyse(), ErrorBoxCancel);  // Retry, then a box closed otherwise
  EXPECT_EQ(audio.Analyse(), ErrorBoxIgnore);
  SetErrorBox(nullptr);
  ASSERT_EQ(texts.size(), 3u);
  EXPECT_EQ(texts[0], "Error openning file: " + dir.File("text.mp3"));
}

TEST_F(Scan, PumpIsOfferedAtEveryThreeHundredthPosition) {
  const struct {
    const char* name;
    TBytes bytes;
    int pumps;
  } cases[] = {
      {"64 KiB without frames", Junk(65536), 65536 / 300},
      {"after an ID3v2 tag", ID3v2Header(1000) + Junk(1000) + Junk(64526), 65536 / 300 - 3},
      {"frame at 0", FrameStream(Mpeg1Layer3Header, 417, 65536), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    int pumps = 0;
    SetPumpMessages([&pumps] { ++pumps; });
    AnalyseBytes(c.bytes);
    SetPumpMessages(nullptr);
    EXPECT_EQ(pumps, c.pumps);
  }
}

TEST_F(Scan, FilesThatCannotBeReadAsStreams) {
  const std::string fifo = dir.File("fifo.mp3");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  audio.SetFileName(fifo);
  EXPECT_EQ(audio.Analyse(), ENODEV);  // would block or never end
  EXPECT_NE(audio.ErrorText().find("not a regular file"), std::string::npos);

  // Sparse, so it costs no disk space.
  const std::string huge = dir.File("huge.mp3");
  WriteFile(huge, FrameStream(Mpeg1Layer3Header, 417, 4170));
  std::filesystem::resize_file(huge, std::uintmax_t{1} << 31);
  audio.SetFileName(huge);
  EXPECT_EQ(audio.Analyse(), -1);
  EXPECT_FALSE(audio.IsValid());
  EXPECT_NE(audio.ErrorText().find("too large"), std::string::npos);

  if (::geteuid() != 0) {
    const std::string locked = dir.File("locked.mp3");
    WriteFile(locked, FrameStream(Mpeg1Layer3Header, 417, 4170));
    ::chmod(locked.c_str(), 0);
    audio.SetFileName(locked);
    EXPECT_EQ(audio.Analyse(), EACCES);
  }
}

}  // namespace
