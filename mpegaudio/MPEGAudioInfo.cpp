#include "MPEGAudioInfo.h"

#include <utility>

void TMPEGAudioInfo::Reset() {
  *this = TMPEGAudioInfo{};
  TagId = "BAD";
  Title = "[notag]";
  Artist = "[notag]";
  Album = "[notag]";
  Year = "    ";
  Comment = "[notag]";
  Genre = 255;
}

void TMPEGAudioInfo::ResetKeepingFileFacts() {
  TMPEGAudioInfo kept;
  kept.FileName = std::move(FileName);
  kept.FileLength = FileLength;
  kept.FileDate = FileDate;
  kept.FileAttr = FileAttr;
  kept.VolumeLabel = std::move(VolumeLabel);
  kept.ID3v2Size = ID3v2Size;
  Reset();
  FileName = std::move(kept.FileName);
  FileLength = kept.FileLength;
  FileDate = kept.FileDate;
  FileAttr = kept.FileAttr;
  VolumeLabel = std::move(kept.VolumeLabel);
  ID3v2Size = kept.ID3v2Size;
}
