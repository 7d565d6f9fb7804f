#include <QApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include "controls/MouseEffectImage.h"

namespace {

QPixmap Filled(QColor color) {
  QPixmap pixmap(20, 10);
  pixmap.fill(color);
  return pixmap;
}

enum class Step { Enter, Leave, Press, Release, RightPress, RightRelease, MoveOff, ReleaseOff, DoubleClick };

struct Case {
  const char* name;
  bool revertOnLeave;
  std::vector<std::pair<Step, char>> steps;  // step, then the look shown: N, O(ver), D(own)
  int clicks;
};

void Send(TMouseEffectImage& button, Step step) {
  const QPointF inside(5, 5), outside(50, 50);
  auto mouse = [&](QEvent::Type type, QPointF at, Qt::MouseButton b, Qt::MouseButtons held) {
    QMouseEvent event(type, at, button.mapToGlobal(at), b, held, Qt::NoModifier);
    QApplication::sendEvent(&button, &event);
  };
  switch (step) {
    case Step::Enter: {
      QEnterEvent event(inside, inside, button.mapToGlobal(inside));
      QApplication::sendEvent(&button, &event);
      break;
    }
    case Step::Leave: {
      QEvent event(QEvent::Leave);
      QApplication::sendEvent(&button, &event);
      break;
    }
    case Step::Press: mouse(QEvent::MouseButtonPress, inside, Qt::LeftButton, Qt::LeftButton); break;
    case Step::Release: mouse(QEvent::MouseButtonRelease, inside, Qt::LeftButton, Qt::NoButton); break;
    case Step::RightPress: mouse(QEvent::MouseButtonPress, inside, Qt::RightButton, Qt::RightButton); break;
    case Step::RightRelease: mouse(QEvent::MouseButtonRelease, inside, Qt::RightButton, Qt::NoButton); break;
    case Step::MoveOff: mouse(QEvent::MouseMove, outside, Qt::NoButton, Qt::LeftButton); break;
    case Step::ReleaseOff: mouse(QEvent::MouseButtonRelease, outside, Qt::LeftButton, Qt::NoButton); break;
    case Step::DoubleClick: mouse(QEvent::MouseButtonDblClick, inside, Qt::LeftButton, Qt::LeftButton); break;
  }
}

char Look(const TMouseEffectImage& button) {
  const QRgb shown = button.Picture().toImage().pixel(0, 0);
  if (shown == QColor(Qt::red).rgb()) return 'N';
  if (shown == QColor(Qt::green).rgb()) return 'O';
  if (shown == QColor(Qt::blue).rgb()) return 'D';
  return '?';
}

TEST(MouseEffectImage, FollowsTheStateTable) {
  using S = Step;
  const Case cases[] = {
      {"click, normal after release", false,
       {{S::Enter, 'O'}, {S::Press, 'D'}, {S::Release, 'N'}, {S::Leave, 'N'}, {S::Enter, 'O'}}, 1},
      {"click, revert on leave keeps pressed", true,
       {{S::Enter, 'O'}, {S::Press, 'D'}, {S::Release, 'D'}, {S::Leave, 'N'}}, 1},
      {"press, move off, release elsewhere: no click", false,
       {{S::Enter, 'O'}, {S::Press, 'D'}, {S::MoveOff, 'N'}, {S::ReleaseOff, 'N'}}, 0},
      {"second press of a double click is no press", false,
       {{S::Enter, 'O'}, {S::Press, 'D'}, {S::Release, 'N'}, {S::DoubleClick, 'N'}, {S::Release, 'N'}}, 1},
      {"double click with revert on leave", true,
       {{S::Enter, 'O'}, {S::Press, 'D'}, {S::Release, 'D'}, {S::Leave, 'N'}, {S::Enter, 'O'},
        {S::DoubleClick, 'O'}, {S::Release, 'O'}}, 1},
      {"other buttons change nothing", false,
       {{S::Enter, 'O'}, {S::RightPress, 'O'}, {S::RightRelease, 'O'}}, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    TMouseEffectImage button;
    button.SetOverPicture(Filled(Qt::green));
    button.SetDownPicture(Filled(Qt::blue));
    button.SetOriginPicture(Filled(Qt::red));
    button.SetRevertOnLeave(c.revertOnLeave);
    int clicks = 0;
    QObject::connect(&button, &TMouseEffectImage::Click, [&] { ++clicks; });
    EXPECT_EQ(Look(button), 'N');
    for (std::size_t i = 0; i < c.steps.size(); ++i) {
      Send(button, c.steps[i].first);
      EXPECT_EQ(Look(button), c.steps[i].second) << "after step " << i;
    }
    EXPECT_EQ(clicks, c.clicks);
  }
}

TEST(MouseEffectImage, PicturesSetWhileHoveredShowAtTheNextNotification) {
  TMouseEffectImage button;
  EXPECT_TRUE(button.Picture().isNull());  // nothing until a picture is set
  button.SetOverPicture(Filled(Qt::green));
  button.SetOriginPicture(Filled(Qt::red));
  Send(button, Step::Enter);
  button.SetOverPicture(Filled(Qt::blue));
  button.SetDownPicture(Filled(Qt::green));
  EXPECT_EQ(Look(button), 'O');  // still the old hover picture
  Send(button, Step::Press);
  EXPECT_EQ(Look(button), 'O');  // the new pressed picture (green)
  button.SetOriginPicture(Filled(Qt::blue));
  EXPECT_EQ(Look(button), 'D');  // a new normal picture shows at once
}

TEST(MouseEffectImage, SizesItselfToThePictureItShows) {
  TMouseEffectImage button;
  QPixmap big(47, 48);
  big.fill(Qt::red);
  button.SetOriginPicture(big);
  EXPECT_EQ(button.size(), QSize(47, 48));
}

}  // namespace
