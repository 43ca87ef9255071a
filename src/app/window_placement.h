#pragma once
// A stored window position that lies off every screen (a screen that is gone)
// is moved onto the nearest screen: the window has no frame to drag it back.

#include <QPoint>
#include <QRect>
#include <QSize>

#include <vector>

namespace lumivo::app {

// `screens` are the screens' available areas. A window whose caption strip
// shows at least partly on a screen stays where it is.
QPoint PlaceOnScreen(QPoint position, QSize size, const std::vector<QRect>& screens);

}  // namespace lumivo::app
