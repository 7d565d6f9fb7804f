#include "WaveRender.h"

#include <QFontMetrics>
#include <QPainter>
#include <QStaticText>
#include <QPoint>
#include <QString>
#include <algorithm>
#include <cstdlib>
#include <initializer_list>
#include <optional>
#include <vector>

namespace {

// 0x00RRGGBB
constexpr QRgb BackColor = 0x000000;
constexpr QRgb WaveColor = 0x008000;
constexpr QRgb SelectionColor = 0x808080;
constexpr QRgb StartMarkColor = 0xFFFF00;
constexpr QRgb EndMarkColor = 0xFF0000;
constexpr QRgb CursorColor = 0xA6CAF0;
constexpr QRgb RulerColor = 0xFFFFFF;

constexpr std::int32_t ColumnsPerSecond = 5;
constexpr std::int32_t RulerRow = 15;
constexpr std::int32_t BandTop = 16;
constexpr std::int32_t MarkerRows = 8;
constexpr std::int32_t EnvelopeFloor = 20;

std::uint32_t RandomState = 0;

// An RGB32 image drawn on with GDI's rules: lines leave out their last
// point, filled rectangles their right and bottom edges, and a pen in
// exclusive-or mode flips the colour bits of what is there (alpha stays).
class TRaster {
public:
  explicit TRaster(QImage& image)
      : width(image.width()), height(image.height()),
        bits_(reinterpret_cast<QRgb*>(image.bits())), stride_(image.bytesPerLine() / 4) {}

  const int width;
  const int height;

  QRgb* Row(int y) { return bits_ + static_cast<qsizetype>(y) * stride_; }

  void HSpan(int y, int x0, int x1, QRgb color, bool penXor) {
    if (y < 0 || y >= height) return;
    x0 = std::max(x0, 0);
    x1 = std::min(x1, width);
    if (x0 >= x1) return;
    QRgb* row = Row(y);
    if (penXor) {
      for (int x = x0; x < x1; ++x) row[x] ^= color;
    } else {
      std::fill(row + x0, row + x1, 0xFF000000u | color);
    }
  }

  void VSpan(int x, int y0, int y1, QRgb color, bool penXor) {
    if (x < 0 || x >= width) return;
    for (int y = std::max(y0, 0); y < std::min(y1, height); ++y) {
      QRgb& p = Row(y)[x];
      p = penXor ? p ^ color : 0xFF000000u | color;
    }
  }

  void FillRect(int left, int top, int right, int bottom, QRgb color) {
    for (int y = std::max(top, 0); y < std::min(bottom, height); ++y)
      HSpan(y, left, right, color, false);
  }

  void Line(QPoint from, QPoint to, QRgb color, bool penXor) {
    if (from.y() == to.y()) {
      const bool right = from.x() <= to.x();
      HSpan(from.y(), right ? from.x() : to.x() + 1, right ? to.x() : from.x() + 1, color,
            penXor);
    } else if (from.x() == to.x()) {
      const bool down = from.y() <= to.y();
      VSpan(from.x(), down ? from.y() : to.y() + 1, down ? to.y() : from.y() + 1, color,
            penXor);
    } else {
      ForEachLinePixel(from, to, [&](int x, int y) { HSpan(y, x, x + 1, color, penXor); });
    }
  }

  // Brush and pen share the colour here, so the filled and outlined shape is
  // one set of pixels, combined with the surface once: onto black, copy and
  // exclusive-or give the same triangle. Only convex polygons are drawn.
  void Polygon(std::initializer_list<QPoint> points, QRgb color, bool penXor) {
    int top = points.begin()->y(), bottom = top;
    for (const QPoint& p : points) {
      top = std::min(top, p.y());
      bottom = std::max(bottom, p.y());
    }
    std::vector<std::pair<int, int>> spans(bottom - top + 1, {INT32_MAX, INT32_MIN});
    const QPoint* prev = points.end() - 1;
    for (const QPoint& p : points) {
      ForEachLinePixel(*prev, p, [&](int x, int y) {
        auto& [left, right] = spans[y - top];
        left = std::min(left, x);
        right = std::max(right, x);
      });
      prev = &p;
    }
    for (int y = top; y <= bottom; ++y) {
      const auto [left, right] = spans[y - top];
      if (left <= right) HSpan(y, left, right + 1, color, penXor);
    }
  }

private:
  // Bresenham's walk, stopping before the last point.
  template <class Plot> static void ForEachLinePixel(QPoint from, QPoint to, Plot plot) {
    int x = from.x(), y = from.y();
    const int dx = std::abs(to.x() - x), sx = x < to.x() ? 1 : -1;
    const int dy = -std::abs(to.y() - y), sy = y < to.y() ? 1 : -1;
    int err = dx + dy;
    while (x != to.x() || y != to.y()) {
      plot(x, y);
      const int e2 = 2 * err;
      if (e2 >= dy) {
        err += dy;
        x += sx;
      }
      if (e2 <= dx) {
        err += dx;
        y += sy;
      }
    }
  }

