#include "app/font_colour_dialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/contrast_colour.h"
#include "app/qt_text.h"
#include "platform/font_conversion.h"
#include "platform/system_colour.h"
#include "resources/texts.h"

namespace lumivo::app {

FontColourDialog::FontColourDialog(const FontDescription& initial, QWidget* parent)
    : QDialog(parent), storedFace_(initial.face), colour_(initial.colour), charset_(initial.charset) {
  setWindowTitle(ToQString(texts::kFontDialogTitle));
  fonts_ = new QFontDialog(platform::ToQFont(initial), this);
  fonts_->setWindowFlags(Qt::Widget);
  fonts_->setOptions(QFontDialog::NoButtons);
  shownFamily_ = fonts_->currentFont().family();

  auto* colourRow = new QHBoxLayout;
  colourRow->addWidget(new QLabel(ToQString(texts::kFontDialogColour), this));
  colourButton_ = new QPushButton(this);
  colourButton_->setMinimumWidth(80);
  connect(colourButton_, &QPushButton::clicked, this, [this] {
    const platform::PlainColour now = platform::ResolveColour(colour_);
    const QColor picked = QColorDialog::getColor(QColor(now.red, now.green, now.blue), this);
    if (!picked.isValid()) return;
    colour_ = ToColourValue(picked);
    ShowColour();
  });
  colourRow->addWidget(colourButton_);
  colourRow->addStretch();

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(fonts_);
  layout->addLayout(colourRow);
  layout->addWidget(buttons);
  ShowColour();
}

void FontColourDialog::ShowColour() {
  const platform::PlainColour now = platform::ResolveColour(colour_);
  const std::uint32_t value = ColourValue(now.red, now.green, now.blue);
  QPalette palette = colourButton_->palette();
  palette.setColor(QPalette::Button, ToQColor(value));
  palette.setColor(QPalette::ButtonText, ToQColor(ContrastTextColour(value)));
  colourButton_->setPalette(palette);
  colourButton_->setAutoFillBackground(true);
  colourButton_->setText(QColor(now.red, now.green, now.blue).name());
}

FontDescription FontColourDialog::Chosen() const {
  FontDescription chosen = platform::FromQFont(fonts_->currentFont(), colour_, charset_);
  if (fonts_->currentFont().family() == shownFamily_) chosen.face = storedFace_;
  return chosen;
}

}  // namespace lumivo::app
