#include "app/up_down.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace lumivo::app {

UpDown::UpDown(const char* name, QLineEdit* buddy, int minimum, int maximum, QWidget* parent)
    : QWidget(parent), buddy_(buddy), minimum_(minimum), maximum_(maximum) {
  setObjectName(name);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (const auto& [arrow, step] : {std::pair{Qt::UpArrow, 1}, std::pair{Qt::DownArrow, -1}}) {
    auto* button = new QToolButton(this);
    button->setObjectName(QString(name) + (step > 0 ? "_Up" : "_Down"));
    button->setArrowType(arrow);
    button->setAutoRepeat(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    connect(button, &QToolButton::clicked, this, [this, delta = step] { Step(delta); });
    layout->addWidget(button);
  }
  connect(buddy_, &QLineEdit::textEdited, this, &UpDown::TakeBuddyText);
  connect(buddy_, &QLineEdit::editingFinished, this, [this] {
    TakeBuddyText();
    SetPosition(position_);
  });
}

void UpDown::SetPosition(int position) {
  position_ = std::clamp(position, minimum_, maximum_);
  const QString text = QString::number(position_);
  if (buddy_->text() != text) buddy_->setText(text);
}

void UpDown::Step(int by) {
  TakeBuddyText();
  const int before = position_;
  SetPosition(position_ + by);
  if (position_ != before) emit positionChanged(position_);
}

void UpDown::TakeBuddyText() {
  bool number = false;
  const int typed = buddy_->text().toInt(&number);
  if (!number) return;
  const int before = position_;
  position_ = std::clamp(typed, minimum_, maximum_);
  if (position_ != before) emit positionChanged(position_);
}

}  // namespace lumivo::app
