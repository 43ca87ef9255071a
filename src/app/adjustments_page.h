#pragma once
// The page "Bildanpassungen": four sub-pages behind a strip of tab panels
// (quality, size, colouring, watermark). Every control holds one field of
// the image adjustments; the quality and colouring previews show the test
// picture as the run would convert it.

#include <QWidget>

#include <array>
#include <memory>

#include "app/window_dialogs.h"
#include "core/bitmap.h"
#include "imaging/watermark_picture.h"
#include "settings/conversion_settings.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;

namespace lumivo::app {

class ExclusiveGroup;
class PanelButton;
class PercentBar;
class PictureView;
class UpDown;

// The frame tags that tell the step panels which bar they step.
enum BarFrameTag : int {
  kQualityFrame = 0,
  kSizeFrame = 10,
  kSepiaFrame = 20,
  kOwnColourFrame = 30,
  kTransparencyFrame = 40,
};
constexpr int BarIndex(BarFrameTag tag) { return tag / 10; }

// The tab colour of the selected sub-page (blue 255, green 175, red 0).
inline constexpr std::uint32_t kSubTabColour = 0xFFAF00;

class AdjustmentsPage final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(AdjustmentsPage)

 public:
  AdjustmentsPage(const WindowDialogs& dialogs, QWidget* parent = nullptr);
  ~AdjustmentsPage() override;

  // The pair: settings onto the controls (with their reactions: labels,
  // previews, panel colours), and the settings the controls hold.
  void ApplyConversion(const ConversionSettings& settings);
  void BuildConversion(ConversionSettings& settings) const;
  ConversionSettings Conversion() const;

  // RefreshAdjustmentsPage: previews, labels, the watermark picture and
  // font; at start-up also the first sub-page.
  void RefreshAdjustmentsPage(bool startUp);
  // The picture a picture watermark stamps.
  std::shared_ptr<const Bitmap> WatermarkBitmap() const { return watermarkBitmap_; }

  void SelectAdjustmentsSubPage(const QString& tabName);
  // The "-" and "+" panels: the frame's tag names the bar, the panel's tag the step.
  void StepPercentBar(PanelButton* step);
  void RefreshQualityPreview();
  void RefreshPercentLabels();
  void RefreshColouringPreview();
  // Panel_EigeneFaerbung_Farbe and Panel_Font, with and without their dialogs.
  void ChooseOwnColour();
  void ChooseFont();
  void ChooseWatermarkPicture();
  void ClearWatermarkPicture();

 signals:
  void settingsChanged();

 private:
  struct Bar {
    PercentBar* bar = nullptr;
    QLabel* label = nullptr;
    std::string_view name;
  };

  QWidget* AddSubPage(const char* suffix);
  void BuildSubTabs();
  void BuildQualityPage();
  void BuildSizePage();
  void BuildColouringPage();
  void BuildWatermarkPage();
  Bar& AddBar(QWidget* page, BarFrameTag tag, const char* frameName, const char* barName, const char* labelName,
              const std::array<const char*, 2>& stepNames, std::string_view name, std::string_view hint, int minimum,
              int maximum, const QRect& geometry, int labelWidth);
  QCheckBox* AddCheckBox(QWidget* page, const char* name, std::string_view caption, std::string_view hint,
                         const QRect& geometry);
  QLineEdit* AddNumberEdit(QWidget* page, const char* name, std::string_view hint, const QRect& geometry);
  void ShowOwnColour();
  void ShowFont();
  void ShowWatermarkPicture();
  void Changed();

  const WindowDialogs& dialogs_;
  QObject* digitsOnly_ = nullptr;
  std::vector<PanelButton*> subTabs_;
  QWidget* subTabLine_ = nullptr;
  std::vector<QWidget*> subPages_;
  std::array<Bar, 5> bars_;  // by frame tag / 10

  Bitmap testPicture_;
  PictureView* qualityOriginal_ = nullptr;
  PictureView* qualityAdjusted_ = nullptr;
  PictureView* colouringOriginal_ = nullptr;
  PictureView* colouringAdjusted_ = nullptr;

  ExclusiveGroup* sizeGroup_ = nullptr;
  ExclusiveGroup* colouringGroup_ = nullptr;
  ExclusiveGroup* watermarkGroup_ = nullptr;
  QLineEdit* ownWidth_ = nullptr;
  QLineEdit* ownHeight_ = nullptr;
  PanelButton* ownColourPanel_ = nullptr;
  QCheckBox* whiteFilter_ = nullptr;
  PictureView* watermarkView_ = nullptr;
  QComboBox* scale_ = nullptr;
  QCheckBox* transparency_ = nullptr;
  QLineEdit* watermarkText_ = nullptr;
  PanelButton* fontPanel_ = nullptr;
  QLineEdit* marginXEdit_ = nullptr;
  QLineEdit* marginYEdit_ = nullptr;
  UpDown* marginX_ = nullptr;
  UpDown* marginY_ = nullptr;
  QButtonGroup* position_ = nullptr;

  // Properties of panels that no Qt control holds.
  std::uint32_t ownColour_ = kNoColour;
  FontDescription font_ = DefaultWatermarkFont();
  std::string watermarkPictureFile_;
  WatermarkPicture watermark_;
  std::shared_ptr<const Bitmap> watermarkBitmap_;
};

}  // namespace lumivo::app
