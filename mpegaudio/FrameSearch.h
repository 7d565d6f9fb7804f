// The search for the first pair of consecutive frame headers in a file.
#pragma once

#include "FileReader.h"
#include "MPEGAudioInfo.h"

#include <cstdint>

class TFrameSearch {
public:
  enum class TOutcome { PairFound, NoPair, FileEnded };

  // info must carry the file facts; it receives the second header's fields.
  TFrameSearch(TFileReader& file, TMPEGAudioInfo& info, std::int32_t scanLimit);

  // Slides one byte at a time from the end of any ID3v2 tag. firstFramePos
  // becomes the pair's first header, or FileLength + 1 after a candidate with
  // no room behind it.
  TOutcome Run(std::int32_t& firstFramePos);

private:
  static constexpr std::int64_t PumpInterval = 300;

  // Moves header on byte by byte until it decodes as a usable frame, or the
  // end of the file or the scan limit is reached. False if the file ends early.
  bool Slide(std::uint32_t& header);

  TFileReader& File_;
  TMPEGAudioInfo& Info_;
  std::int32_t ScanLimit_;
};
