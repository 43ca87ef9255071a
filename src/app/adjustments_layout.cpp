// The controls of the adjustments page and where they stand.

#include "app/adjustments_page.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>

#include "app/contrast_colour.h"
#include "app/drag_strip.h"
#include "app/exclusive_group.h"
#include "app/panel_button.h"
#include "app/percent_bar.h"
#include "app/picture_view.h"
#include "app/qt_text.h"
#include "app/up_down.h"
#include "imaging/watermark.h"
#include "resources/texts.h"

namespace lumivo::app {

namespace {

constexpr int kStripHeight = 26;
constexpr int kPageWidth = 655;
constexpr int kSubPageHeight = 448 - kStripHeight - 1;

void Paint(QWidget* widget, std::uint32_t face, std::uint32_t text) {
  QPalette colours = widget->palette();
  colours.setColor(QPalette::Window, ToQColor(face));
  colours.setColor(QPalette::WindowText, ToQColor(text));
  widget->setPalette(colours);
}

QLabel* AddLabel(QWidget* parent, std::string_view text, const QRect& geometry) {
  auto* label = new QLabel(ToQString(text), parent);
  label->setGeometry(geometry);
  return label;
}

QLabel* AddTitle(QWidget* page, std::string_view text) {
  QLabel* title = AddLabel(page, text, {16, 8, 400, 24});
  QFont big = title->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.4);
  title->setFont(big);
  return title;
}

QLabel* AddHeading(QWidget* parent, std::string_view text, const QRect& geometry) {
  QLabel* heading = AddLabel(parent, text, geometry);
  heading->setAlignment(Qt::AlignCenter);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  return heading;
}

// A picture on a sky-blue frame, as the Start page shows its preview.
PictureView* AddPicture(QWidget* page, const char* name, std::string_view hint, PictureView::Fit fit,
                        const QRect& geometry) {
  auto* frame = new QWidget(page);
  frame->setAutoFillBackground(true);
  Paint(frame, kSkyBlue, kBlack);
  frame->setGeometry(geometry);
  auto* view = new PictureView(name, ToQString(hint), fit, frame);
  view->setGeometry(2, 2, geometry.width() - 4, geometry.height() - 4);
  return view;
}

}  // namespace

void AdjustmentsPage::BuildSubTabs() {
  struct Tab {
    const char* name;
    std::string_view caption, hint;
  };
  const Tab tabs[] = {{"Panel_Bildqualitaet", texts::kSubTabQuality, texts::kSubTabQualityHint},
                      {"Panel_Bildgroesse", texts::kSubTabSize, texts::kSubTabSizeHint},
                      {"Panel_Faerbung", texts::kSubTabColouring, texts::kSubTabColouringHint},
                      {"Panel_H2O", texts::kSubTabWatermark, texts::kSubTabWatermarkHint}};
  int x = 0;
  for (const Tab& tab : tabs) {
    auto* button = new PanelButton(tab.name, ToQString(tab.caption), ToQString(tab.hint), 0, this);
    button->setFrameStyle(QFrame::NoFrame);
    const int width = button->fontMetrics().horizontalAdvance(button->text()) + 28;
    button->setGeometry(x, 0, width, kStripHeight);
    connect(button, &PanelButton::clicked, this, [this](PanelButton* clicked) {
      SelectAdjustmentsSubPage(clicked->objectName());
    });
    subTabs_.push_back(button);
    x += width;
  }
  auto* rest = new DragStrip("Panel63", QString(), this);
  rest->setGeometry(x, 0, kPageWidth - x, kStripHeight);
  Paint(rest, kWhite, kBlack);
  subTabLine_ = new QWidget(this);
  subTabLine_->setObjectName("Panel_Bildanpassungen_Sub_Linie");
  subTabLine_->setAutoFillBackground(true);
  subTabLine_->setGeometry(0, kStripHeight, kPageWidth, 1);
  Paint(subTabLine_, kSubTabColour, kBlack);
}

