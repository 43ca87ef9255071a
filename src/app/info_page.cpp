#include "app/info_page.h"

#include <QLabel>

#include "app/picture_view.h"
#include "app/qt_text.h"
#include "core/builtin_pictures.h"
#include "platform/qt_image.h"
#include "resources/texts.h"

namespace lumivo::app {

namespace {

QLabel* CentredLabel(const char* name, std::string_view hint, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setToolTip(ToQString(hint));
  label->setAlignment(Qt::AlignCenter);
  label->setWordWrap(true);
  return label;
}

}  // namespace

InfoPage::InfoPage(QWidget* parent) : QWidget(parent) {
  setObjectName("Panel_Main_Info");
  setAutoFillBackground(true);
  logo_ = new PictureView("Image_H2O_Dummy", ToQString(texts::kLogoHint), PictureView::Fit::ScaleDown, this);
  logo_->setGeometry(263, 24, 128, 128);
  const Bitmap logo = ProgramLogoBitmap();
  logo_->SetPicture(platform::WrapBitmap(logo).copy().scaled(128, 128, Qt::KeepAspectRatio, Qt::SmoothTransformation));

  auto* title = new QLabel(this);
  title->setObjectName("Label_Info_Titel");
  title->setAlignment(Qt::AlignCenter);
  QFont big = title->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.5);
  title->setFont(big);
  title->setText(ToQString(std::string(texts::kTitleName) + std::string(texts::kTitleVersion)));
  title->setGeometry(16, 160, 623, 28);

  about_ = CentredLabel("Label_Info_Impressum", texts::kAboutHint, this);
  about_->setGeometry(40, 200, 575, 90);
  credits_ = CentredLabel("Label_Info_Danke", texts::kCreditsHint, this);
  credits_->setGeometry(40, 310, 575, 90);
}

void InfoPage::FillTexts() {
  about_->setText(ToQString(texts::kAbout));
  credits_->setText(ToQString(texts::kCredits));
}

}  // namespace lumivo::app
