// The playback and selection commands behind the window's buttons, the
// timeline click, the one-second timer and the idle refresh of the labels.
#pragma once

#include <QString>

#include "MediaPlayer.h"
#include "WaveRender.h"

// Every mode but not ready, playing and recording.
bool InPlaySet(TMPModes mode);
// Every mode but not ready and recording.
bool InEditSet(TMPModes mode);

// Plays from the start of the cursor's second to the end of the file.
void PlayCommand(IMediaPlayer& player, TWaveRender& render);
void PauseCommand(IMediaPlayer& player);
// Reopens the file and plays StartSecond to EndSecond, the stretch a save
// cuts. Open's EMediaPlayerError reaches the caller.
void PlaySelectedCommand(IMediaPlayer& player, TWaveRender& render);
void MarkStartCommand(IMediaPlayer& player, TWaveRender& render);
void MarkEndCommand(IMediaPlayer& player, TWaveRender& render);
// Widen the selection by one second; nothing bounds them.
void MoveLeftCommand(IMediaPlayer& player, TWaveRender& render);
void MoveRightCommand(IMediaPlayer& player, TWaveRender& render);
// A mouse button released over the timeline at pixel column x.
void TimelineClickCommand(IMediaPlayer& player, TWaveRender& render, int x);
void TimerTickCommand(IMediaPlayer& player, TWaveRender& render);

struct TPositionTexts {
  QString BeginPos, EndPos, SelectedLength, CurrentPos;
};
TPositionTexts PositionTexts(const IMediaPlayer& player, const TWaveRender& render);
