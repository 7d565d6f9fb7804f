// Placeholder until the renderer lands.
#include "WaveRender.h"

TWaveRender::TWaveRender(QImage* canvas, std::int32_t width, std::int32_t height)
    : Canvas_(canvas), Width_(width), Height_(height) {}
std::int32_t TWaveRender::CursorSecond() const { return CursorCol_ / 5; }
std::int32_t TWaveRender::SelectionHigh() const { return std::max(StartCol_, EndCol_); }
std::int32_t TWaveRender::SelectionLow() const { return std::min(StartCol_, EndCol_); }
std::int32_t TWaveRender::EndSecond() const { return EndCol_ / 5; }
std::int32_t TWaveRender::StartSecond() const { return StartCol_ / 5; }
void TWaveRender::SetCursorCol(std::int32_t c) { CursorCol_ = c; Paint(); }
void TWaveRender::SetEndCol(std::int32_t c) { EndCol_ = c; Paint(); }
void TWaveRender::SetStartCol(std::int32_t c) { StartCol_ = c; Paint(); }
void TWaveRender::SetTimelineLength(std::int32_t c) { TimelineLength_ = Width_ = c; Paint(); }
void TWaveRender::GenerateEnvelope() {}
void TWaveRender::Paint() { if (OnPainted) OnPainted(); }
std::uint32_t RandomDraw(std::uint32_t) { return 0; }
void ResetRandomForTesting() {}
