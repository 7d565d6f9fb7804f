// Placeholder until the GStreamer player lands: reports "not ready" throughout.
#include "MediaPlayer.h"

struct TMediaPlayer::Impl {
  std::string fileName;
};

TMediaPlayer::TMediaPlayer(std::string) : d(std::make_unique<Impl>()) {}
TMediaPlayer::~TMediaPlayer() = default;
void TMediaPlayer::SetFileName(const std::string& path) { d->fileName = path; }
std::string TMediaPlayer::FileName() const { return d->fileName; }
void TMediaPlayer::Open() { throw EMediaPlayerError("no media framework"); }
void TMediaPlayer::SetTimeFormat(TMPTimeFormats) {}
void TMediaPlayer::SetStartPos(std::int32_t) {}
void TMediaPlayer::SetEndPos(std::int32_t) {}
void TMediaPlayer::Play() {}
void TMediaPlayer::Stop() {}
std::int32_t TMediaPlayer::Position() const { return 0; }
void TMediaPlayer::SetPosition(std::int32_t) {}
std::int32_t TMediaPlayer::Length() const { return 0; }
TMPModes TMediaPlayer::Mode() const { return TMPModes::mpNotReady; }
