#pragma once
// OnlyDigitsKeyFilter: the number fields take typed digits and backspace
// only. Keys that type nothing (arrows, Delete, shortcuts such as paste) pass.

#include <QObject>

namespace lumivo::app {

class OnlyDigitsKeyFilter final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(OnlyDigitsKeyFilter)

 public:
  using QObject::QObject;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace lumivo::app