QWidget* AdjustmentsPage::AddSubPage(const char* suffix) {
  auto* page = new QWidget(this);
  page->setObjectName(QString("Panel_Bildanpassungen_Sub_") + suffix);
  page->setAutoFillBackground(true);
  Paint(page, kWhite, kBlack);
  page->setGeometry(0, kStripHeight + 1, kPageWidth, kSubPageHeight);
  subPages_.push_back(page);
  return page;
}

AdjustmentsPage::Bar& AdjustmentsPage::AddBar(QWidget* page, BarFrameTag tag, const char* frameName,
                                              const char* barName, const char* labelName,
                                              const std::array<const char*, 2>& stepNames, std::string_view name,
                                              std::string_view hint, int minimum, int maximum,
                                              const QRect& geometry, int labelWidth) {
  auto* frame = new QFrame(page);
  frame->setObjectName(frameName);
  if (tag != kQualityFrame) frame->setProperty("Tag", static_cast<int>(tag));
  frame->setGeometry(geometry);
  Bar& bar = bars_[BarIndex(tag)];
  bar.name = name;
  bar.label = new QLabel(frame);
  bar.label->setObjectName(labelName);
  bar.label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  bar.label->setAlignment(Qt::AlignCenter);
  bar.label->setGeometry(0, 0, labelWidth, geometry.height());
  const int step = geometry.height();
  const int barWidth = geometry.width() - labelWidth - 6 - 2 * step - 4;
  bar.bar = new PercentBar(barName, minimum, maximum, frame);
  bar.bar->setToolTip(ToQString(hint));
  bar.bar->setGeometry(labelWidth + 6 + step + 2, 4, barWidth, geometry.height() - 8);
  for (int i = 0; i < 2; ++i) {
    const int by = i == 0 ? -1 : 1;
    auto* panel = new PanelButton(stepNames[i], ToQString(i == 0 ? texts::kStepDown : texts::kStepUp),
                                  ToQString(hint), by, frame);
    panel->setGeometry(i == 0 ? labelWidth + 6 : geometry.width() - step, 0, step, step);
    connect(panel, &PanelButton::clicked, this, &AdjustmentsPage::StepPercentBar);
    connect(panel, &PanelButton::doubleClicked, this, &AdjustmentsPage::StepPercentBar);
  }
  connect(bar.bar, &PercentBar::pointerUsed, this, [this] {
    RefreshQualityPreview();
    RefreshPercentLabels();
    RefreshColouringPreview();
    Changed();
  });
  return bar;
}

QCheckBox* AdjustmentsPage::AddCheckBox(QWidget* page, const char* name, std::string_view caption,
                                        std::string_view hint, const QRect& geometry) {
  auto* box = new QCheckBox(ToQString(caption), page);
  box->setObjectName(name);
  box->setToolTip(ToQString(hint));
  // As wide as its caption: a click beside the text does not toggle it.
  box->setGeometry(geometry.x(), geometry.y(), std::min(box->sizeHint().width(), geometry.width()), geometry.height());
  return box;
}

QLineEdit* AdjustmentsPage::AddNumberEdit(QWidget* page, const char* name, std::string_view hint,
                                          const QRect& geometry) {
  auto* edit = new QLineEdit(page);
  edit->setObjectName(name);
  edit->setToolTip(ToQString(hint));
  edit->setGeometry(geometry);
  edit->installEventFilter(digitsOnly_);
  connect(edit, &QLineEdit::textChanged, this, &AdjustmentsPage::Changed);
  return edit;
}

