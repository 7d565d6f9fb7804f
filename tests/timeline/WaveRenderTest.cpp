#include <QGuiApplication>
#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "WaveRender.h"

namespace {

constexpr int H = 152;  // the window's timeline height: envelope centre row 80, band rows 16..143

constexpr QRgb Untouched = 0xFF123456;
constexpr QRgb Black = 0xFF000000;
constexpr QRgb White = 0xFFFFFFFF;
constexpr QRgb Green = 0xFF008000;
constexpr QRgb Grey = 0xFF808080;
constexpr QRgb Purple = 0xFF800080;
constexpr QRgb Yellow = 0xFFFFFF00;
constexpr QRgb Red = 0xFFFF0000;
constexpr QRgb Sky = 0xFFA6CAF0;
constexpr QRgb SkyOverGrey = 0xFF264A70;
constexpr QRgb SkyOverPurple = 0xFF26CA70;
constexpr QRgb SkyOverWhite = 0xFF59350F;
constexpr QRgb RedOverYellow = 0xFF00FF00;

QImage Canvas(int width) {
  QImage image(width, H, QImage::Format_RGB32);
  image.fill(Untouched);
  return image;
}

struct TScene {
  int columns, start, end, cursor;
};

// Sets the scene, then paints it once more on a fresh canvas, so that the
// paint under test starts from the pen mode the scene itself leaves, and
// nothing an earlier paint left right of Width remains.
void Show(TWaveRender& render, QImage& canvas, const TScene& scene) {
  render.SetTimelineLength(scene.columns);
  render.SetStartCol(scene.start);
  render.SetEndCol(scene.end);
  render.SetCursorCol(scene.cursor);
  canvas.fill(Untouched);
  render.Paint();
}

std::string Hex(QRgb rgb) { return QString::number(rgb, 16).toStdString(); }

// "" when the two are equal, else the first pixel that differs.
std::string FirstDifference(const QImage& actual, const QImage& expected) {
  if (actual.size() != expected.size()) return "sizes differ";
  for (int y = 0; y < actual.height(); ++y)
    for (int x = 0; x < actual.width(); ++x)
      if (actual.pixel(x, y) != expected.pixel(x, y))
        return "(" + std::to_string(x) + ", " + std::to_string(y) + "): " + Hex(actual.pixel(x, y)) +
               " instead of " + Hex(expected.pixel(x, y));
  return "";
}

std::vector<QString> messages;
void Collect(QtMsgType, const QMessageLogContext&, const QString& text) { messages.push_back(text); }

class WaveRenderTest : public ::testing::Test {
protected:
  // A small font keeps the texts in the top rows, clear of the ticks (rows 11..15).
  void SetUp() override {
    ResetRandomForTesting();
    appFont_ = QGuiApplication::font();
    QFont small = appFont_;
    small.setPixelSize(6);
    QGuiApplication::setFont(small);
    messages.clear();
    previousHandler_ = qInstallMessageHandler(Collect);
  }
  void TearDown() override {
    qInstallMessageHandler(previousHandler_);
    QGuiApplication::setFont(appFont_);
    EXPECT_TRUE(messages.empty()) << messages.front().toStdString();
  }

private:
  QFont appFont_;
  QtMessageHandler previousHandler_ = nullptr;
};

TEST_F(WaveRenderTest, FirstEnvelopeAfterStartUp) {
  TWaveRender render(nullptr, 276, H);
  render.SetTimelineLength(10);
  EXPECT_EQ(render.Envelope(), (std::vector<std::int32_t>{40, 30, 37, 31, 26, 29, 25, 18, 21, 19}));
  EXPECT_EQ(render.Width(), 10);
}

TEST_F(WaveRenderTest, EnvelopeStaysBetweenItsTurningPoints) {
  TWaveRender render(nullptr, 276, H);
  render.SetTimelineLength(100'000);
  const auto [low, high] = std::minmax_element(render.Envelope().begin(), render.Envelope().end());
  EXPECT_GE(*low, 10);
  EXPECT_LE(*high, 53);
}

TEST_F(WaveRenderTest, LengthZeroKeepsTheEnvelope) {
  TWaveRender render(nullptr, 276, H);
  render.SetTimelineLength(10);
  const std::vector<std::int32_t> first = render.Envelope();
  render.SetTimelineLength(0);
  EXPECT_EQ(render.Envelope(), first);
  EXPECT_EQ(render.Width(), 0);
  EXPECT_EQ(render.TimelineLength(), 0);
}

TEST_F(WaveRenderTest, SecondsAndSelectionEdges) {
  struct Case {
    int start, end, cursor;
    int startSecond, endSecond, cursorSecond, low, high;
  };
  const Case cases[] = {
      {100, 150, 20, 20, 30, 4, 100, 150},
      {-3, 4, 24, 0, 0, 4, -3, 4},
      {-5, 9, 25, -1, 1, 5, -5, 9},
      {150, 100, -4, 30, 20, 0, 100, 150},  // reversed: the seconds stay raw
  };
  for (const Case& c : cases) {
    TWaveRender render(nullptr, 276, H);
    render.SetStartCol(c.start);
    render.SetEndCol(c.end);
    render.SetCursorCol(c.cursor);
    SCOPED_TRACE(c.start);
    EXPECT_EQ(render.StartSecond(), c.startSecond);
    EXPECT_EQ(render.EndSecond(), c.endSecond);
    EXPECT_EQ(render.CursorSecond(), c.cursorSecond);
    EXPECT_EQ(render.SelectionLow(), c.low);
    EXPECT_EQ(render.SelectionHigh(), c.high);
  }
}

TEST_F(WaveRenderTest, PixelsOfScenes) {
  struct Probe {
    int x, y;
    QRgb rgb;
    const char* what;
  };
  struct Case {
    const char* name;
    TScene scene;
    std::vector<Probe> probes;
  };
  const std::vector<Case> cases = {
      {"initial selection, copy mode",
       {198, 100, 150, 20},
       {{50, 20, Black, "background"},
        {100, 16, Grey, "band's first column and row"},
        {149, 143, Grey, "band's last column and row"},
        {99, 20, Black, "left of the band"},
        {150, 20, Black, "EndCol is not banded"},
        {100, 144, Yellow, "start marker tip"},
        {99, 144, Black, "beside the start marker tip"},
        {93, 151, Yellow, "start marker base, left end"},
        {92, 151, Black, "left of the start marker"},
        {101, 151, Black, "right of the start marker"},
        {150, 144, Red, "end marker tip"},
        {151, 144, Black, "beside the end marker tip"},
        {157, 151, Red, "end marker base, right end"},
        {158, 151, Black, "right of the end marker"},
        {149, 151, Black, "left of the end marker"},
        {50, 80, Green, "envelope outside the selection"},
        {100, 80, Purple, "envelope over the band"},
        {149, 80, Purple, "envelope over the band's last column"},
        {150, 80, Green, "EndCol's envelope flipped over black"},
        {151, 80, Green, "envelope right of the selection"},
        {20, 80, Sky, "cursor line over the envelope"},
        {20, 143, Sky, "cursor line's last row"},
        {20, 144, Black, "cursor line stops before H - 8"},
        {15, 0, Sky, "cursor triangle, left corner"},
        {25, 0, Sky, "cursor triangle, right corner"},
        {14, 0, Black, "left of the triangle"},
        {26, 0, Black, "right of the triangle"},
        {16, 1, Sky, "triangle row 1, left end"},
        {24, 1, Sky, "triangle row 1, right end"},
        {15, 1, Black, "left of triangle row 1"},
        {25, 1, Black, "right of triangle row 1"},
        {20, 8, Sky, "triangle tip"},
        {19, 8, Black, "left of the tip"},
        {21, 8, Black, "right of the tip"},
        {34, 11, White, "tick top"},
        {34, 10, Black, "above the tick"},
        {33, 12, Black, "left of the tick"},
        {35, 12, Black, "right of the tick"},
        {196, 15, White, "ruler line"},
        {197, 15, Black, "ruler line stops before its last point"}}},
      {"selection reaching the last column, exclusive-or mode",
       {30, 10, 29, 20},
       {{12, 20, Grey, "band"},
        {12, 80, Purple, "envelope over the band"},
        {29, 80, Green, "EndCol's envelope flipped over black"},
        {29, 20, Black, "EndCol is not banded"},
        {20, 20, SkyOverGrey, "cursor flips the band"},
        {20, 80, SkyOverPurple, "cursor flips the envelope"},
        {20, 15, SkyOverWhite, "cursor flips the ruler line"},
        {20, 10, Sky, "cursor over black"},
        {20, 0, Black, "line and triangle flip each other back"},
        {20, 5, Black, "line and triangle flip each other back"},
        {15, 0, Sky, "triangle, left corner"},
        {25, 0, Sky, "triangle, right corner"},
        {16, 1, Sky, "triangle row 1"},
        {24, 15, Black, "tick flips the ruler line back"},
        {24, 14, White, "tick over black"},
        {23, 15, White, "ruler line"},
        {28, 15, White, "ruler line's last pixel"},
        {29, 15, White, "tick at the last column, past the ruler line"},
        {10, 144, Yellow, "start marker flips black"},
        {3, 151, Yellow, "start marker base"},
        {29, 144, Red, "end marker flips black"}}},
      {"start and end on the last column, exclusive-or mode",
       {30, 29, 29, -100},
       {{29, 144, RedOverYellow, "the two markers flip their shared column"},
        {29, 151, RedOverYellow, "the two markers flip their shared column"},
        {28, 145, Yellow, "start marker"},
        {29, 80, Green, "the lone selected column, flipped over black"},
        {28, 80, Green, "envelope"},
        {29, 20, Black, "empty band"}}},
      {"cursor at column 0, start marker cut at the left edge",
       {30, 3, 10, 0},
       {{0, 0, Sky, "triangle's right half"},
        {5, 0, Sky, "triangle's right corner"},
        {4, 1, Sky, "triangle row 1"},
        {0, 8, Sky, "triangle tip"},
        {1, 8, Black, "right of the tip"},
        {0, 100, Sky, "cursor line"},
        {1, 80, Green, "envelope"},
        {3, 80, Purple, "envelope over the band"},
        {3, 144, Yellow, "start marker tip"},
        {0, 147, Yellow, "start marker, cut"},
        {0, 151, Yellow, "start marker, cut"},
        {10, 144, Red, "end marker tip"}}},
      {"selection from left of column 0 past the end",
       {30, -5, 40, 100},
       {{0, 16, Grey, "band"},
        {29, 143, Grey, "band"},
        {0, 80, Purple, "envelope"},
        {29, 80, Purple, "envelope"},
        {24, 15, Black, "exclusive-or tick"}}},
  };
  for (const Case& c : cases) {
    QImage canvas = Canvas(c.scene.columns);
    TWaveRender render(&canvas, canvas.width(), H);
    Show(render, canvas, c.scene);
    for (const Probe& p : c.probes) {
      EXPECT_EQ(Hex(canvas.pixel(p.x, p.y)), Hex(p.rgb))
          << c.name << ": " << p.what << " at (" << p.x << ", " << p.y << ")";
    }
  }
}

TEST_F(WaveRenderTest, EnvelopeLinesLeaveOutTheirLastPoint) {
  QImage canvas = Canvas(30);
  TWaveRender render(&canvas, 30, H);
  Show(render, canvas, {30, 10, 20, -100});
  for (int j = 0; j < 30; ++j) {
    const int e = render.Envelope()[j];
    const bool selected = 10 <= j && j <= 20, banded = 10 <= j && j < 20;
    const QRgb on = selected && banded ? Purple : Green;
    const QRgb off = banded ? Grey : Black;
    SCOPED_TRACE(j);
    EXPECT_EQ(Hex(canvas.pixel(j, 80 - e - 1)), Hex(off));
    EXPECT_EQ(Hex(canvas.pixel(j, 80 - e)), Hex(on));
    EXPECT_EQ(Hex(canvas.pixel(j, 80 + e - 1)), Hex(on));
    EXPECT_EQ(Hex(canvas.pixel(j, 80 + e)), Hex(off));
  }
}

// The mode the last envelope column leaves governs the cursor of the same
// paint and the ruler and markers of the next one.
TEST_F(WaveRenderTest, PenModeLastsIntoTheNextPaint) {
  QImage canvas = Canvas(30);
  TWaveRender render(&canvas, 30, H);
  Show(render, canvas, {30, 10, 29, 20});
  render.SetEndCol(25);
  EXPECT_EQ(Hex(canvas.pixel(24, 15)), Hex(Black)) << "ruler still drawn flipping";
  EXPECT_EQ(Hex(canvas.pixel(20, 20)), Hex(Sky)) << "cursor already copied";
  render.Paint();
  EXPECT_EQ(Hex(canvas.pixel(24, 15)), Hex(White));
}

TEST_F(WaveRenderTest, TicksAndLabels) {
  struct Case {
    int columns;
    std::vector<int> ticks;
    std::vector<std::pair<int, QString>> labels;
  };
  const Case cases[] = {
      {4, {}, {}},
      {5, {4}, {}},
      {24, {4, 9, 14, 19}, {}},
      {25, {4, 9, 14, 19, 24}, {{24, "5"}}},
      {50, {4, 9, 14, 19, 24, 29, 34, 39, 44, 49}, {{24, "5"}, {49, "10"}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.columns);
    // Wider than the timeline, so that a label at the last column would show.
    QImage canvas = Canvas(c.columns + 16);
    TWaveRender render(&canvas, canvas.width(), H);
    Show(render, canvas, {c.columns, 100, 150, -100});
    for (int x = 0; x < c.columns; ++x) {
      const bool tick = std::find(c.ticks.begin(), c.ticks.end(), x) != c.ticks.end();
      for (int y = 11; y <= 14; ++y) EXPECT_EQ(Hex(canvas.pixel(x, y)), Hex(tick ? White : Black)) << x;
      EXPECT_EQ(Hex(canvas.pixel(x, 15)), Hex(tick || x < c.columns - 1 ? White : Black)) << x;
    }
    // Rows 0..10: black under the timeline, "(S)" written once, the labels.
    QImage expected = Canvas(canvas.width());
    {
      QPainter painter(&expected);
      painter.fillRect(0, 0, c.columns, 11, Qt::black);
      painter.setPen(Qt::white);
      const int ascent = painter.fontMetrics().ascent();
      painter.drawText(QPoint(0, ascent), QStringLiteral("(S)"));
      for (const auto& [x, text] : c.labels) painter.drawText(QPoint(x, ascent), text);
    }
    EXPECT_EQ(FirstDifference(canvas.copy(0, 0, canvas.width(), 11),
                              expected.copy(0, 0, canvas.width(), 11)),
              "");
  }
}

TEST_F(WaveRenderTest, PaintsOnTheImageTheOwnerPutInPlace) {
  QImage canvas = Canvas(10);
  TWaveRender render(&canvas, 10, H);
  render.SetTimelineLength(10);
  canvas = Canvas(40);
  render.SetTimelineLength(40);
  EXPECT_EQ(Hex(canvas.pixel(38, 15)), Hex(White));
  EXPECT_EQ(Hex(canvas.pixel(39, 20)), Hex(Black));
}

TEST_F(WaveRenderTest, NoSurfaceSkipsPaintingButNotTheNotice) {
  QImage none;
  for (QImage* canvas : {&none, static_cast<QImage*>(nullptr)}) {
    TWaveRender render(canvas, 0, H);
    int painted = 0;
    render.OnPainted = [&] { ++painted; };
    render.SetTimelineLength(0);
    render.SetStartCol(3);
    render.SetEndCol(4);
    render.SetCursorCol(5);
    render.SetTimelineLength(25);
    EXPECT_EQ(painted, 5);
  }
  EXPECT_TRUE(none.isNull());
}

} // namespace
