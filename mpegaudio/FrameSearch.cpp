#include "FrameSearch.h"

#include "FrameHeader.h"
#include "MPGHooks.h"

#include <algorithm>

TFrameSearch::TFrameSearch(TFileReader& file, TMPEGAudioInfo& info, std::int32_t scanLimit)
    : File_(file), Info_(info), ScanLimit_(scanLimit) {}

TFrameSearch::TOutcome TFrameSearch::Run(std::int32_t& firstFramePos) {
  const std::int64_t end = Info_.FileLength;
  File_.Seek(Info_.ID3v2Size);
  for (;;) {
    std::uint8_t bytes[4];
    if (!File_.Read(bytes, sizeof bytes)) return TOutcome::FileEnded;
    std::uint32_t header = ReadBigEndian32(bytes);
    if (!Slide(header)) return TOutcome::FileEnded;

    const std::int64_t candidate = File_.Position() - 4;
    firstFramePos = static_cast<std::int32_t>(candidate);
    // The protection bit (1: no CRC) counting as two bytes of room looks odd,
    // but it is the rule candidates near the end are judged by.
    const std::int64_t room = end - candidate - Info_.FrameLength + (Info_.ProtectionBit ? 2 : 0);
    if (InfoIsValid(Info_) && room > 0) {
      File_.Seek(candidate + Info_.FrameLength);
      // A second header cut off by the end of the file rejects the candidate
      // like any other mismatch, rather than leaving one lone header standing
      // as the stream's description.
      if (File_.Read(bytes, sizeof bytes) && DecodeHeader(ReadBigEndian32(bytes), Info_))
        return TOutcome::PairFound;
      Info_.ResetKeepingFileFacts();
      File_.Seek(candidate + 1);
    } else {
      Info_.ResetKeepingFileFacts();
      firstFramePos = static_cast<std::int32_t>(end + 1);
    }
    const std::int64_t position = File_.Position();
    if (position >= end || (ScanLimit_ > 0 && position > ScanLimit_)) return TOutcome::NoPair;
  }
}

bool TFrameSearch::Slide(std::uint32_t& header) {
  const std::int64_t end = Info_.FileLength;
  const std::int64_t limit = ScanLimit_;
  std::int64_t position = File_.Position();
  std::int64_t nextPump = (position / PumpInterval + 1) * PumpInterval;
  for (;;) {
    if (HasFrameSync(header) && DecodeHeader(header, Info_)) return true;
    if (position >= end || (limit != 0 && position > limit)) break;
    const auto bytes = File_.Peek();
    if (bytes.empty()) return false;
    // Bytes that can be taken before anything else needs checking.
    std::int64_t stop = std::min(end, nextPump);
    if (limit != 0) stop = std::min(stop, limit + 1);
    const auto count = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(bytes.size()), stop - position));
    std::size_t taken = 0;
    while (taken < count) {
      header = header << 8 | bytes[taken++];
      if (HasFrameSync(header)) break;
    }
    File_.Skip(taken);
    position += static_cast<std::int64_t>(taken);
    if (position == nextPump) {
      PumpMessages();
      nextPump += PumpInterval;
    }
  }
  // Leaves the record as decoding the last value would, sync or not.
  DecodeHeader(header, Info_);
  return true;
}
