#pragma once
// The page "Bildanpassungen": edits the image adjustments. Its controls come
// with the adjustments work; until then it keeps the settings it was given.

#include <QWidget>

#include <memory>

#include "core/bitmap.h"
#include "imaging/watermark_picture.h"
#include "settings/conversion_settings.h"

namespace lumivo::app {

class AdjustmentsPage final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(AdjustmentsPage)

 public:
  explicit AdjustmentsPage(QWidget* parent = nullptr);

  // The pair: settings onto the controls, and the settings the controls hold.
  void ApplyConversion(const ConversionSettings& settings);
  void BuildConversion(ConversionSettings& settings) const;
  // RefreshAdjustmentsPage: previews, labels, the watermark picture and font.
  void RefreshAdjustmentsPage(bool startUp);
  // The picture a picture watermark stamps.
  std::shared_ptr<const Bitmap> WatermarkBitmap() const { return watermarkBitmap_; }

 signals:
  void settingsChanged();

 private:
  ConversionSettings settings_;
  WatermarkPicture watermark_;
  std::shared_ptr<const Bitmap> watermarkBitmap_;
};

}  // namespace lumivo::app
