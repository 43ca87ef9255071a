#pragma once
// Three check boxes of which exactly one is checked after any click: a click
// on the checked box keeps it checked.

#include <QObject>

#include <array>

class QCheckBox;

namespace lumivo::app {

class ExclusiveGroup final : public QObject {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(ExclusiveGroup)

 public:
  ExclusiveGroup(const std::array<QCheckBox*, 3>& boxes, QObject* parent);

  // The index of the checked box; none checked counts as the first.
  int Choice() const;
  // Checks that box alone, without the click reaction.
  void SetChoice(int index);

 signals:
  // After a user's click, with the group's new choice.
  void clicked(int choice);

 private:
  std::array<QCheckBox*, 3> boxes_;
};

}  // namespace lumivo::app
