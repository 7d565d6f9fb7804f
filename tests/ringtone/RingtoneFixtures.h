// Songs made at test time, ffprobe's view of a file, and small file helpers.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <map>

// A stereo 44.1 kHz MP3 made with ffmpeg: silence for the first silentSeconds,
// then a sine tone at half scale.
bool MakeSong(const QString& path, int seconds, int silentSeconds = 0);
// The largest sample of the decoded file, 0..1; -1 when it does not decode.
double Peak(const QString& path);
// ffprobe's format and first-stream entries (format_name, duration, codec_name,
// sample_rate, channels, bit_rate, nb_read_packets), keyed "format.x" and
// "stream.x".
std::map<QString, QString> Probe(const QString& path);
QStringList Entries(const QString& dir);  // hidden names included
QByteArray ReadAll(const QString& path);
bool WriteAll(const QString& path, const QByteArray& bytes, bool executable = false);
