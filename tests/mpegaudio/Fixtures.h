// Byte fixtures and temporary files for the analyser's tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "MPGTools.h"

using TBytes = std::vector<std::uint8_t>;

// A fresh folder under the system's temporary directory, removed at the end.
class TTempDir {
public:
  TTempDir();
  ~TTempDir();
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  const std::filesystem::path& Path() const { return Path_; }
  std::string File(const std::string& name) const { return (Path_ / name).string(); }

private:
  std::filesystem::path Path_;
};

// MPEG 1 Layer III, 128 kbit/s, 44100 Hz, joint stereo, no CRC: 417-byte frames.
constexpr std::uint32_t Mpeg1Layer3Header = 0xFFFB9064;

TBytes HeaderBytes(std::uint32_t header);
// Frames of frameLength bytes, each starting with header and zero-filled,
// cut to exactly totalLength bytes.
TBytes FrameStream(std::uint32_t header, std::size_t frameLength, std::size_t totalLength);
// Bytes that hold no 0xFF, so no frame sync can appear in them.
TBytes Junk(std::size_t length, std::uint8_t seed = 1);
// An ID3v2.4 header for a tag body of bodyLength bytes (sync-safe size).
TBytes ID3v2Header(std::uint32_t bodyLength, bool footer = false);

TBytes operator+(TBytes a, const TBytes& b);
void Put(TBytes& bytes, std::size_t offset, const TBytes& part);
void PutBigEndian32(TBytes& bytes, std::size_t offset, std::uint32_t value);
void WriteFile(const std::string& path, const TBytes& bytes);

// Runs a shell command line; true when it exits 0.
bool RunCommand(const std::string& command);

struct TCommandResult {
  int exitCode;  // -1 when killed by a signal
  std::string output;  // standard output, trailing line breaks removed
};
TCommandResult Capture(const std::string& command);

// An analyser with no error box and no automatic analysis, over files written
// into a fresh folder.
class TAnalyserFixture : public ::testing::Test {
protected:
  void SetUp() override {
    audio.OnError = nullptr;
    audio.AutoLoad = false;
  }

  std::int32_t AnalyseBytes(const TBytes& bytes, const std::string& name = "song.mp3") {
    WriteFile(dir.File(name), bytes);
    audio.SetFileName(dir.File(name));
    return audio.Analyse();
  }

  TTempDir dir;
  TMPEGAudio audio;
};
