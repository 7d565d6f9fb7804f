// The timeline model and its painter: selection, cursor and a synthetic
// envelope, drawn onto the image that the timeline view shows.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QStaticText>
#include <cstdint>
#include <functional>
#include <vector>

class TWaveRender {
public:
  // canvas is not owned and may be replaced (resized) by the owner between
  // paints; painting a null image is skipped.
  TWaveRender(QImage* canvas, std::int32_t width, std::int32_t height);

  std::int32_t CursorSecond() const;
  std::int32_t SelectionHigh() const;
  std::int32_t SelectionLow() const;
  std::int32_t EndSecond() const;
  std::int32_t StartSecond() const;

  void SetCursorCol(std::int32_t col);
  void SetEndCol(std::int32_t col);
  void SetStartCol(std::int32_t col);
  void SetTimelineLength(std::int32_t columns);
  void Paint();

  std::int32_t CursorCol() const { return CursorCol_; }
  std::int32_t StartCol() const { return StartCol_; }
  std::int32_t EndCol() const { return EndCol_; }
  std::int32_t Width() const { return Width_; }
  std::int32_t Height() const { return Height_; }
  std::int32_t TimelineLength() const { return TimelineLength_; }
  const std::vector<std::int32_t>& Envelope() const { return Envelope_; }

  // Called after every paint, so the widget showing the canvas can update.
  std::function<void()> OnPainted;

private:
  void GenerateEnvelope();
  // How many envelope columns a paint draws: Width, but never more than the
  // envelope holds (it is empty until the first SetTimelineLength).
  std::int32_t EnvelopeColumns() const;
  void PaintOn(QImage& canvas);
  void PaintBandAndEnvelope(QImage& canvas, std::int32_t deferredBlackFrom);
  // The ruler's label for a multiple of 5 seconds, laid out in font.
  const QStaticText& Label(std::int32_t seconds, const QFont& font);

  QImage* Canvas_;
  std::int32_t Width_;
  std::int32_t Height_;
  std::int32_t TimelineLength_ = 0;
  std::int32_t StartCol_ = 100;
  std::int32_t EndCol_ = 150;
  std::int32_t CursorCol_ = 20;
  std::vector<std::int32_t> Envelope_;
  bool PenXor_ = false;  // the surface's lasting pen mode
  std::vector<std::int32_t> LineTop_, LineRows_;  // per envelope column, reused by Paint
  std::vector<QStaticText> Labels_;  // index: seconds / 5
  QFont LabelFont_;
};

// The process-wide generator behind the envelope (state from 0).
std::uint32_t RandomDraw(std::uint32_t range);
void ResetRandomForTesting();
