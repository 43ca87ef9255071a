// The adjustments page through its controls: the percent bars under the
// pointer and the step panels, the exclusive groups, the number fields, the
// colour and font panels, the sub-page tabs and the previews.

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>

#include "app/adjustments_page.h"
#include "app/contrast_colour.h"
#include "app/font_colour_dialog.h"
#include "app/panel_button.h"
#include "app/percent_bar.h"
#include "app/picture_view.h"
#include "batch/entry_preparation.h"
#include "core/builtin_pictures.h"
#include "imaging/jpeg_output.h"
#include "platform/font_conversion.h"
#include "platform/qt_image.h"
#include "settings/settings_file.h"
#include "window_fixture.h"

namespace lumivo::test {
namespace {

using app::PercentBar;

void SendMouse(QWidget* widget, QEvent::Type type, QPoint at, Qt::MouseButton button, Qt::MouseButtons held) {
  QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, held, Qt::NoModifier);
  QApplication::sendEvent(widget, &event);
}

QImage Shown(const app::PictureView* view) { return view->picture().convertToFormat(QImage::Format_RGB888); }

QImage AsImage(const Bitmap& bitmap) {
  return platform::WrapBitmap(bitmap).copy().convertToFormat(QImage::Format_RGB888);
}

class AdjustmentsPage : public WindowTest {
 protected:
  PercentBar* Bar(const char* name) const { return Control<PercentBar>(name); }
  QCheckBox* Box(const char* name) const { return Control<QCheckBox>(name); }
};

TEST_F(AdjustmentsPage, ABarClickScalesTheMaximumByTheClientWidth) {
  struct Case {
    const char* bar;
    int start;
    int x;  // -1: half the width, -2: the whole width
    int expected;
  };
  const Case cases[] = {
      {"ProgressBar_BildGroesse_Prozent", 100, -1, 250},
      {"ProgressBar_BildGroesse_Prozent", 100, -2, 500},
      {"ProgressBar_Sepia_Prozent", 40, 0, 40},  // 0 is below the minimum 1
      {"ProgressBar_Quality", 50, 0, 0},
      {"ProgressBar_H2O_Transparenz_Prozent", 25, -2, 100},
  };
  for (const Case& c : cases) {
    PercentBar* bar = Bar(c.bar);
    bar->SetPosition(c.start);
    const int w = bar->width();
    const int x = c.x == -1 ? w / 2 : c.x == -2 ? w : c.x;
    ASSERT_EQ(w % 2, 0) << "w / 2 must be exact for the worked value";
    SendMouse(bar, QEvent::MouseButtonPress, {x, bar->height() / 2}, Qt::LeftButton, Qt::LeftButton);
    SendMouse(bar, QEvent::MouseButtonRelease, {x, bar->height() / 2}, Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(bar->value(), c.expected) << c.bar << " x=" << x;
  }
  // The bar colour grows with the position and carries into green.
  PercentBar* size = Bar("ProgressBar_BildGroesse_Prozent");
  EXPECT_EQ(size->palette().color(QPalette::Highlight), app::ToQColor(app::kBarColourBase + 500));
}

TEST_F(AdjustmentsPage, ARightPressOrADragOutsideTheBarLeavesThePosition) {
  PercentBar* bar = Bar("ProgressBar_Quality");
  const int y = bar->height() / 2;
  SendMouse(bar, QEvent::MouseButtonPress, {bar->width() / 4, y}, Qt::RightButton, Qt::RightButton);
  EXPECT_EQ(bar->value(), 50);
  SendMouse(bar, QEvent::MouseButtonPress, {bar->width() / 4, y}, Qt::LeftButton, Qt::LeftButton);
  const int quarter = bar->value();
  EXPECT_NE(quarter, 50);
  SendMouse(bar, QEvent::MouseMove, {bar->width() + 40, y}, Qt::NoButton, Qt::LeftButton);
  SendMouse(bar, QEvent::MouseMove, {bar->width() / 2, bar->height() + 30}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(bar->value(), quarter) << "outside the client rectangle";
  SendMouse(bar, QEvent::MouseMove, {bar->width(), y}, Qt::NoButton, Qt::LeftButton);
  EXPECT_EQ(bar->value(), 100) << "back inside, the drag goes on";
  SendMouse(bar, QEvent::MouseButtonRelease, {bar->width(), y}, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(Text("Panel_Quality"), "Bildqualität: 100%");
  EXPECT_EQ(window->BuildSettings().Conversion.Quality, 100);
  EXPECT_EQ(window->publishedSettings().Current().Conversion.Quality, 100) << "the run reads the new value";
}

TEST_F(AdjustmentsPage, StepPanelsStayInsideTheRangeAndADoubleClickStepsOnceMore) {
  Bar("ProgressBar_Sepia_Prozent")->SetPosition(1);
  Click("Panel43");
  EXPECT_EQ(Bar("ProgressBar_Sepia_Prozent")->value(), 1);
  Bar("ProgressBar_Quality")->SetPosition(100);
  Click("Panel9");
  EXPECT_EQ(Bar("ProgressBar_Quality")->value(), 100);

  struct Case {
    const char* panel;
    const char* bar;
    const char* label;
    int start, expected;
  };
  const Case cases[] = {
      {"Panel5", "ProgressBar_Quality", "Panel_Quality", 50, 49},
      {"Panel31", "ProgressBar_BildGroesse_Prozent", "Panel_BildGroesse_Prozent", 500, 500},
      {"Panel30", "ProgressBar_BildGroesse_Prozent", "Panel_BildGroesse_Prozent", 100, 99},
      {"Panel44", "ProgressBar_Sepia_Prozent", "Panel_Sepia_Prozent", 25, 26},
      {"Panel48", "ProgressBar_EigeneFaerbung_Prozent", "Panel_EigeneFaerbung_Prozent", 25, 24},
      {"Panel51", "ProgressBar_H2O_Transparenz_Prozent", "Panel_H2O_Transparenz_Prozent", 99, 100},
  };
  for (const Case& c : cases) {
    Bar(c.bar)->SetPosition(c.start);
    Click(c.panel);
    EXPECT_EQ(Bar(c.bar)->value(), c.expected) << c.panel;
    EXPECT_TRUE(Text(c.label).endsWith(QString(": %1%").arg(c.expected))) << Text(c.label).toStdString();
  }

  Bar("ProgressBar_Quality")->SetPosition(50);
  // A double click as the platform delivers it: press, release, press, double click, release.
  QWidget* plus = Control("Panel9");
  const QPoint centre = plus->rect().center();
  SendMouse(plus, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
  SendMouse(plus, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
  SendMouse(plus, QEvent::MouseButtonPress, centre, Qt::LeftButton, Qt::LeftButton);
  SendMouse(plus, QEvent::MouseButtonDblClick, centre, Qt::LeftButton, Qt::LeftButton);
  SendMouse(plus, QEvent::MouseButtonRelease, centre, Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(Bar("ProgressBar_Quality")->value(), 53) << "two clicks and the double click";
}

TEST_F(AdjustmentsPage, TheCheckedBoxOfAGroupStaysCheckedAndAnotherTakesTheCheck) {
  const char* groups[][3] = {
      {"CheckBox_BildGroesse_Original", "CheckBox_BildGroesse_Prozent", "CheckBox_BildGroesse_EigeneGroesse"},
      {"CheckBox_Faerbung_KeineFaerbung", "CheckBox_Sepia", "CheckBox_Faerbung"},
      {"CheckBox_H2O_None", "CheckBox_H2O_Bild", "CheckBox_H2O_Text"},
  };
  for (const auto& group : groups) {
    for (const char* sub : {"Panel_Bildgroesse", "Panel_Faerbung", "Panel_H2O"}) {
      Click(sub);
      if (Box(group[0])->isVisible()) break;
    }
    EXPECT_TRUE(Box(group[0])->isChecked());
    QTest::mouseClick(Box(group[0]), Qt::LeftButton);
    EXPECT_TRUE(Box(group[0])->isChecked()) << group[0];
    for (int pick : {2, 1, 1}) {
      QTest::mouseClick(Box(group[pick]), Qt::LeftButton);
      for (int i = 0; i < 3; ++i) EXPECT_EQ(Box(group[i])->isChecked(), i == pick) << group[i];
    }
  }
  const ConversionSettings settings = window->BuildSettings().Conversion;
  EXPECT_EQ(settings.SizeMode, SizeMode::Percent);
  EXPECT_EQ(settings.ColouringMode, ColouringMode::Sepia);
  EXPECT_EQ(settings.WatermarkMode, WatermarkMode::Picture);
}

TEST_F(AdjustmentsPage, NumberFieldsTakeDigitsOnlyAndTheMarginsReachNegativesByTheirButtons) {
  for (const char* name :
       {"Edit_BildGroesse_EigeneGroesse_X", "Edit_BildGroesse_EigeneGroesse_Y", "Edit_Pos_X", "Edit_Pos_Y"}) {
    auto* edit = Control<QLineEdit>(name);
    edit->clear();
    QTest::keyClicks(edit, "-a1 b2.x");
    QTest::keyClick(edit, Qt::Key_Backspace);
    QTest::keyClicks(edit, "7");
    EXPECT_EQ(edit->text(), "17") << name;
  }
  Control<QLineEdit>("Edit_Pos_X")->setText("0");
  Control<QLineEdit>("Edit_Pos_X")->editingFinished();
  for (int i = 0; i < 3; ++i) QTest::mouseClick(Control("UpDown_Pos_X_Down"), Qt::LeftButton);
  EXPECT_EQ(Control<QLineEdit>("Edit_Pos_X")->text(), "-3");
  Control<QLineEdit>("Edit_Pos_Y")->setText("225");
  QTest::mouseClick(Control("UpDown_Pos_Y_Up"), Qt::LeftButton);
  EXPECT_EQ(Control<QLineEdit>("Edit_Pos_Y")->text(), "225") << "the maximum holds";
  const ConversionSettings settings = window->BuildSettings().Conversion;
  EXPECT_EQ(settings.WatermarkMarginX, -3);
  EXPECT_EQ(settings.WatermarkMarginY, 225);
  EXPECT_EQ(settings.OwnWidth, "17");
}

TEST_F(AdjustmentsPage, TheColourPanelTakesTheChosenColourWithReadableCaption) {
  Click("Panel_Faerbung");
  struct Case {
    QColor picked;
    std::uint32_t value, text;
  };
  const Case cases[] = {{Qt::white, 0xFFFFFF, app::kBlack}, {Qt::black, 0x000000, app::kWhite},
                        {QColor(255, 0, 0), 0x0000FF, app::kWhite}};
  for (const Case& c : cases) {
    pickedColour = c.picked;
    Click("Panel_EigeneFaerbung_Farbe");
    const auto* panel = Control<app::PanelButton>("Panel_EigeneFaerbung_Farbe");
    EXPECT_EQ(panel->palette().color(QPalette::Window), c.picked);
    EXPECT_EQ(panel->palette().color(QPalette::WindowText), app::ToQColor(c.text));
    EXPECT_EQ(window->BuildSettings().Conversion.OwnColour, c.value);
  }
  pickedColour.reset();  // cancelled: the colour stays
  Click("Panel_EigeneFaerbung_Farbe");
  EXPECT_EQ(window->BuildSettings().Conversion.OwnColour, 0x0000FFu);
}

TEST_F(AdjustmentsPage, TheSubPageTabsOpenTheirPagesInTheAccentColour) {
  const char* tabs[] = {"Panel_Bildqualitaet", "Panel_Bildgroesse", "Panel_Faerbung", "Panel_H2O"};
  EXPECT_TRUE(Control("Panel_Bildanpassungen_Sub_Bildqualitaet")->isVisibleTo(window->adjustmentsPage()));
  for (const char* tab : tabs) {
    Click(tab);
    const QString page = "Panel_Bildanpassungen_Sub_" + QString(tab).mid(6);
    for (const char* other : tabs) {
      const bool selected = std::string_view(other) == tab;
      const auto* panel = Control<app::PanelButton>(other);
      EXPECT_EQ(panel->palette().color(QPalette::Window), app::ToQColor(selected ? app::kSubTabColour : app::kWhite));
      EXPECT_EQ(panel->palette().color(QPalette::WindowText), app::ToQColor(app::kBlack)) << "0xFFAF00 takes black";
      const QString otherPage = "Panel_Bildanpassungen_Sub_" + QString(other).mid(6);
      EXPECT_EQ(Control(otherPage.toUtf8().constData())->isVisibleTo(window->adjustmentsPage()), selected) << other;
    }
    EXPECT_EQ(page.isEmpty(), false);
  }
}

TEST_F(AdjustmentsPage, BothPreviewsShowTheStoredSettingsRightAfterStart) {
  {
    SettingsState stored;
    stored.Options.AutoSave = true;
    stored.Conversion.Quality = 7;
    stored.Conversion.ColouringMode = ColouringMode::OwnColour;
    stored.Conversion.OwnColour = 0x3080F0;
    stored.Conversion.OwnColourPercent = 60;
    stored.Conversion.WhiteFilter = true;
    ASSERT_TRUE(SaveSettings(Folder(), "setup.xml", stored));
  }
  OpenWindow();
  const ConversionSettings settings = window->BuildSettings().Conversion;
  const Bitmap test = TestPictureBitmap();
  Bitmap compressed;
  ASSERT_TRUE(RenderAtQuality(test, compressed, 7));
  EXPECT_EQ(Shown(Control<app::PictureView>("Image_Quality_A")), AsImage(compressed));
  Bitmap coloured = test;
  ApplyColouring(coloured, settings);
  EXPECT_EQ(Shown(Control<app::PictureView>("Image_Faerbung_A")), AsImage(coloured));
  EXPECT_NE(Shown(Control<app::PictureView>("Image_Faerbung_A")), AsImage(test));
  EXPECT_EQ(Shown(Control<app::PictureView>("Image_Faerbung_O")), AsImage(test));
  EXPECT_EQ(Text("Panel_Quality"), "Bildqualität: 7%");
  EXPECT_EQ(Text("Panel_EigeneFaerbung_Prozent"), "Färbung: 60%");

  // A step of the sepia strength redraws the colouring preview at once.
  ChangeSettings([](SettingsState& state) { state.Conversion.ColouringMode = ColouringMode::Sepia; });
  Click("Panel44");
  Bitmap sepia = test;
  ApplyColouring(sepia, window->BuildSettings().Conversion);
  EXPECT_EQ(Shown(Control<app::PictureView>("Image_Faerbung_A")), AsImage(sepia));
}

TEST(FontConversion, TheDialogsFontIsStoredAsTheSettingsKeepIt) {
  FontDescription stored;
  stored.face = "DejaVu Serif";
  stored.size = 14;
  stored.style = FontDescription::kBold | FontDescription::kUnderline;
  stored.colour = 0x0000FF;
  stored.charset = 0;
  const QFont font = platform::ToQFont(stored);
  EXPECT_EQ(font.family(), "DejaVu Serif");
  EXPECT_EQ(font.pointSize(), 14);
  EXPECT_TRUE(font.bold());
  EXPECT_FALSE(font.italic());
  EXPECT_TRUE(font.underline());
  EXPECT_EQ(platform::FromQFont(font, stored.colour, stored.charset), stored);

  QFont pixels("DejaVu Sans");
  pixels.setPixelSize(16);  // 12 points at 96 dpi
  pixels.setItalic(true);
  pixels.setStrikeOut(true);
  const FontDescription fromPixels = platform::FromQFont(pixels, kWindowTextColour, 1);
  EXPECT_EQ(fromPixels.size, 12);
  EXPECT_EQ(fromPixels.style, FontDescription::kItalic | FontDescription::kStrikeOut);
}

TEST_F(AdjustmentsPage, TheFontPanelShowsFaceAndSizeOnAContrastingFace) {
  EXPECT_EQ(Text("Panel_Font"), "MS Sans Serif: 9");
  EXPECT_EQ(Control("Panel_Font")->toolTip(), "MS Sans Serif: 9");
  FontDescription chosen;
  chosen.face = "DejaVu Sans";
  chosen.size = 20;
  chosen.colour = 0xFFFFFF;
  pickedFont = chosen;
  Click("Panel_Font");
  const auto* panel = Control<app::PanelButton>("Panel_Font");
  EXPECT_EQ(panel->text(), "DejaVu Sans: 20");
  EXPECT_EQ(panel->palette().color(QPalette::Window), app::ToQColor(app::kBlack)) << "white text on black";
  EXPECT_EQ(panel->palette().color(QPalette::WindowText), app::ToQColor(app::kWhite));
  EXPECT_EQ(window->BuildSettings().Conversion.WatermarkFont, chosen);
}

TEST_F(AdjustmentsPage, TheWatermarkPictureIsChosenClearedAndRestored) {
  const auto picture = WritePicture(files, "zeichen.bmp", 20);
  pickedPicture = QString::fromStdString(picture.string());
  Click("Panel_Chose_Pic");
  EXPECT_EQ(window->BuildSettings().Conversion.WatermarkPictureFile, picture.string());
  EXPECT_EQ(Control("Image_H2O")->toolTip(), pickedPicture);
  EXPECT_EQ(window->publishedSettings().Current().Conversion.WatermarkPictureFile, picture.string());
  EXPECT_EQ(window->adjustmentsPage()->WatermarkBitmap()->width(), 20);

  pickedPicture = QString::fromStdString(files.Write("kaputt.bmp", std::string("BM nothing")).string());
  Click("Panel_Chose_Pic");
  ASSERT_EQ(messages.size(), 1);
  EXPECT_EQ(window->BuildSettings().Conversion.WatermarkPictureFile, picture.string()) << "the former one stays";

  ChangeSettings([](SettingsState& state) { state.Options.AutoSave = true; });
  window->close();
  OpenWindow();
  EXPECT_EQ(window->adjustmentsPage()->WatermarkBitmap()->width(), 20) << "restored at start";
  Click("RahmenPanel13");
  EXPECT_TRUE(window->BuildSettings().Conversion.WatermarkPictureFile.empty());
  EXPECT_EQ(window->adjustmentsPage()->WatermarkBitmap()->width(), 64) << "the logo";
}

}  // namespace
}  // namespace lumivo::test

namespace lumivo::test {
namespace {

TEST(PercentBar, HalvesRoundToEvenAndOnlyTheMaximumScales) {
  app::PercentBar bar("ProgressBar_Test", 10, 100);
  bar.resize(200, 17);  // 100 / 200 = 0.5 exactly
  struct Case {
    int x, expected;
  };
  const Case cases[] = {{24, 12}, {25, 12}, {27, 14}, {29, 14}, {31, 16}, {18, 16}, {201, 16}, {200, 100}};
  for (const Case& c : cases) {
    bar.SetBarFromPointer(Qt::LeftButton, c.x, 8);
    EXPECT_EQ(bar.value(), c.expected) << "x=" << c.x;  // 18 is below the minimum, 201 beyond the width
  }
  bar.SetBarFromPointer(Qt::RightButton, 100, 8);
  EXPECT_EQ(bar.value(), 100);
  bar.SetPosition(-3);
  EXPECT_EQ(bar.value(), 10) << "held at the nearer end";
}

TEST(FontColourDialog, StartsFromTheStoredFontAndKeepsItsColourAndCharacterSet) {
  FontDescription stored;
  stored.face = "DejaVu Sans";
  stored.size = 16;
  stored.style = FontDescription::kBold;
  stored.colour = 0x123456;
  stored.charset = 0;
  const app::FontColourDialog dialog(stored);
  EXPECT_EQ(dialog.Chosen(), stored);
  const FontDescription missing;  // "MS Sans Serif" is not installed: shown as a substitute, kept as stored
  EXPECT_EQ(app::FontColourDialog(missing).Chosen(), missing);
}

}  // namespace
}  // namespace lumivo::test
