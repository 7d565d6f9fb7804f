// The two ringtone formats and the converter's arguments for each.
#pragma once

#include <QStringList>
#include <optional>

#include "CutMp3ThreadInfo.h"

enum class TRingtoneKind { Mp3, Amr };

// By the target's extension, without regard to case (ring.MP3 is an MP3);
// nullopt for any other extension or none.
std::optional<TRingtoneKind> RingtoneKindOf(const QString& targetFile);

// ffmpeg's argument vector for the stretch of info.
//   Mp3: encodes into outputFile (overwritten) and writes its progress
//        report ("key=value" lines) to stdout.
//   Amr: writes the stretch as 8000 Hz mono s16le PCM to stdout; the job
//        encodes it (this ffmpeg has no AMR-NB encoder); outputFile is unused.
QStringList ConverterArguments(TRingtoneKind kind, const TCutMp3ThreadInfo& info,
                               const QString& outputFile);
