#include "app/exclusive_group.h"

#include <QCheckBox>
#include <QSignalBlocker>

namespace lumivo::app {

ExclusiveGroup::ExclusiveGroup(const std::array<QCheckBox*, 3>& boxes, QObject* parent)
    : QObject(parent), boxes_(boxes) {
  for (int i = 0; i < 3; ++i) {
    connect(boxes_[i], &QCheckBox::clicked, this, [this, i] {
      SetChoice(i);
      emit clicked(i);
    });
  }
}

int ExclusiveGroup::Choice() const {
  for (int i = 0; i < 3; ++i)
    if (boxes_[i]->isChecked()) return i;
  return 0;
}

void ExclusiveGroup::SetChoice(int index) {
  for (int i = 0; i < 3; ++i) {
    const QSignalBlocker quiet(boxes_[i]);
    boxes_[i]->setChecked(i == index);
  }
}

}  // namespace lumivo::app
