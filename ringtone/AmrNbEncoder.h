// Writes an AMR narrow-band file ("#!AMR\n" storage format) at MR122
// (12.2 kbit/s, the highest narrow-band mode) from 8000 Hz mono s16le PCM.
#pragma once

#include <QFile>
#include <QString>
#include <memory>
#include <span>

class TAmrNbEncoder {
 public:
  TAmrNbEncoder();
  ~TAmrNbEncoder();
  TAmrNbEncoder(const TAmrNbEncoder&) = delete;
  TAmrNbEncoder& operator=(const TAmrNbEncoder&) = delete;

  // Creates or empties path and writes the file header.
  bool Open(const QString& path);
  // Any split of the PCM stream is fine, also an odd number of bytes.
  bool Write(std::span<const char> pcm);
  // Encodes what is left, padded with silence to a whole 20 ms frame, and
  // closes the file.
  bool Finish();

  long long Frames() const { return frames_; }
  // What failed and where, for the user.
  QString ErrorString() const { return error_; }

 private:
  bool EncodeFrame(const short* samples);

  struct TEncoderExit {
    void operator()(void* state) const;
  };
  std::unique_ptr<void, TEncoderExit> encoder_;
  QFile file_;
  QByteArray pending_;
  long long frames_ = 0;
  QString error_;
};
