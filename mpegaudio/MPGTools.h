// MPGTools: the MPEG audio analyser. Give it a file name and it finds the first
// pair of frame headers, a Xing VBR header and the ID3v1 tag, and offers the
// stream's properties as numbers and texts. Plain C++, no window toolkit.
#pragma once

#include "FrameHeader.h"
#include "ID3v1Tag.h"
#include "MPEGAudioInfo.h"
#include "MPGHooks.h"
#include "PropertyText.h"
#include "TextCut.h"

#include <cstdint>
#include <functional>
#include <string>

class TFileReader;

class TMPEGAudio {
public:
  // Called with the record when an analysis fails; its answer becomes the
  // result, and ErrorBoxRetry (4) analyses again.
  using TErrorHandler = std::function<std::uint16_t(TMPEGAudioInfo&)>;

  TMPEGAudio();

  TMPEGAudioInfo Info;
  std::int32_t ScanLimit = 0;  // position past which the search gives up; 0: none
  std::string DefaultArtist = "Unknown Artist";
  std::string DefaultTitle = "Unknown Title";
  bool AutoLoad = true;  // SetFileName runs Analyse
  TErrorHandler OnError = ShowOpenError;
  std::int32_t FirstFramePos = 0;
  std::string Template;      // never set by the program: no macros are defined
  std::string TemplateText;  // Template expanded after each analysis

  std::string FileName() const { return Info.FileName; }
  void SetFileName(const std::string& name);

  // 0: a frame pair was found (also for files of 5 bytes or fewer). -1: the
  // file is missing, holds no frame pair or ends before a needed piece. An
  // errno: it cannot be opened. With OnError set, a failure answers what the
  // handler answers.
  std::int32_t Analyse();
  void ResetInfo();
  bool IsValid() const { return InfoIsValid(Info); }
  // What the last attempt failed at, and where; empty after a success.
  const std::string& ErrorText() const { return ErrorText_; }

  double DurationTime() const;
  std::string BitRateText() const;
  std::string StereoText() const;
  std::string ModeText() const;
  std::string LayerText() const;
  std::string VersionText() const;
  std::string GenreText() const;
  std::string CopyrightedText(const std::string& yes, const std::string& no) const;
  std::string OriginalText(const std::string& yes, const std::string& no) const;
  std::string ProtectionText(const std::string& yes, const std::string& no) const;
  bool HasTag() const { return Info.TagId == "TAG"; }
  std::string ArtistOrDefault() const;
  std::string TitleOrDefault() const;
  double FileDateTime() const;
  std::string ShortFileName() const;

private:
  std::int32_t Attempt(const std::string& source, const std::string& fullName);
  std::int32_t ReadStream(TFileReader& file);
  std::int32_t ReadVBRHeader(TFileReader& file);
  std::int32_t ReadTag(TFileReader& file);
  void ReadFileFacts(const TFileReader& file);
  std::int32_t Fail(std::int32_t result, std::string text);
  std::string ExpandTemplate() const;

  // Uncut names: Linux paths outgrow the record's 255 bytes, and a cut one
  // would name another file or none.
  std::string Name_;      // as written
  std::string FullName_;  // its absolute form
  std::string ErrorText_;
};
