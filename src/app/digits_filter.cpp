#include "app/digits_filter.h"

#include <QKeyEvent>

namespace lumivo::app {

bool OnlyDigitsKeyFilter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
  const auto* key = static_cast<const QKeyEvent*>(event);
  if (key->key() == Qt::Key_Backspace || key->modifiers().testFlag(Qt::ControlModifier)) return false;
  const QString typed = key->text();
  for (const QChar c : typed)
    if (c.isPrint() && !(c >= '0' && c <= '9')) return true;
  return false;
}

}  // namespace lumivo::app
