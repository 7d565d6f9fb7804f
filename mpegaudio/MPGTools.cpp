#include "MPGTools.h"

#include "FileFacts.h"
#include "FileReader.h"
#include "FrameSearch.h"
#include "ID3v2Tag.h"

#include <cerrno>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

namespace {

// FirstFramePos may become FileLength + 1, which must still fit 32 bits.
constexpr std::int64_t LongestFile = std::numeric_limits<std::int32_t>::max() - 1;

// Bytes from a frame's start to its Xing header (header plus side information),
// by [MPEG 1, MPEG 2 or 2.5][two channels, single channel].
constexpr std::int64_t XingOffsets[2][2] = {{36, 21}, {21, 13}};
constexpr std::size_t XingFieldsLength = 116;
constexpr std::uint32_t XingHasFrameCount = 0x1;

std::string AbsoluteName(const std::string& name) {
  if (name.empty()) return {};
  std::error_code error;
  const auto full = std::filesystem::absolute(name, error);
  return error ? name : full.lexically_normal().string();
}

bool IsExistingFile(const std::string& name) {
  std::error_code error;
  const auto status = std::filesystem::status(name, error);
  return !error && std::filesystem::exists(status) && !std::filesystem::is_directory(status);
}

// Where the audio starts: after the ID3v2 tags at the file's start. A tag that
// claims more bytes than the file has is taken for other data.
std::int64_t LeadingID3v2Length(TFileReader& file) {
  std::int64_t start = 0;
  for (;;) {
    std::uint8_t header[ID3v2HeaderLength];
    file.Seek(start);
    if (start + std::int64_t{ID3v2HeaderLength} > file.Size() || !file.Read(header, sizeof header))
      return start;
    const std::int64_t length = ID3v2TagLength(header);
    if (length == 0 || start + length > file.Size()) return start;
    start += length;
  }
}

// Rounded half to even, as the default floating-point mode rounds.
std::uint16_t XingDuration(std::uint32_t frames, std::int32_t samplesPerFrame,
                           std::int32_t sampleRate) {
  const double seconds = static_cast<double>(samplesPerFrame) * frames / sampleRate;
  return static_cast<std::uint16_t>(static_cast<std::int64_t>(std::nearbyint(seconds)));
}

}  // namespace

TMPEGAudio::TMPEGAudio() = default;

void TMPEGAudio::SetFileName(const std::string& name) {
  Name_ = name;
  Info.FileName = CutText(name, TMPEGAudioInfo::FileNameCapacity);
  if (AutoLoad) Analyse();
}

std::int32_t TMPEGAudio::Analyse() {
  // The name written last, uncut, unless the record's name was changed since.
  const std::string source =
      CutText(Name_, TMPEGAudioInfo::FileNameCapacity) == Info.FileName ? Name_ : Info.FileName;
  ResetInfo();
  FullName_ = AbsoluteName(source);
  Info.FileName = CutText(FullName_, TMPEGAudioInfo::FileNameCapacity);
  for (;;) {
    // A retry starts from the record as the failed attempt left it.
    std::int32_t result = Attempt(source, FullName_);
    if (result == 0 || !OnError) return result;
    result = OnError(Info);
    if (result != ErrorBoxRetry) return result;
  }
}

void TMPEGAudio::ResetInfo() {
  Info.Reset();
  TemplateText = ExpandTemplate();
}

std::int32_t TMPEGAudio::Attempt(const std::string& source, const std::string& fullName) {
  ErrorText_.clear();
  if (!IsExistingFile(fullName)) {
    Info.Title = CutText("[not found: " + NameAndExtension(source) + "]",
                         TMPEGAudioInfo::TagTextCapacity);
    return Fail(-1, "file not found: " + fullName);
  }
  FirstFramePos = 0;
  TFileReader file;
  if (const int error = file.Open(fullName); error != 0) {
    const std::string reason = error == ENODEV ? "not a regular file" : std::strerror(error);
    return Fail(error, "cannot open " + fullName + ": " + reason);
  }
  if (file.Size() <= 5) return 0;
  ReadFileFacts(file);
  if (file.Size() > LongestFile) return Fail(-1, fullName + " is too large (2 GiB or more)");
  const std::int32_t result = ReadStream(file);
  TemplateText = ExpandTemplate();
  return result;
}

std::int32_t TMPEGAudio::ReadStream(TFileReader& file) {
  Info.ID3v2Size = static_cast<std::int32_t>(LeadingID3v2Length(file));
  TFrameSearch search(file, Info, ScanLimit);
  if (search.Run(FirstFramePos) != TFrameSearch::TOutcome::PairFound) {
    const std::string where = ScanLimit > 0 ? " in the first " + std::to_string(ScanLimit) +
                                                  " bytes of " + FullName_
                                            : " in " + FullName_;
    return Fail(-1, "no MPEG audio frame pair found" + where);
  }
  if (const std::int32_t result = ReadVBRHeader(file); result != 0) return result;
  if (Info.FileLength > static_cast<std::int32_t>(ID3v1TagLength)) return ReadTag(file);
  return 0;
}

