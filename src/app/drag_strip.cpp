#include "app/drag_strip.h"

#include <QMouseEvent>
#include <QWindow>

namespace lumivo::app {

DragStrip::DragStrip(const QString& name, const QString& hint, QWidget* parent) : QLabel(parent) {
  setObjectName(name);
  setToolTip(hint);
  setAutoFillBackground(true);
}

void DragStrip::mousePressEvent(QMouseEvent* event) {
  moving_ = false;
  systemMove_ = false;
  pressPointer_ = event->globalPosition().toPoint();
  pressWindow_ = window()->pos();
  event->accept();
}

void DragStrip::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return;
  if (!moving_) {
    moving_ = true;
    emit moveStarted();
    // The window manager moves the window when it can; without one (a bare
    // X server) the strip follows the pointer itself.
    QWindow* handle = window()->windowHandle();
    systemMove_ = handle != nullptr && handle->startSystemMove();
  }
  if (!systemMove_) window()->move(pressWindow_ + event->globalPosition().toPoint() - pressPointer_);
  event->accept();
}

void DragStrip::mouseReleaseEvent(QMouseEvent* event) {
  moving_ = false;
  event->accept();
}

}  // namespace lumivo::app
