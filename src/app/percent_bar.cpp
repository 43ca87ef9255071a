#include "app/percent_bar.h"

#include <QMouseEvent>

#include <algorithm>

#include "app/contrast_colour.h"
#include "core/rounding.h"

namespace lumivo::app {

PercentBar::PercentBar(const char* name, int minimum, int maximum, QWidget* parent) : QProgressBar(parent) {
  setObjectName(name);
  setRange(minimum, maximum);
  setTextVisible(false);
  SetPosition(minimum);
}

void PercentBar::SetPosition(int position) {
  setValue(std::clamp(position, minimum(), maximum()));
  ShowBarColour();
}

void PercentBar::ShowBarColour() {
  QPalette colours = palette();
  colours.setColor(QPalette::Highlight, ToQColor(kBarColourBase + static_cast<std::uint32_t>(value())));
  setPalette(colours);
}

bool PercentBar::SetBarFromPointer(Qt::MouseButtons buttons, int x, int y) {
  const int w = width();
  const int h = height();
  bool accepted = false;
  if (w > 0 && buttons.testFlag(Qt::LeftButton) && x >= 0 && x <= w && y >= 0 && y <= h) {
    const long long position = RoundTiesEven(static_cast<long double>(maximum()) / w * x);
    if (position >= minimum() && position <= maximum()) {
      SetPosition(static_cast<int>(position));
      accepted = true;
    }
  }
  emit pointerUsed();
  return accepted;
}

void PercentBar::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  SetBarFromPointer(event->buttons(), at.x(), at.y());
  event->accept();
}

void PercentBar::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  SetBarFromPointer(event->buttons(), at.x(), at.y());
  event->accept();
}

}  // namespace lumivo::app