std::int32_t TMPEGAudio::ReadVBRHeader(TFileReader& file) {
  const std::int64_t at =
      FirstFramePos + XingOffsets[Info.Version == 1 ? 0 : 1][Info.Mode == 3 ? 1 : 0];
  const std::string place = "byte " + std::to_string(at) + " of " + FullName_;
  file.Seek(at);
  std::uint8_t id[4];
  if (!file.Read(id, sizeof id)) return Fail(-1, "file ends before the VBR header place, " + place);
  if (std::memcmp(id, "Xing", sizeof id) != 0) return 0;

  Info.BitRate = -1;
  std::uint8_t fields[XingFieldsLength];
  if (!file.Read(fields, sizeof fields)) return Fail(-1, "Xing VBR header cut off, " + place);
  const std::uint32_t flags = ReadBigEndian32(fields);
  const std::uint32_t frames = (flags & XingHasFrameCount) ? ReadBigEndian32(fields + 4) : 0;
  Info.Duration = XingDuration(frames, SamplesPerFrame(Info.Version, Info.Layer), Info.SampleRate);
  if (frames == 0) return Fail(-1, "Xing VBR header without a frame count, " + place);
  const std::int64_t audioBytes = std::int64_t{Info.FileLength} - Info.ID3v2Size;
  Info.FrameLength = static_cast<std::uint16_t>(audioBytes / frames);
  return 0;
}

std::int32_t TMPEGAudio::ReadTag(TFileReader& file) {
  const std::int64_t at = std::int64_t{Info.FileLength} - std::int64_t{ID3v1TagLength};
  file.Seek(at);
  std::uint8_t block[ID3v1TagLength];
  if (!file.Read(block, sizeof block))
    return Fail(-1, "file ends before the ID3v1 tag place, byte " + std::to_string(at) + " of " +
                        FullName_);
  if (!ReadID3v1Tag(block, Info))
    Info.Title = CutText(NameAndExtension(FullName_), TMPEGAudioInfo::TagTextCapacity);
  return 0;
}

void TMPEGAudio::ReadFileFacts(const TFileReader& file) {
  const struct stat& status = file.Status();
  Info.FileDate = PackedFileDate(status.st_mtime);
  Info.FileAttr = static_cast<std::uint16_t>(status.st_mode);
  Info.VolumeLabel = CutText(VolumeLabelOf(status.st_dev), TMPEGAudioInfo::VolumeLabelCapacity);
  Info.FileLength = file.Size() <= LongestFile ? static_cast<std::int32_t>(file.Size()) : 0;
}

std::int32_t TMPEGAudio::Fail(std::int32_t result, std::string text) {
  ErrorText_ = std::move(text);
  return result;
}

std::string TMPEGAudio::ExpandTemplate() const { return Template; }

double TMPEGAudio::DurationTime() const { return SecondsToTime(Info.Duration); }

std::string TMPEGAudio::BitRateText() const {
  return Info.BitRate == -1 ? "VBR" : std::to_string(Info.BitRate);
}

std::string TMPEGAudio::StereoText() const { return Info.Mode == 3 ? "Mono" : "Stereo"; }
std::string TMPEGAudio::ModeText() const { return NameAt(ModeNames, Info.Mode); }
std::string TMPEGAudio::LayerText() const { return NameAt(LayerNames, Info.Layer); }
std::string TMPEGAudio::VersionText() const { return NameAt(VersionNames, Info.Version); }

std::string TMPEGAudio::GenreText() const {
  return std::string(Info.Genre < GenreNames.size() ? GenreNames[Info.Genre] : "Unknown");
}

std::string TMPEGAudio::CopyrightedText(const std::string& yes, const std::string& no) const {
  return ChooseText(Info.Copyrighted, yes, no);
}

std::string TMPEGAudio::OriginalText(const std::string& yes, const std::string& no) const {
  return ChooseText(Info.Original, yes, no);
}

std::string TMPEGAudio::ProtectionText(const std::string& yes, const std::string& no) const {
  return ChooseText(Info.ProtectionBit, yes, no);
}

std::string TMPEGAudio::ArtistOrDefault() const {
  if (HasTag() || DefaultArtist.empty()) return Info.Artist;
  return CutText(DefaultArtist, TMPEGAudioInfo::TagTextCapacity);
}

std::string TMPEGAudio::TitleOrDefault() const {
  if (HasTag() || DefaultTitle.empty()) return Info.Title;
  return CutText(DefaultTitle, TMPEGAudioInfo::TagTextCapacity);
}

double TMPEGAudio::FileDateTime() const { return PackedFileDateToDateTime(Info.FileDate); }

// Linux has no short (8.3) names.
std::string TMPEGAudio::ShortFileName() const {
  return "Error converting long filename to short.";
}