  QRgb* bits_;
  qsizetype stride_;
};

} // namespace

std::uint32_t RandomDraw(std::uint32_t range) {
  RandomState = RandomState * 134775813u + 1u;
  return static_cast<std::uint32_t>((static_cast<std::uint64_t>(RandomState) * range) >> 32);
}

void ResetRandomForTesting() { RandomState = 0; }

TWaveRender::TWaveRender(QImage* canvas, std::int32_t width, std::int32_t height)
    : Canvas_(canvas), Width_(width), Height_(height) {}

std::int32_t TWaveRender::CursorSecond() const { return CursorCol_ / ColumnsPerSecond; }
std::int32_t TWaveRender::SelectionHigh() const { return std::max(StartCol_, EndCol_); }
std::int32_t TWaveRender::SelectionLow() const { return std::min(StartCol_, EndCol_); }
std::int32_t TWaveRender::EndSecond() const { return EndCol_ / ColumnsPerSecond; }
std::int32_t TWaveRender::StartSecond() const { return StartCol_ / ColumnsPerSecond; }

void TWaveRender::SetCursorCol(std::int32_t col) {
  CursorCol_ = col;
  Paint();
}

void TWaveRender::SetEndCol(std::int32_t col) {
  EndCol_ = col;
  Paint();
}

void TWaveRender::SetStartCol(std::int32_t col) {
  StartCol_ = col;
  Paint();
}

void TWaveRender::SetTimelineLength(std::int32_t columns) {
  TimelineLength_ = columns;
  Width_ = columns;
  GenerateEnvelope();
  Paint();
}

// The bounds only turn the direction of the next step; values are not
// clamped, so they may overshoot by up to one step.
void TWaveRender::GenerateEnvelope() {
  if (TimelineLength_ < 1) return;
  Envelope_.resize(TimelineLength_);
  const std::int32_t ceiling = (Height_ - 24) / 2 - 20;
  std::int32_t previous = 50;
  for (std::int32_t i = 0; i < Width_; ++i) {
    std::int32_t step = static_cast<std::int32_t>(RandomDraw(20)) - 10;
    if (previous > ceiling) step = -std::abs(step);
    if (previous < EnvelopeFloor) step = std::abs(step);
    previous += step;
    Envelope_[i] = previous;
  }
}

std::int32_t TWaveRender::EnvelopeColumns() const {
  return std::clamp<std::int32_t>(Width_, 0, static_cast<std::int32_t>(Envelope_.size()));
}

namespace {

// Rows that the ruler's texts may reach, counted from the top.
int TextRows(const QFontMetrics& metrics) {
  const QRect glyphs = metrics.boundingRect(QStringLiteral("(S)0123456789"));
  return std::max(metrics.height(), metrics.ascent() + glyphs.bottom() + 1) + 1;
}

// label(n) gives the laid-out text of the number n.
template <class LabelText>
void PaintRuler(TRaster& raster, QPainter* text, std::int32_t timelineLength, bool penXor,
                LabelText&& label) {
  raster.Line({0, RulerRow}, {timelineLength - 1, RulerRow}, RulerColor, penXor);
  if (timelineLength < 1) return;
  const QFontMetrics metrics = text->fontMetrics();
  const int ascent = metrics.ascent();
  const auto marks = [&](std::int32_t i) {
    raster.Line({i, 11}, {i, RulerRow + 1}, RulerColor, penXor);
    if ((i + 1) % 25 == 0 && i < raster.width + metrics.height())
      text->drawStaticText(QPoint(i, 0), label((i + 1) / ColumnsPerSecond));
  };
  const std::int32_t last = timelineLength - 1;
  for (std::int32_t i = ColumnsPerSecond - 1; i < last; i += ColumnsPerSecond) marks(i);
  // "(S)" belongs to every column's pass, always onto the same pixels; with
  // antialiased text only the last of those writes can be reproduced.
  text->drawText(QPoint(0, ascent), QStringLiteral("(S)"));
  if ((last + 1) % ColumnsPerSecond == 0) marks(last);
}

} // namespace

// Laying out a label costs more than drawing it; the labels stay the same
// from paint to paint.
const QStaticText& TWaveRender::Label(std::int32_t seconds, const QFont& font) {
  if (font != LabelFont_) {
    Labels_.clear();
    LabelFont_ = font;
  }
  const std::size_t index = seconds / 5;
  if (Labels_.size() <= index) Labels_.resize(index + 1);
  QStaticText& label = Labels_[index];
  if (label.text().isEmpty()) {
    label.setTextFormat(Qt::PlainText);
    label.setText(QString::number(seconds));
    label.prepare(QTransform(), font);
  }
  return label;
}

void TWaveRender::Paint() {
  if (Canvas_ && !Canvas_->isNull()) PaintOn(*Canvas_);
  if (OnPainted) OnPainted();
}

