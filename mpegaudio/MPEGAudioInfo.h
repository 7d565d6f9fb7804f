// The analysis record: what one MPEG audio file was found to hold.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

struct TMPEGAudioInfo {
  // Text capacities in bytes; CutText keeps a longer text's leading bytes.
  static constexpr std::size_t TagIdCapacity = 3;
  static constexpr std::size_t TagTextCapacity = 30;  // Title, Artist, Album, Comment
  static constexpr std::size_t YearLength = 4;
  static constexpr std::size_t FileNameCapacity = 255;
  static constexpr std::size_t VolumeLabelCapacity = 20;

  std::string TagId;
  std::string Title;
  std::string Artist;
  std::string Album;
  std::string Year;
  std::string Comment;
  std::uint8_t Genre = 0;
  std::uint8_t Track = 0;
  std::uint16_t Duration = 0;  // whole seconds
  std::int32_t FileLength = 0;
  std::uint8_t Version = 0;  // 1 MPEG 1, 2 MPEG 2, 3 MPEG 2.5, 0 unusable
  std::uint8_t Layer = 0;    // 1 to 3, 0 unusable
  std::int32_t SampleRate = 0;  // Hz
  std::int32_t BitRate = 0;     // kbit/s, -1 for a Xing VBR file
  std::uint8_t Mode = 0;        // 0 stereo, 1 joint, 2 dual channel, 3 single channel
  bool Copyrighted = false;
  bool Original = false;
  bool ProtectionBit = false;  // as stored: true means no CRC follows
  bool Padding = false;
  std::uint16_t FrameLength = 0;  // bytes, header included; the average for VBR
  std::string FileName;
  std::int32_t FileDate = 0;  // packed local date (high 16 bits) and time, -1 unreadable
  std::uint16_t FileAttr = 0;
  std::string VolumeLabel;
  // Bytes of the ID3v2 tags the file starts with: not audio, so neither
  // searched nor counted in the duration.
  std::int32_t ID3v2Size = 0;

  // The state an analysis starts from: "[notag]" texts, no genre.
  void Reset();
  // The same, keeping FileName and the facts read from the file system.
  void ResetKeepingFileFacts();
};
