#pragma once
// The font dialog of the text watermark: Qt's font choice with the font's
// colour beside it, as the stored font has one.

#include <QDialog>

#include <string>

#include "core/font_description.h"

class QFontDialog;
class QPushButton;

namespace lumivo::app {

class FontColourDialog final : public QDialog {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(FontColourDialog)

 public:
  FontColourDialog(const FontDescription& initial, QWidget* parent = nullptr);

  // Face, size and style as chosen; colour and character set carried along.
  // A stored face the system lacks stays as stored unless another is picked.
  FontDescription Chosen() const;

 private:
  void ShowColour();

  QFontDialog* fonts_ = nullptr;
  QPushButton* colourButton_ = nullptr;
  std::string storedFace_;
  QString shownFamily_;  // what the dialog chose for the stored face
  std::uint32_t colour_;
  int charset_;
};

}  // namespace lumivo::app
