#pragma once
// A panel that acts as a button: a caption on a coloured face, told apart
// from its siblings by a command number, so that one handler serves a whole
// row of them.

#include <QLabel>

namespace lumivo::app {

class PanelButton final : public QLabel {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(PanelButton)

 public:
  PanelButton(const QString& name, const QString& caption, const QString& hint, int commandTag,
              QWidget* parent = nullptr);

  int commandTag() const { return commandTag_; }
  void SetColours(const QColor& face, const QColor& text);
  void SetBold(bool bold);

 signals:
  // A left click: pressed and released inside.
  void clicked(lumivo::app::PanelButton* button);
  // Any button let go over the panel (the open button tells left from right).
  void released(lumivo::app::PanelButton* button, Qt::MouseButton mouseButton);
  // The second press of a left double click (its release still clicks).
  void doubleClicked(lumivo::app::PanelButton* button);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;

 private:
  int commandTag_;
  bool leftPressed_ = false;
};

}  // namespace lumivo::app
