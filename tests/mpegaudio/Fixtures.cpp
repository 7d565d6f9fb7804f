#include "Fixtures.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sys/wait.h>
#include <stdexcept>

TTempDir::TTempDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "mpegaudio-test-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed: " + pattern);
  Path_ = pattern;
}

TTempDir::~TTempDir() {
  std::error_code ignored;
  std::filesystem::remove_all(Path_, ignored);
}

TBytes HeaderBytes(std::uint32_t header) {
  return {static_cast<std::uint8_t>(header >> 24), static_cast<std::uint8_t>(header >> 16),
          static_cast<std::uint8_t>(header >> 8), static_cast<std::uint8_t>(header)};
}

TBytes FrameStream(std::uint32_t header, std::size_t frameLength, std::size_t totalLength) {
  TBytes bytes(totalLength, 0);
  const TBytes head = HeaderBytes(header);
  for (std::size_t at = 0; at < totalLength; at += frameLength)
    for (std::size_t i = 0; i < head.size() && at + i < totalLength; ++i) bytes[at + i] = head[i];
  return bytes;
}

TBytes Junk(std::size_t length, std::uint8_t seed) {
  TBytes bytes(length);
  std::uint32_t state = seed;
  for (auto& byte : bytes) {
    state = state * 1664525u + 1013904223u;
    byte = static_cast<std::uint8_t>(state >> 24) % 0xFF;
  }
  return bytes;
}

TBytes ID3v2Header(std::uint32_t bodyLength, bool footer) {
  return {'I', 'D', '3', 4, 0, static_cast<std::uint8_t>(footer ? 0x10 : 0),
          static_cast<std::uint8_t>(bodyLength >> 21 & 0x7F),
          static_cast<std::uint8_t>(bodyLength >> 14 & 0x7F),
          static_cast<std::uint8_t>(bodyLength >> 7 & 0x7F),
          static_cast<std::uint8_t>(bodyLength & 0x7F)};
}

TBytes operator+(TBytes a, const TBytes& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

void Put(TBytes& bytes, std::size_t offset, const TBytes& part) {
  if (bytes.size() < offset + part.size()) bytes.resize(offset + part.size());
  std::copy(part.begin(), part.end(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
}

void PutBigEndian32(TBytes& bytes, std::size_t offset, std::uint32_t value) {
  Put(bytes, offset, HeaderBytes(value));
}

void WriteFile(const std::string& path, const TBytes& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

bool RunCommand(const std::string& command) { return std::system(command.c_str()) == 0; }

TCommandResult Capture(const std::string& command) {
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return {-1, {}};
  std::string text;
  char chunk[4096];
  while (std::size_t got = std::fread(chunk, 1, sizeof chunk, pipe)) text.append(chunk, got);
  const int status = ::pclose(pipe);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
}
