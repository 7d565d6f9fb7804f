// The conversion request that the save request hands to the job.
#pragma once

#include <QString>

struct TCutMp3ThreadInfo {
  QString SourceFile;  // full path of the song to cut
  QString TargetFile;  // full path of the ringtone to write
  QString StartTime;   // "hh:mm:ss", never negative
  QString Duration;    // "hh:mm:ss", at least one second
};
