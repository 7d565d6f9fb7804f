#include "PlaybackCommands.h"

#include "TimeText.h"

namespace {

constexpr std::int32_t ColumnsPerSecond = 5;

} // namespace

bool InPlaySet(TMPModes mode) {
  switch (mode) {
  case TMPModes::mpStopped:
  case TMPModes::mpSeeking:
  case TMPModes::mpPaused:
  case TMPModes::mpOpen:
    return true;
  default:
    return false;
  }
}

bool InEditSet(TMPModes mode) { return mode == TMPModes::mpPlaying || InPlaySet(mode); }

void PlayCommand(IMediaPlayer& player, TWaveRender& render) {
  if (!InPlaySet(player.Mode())) return;
  player.SetTimeFormat(TMPTimeFormats::tfMilliseconds);
  player.SetStartPos(render.CursorSecond() * 1000);
  player.Play();
}

void PauseCommand(IMediaPlayer& player) {
  if (player.Mode() == TMPModes::mpPlaying) player.Stop();
}

void PlaySelectedCommand(IMediaPlayer& player, TWaveRender& render) {
  if (!InEditSet(player.Mode())) return;
  player.Open();
  player.SetTimeFormat(TMPTimeFormats::tfMilliseconds);
  player.SetStartPos(render.StartSecond() * 1000);
  player.SetEndPos(render.EndSecond() * 1000);
  player.Play();
}

void MarkStartCommand(IMediaPlayer& player, TWaveRender& render) {
  if (!InEditSet(player.Mode())) return;
  const std::int32_t cursor = render.CursorCol();
  if (render.SelectionHigh() < cursor) {
    render.SetStartCol(cursor);
    render.SetEndCol(cursor + 1);
  } else {
    render.SetStartCol(cursor);
  }
}

void MarkEndCommand(IMediaPlayer& player, TWaveRender& render) {
  if (!InEditSet(player.Mode())) return;
  const std::int32_t cursor = render.CursorCol();
  if (render.SelectionLow() > cursor) {
    render.SetStartCol(cursor);
    render.SetEndCol(cursor + 1);
  } else {
    render.SetEndCol(cursor);
  }
}

void MoveLeftCommand(IMediaPlayer& player, TWaveRender& render) {
  if (InEditSet(player.Mode())) render.SetStartCol(render.SelectionLow() - ColumnsPerSecond);
}

void MoveRightCommand(IMediaPlayer& player, TWaveRender& render) {
  if (InEditSet(player.Mode())) render.SetEndCol(render.SelectionHigh() + ColumnsPerSecond);
}

// The cursor goes one column right of the pointer. Playing on from there
// drops the end of an earlier Play the selection.
void TimelineClickCommand(IMediaPlayer& player, TWaveRender& render, int x) {
  const bool wasPlaying = player.Mode() == TMPModes::mpPlaying;
  if (wasPlaying) player.Stop();
  render.SetCursorCol(x + 1);
  if (wasPlaying) {
    player.SetPosition(render.CursorCol() * 1000 / ColumnsPerSecond);
    player.Play();
  }
}

void TimerTickCommand(IMediaPlayer& player, TWaveRender& render) {
  if (player.Mode() == TMPModes::mpPlaying)
    render.SetCursorCol(player.Position() / 1000 * ColumnsPerSecond);
}

TPositionTexts PositionTexts(const IMediaPlayer& player, const TWaveRender& render) {
  const std::int32_t start = render.StartSecond(), end = render.EndSecond();
  return {QStringLiteral("起始点: ") + TimeText(start), QStringLiteral("结束点: ") + TimeText(end),
          QStringLiteral("时长: ") + TimeText(end - start),
          QStringLiteral("当前位置: ") + TimeText(player.Position() / 1000)};
}
