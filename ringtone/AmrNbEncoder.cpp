#include "AmrNbEncoder.h"

#include <opencore-amrnb/interf_enc.h>

#include <cstring>

namespace {
constexpr int FrameSamples = 160;  // 20 ms at 8000 Hz
constexpr int FrameBytes = FrameSamples * 2;
constexpr char FileHeader[] = "#!AMR\n";
}  // namespace

void TAmrNbEncoder::TEncoderExit::operator()(void* state) const { Encoder_Interface_exit(state); }

TAmrNbEncoder::TAmrNbEncoder() = default;
TAmrNbEncoder::~TAmrNbEncoder() = default;

bool TAmrNbEncoder::Open(const QString& path) {
  encoder_.reset(Encoder_Interface_init(0));
  if (!encoder_) {
    error_ = QStringLiteral("The AMR-NB encoder could not be started.");
    return false;
  }
  file_.setFileName(path);
  if (!file_.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file_.write(FileHeader, sizeof FileHeader - 1) != qint64(sizeof FileHeader - 1)) {
    error_ = QStringLiteral("Cannot write %1: %2").arg(path, file_.errorString());
    return false;
  }
  return true;
}

bool TAmrNbEncoder::EncodeFrame(const short* samples) {
  unsigned char out[64];
  const int n = Encoder_Interface_Encode(encoder_.get(), MR122, samples, out, 0);
  if (n <= 0) {
    error_ = QStringLiteral("The AMR-NB encoder failed at frame %1.").arg(frames_);
    return false;
  }
  if (file_.write(reinterpret_cast<const char*>(out), n) != n) {
    error_ = QStringLiteral("Cannot write %1: %2").arg(file_.fileName(), file_.errorString());
    return false;
  }
  ++frames_;
  return true;
}

bool TAmrNbEncoder::Write(std::span<const char> pcm) {
  pending_.append(pcm.data(), qsizetype(pcm.size()));
  qsizetype used = 0;
  short samples[FrameSamples];
  for (; pending_.size() - used >= FrameBytes; used += FrameBytes) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(pending_.constData() + used);
    for (int i = 0; i < FrameSamples; ++i)
      samples[i] = short(bytes[2 * i] | (bytes[2 * i + 1] << 8));
    if (!EncodeFrame(samples)) return false;
  }
  pending_.remove(0, used);
  return true;
}

bool TAmrNbEncoder::Finish() {
  bool ok = true;
  if (encoder_ && pending_.size() >= 2) {
    pending_.append(QByteArray(FrameBytes - pending_.size(), '\0'));
    ok = Write({});
  }
  pending_.clear();
  if (file_.isOpen()) {
    if (!file_.flush() && ok) {
      error_ = QStringLiteral("Cannot write %1: %2").arg(file_.fileName(), file_.errorString());
      ok = false;
    }
    file_.close();
  }
  return ok;
}