void AdjustmentsPage::BuildQualityPage() {
  QWidget* page = AddSubPage("Bildqualitaet");
  AddTitle(page, texts::kBarQuality);
  AddBar(page, kQualityFrame, "Panel_Rahmen_Quality", "ProgressBar_Quality", "Panel_Quality", {"Panel5", "Panel9"},
         texts::kBarQuality, texts::kQualityBarHint, kQualityRange.min, kQualityRange.max, {16, 48, 480, 25}, 180);
  AddHeading(page, texts::kOriginalHeading, {60, 100, 250, 20});
  qualityOriginal_ = AddPicture(page, "Image_Quality_O", texts::kQualityOriginalHint, PictureView::Fit::WholeZoom,
                                {60, 124, 250, 220});
  AddHeading(page, texts::kAdjustedHeading, {345, 100, 250, 20});
  qualityAdjusted_ = AddPicture(page, "Image_Quality_A", texts::kQualityAdjustedHint, PictureView::Fit::WholeZoom,
                                {345, 124, 250, 220});
}

void AdjustmentsPage::BuildSizePage() {
  QWidget* page = AddSubPage("Bildgroesse");
  AddTitle(page, texts::kSizeTitle);
  QCheckBox* original = AddCheckBox(page, "CheckBox_BildGroesse_Original", texts::kSizeOriginal,
                                    texts::kSizeOriginalHint, {24, 48, 400, 22});
  QCheckBox* percent = AddCheckBox(page, "CheckBox_BildGroesse_Prozent", texts::kSizePercent,
                                   texts::kSizePercentHint, {24, 80, 400, 22});
  AddBar(page, kSizeFrame, "Panel_Rahmen_BildGroesse", "ProgressBar_BildGroesse_Prozent", "Panel_BildGroesse_Prozent",
         {"Panel30", "Panel31"}, texts::kBarSize, {}, kSizePercentRange.min, kSizePercentRange.max,
         {44, 108, 480, 25}, 180);
  QCheckBox* own = AddCheckBox(page, "CheckBox_BildGroesse_EigeneGroesse", texts::kSizeOwn, texts::kSizeOwnHint,
                               {24, 152, 400, 22});
  sizeGroup_ = new ExclusiveGroup({original, percent, own}, this);
  connect(sizeGroup_, &ExclusiveGroup::clicked, this, &AdjustmentsPage::Changed);
  AddLabel(page, texts::kSizeWidth, {44, 186, 80, 22});
  ownWidth_ = AddNumberEdit(page, "Edit_BildGroesse_EigeneGroesse_X", texts::kSizeWidthHint, {128, 186, 80, 22});
  AddLabel(page, texts::kSizeHeight, {44, 216, 80, 22});
  ownHeight_ = AddNumberEdit(page, "Edit_BildGroesse_EigeneGroesse_Y", texts::kSizeHeightHint, {128, 216, 80, 22});
}

