#include "MediaPlayer.h"

#include "gstAudioSink.h"
#include "gstPlaybin.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

namespace {

using ms = TGstPlaybin::ms;

constexpr ms OpenTimeout{10'000};
constexpr ms SettleTimeout{2'000};

std::int32_t ToInt32(ms value) {
  using limits = std::numeric_limits<std::int32_t>;
  return static_cast<std::int32_t>(
      std::clamp<ms::rep>(value.count(), limits::min(), limits::max()));
}

} // namespace

// Nothing pushes bus messages to us (there may be no GLib main loop), so
// every call that reads or changes the state polls the bus first.
struct TMediaPlayer::Impl {
  explicit Impl(std::string audioSink) : sinks(std::move(audioSink)) {}

  std::string fileName;
  TAudioSinkFactory sinks;
  std::optional<std::string> initFailure = EnsureGstInit();
  std::unique_ptr<TGstPlaybin> file;

  bool playing = false;
  bool stopInForce = false; // the running Play has an end position
  bool ranToEnd = false;    // the last Play ended at the end of the file
  std::optional<ms> startPos, endPos;
  ms lastPosition{0};
  ms length{0};

  void Close() {
    file.reset();
    playing = stopInForce = ranToEnd = false;
    startPos.reset();
    endPos.reset();
    lastPosition = length = ms(0);
  }

  void PollBus() {
    while (auto event = file->NextEvent()) {
      if (!playing) continue;
      if (auto at = file->Position()) lastPosition = *at;
      file->SetPlaying(false);
      playing = false;
      ranToEnd = *event == TGstPlaybin::TBusEvent::EndOfStream && !stopInForce;
    }
  }

  ms CurrentPosition() {
    if (auto at = file->Position()) lastPosition = *at;
    return lastPosition;
  }

  // Fixed once known: playbin refines estimates while playing, and a length
  // that moves would move the end of the timeline under the window.
  ms CurrentLength() {
    if (length == ms(0))
      if (auto duration = file->Duration()) length = *duration;
    return length;
  }

  // Positions the file does not hold make the call fail without a word.
  bool Outside(ms at) { return at < ms(0) || (CurrentLength() > ms(0) && at > length); }
};

TMediaPlayer::TMediaPlayer(std::string audioSink)
    : d(std::make_unique<Impl>(std::move(audioSink))) {}

TMediaPlayer::~TMediaPlayer() = default;

void TMediaPlayer::SetFileName(const std::string& path) { d->fileName = path; }

std::string TMediaPlayer::FileName() const { return d->fileName; }

void TMediaPlayer::Open() {
  d->Close();
  if (d->initFailure) throw EMediaPlayerError(*d->initFailure);
  d->file = std::make_unique<TGstPlaybin>(d->fileName, d->sinks.Make(), OpenTimeout);
  d->CurrentLength();
}

void TMediaPlayer::SetTimeFormat(TMPTimeFormats) {}

void TMediaPlayer::SetStartPos(std::int32_t position) { d->startPos = ms(position); }

void TMediaPlayer::SetEndPos(std::int32_t position) { d->endPos = ms(position); }

void TMediaPlayer::Play() {
  const std::optional<ms> start = std::exchange(d->startPos, std::nullopt);
  const std::optional<ms> stop = std::exchange(d->endPos, std::nullopt);
  if (!d->file) return;
  d->PollBus();
  if ((start && d->Outside(*start)) || (stop && d->Outside(*stop))) return;
  ms from = start ? *start : d->CurrentPosition();
  if (!start && !stop && (d->ranToEnd || (d->CurrentLength() > ms(0) && from >= d->length)))
    from = ms(0);
  if (stop && *stop < from) return;

  // One seek carries start and stop, issued once the pipeline has prerolled;
  // it also clears a stop left by an earlier Play.
  d->file->Settle(SettleTimeout);
  if (!d->file->Seek(from, stop)) return;
  d->file->SetPlaying(true);
  d->playing = true;
  d->stopInForce = stop.has_value();
  d->ranToEnd = false;
  d->lastPosition = from;
}

void TMediaPlayer::Stop() {
  if (!d->file) return;
  d->PollBus();
  if (!d->playing) return;
  d->file->SetPlaying(false);
  d->playing = false;
  d->CurrentPosition();
}

std::int32_t TMediaPlayer::Position() const {
  if (!d->file) return 0;
  d->PollBus();
  return ToInt32(d->CurrentPosition());
}

void TMediaPlayer::SetPosition(std::int32_t position) {
  if (!d->file) return;
  d->PollBus();
  const ms at(position);
  if (d->Outside(at)) return;
  d->file->Settle(SettleTimeout);
  if (!d->file->MoveTo(at)) return;
  // A flushing seek in PAUSED prerolls again; until then no position reads back.
  if (!d->playing) d->file->Settle(SettleTimeout);
  d->lastPosition = at;
  d->ranToEnd = false;
}

std::int32_t TMediaPlayer::Length() const {
  if (!d->file) return 0;
  return ToInt32(d->CurrentLength());
}

TMPModes TMediaPlayer::Mode() const {
  if (!d->file) return TMPModes::mpNotReady;
  d->PollBus();
  return d->playing ? TMPModes::mpPlaying : TMPModes::mpStopped;
}
