#include "app/adjustments_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

#include "app/contrast_colour.h"
#include "app/digits_filter.h"
#include "app/exclusive_group.h"
#include "app/panel_button.h"
#include "app/percent_bar.h"
#include "app/picture_view.h"
#include "app/qt_text.h"
#include "app/up_down.h"
#include "batch/entry_preparation.h"
#include "core/builtin_pictures.h"
#include "core/text_format.h"
#include "filelist/file_type_table.h"
#include "imaging/jpeg_output.h"
#include "platform/font_conversion.h"
#include "platform/qt_image.h"
#include "platform/system_colour.h"
#include "resources/texts.h"

namespace lumivo::app {

namespace {

// The font panel shows the chosen face and style; its size is capped so the
// caption stays whole on the panel.
constexpr int kLargestPanelPoints = 12;

QImage ToImage(const Bitmap& bitmap) { return platform::WrapBitmap(bitmap).copy(); }

std::uint32_t PlainValue(std::uint32_t colour) {
  const platform::PlainColour plain = platform::ResolveColour(colour);
  return ColourValue(plain.red, plain.green, plain.blue);
}

}  // namespace

AdjustmentsPage::AdjustmentsPage(const WindowDialogs& dialogs, QWidget* parent)
    : QWidget(parent), dialogs_(dialogs), testPicture_(TestPictureBitmap()) {
  setObjectName("Panel_Main_Bildanpassungen");
  setAutoFillBackground(true);
  digitsOnly_ = new OnlyDigitsKeyFilter(this);
  watermark_ = LogoWatermarkPicture();
  watermarkBitmap_ = std::make_shared<const Bitmap>(watermark_.picture);

  BuildSubTabs();
  BuildQualityPage();
  BuildSizePage();
  BuildColouringPage();
  BuildWatermarkPage();
  qualityOriginal_->SetPicture(ToImage(testPicture_));
  ApplyConversion(ConversionSettings{});
  SelectAdjustmentsSubPage("Panel_Bildqualitaet");
}

AdjustmentsPage::~AdjustmentsPage() = default;

void AdjustmentsPage::Changed() { emit settingsChanged(); }

void AdjustmentsPage::ApplyConversion(const ConversionSettings& given) {
  const ConversionSettings settings = ClampToControlRanges(given);
  bars_[BarIndex(kQualityFrame)].bar->SetPosition(settings.Quality);
  bars_[BarIndex(kSizeFrame)].bar->SetPosition(settings.SizePercent);
  bars_[BarIndex(kSepiaFrame)].bar->SetPosition(settings.SepiaPercent);
  bars_[BarIndex(kOwnColourFrame)].bar->SetPosition(settings.OwnColourPercent);
  bars_[BarIndex(kTransparencyFrame)].bar->SetPosition(settings.WatermarkTransparencyPercent);
  sizeGroup_->SetChoice(static_cast<int>(settings.SizeMode));
  colouringGroup_->SetChoice(static_cast<int>(settings.ColouringMode));
  watermarkGroup_->SetChoice(static_cast<int>(settings.WatermarkMode));
  {
    const QSignalBlocker quietWidth(ownWidth_), quietHeight(ownHeight_), quietText(watermarkText_),
        quietScale(scale_);
    ownWidth_->setText(ToQString(settings.OwnWidth));
    ownHeight_->setText(ToQString(settings.OwnHeight));
    watermarkText_->setText(ToQString(settings.WatermarkText));
    scale_->setCurrentIndex(settings.WatermarkScaleIndex);
  }
  whiteFilter_->setChecked(settings.WhiteFilter);
  transparency_->setChecked(settings.WatermarkTransparency);
  marginX_->SetPosition(settings.WatermarkMarginX);
  marginY_->SetPosition(settings.WatermarkMarginY);
  position_->button(settings.WatermarkPosition)->setChecked(true);
  ownColour_ = settings.OwnColour;
  font_ = settings.WatermarkFont;
  watermarkPictureFile_ = settings.WatermarkPictureFile;

  RefreshQualityPreview();
  RefreshPercentLabels();
  ShowOwnColour();
  RefreshColouringPreview();
  ShowFont();
}

void AdjustmentsPage::BuildConversion(ConversionSettings& settings) const {
  settings.Quality = bars_[BarIndex(kQualityFrame)].bar->value();
  settings.SizeMode = static_cast<SizeMode>(sizeGroup_->Choice());
  settings.SizePercent = bars_[BarIndex(kSizeFrame)].bar->value();
  settings.OwnWidth = ToUtf8(ownWidth_->text());
  settings.OwnHeight = ToUtf8(ownHeight_->text());
  settings.ColouringMode = static_cast<ColouringMode>(colouringGroup_->Choice());
  settings.SepiaPercent = bars_[BarIndex(kSepiaFrame)].bar->value();
  settings.OwnColour = ownColour_;
  settings.OwnColourPercent = bars_[BarIndex(kOwnColourFrame)].bar->value();
  settings.WhiteFilter = whiteFilter_->isChecked();
  settings.WatermarkMode = static_cast<WatermarkMode>(watermarkGroup_->Choice());
  settings.WatermarkPictureFile = watermarkPictureFile_;
  settings.WatermarkScaleIndex = scale_->currentIndex();
  settings.WatermarkTransparency = transparency_->isChecked();
  settings.WatermarkTransparencyPercent = bars_[BarIndex(kTransparencyFrame)].bar->value();
  settings.WatermarkText = ToUtf8(watermarkText_->text());
  settings.WatermarkFont = font_;
  settings.WatermarkPosition = std::max(position_->checkedId(), 0);
  settings.WatermarkMarginX = marginX_->position();
  settings.WatermarkMarginY = marginY_->position();
}

ConversionSettings AdjustmentsPage::Conversion() const {
  ConversionSettings settings;
  BuildConversion(settings);
  return settings;
}

void AdjustmentsPage::RefreshAdjustmentsPage(bool startUp) {
  colouringOriginal_->SetPicture(ToImage(testPicture_));
  RefreshQualityPreview();
  RefreshPercentLabels();
  RefreshColouringPreview();
  if (startUp) SelectAdjustmentsSubPage("Panel_Bildqualitaet");
  ShowOwnColour();
  RefreshColouringPreview();
  watermark_ = RestoreWatermarkPicture(watermarkPictureFile_);
  ShowWatermarkPicture();
  ShowFont();
}

void AdjustmentsPage::SelectAdjustmentsSubPage(const QString& tabName) {
  for (PanelButton* tab : subTabs_) {
    const std::uint32_t face = tab->objectName() == tabName ? kSubTabColour : kWhite;
    tab->SetColours(ToQColor(face), ToQColor(ContrastTextColour(face)));
  }
  const QString pageName = "Panel_Bildanpassungen_Sub_" + tabName.mid(tabName.indexOf('_') + 1);
  for (QWidget* page : subPages_) {
    if (page->objectName() != pageName) continue;
    for (QWidget* other : subPages_) other->setVisible(other == page);
    page->raise();
  }
}

void AdjustmentsPage::StepPercentBar(PanelButton* step) {
  const QVariant frameTag = step->parentWidget()->property("Tag");
  const int tag = frameTag.isValid() ? frameTag.toInt() : kQualityFrame;
  if (tag % 10 != 0 || tag < kQualityFrame || tag > kTransparencyFrame) return;
  bars_[BarIndex(static_cast<BarFrameTag>(tag))].bar->Step(step->commandTag());
  if (tag == kQualityFrame) {
    RefreshQualityPreview();
  } else {
    RefreshPercentLabels();
    RefreshColouringPreview();
  }
  Changed();
}

void AdjustmentsPage::RefreshQualityPreview() {
  const Bar& quality = bars_[BarIndex(kQualityFrame)];
  quality.label->setText(ToQString(FormatText(texts::kPercentLabel, quality.name, quality.bar->value())));
  Bitmap adjusted;
  if (RenderAtQuality(testPicture_, adjusted, quality.bar->value())) qualityAdjusted_->SetPicture(ToImage(adjusted));
}

void AdjustmentsPage::RefreshPercentLabels() {
  for (const BarFrameTag tag : {kSizeFrame, kSepiaFrame, kOwnColourFrame, kTransparencyFrame}) {
    const Bar& bar = bars_[BarIndex(tag)];
    bar.label->setText(ToQString(FormatText(texts::kPercentLabel, bar.name, bar.bar->value())));
  }
}

void AdjustmentsPage::RefreshColouringPreview() {
  Bitmap adjusted = testPicture_;
  ApplyColouring(adjusted, Conversion());
  colouringAdjusted_->SetPicture(ToImage(adjusted));
}

void AdjustmentsPage::ShowOwnColour() {
  const std::uint32_t face = ownColour_ & 0xFFFFFF;
  ownColourPanel_->SetColours(ToQColor(face), ToQColor(ContrastTextColour(face)));
}

void AdjustmentsPage::ChooseOwnColour() {
  if (dialogs_.pickColour) {
    if (const auto picked = dialogs_.pickColour(this, ToQColor(ownColour_ & 0xFFFFFF))) {
      ownColour_ = ToColourValue(*picked);
      Changed();
    }
  }
  ShowOwnColour();
  RefreshColouringPreview();
}

void AdjustmentsPage::ShowFont() {
  const std::uint32_t text = PlainValue(font_.colour);
  fontPanel_->SetColours(ToQColor(ContrastTextColour(text)), ToQColor(text));
  QFont sample = platform::ToQFont(font_);
  sample.setPointSize(std::min(sample.pointSize(), kLargestPanelPoints));
  fontPanel_->setFont(sample);
  const QString caption = ToQString(FormatText(texts::kFontPanelCaption, font_.face, font_.size));
  fontPanel_->setText(caption);
  fontPanel_->setToolTip(caption);
}

void AdjustmentsPage::ChooseFont() {
  if (dialogs_.pickFont) {
    if (const auto picked = dialogs_.pickFont(this, font_)) {
      font_ = *picked;
      Changed();
    }
  }
  ShowFont();
}

void AdjustmentsPage::ShowWatermarkPicture() {
  Bitmap shown = watermark_.picture;
  if (shown.format() != PixelFormat::Bgr24 && shown.format() != PixelFormat::Bgra32) (void)shown.ConvertToBgr24();
  watermarkView_->SetPicture(ToImage(shown));
  watermarkView_->setToolTip(watermark_.file.empty() ? ToQString(texts::kWatermarkImageHint)
                                                     : ToQString(watermark_.file.string()));
  watermarkBitmap_ = std::make_shared<const Bitmap>(watermark_.picture);
}

void AdjustmentsPage::ChooseWatermarkPicture() {
  if (!dialogs_.openPicture) return;
  FileTypeChecks all;
  all.fill(true);
  QStringList filters;
  for (const std::string& filter : OpenDialogNameFilters(all)) filters.push_back(ToQString(filter));
  const std::filesystem::path current(watermarkPictureFile_);
  const QString file = dialogs_.openPicture(this, ToQString(current.parent_path().string()), filters);
  if (file.isEmpty()) return;
  if (Status chosen = lumivo::ChooseWatermarkPicture(ToUtf8(file), watermark_); !chosen) {
    if (dialogs_.message) dialogs_.message(this, ToQString(chosen.message()));
    return;
  }
  watermarkPictureFile_ = ToUtf8(file);
  ShowWatermarkPicture();
  Changed();
}

void AdjustmentsPage::ClearWatermarkPicture() {
  watermark_ = LogoWatermarkPicture();
  watermarkPictureFile_.clear();
  ShowWatermarkPicture();
  watermarkView_->setToolTip(QString());
  Changed();
}

}  // namespace lumivo::app
