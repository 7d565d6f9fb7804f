#include "FileReader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {
constexpr std::int64_t LargestBuffer = 256 * 1024;
}

TFileReader::~TFileReader() {
  if (Fd_ >= 0) ::close(Fd_);
}

int TFileReader::Open(const std::string& path) {
  int fd;
  do {
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  } while (fd < 0 && errno == EINTR);
  if (fd < 0) return errno;
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    const int error = errno;
    ::close(fd);
    return error;
  }
  if (!S_ISREG(status.st_mode)) {
    ::close(fd);
    return S_ISDIR(status.st_mode) ? EISDIR : ENODEV;
  }
  Fd_ = fd;
  Status_ = status;
  Position_ = 0;
  BufferCapacity_ = static_cast<std::size_t>(std::clamp<std::int64_t>(status.st_size, 1, LargestBuffer));
  Buffer_ = std::make_unique_for_overwrite<std::uint8_t[]>(BufferCapacity_);
  BufferLength_ = 0;
  BufferStart_ = 0;
  return 0;
}

void TFileReader::Seek(std::int64_t position) { Position_ = std::max<std::int64_t>(position, 0); }

bool TFileReader::Fill() {
  std::size_t filled = 0;
  while (filled < BufferCapacity_) {
    const ssize_t got = ::pread(Fd_, Buffer_.get() + filled, BufferCapacity_ - filled,
                                static_cast<off_t>(Position_ + static_cast<std::int64_t>(filled)));
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) break;
    filled += static_cast<std::size_t>(got);
  }
  BufferLength_ = filled;
  BufferStart_ = Position_;
  return filled > 0;
}

std::span<const std::uint8_t> TFileReader::Peek() {
  const std::int64_t end = BufferStart_ + static_cast<std::int64_t>(BufferLength_);
  if (Position_ < BufferStart_ || Position_ >= end) {
    if (Fd_ < 0 || !Fill()) return {};
  }
  const auto offset = static_cast<std::size_t>(Position_ - BufferStart_);
  return {Buffer_.get() + offset, BufferLength_ - offset};
}

bool TFileReader::Read(void* target, std::size_t count) {
  auto* out = static_cast<std::uint8_t*>(target);
  while (count > 0) {
    const auto available = Peek();
    if (available.empty()) return false;
    const std::size_t take = std::min(count, available.size());
    std::memcpy(out, available.data(), take);
    out += take;
    count -= take;
    Skip(take);
  }
  return true;
}
