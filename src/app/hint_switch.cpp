#include "app/hint_switch.h"

#include <QApplication>
#include <QHelpEvent>
#include <QProxyStyle>
#include <QToolTip>
#include <QWidget>

namespace lumivo::app {

namespace {

class HintTimingStyle final : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;
  int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                QStyleHintReturn* returnData) const override {
    if (hint == SH_ToolTip_WakeUpDelay) return kHintPauseMs;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
  }
};

}  // namespace

void ApplyHintTiming() {
  if (dynamic_cast<HintTimingStyle*>(QApplication::style()) != nullptr) return;
  QApplication::setStyle(new HintTimingStyle);  // the application owns it
}

HintSwitch::HintSwitch(QObject* parent) : QObject(parent) { qApp->installEventFilter(this); }

HintSwitch::~HintSwitch() {
  if (qApp != nullptr) qApp->removeEventFilter(this);
}

void HintSwitch::SetEnabled(bool enabled) {
  enabled_ = enabled;
  if (!enabled_) QToolTip::hideText();
}

bool HintSwitch::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::ToolTip) return false;
  if (!enabled_) return true;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->toolTip().isEmpty()) return false;
  const auto* help = static_cast<QHelpEvent*>(event);
  QToolTip::showText(help->globalPos(), widget->toolTip(), widget, {}, kHintDisplayMs);
  return true;
}

}  // namespace lumivo::app
