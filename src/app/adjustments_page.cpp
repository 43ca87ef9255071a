#include "app/adjustments_page.h"

namespace lumivo::app {

AdjustmentsPage::AdjustmentsPage(QWidget* parent) : QWidget(parent) {
  setObjectName("Panel_Main_Bildanpassungen");
  setAutoFillBackground(true);
  watermark_ = LogoWatermarkPicture();
  watermarkBitmap_ = std::make_shared<const Bitmap>(watermark_.picture);
}

void AdjustmentsPage::ApplyConversion(const ConversionSettings& settings) {
  settings_ = ClampToControlRanges(settings);
}

void AdjustmentsPage::BuildConversion(ConversionSettings& settings) const { settings = settings_; }

void AdjustmentsPage::RefreshAdjustmentsPage(bool /*startUp*/) {
  watermark_ = RestoreWatermarkPicture(settings_.WatermarkPictureFile);
  watermarkBitmap_ = std::make_shared<const Bitmap>(watermark_.picture);
}

}  // namespace lumivo::app
