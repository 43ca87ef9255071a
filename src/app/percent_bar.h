#pragma once
// A percent bar of the adjustments page: a position between a minimum and a
// maximum, set by a click or a drag with the left button, and a bar colour
// that grows redder with the position.

#include <QProgressBar>

#include <cstdint>

namespace lumivo::app {

// The bar colour at position 0; the position is added to the colour value.
inline constexpr std::uint32_t kBarColourBase = 0xA56D3A;

class PercentBar final : public QProgressBar {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(PercentBar)

 public:
  PercentBar(const char* name, int minimum, int maximum, QWidget* parent = nullptr);

  // A position outside the range is held at the nearer end.
  void SetPosition(int position);
  // One step of a "-" or "+" panel.
  void Step(int by) { SetPosition(value() + by); }

  // maximum / width * x, ties to even: taken only with the left button down,
  // inside the range and inside the client rectangle. Reports the pointer
  // either way.
  bool SetBarFromPointer(Qt::MouseButtons buttons, int x, int y);

 signals:
  // A press or a move over the bar, whether it moved the position or not.
  void pointerUsed();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void ShowBarColour();
};

}  // namespace lumivo::app
