#include "app/window_placement.h"

#include <algorithm>
#include <limits>

namespace lumivo::app {

namespace {

constexpr int kCaptionHeight = 26;
constexpr int kVisibleMinimum = 40;  // pixels of the caption that must show to grab it

long long DistanceSquared(const QRect& area, const QRect& window) {
  const long long dx = std::max({0, area.left() - window.right(), window.left() - area.right()});
  const long long dy = std::max({0, area.top() - window.bottom(), window.top() - area.bottom()});
  return dx * dx + dy * dy;
}

}  // namespace

QPoint PlaceOnScreen(QPoint position, QSize size, const std::vector<QRect>& screens) {
  if (screens.empty()) return position;
  const QRect caption(position, QSize(size.width(), kCaptionHeight));
  for (const QRect& area : screens) {
    const QRect shown = area.intersected(caption);
    if (shown.width() >= std::min(kVisibleMinimum, size.width()) && shown.height() > 0) return position;
  }
  const QRect window(position, size);
  const QRect* nearest = &screens.front();
  long long best = std::numeric_limits<long long>::max();
  for (const QRect& area : screens) {
    const long long distance = DistanceSquared(area, window);
    if (distance < best) {
      best = distance;
      nearest = &area;
    }
  }
  const int x = std::clamp(position.x(), nearest->left(), std::max(nearest->left(), nearest->right() + 1 - size.width()));
  const int y = std::clamp(position.y(), nearest->top(), std::max(nearest->top(), nearest->bottom() + 1 - size.height()));
  return {x, y};
}

}  // namespace lumivo::app