// The band rows below the texts are filled, banded and crossed by the
// envelope in one pass per row; everything else is drawn in the order of the
// drawing steps, since the pen mode makes the order visible.
void TWaveRender::PaintOn(QImage& canvas) {
  if (canvas.format() != QImage::Format_RGB32) canvas = canvas.convertToFormat(QImage::Format_RGB32);
  TRaster raster(canvas);
  std::optional<QPainter> text;
  int textRows = 0;
  if (TimelineLength_ >= 1) {
    text.emplace(&canvas);
    text->setPen(QColor(RulerColor));
    textRows = TextRows(text->fontMetrics());
  }
  const std::int32_t h = Height_;
  const std::int32_t bandBottom = std::max(BandTop, h - MarkerRows);
  const std::int32_t deferredBlackFrom = std::max(BandTop, textRows);

  raster.FillRect(0, 0, Width_, std::min({deferredBlackFrom, bandBottom, h}), BackColor);
  raster.FillRect(0, bandBottom, Width_, h, BackColor);
  PaintRuler(raster, text ? &*text : nullptr, TimelineLength_, PenXor_,
             [&](std::int32_t n) -> const QStaticText& { return Label(n, text->font()); });
  text.reset();

  PaintBandAndEnvelope(canvas, deferredBlackFrom);
  raster.Polygon({{StartCol_, h - MarkerRows}, {StartCol_ - 8, h}, {StartCol_, h}},
                 StartMarkColor, PenXor_);
  raster.Polygon({{EndCol_, h - MarkerRows}, {EndCol_ + 8, h}, {EndCol_, h}}, EndMarkColor,
                 PenXor_);

  // Envelope rows outside the band rows (only other heights than the
  // window's have them) come after the markers, as in the drawing steps.
  const std::int32_t lows = SelectionLow(), highs = SelectionHigh();
  const std::int32_t drawn = std::min(EnvelopeColumns(), raster.width);
  for (std::int32_t j = 0; j < drawn; ++j) {
    const std::int32_t top = LineTop_[j], bottom = top + LineRows_[j];
    const bool penXor = lows <= j && j <= highs;
    raster.VSpan(j, top, std::min(bottom, BandTop), WaveColor, penXor);
    raster.VSpan(j, std::max(top, bandBottom), bottom, WaveColor, penXor);
  }
  if (const std::int32_t columns = EnvelopeColumns(); columns > 0)
    PenXor_ = lows <= columns - 1 && columns - 1 <= highs;

  raster.Line({CursorCol_, 0}, {CursorCol_, h - MarkerRows}, CursorColor, PenXor_);
  raster.Polygon({{CursorCol_ - 5, 0}, {CursorCol_ + 5, 0}, {CursorCol_, 8}}, CursorColor,
                 PenXor_);
}

// Rows [16, H - 8): black where the background reaches (unless the texts came
// first), the grey band, then the envelope lines, copied or flipped.
void TWaveRender::PaintBandAndEnvelope(QImage& canvas, std::int32_t deferredBlackFrom) {
  TRaster raster(canvas);
  const std::int32_t centre = (Height_ - 24) / 2 + 16;
  const std::int32_t columns = std::min(EnvelopeColumns(), raster.width);
  LineTop_.resize(std::max(columns, 0));
  LineRows_.resize(std::max(columns, 0));
  for (std::int32_t j = 0; j < columns; ++j) {
    const std::int32_t e = Envelope_[j];
    // From centre - e towards centre + e, without the last point.
    LineTop_[j] = e >= 0 ? centre - e : centre + e + 1;
    LineRows_[j] = 2 * std::abs(e);
  }
  const std::int32_t black = std::clamp(Width_, 0, raster.width);
  const std::int32_t bandLeft = std::clamp(StartCol_, 0, raster.width);
  const std::int32_t bandRight = std::clamp(EndCol_, bandLeft, raster.width);
  const std::int32_t xorLeft = std::clamp(SelectionLow(), 0, columns);
  const std::int32_t xorRight = std::clamp(SelectionHigh() + 1, xorLeft, columns);
  const std::int32_t* top = LineTop_.data();
  const std::uint32_t* rows = reinterpret_cast<const std::uint32_t*>(LineRows_.data());
  const std::int32_t last = std::min(std::max(BandTop, Height_ - MarkerRows), raster.height);
  for (std::int32_t y = BandTop; y < last; ++y) {
    QRgb* row = raster.Row(y);
    if (y >= deferredBlackFrom) std::fill(row, row + black, 0xFF000000u | BackColor);
    std::fill(row + bandLeft, row + bandRight, 0xFF000000u | SelectionColor);
    for (std::int32_t x = 0; x < xorLeft; ++x)
      row[x] = static_cast<std::uint32_t>(y - top[x]) < rows[x] ? 0xFF000000u | WaveColor : row[x];
    for (std::int32_t x = xorLeft; x < xorRight; ++x)
      row[x] ^= static_cast<std::uint32_t>(y - top[x]) < rows[x] ? WaveColor : 0u;
    for (std::int32_t x = xorRight; x < columns; ++x)
      row[x] = static_cast<std::uint32_t>(y - top[x]) < rows[x] ? 0xFF000000u | WaveColor : row[x];
  }
}
