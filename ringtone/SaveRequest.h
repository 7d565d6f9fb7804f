// The save request's preparation: turns the window's selection into a
// conversion request, or refuses it before anything runs.
#pragma once

#include <QString>
#include <optional>

#include "CutMp3ThreadInfo.h"

// Fills out (with absolute paths) from the opened song, the save dialog's name and the selection in
// whole seconds (TWaveRender's StartSecond and EndSecond). A start before 0
// is moved to 0 and the length shrinks by the same amount.
// Answers nullopt when out is ready for TCutMp3Thread, otherwise a one-line
// refusal in Chinese (the window's language) for an error box; out is then
// left as it was. Refused are: no song opened (empty source), a target that
// is not .mp3/.amr (in any case), a target that is the source file itself
// (also through symbolic or hard links), and a selection with nothing left.
std::optional<QString> PrepareCutInfo(const QString& source, const QString& target, int startSecond,
                                      int endSecond, TCutMp3ThreadInfo& out);

// Whether both names lead to one file on disk; false when either is missing.
bool IsSameFile(const QString& a, const QString& b);
