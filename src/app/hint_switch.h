#pragma once
// The application-wide switch for hints (tooltips) and their timing: shown
// 1 ms after the pointer comes to rest, kept for 225 s.

#include <QObject>

namespace lumivo::app {

inline constexpr int kHintPauseMs = 1;
inline constexpr int kHintDisplayMs = 225000;

class HintSwitch final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(HintSwitch)

 public:
  // Watches every hint of the application while it lives.
  explicit HintSwitch(QObject* parent = nullptr);
  ~HintSwitch() override;

  void SetEnabled(bool enabled);
  bool enabled() const { return enabled_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool enabled_ = true;
};

// Gives the application's style the hint pause (once per application).
void ApplyHintTiming();

}  // namespace lumivo::app
