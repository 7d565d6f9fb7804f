#include "ID3v2Tag.h"

#include <cstring>

std::int64_t ID3v2TagLength(const std::uint8_t (&header)[ID3v2HeaderLength]) {
  if (std::memcmp(header, "ID3", 3) != 0 || header[3] == 0xFF || header[4] == 0xFF) return 0;
  std::int64_t size = 0;
  for (std::size_t i = 6; i < 10; ++i) {
    if (header[i] & 0x80) return 0;
    size = size << 7 | header[i];
  }
  constexpr std::uint8_t FooterPresent = 0x10;
  const std::int64_t footer = (header[5] & FooterPresent) ? 10 : 0;
  return std::int64_t{ID3v2HeaderLength} + size + footer;
}