void AdjustmentsPage::BuildColouringPage() {
  QWidget* page = AddSubPage("Faerbung");
  AddTitle(page, texts::kColouringTitle);
  QCheckBox* none = AddCheckBox(page, "CheckBox_Faerbung_KeineFaerbung", texts::kColouringNone,
                                texts::kColouringNoneHint, {24, 48, 290, 22});
  QCheckBox* sepia =
      AddCheckBox(page, "CheckBox_Sepia", texts::kColouringSepia, texts::kColouringSepiaHint, {24, 80, 290, 22});
  AddBar(page, kSepiaFrame, "Panel_Rahmen_Sepia", "ProgressBar_Sepia_Prozent", "Panel_Sepia_Prozent",
         {"Panel43", "Panel44"}, texts::kBarSepia, texts::kColouringStrengthHint, kSepiaPercentRange.min,
         kSepiaPercentRange.max, {44, 106, 290, 25}, 140);
  QCheckBox* own =
      AddCheckBox(page, "CheckBox_Faerbung", texts::kColouringOwn, texts::kColouringOwnHint, {24, 150, 290, 22});
  AddBar(page, kOwnColourFrame, "Panel_Rahmen_EigeneFaerbung", "ProgressBar_EigeneFaerbung_Prozent",
         "Panel_EigeneFaerbung_Prozent", {"Panel48", "Panel49"}, texts::kBarOwnColour, texts::kColouringStrengthHint,
         kOwnColourPercentRange.min, kOwnColourPercentRange.max, {44, 176, 290, 25}, 140);
  colouringGroup_ = new ExclusiveGroup({none, sepia, own}, this);
  connect(colouringGroup_, &ExclusiveGroup::clicked, this, [this] {
    RefreshPercentLabels();
    RefreshColouringPreview();
    Changed();
  });
  ownColourPanel_ = new PanelButton("Panel_EigeneFaerbung_Farbe", ToQString(texts::kOwnColourPanel),
                                    ToQString(texts::kOwnColourPanelHint), 0, page);
  ownColourPanel_->setGeometry(44, 212, 140, 25);
  connect(ownColourPanel_, &PanelButton::clicked, this, &AdjustmentsPage::ChooseOwnColour);
  whiteFilter_ =
      AddCheckBox(page, "CheckBox_WhiteFilter", texts::kWhiteFilter, texts::kWhiteFilterHint, {196, 214, 140, 22});
  connect(whiteFilter_, &QCheckBox::clicked, this, [this] {
    RefreshColouringPreview();
    Changed();
  });

  AddHeading(page, texts::kOriginalHeading, {350, 44, 140, 20});
  colouringOriginal_ = AddPicture(page, "Image_Faerbung_O", texts::kColouringOriginalHint,
                                  PictureView::Fit::ScaleDown, {350, 66, 140, 120});
  AddHeading(page, texts::kAdjustedHeading, {500, 44, 140, 20});
  colouringAdjusted_ = AddPicture(page, "Image_Faerbung_A", texts::kColouringAdjustedHint,
                                  PictureView::Fit::ScaleDown, {500, 66, 140, 120});
}

