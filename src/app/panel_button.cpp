#include "app/panel_button.h"

#include <QMouseEvent>

namespace lumivo::app {

PanelButton::PanelButton(const QString& name, const QString& caption, const QString& hint, int commandTag,
                         QWidget* parent)
    : QLabel(caption, parent), commandTag_(commandTag) {
  setObjectName(name);
  setToolTip(hint);
  setAlignment(Qt::AlignCenter);
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(1);
  setAutoFillBackground(true);
  setCursor(Qt::PointingHandCursor);
  SetColours(Qt::white, Qt::black);
}

void PanelButton::SetColours(const QColor& face, const QColor& text) {
  QPalette colours = palette();
  colours.setColor(QPalette::Window, face);
  colours.setColor(QPalette::WindowText, text);
  setPalette(colours);
}

void PanelButton::SetBold(bool bold) {
  QFont font = this->font();
  font.setBold(bold);
  setFont(font);
}

void PanelButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    leftPressed_ = true;
    setFrameShadow(QFrame::Sunken);
  }
  event->accept();
}

void PanelButton::mouseDoubleClickEvent(QMouseEvent* event) {
  mousePressEvent(event);
  if (event->button() == Qt::LeftButton) emit doubleClicked(this);
}

void PanelButton::mouseReleaseEvent(QMouseEvent* event) {
  const bool inside = rect().contains(event->position().toPoint());
  const bool wasLeft = leftPressed_ && event->button() == Qt::LeftButton;
  if (event->button() == Qt::LeftButton) {
    leftPressed_ = false;
    setFrameShadow(QFrame::Raised);
  }
  event->accept();
  if (!inside) return;
  emit released(this, event->button());
  if (wasLeft) emit clicked(this);
}

}  // namespace lumivo::app
