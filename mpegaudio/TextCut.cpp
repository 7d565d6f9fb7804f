#include "TextCut.h"

namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

std::size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

std::string CutText(std::string_view text, std::size_t capacity) {
  if (text.size() <= capacity) return std::string(text);
  std::size_t cut = capacity;
  if (IsContinuation(static_cast<unsigned char>(text[cut]))) {
    std::size_t k = cut;
    while (k > 0 && cut - k < 3 && IsContinuation(static_cast<unsigned char>(text[k - 1]))) --k;
    if (k > 0) {
      const std::size_t lead = k - 1;
      if (lead + SequenceLength(static_cast<unsigned char>(text[lead])) > cut) cut = lead;
    }
  }
  return std::string(text.substr(0, cut));
}

std::string NameAndExtension(std::string_view path) {
  const std::size_t slash = path.rfind('/');
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}
