#pragma once
// Up-down buttons attached to a number field: each step moves the position
// by one inside its range and writes it into the field; a number typed into
// the field becomes the position (held inside the range).

#include <QWidget>

class QLineEdit;

namespace lumivo::app {

class UpDown final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(UpDown)

 public:
  UpDown(const char* name, QLineEdit* buddy, int minimum, int maximum, QWidget* parent = nullptr);

  int position() const { return position_; }
  // Sets the position and the field's text, without a change signal.
  void SetPosition(int position);
  void Step(int by);

 signals:
  void positionChanged(int position);

 private:
  void TakeBuddyText();

  QLineEdit* buddy_;
  int minimum_;
  int maximum_;
  int position_ = 0;
};

}  // namespace lumivo::app
