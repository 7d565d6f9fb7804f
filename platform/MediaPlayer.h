// The window's hidden media player: what the timeline commands need of it,
// and the real one over GStreamer playbin.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>

// Modes as the player reports them; the numbers are part of the contract.
enum class TMPModes : int {
  mpNotReady = 0,
  mpStopped = 1,
  mpPlaying = 2,
  mpRecording = 3,
  mpSeeking = 4,
  mpPaused = 5,
  mpOpen = 6,
};

enum class TMPTimeFormats { tfMilliseconds };

// Raised by Open; what() is the media framework's own message.
class EMediaPlayerError : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

class IMediaPlayer {
public:
  virtual ~IMediaPlayer() = default;

  virtual void SetFileName(const std::string& path) = 0;
  virtual std::string FileName() const = 0;
  // Closes the open file (ending its playback), then opens FileName, stopped.
  // Throws EMediaPlayerError; the player then has no file open.
  virtual void Open() = 0;
  virtual void SetTimeFormat(TMPTimeFormats format) = 0;
  // Both apply to the next Play only.
  virtual void SetStartPos(std::int32_t ms) = 0;
  virtual void SetEndPos(std::int32_t ms) = 0;
  // Returns at once; failures (positions outside the file) are silent.
  virtual void Play() = 0;
  virtual void Stop() = 0;
  virtual std::int32_t Position() const = 0;
  virtual void SetPosition(std::int32_t ms) = 0;
  virtual std::int32_t Length() const = 0;
  virtual TMPModes Mode() const = 0;
};

// playbin-based player. With no file open: mode not ready, position 0.
class TMediaPlayer : public IMediaPlayer {
public:
  // audioSink: a gst-launch style sink description ("fakesink sync=true"
  // in tests); empty picks the desktop's output, falling back to a silent
  // clock-driven sink when none can be opened.
  explicit TMediaPlayer(std::string audioSink = {});
  ~TMediaPlayer() override;
  TMediaPlayer(const TMediaPlayer&) = delete;
  TMediaPlayer& operator=(const TMediaPlayer&) = delete;

  void SetFileName(const std::string& path) override;
  std::string FileName() const override;
  void Open() override;
  void SetTimeFormat(TMPTimeFormats format) override;
  void SetStartPos(std::int32_t ms) override;
  void SetEndPos(std::int32_t ms) override;
  void Play() override;
  void Stop() override;
  std::int32_t Position() const override;
  void SetPosition(std::int32_t ms) override;
  std::int32_t Length() const override;
  TMPModes Mode() const override;

private:
  struct Impl;
  std::unique_ptr<Impl> d;
};
