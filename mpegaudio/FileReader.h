// A read-only file with a read buffer, so that a byte-by-byte search costs a
// system call per buffer rather than per byte.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <sys/stat.h>
#include <memory>

class TFileReader {
public:
  TFileReader() = default;
  ~TFileReader();
  TFileReader(const TFileReader&) = delete;
  TFileReader& operator=(const TFileReader&) = delete;

  // 0 when open, else the errno of the failure. Only regular files open:
  // a FIFO or a device could block or never end.
  int Open(const std::string& path);
  const struct stat& Status() const { return Status_; }
  std::int64_t Size() const { return Status_.st_size; }

  std::int64_t Position() const { return Position_; }
  void Seek(std::int64_t position);
  // False when the file ends (or fails) before all count bytes are read.
  bool Read(void* target, std::size_t count);
  // The buffered bytes from the position on, refilled when none are left;
  // empty at the end of the file.
  std::span<const std::uint8_t> Peek();
  void Skip(std::size_t count) { Position_ += static_cast<std::int64_t>(count); }

private:
  bool Fill();

  int Fd_ = -1;
  struct stat Status_ {};
  std::int64_t Position_ = 0;
  std::unique_ptr<std::uint8_t[]> Buffer_;
  std::size_t BufferCapacity_ = 0;
  std::size_t BufferLength_ = 0;
  std::int64_t BufferStart_ = 0;  // file offset of Buffer_[0]
};
