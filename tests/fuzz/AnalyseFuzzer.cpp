// libFuzzer target: Analyse over arbitrary bytes. The bytes go to an in-memory
// file, so each run goes through the real open, read and seek paths.
#include "MPGTools.h"

#include <cstdlib>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

int MemoryFile() {
  static const int fd = ::memfd_create("fuzz.mp3", MFD_CLOEXEC);
  if (fd < 0) std::abort();
  return fd;
}

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

void CheckRecord(const TMPEGAudio& audio, std::int32_t result, std::size_t size) {
  const TMPEGAudioInfo& info = audio.Info;
  Check(info.TagId.size() <= TMPEGAudioInfo::TagIdCapacity);
  for (const std::string* text : {&info.Title, &info.Artist, &info.Album, &info.Comment})
    Check(text->size() <= TMPEGAudioInfo::TagTextCapacity);
  Check(info.Year.size() == TMPEGAudioInfo::YearLength);
  Check(info.FileName.size() <= TMPEGAudioInfo::FileNameCapacity);
  Check(info.FileLength == static_cast<std::int32_t>(size > 5 ? size : 0));
  Check(info.ID3v2Size >= 0 && info.ID3v2Size <= info.FileLength);
  if (result == 0 && size > 5) {
    Check(audio.IsValid());
    Check(audio.FirstFramePos >= info.ID3v2Size && audio.FirstFramePos < info.FileLength);
  }
  if (result != 0) Check(!audio.ErrorText().empty());
  // Every text form must be computable from whatever the record holds.
  (void)audio.BitRateText();
  (void)audio.ModeText();
  (void)audio.GenreText();
  (void)audio.TitleOrDefault();
  (void)audio.FileDateTime();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const int fd = MemoryFile();
  if (::ftruncate(fd, 0) != 0 || ::pwrite(fd, data, size, 0) != static_cast<ssize_t>(size))
    std::abort();

  static std::size_t pumps = 0;
  SetPumpMessages([] { ++pumps; });

  TMPEGAudio audio;
  audio.OnError = nullptr;
  audio.AutoLoad = false;
  audio.SetFileName("/proc/self/fd/" + std::to_string(fd));
  for (const std::int32_t limit : {0, static_cast<std::int32_t>(size / 2)}) {
    audio.ScanLimit = limit;
    const std::int32_t result = audio.Analyse();
    Check(result == 0 || result == -1);
    CheckRecord(audio, result, size);
  }
  return 0;
}