void AdjustmentsPage::BuildWatermarkPage() {
  QWidget* page = AddSubPage("H2O");
  AddTitle(page, texts::kWatermarkTitle);
  QCheckBox* none =
      AddCheckBox(page, "CheckBox_H2O_None", texts::kWatermarkNone, texts::kWatermarkNoneHint, {24, 44, 290, 22});
  QCheckBox* picture = AddCheckBox(page, "CheckBox_H2O_Bild", texts::kWatermarkPicture,
                                   texts::kWatermarkPictureHint, {24, 70, 290, 22});
  watermarkView_ = AddPicture(page, "Image_H2O", texts::kWatermarkImageHint, PictureView::Fit::Stretch,
                              {44, 98, 120, 90});
  auto* choose = new PanelButton("Panel_Chose_Pic", ToQString(texts::kChoosePicture),
                                 ToQString(texts::kChoosePictureHint), 0, page);
  choose->setGeometry(172, 98, 40, 25);
  connect(choose, &PanelButton::clicked, this, &AdjustmentsPage::ChooseWatermarkPicture);
  auto* clear = new PanelButton("RahmenPanel13", ToQString(texts::kClearPicture),
                                ToQString(texts::kClearPictureHint), 0, page);
  clear->setGeometry(172, 128, 60, 25);
  connect(clear, &PanelButton::clicked, this, &AdjustmentsPage::ClearWatermarkPicture);
  scale_ = new QComboBox(page);
  scale_->setObjectName("ComboBox_H2O_ScaleBy");
  scale_->setToolTip(ToQString(texts::kWatermarkScaleHint));
  scale_->setEditable(true);
  scale_->setInsertPolicy(QComboBox::NoInsert);
  for (const WatermarkScaleChoice& choice : kWatermarkScaleChoices) scale_->addItem(ToQString(choice.text));
  scale_->setGeometry(44, 196, 270, 24);
  connect(scale_, &QComboBox::currentIndexChanged, this, &AdjustmentsPage::Changed);
  transparency_ = AddCheckBox(page, "CheckBox_H2O_Transparenz", texts::kTransparency, texts::kTransparencyHint,
                              {44, 228, 270, 22});
  connect(transparency_, &QCheckBox::clicked, this, &AdjustmentsPage::Changed);
  AddBar(page, kTransparencyFrame, "Panel_Rahmen_H2O_Transparenz", "ProgressBar_H2O_Transparenz_Prozent",
         "Panel_H2O_Transparenz_Prozent", {"Panel50", "Panel51"}, texts::kBarTransparency,
         texts::kTransparencyBarHint, kWatermarkTransparencyPercentRange.min,
         kWatermarkTransparencyPercentRange.max, {44, 254, 270, 25}, 130);

  QCheckBox* text = AddCheckBox(page, "CheckBox_H2O_Text", texts::kWatermarkText, texts::kWatermarkTextHint,
                                {340, 44, 300, 22});
  watermarkGroup_ = new ExclusiveGroup({none, picture, text}, this);
  connect(watermarkGroup_, &ExclusiveGroup::clicked, this, &AdjustmentsPage::Changed);
  watermarkText_ = new QLineEdit(page);
  watermarkText_->setObjectName("Edit_H2O");
  watermarkText_->setToolTip(ToQString(texts::kWatermarkTextEditHint));
  watermarkText_->setGeometry(360, 70, 280, 24);
  connect(watermarkText_, &QLineEdit::textChanged, this, &AdjustmentsPage::Changed);
  fontPanel_ = new PanelButton("Panel_Font", ToQString(texts::kFontPanel), QString(), 0, page);
  fontPanel_->setGeometry(360, 100, 280, 28);
  connect(fontPanel_, &PanelButton::clicked, this, &AdjustmentsPage::ChooseFont);

  struct Margin {
    const char* edit;
    const char* upDown;
    std::string_view label, hint;
    int y;
    QLineEdit*& field;
    UpDown*& buttons;
  };
  const Margin margins[] = {{"Edit_Pos_X", "UpDown_Pos_X", texts::kMarginX, texts::kMarginXHint, 140, marginXEdit_, marginX_},
                            {"Edit_Pos_Y", "UpDown_Pos_Y", texts::kMarginY, texts::kMarginYHint, 170, marginYEdit_, marginY_}};
  for (const Margin& margin : margins) {
    AddLabel(page, margin.label, {360, margin.y, 170, 24});
    margin.field = AddNumberEdit(page, margin.edit, margin.hint, {536, margin.y, 84, 24});
    margin.buttons = new UpDown(margin.upDown, margin.field, kWatermarkMarginRange.min, kWatermarkMarginRange.max, page);
    margin.buttons->setGeometry(620, margin.y, 20, 24);
    connect(margin.buttons, &UpDown::positionChanged, this, &AdjustmentsPage::Changed);
  }

  auto* group = new QGroupBox(ToQString(texts::kPositionGroup), page);
  group->setObjectName("RadioGroup_H2O_Pos");
  group->setToolTip(ToQString(texts::kPositionGroupHint));
  group->setGeometry(340, 204, 300, 96);
  auto* grid = new QGridLayout(group);
  grid->setContentsMargins(10, 4, 10, 4);
  grid->setVerticalSpacing(2);
  position_ = new QButtonGroup(this);
  constexpr int kRows = 3;  // two columns, filled top to bottom
  for (int i = 0; i < static_cast<int>(std::size(texts::kWatermarkPositionItems)); ++i) {
    auto* item = new QRadioButton(ToQString(texts::kWatermarkPositionItems[i]), group);
    item->setObjectName(QString("RadioGroup_H2O_Pos_%1").arg(i));
    grid->addWidget(item, i % kRows, i / kRows);
    position_->addButton(item, i);
  }
  connect(position_, &QButtonGroup::idClicked, this, &AdjustmentsPage::Changed);
}

}  // namespace lumivo::app
