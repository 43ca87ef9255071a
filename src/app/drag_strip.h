#pragma once
// A strip by which the frameless window is dragged: moving the pointer with
// the left button held moves the window.

#include <QLabel>
#include <QPoint>

namespace lumivo::app {

class DragStrip final : public QLabel {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(DragStrip)

 public:
  DragStrip(const QString& name, const QString& hint, QWidget* parent = nullptr);

 signals:
  // A move of the window began (left button held while the pointer moved).
  void moveStarted();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool moving_ = false;
  bool systemMove_ = false;
  QPoint pressPointer_;
  QPoint pressWindow_;
};

}  // namespace lumivo::app
