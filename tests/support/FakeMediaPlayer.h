// A media player that plays nothing and writes down what it was told:
// "FileName=...", "Open", "TimeFormat=ms", "StartPos=20000", "EndPos=30000",
// "Play", "Stop", "Position=4000". Reads (Mode, Position, Length) are not
// logged. Mode, position and length are plain fields a test sets.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "MediaPlayer.h"

class TFakeMediaPlayer : public IMediaPlayer {
public:
  TMPModes mode = TMPModes::mpNotReady;
  std::int32_t position = 0;
  std::int32_t length = 0;
  std::string fileName;
  // When set, Open throws EMediaPlayerError with this text and leaves the
  // player with no file open (mode not ready, position 0).
  std::optional<std::string> openError;
  std::vector<std::string> log;

  void SetFileName(const std::string& path) override {
    fileName = path;
    log.push_back("FileName=" + path);
  }
  std::string FileName() const override { return fileName; }
  // A fresh file is stopped at its beginning.
  void Open() override {
    log.push_back("Open");
    if (openError) {
      mode = TMPModes::mpNotReady;
      position = 0;
      throw EMediaPlayerError(*openError);
    }
    mode = TMPModes::mpStopped;
    position = 0;
  }
  void SetTimeFormat(TMPTimeFormats) override { log.push_back("TimeFormat=ms"); }
  void SetStartPos(std::int32_t ms) override { log.push_back("StartPos=" + std::to_string(ms)); }
  void SetEndPos(std::int32_t ms) override { log.push_back("EndPos=" + std::to_string(ms)); }
  void Play() override {
    log.push_back("Play");
    mode = TMPModes::mpPlaying;
  }
  void Stop() override {
    log.push_back("Stop");
    mode = TMPModes::mpStopped;
  }
  std::int32_t Position() const override { return position; }
  void SetPosition(std::int32_t ms) override {
    log.push_back("Position=" + std::to_string(ms));
    position = ms;
  }
  std::int32_t Length() const override { return length; }
  TMPModes Mode() const override { return mode; }
};
