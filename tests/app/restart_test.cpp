// Every setting of every page changed through its control, closed with
// autosave on and started again: each control shows what it showed, and
// "setup.xml" holds the keys in their documented order.

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QTest>

#include <fstream>
#include <map>
#include <regex>
#include <sstream>

#include "app/adjustments_page.h"
#include "app/percent_bar.h"
#include "filelist/file_type_table.h"
#include "window_fixture.h"

namespace lumivo::test {
namespace {

using Restart = WindowTest;

// (section, key) in file order.
std::vector<std::pair<std::string, std::string>> StoredKeys(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::vector<std::pair<std::string, std::string>> keys;
  const std::regex element(R"(^\s*<([A-Za-z_][A-Za-z0-9_]*))");
  const std::regex attribute(R"(([A-Za-z_][A-Za-z0-9_]*)=")");
  for (std::string line; std::getline(in, line);) {
    std::smatch match;
    if (!std::regex_search(line, match, element) || match[1] == "Configuration") continue;
    const std::string section = match[1];
    for (auto it = std::sregex_iterator(line.begin(), line.end(), attribute); it != std::sregex_iterator(); ++it)
      keys.emplace_back(section, (*it)[1]);
  }
  return keys;
}

std::vector<std::pair<std::string, std::string>> DocumentedOrder() {
  std::vector<std::pair<std::string, std::string>> keys;
  const auto add = [&](const char* section, std::initializer_list<const char*> names) {
    for (const char* name : names) keys.emplace_back(section, name);
  };
  add("Options", {"CheckBox_NoAutosave"});  // the autosave click created the file
  add("General", {"Setup_File_Exists", "Left", "Top"});
  for (const FileType& type : FileTypeTable) keys.emplace_back("FileTypes", std::string(type.extension));
  add("BildQuality",
      {"ProgressBar_Quality", "ProgressBar_BildGroesse_Prozent", "ProgressBar_Sepia_Prozent",
       "ProgressBar_EigeneFaerbung_Prozent", "CheckBox_BildGroesse_Original", "CheckBox_BildGroesse_Prozent",
       "CheckBox_BildGroesse_EigeneGroesse", "Edit_BildGroesse_EigeneGroesse_X", "Edit_BildGroesse_EigeneGroesse_Y",
       "CheckBox_Faerbung_KeineFaerbung", "CheckBox_Sepia", "CheckBox_Faerbung", "CheckBox_WhiteFilter",
       "CheckBox_H2O_None", "CheckBox_H2O_Bild", "CheckBox_H2O_Text", "ComboBox_H2O_ScaleBy", "Temp_Pfad_OpenPic_H2O",
       "CheckBox_H2O_Transparenz", "ProgressBar_H2O_Transparenz_Prozent", "Edit_H2O", "UpDown_Pos_X", "UpDown_Pos_Y",
       "RadioGroup_H2O_Pos", "Panel_EigeneFaerbung_Farbe"});
  add("Panel_Font", {"Name", "CharSet", "Color", "Size", "Style"});
  // Options continue in the element the autosave click made.
  keys.insert(keys.begin() + 1,
              {{"Options", "CheckBox_Start_Vorschau"},
               {"Options", "CheckBox_MausTipps"},
               {"Options", "CheckBox_MausTipps_FileList"},
               {"Options", "CheckBox_ShowErrors"},
               {"Options", "CheckBox_HoldFolderStrukture"},
               {"Options", "CheckBox_FileNumbers"},
               {"Options", "CheckBox_OnlyShowFileNames"},
               {"Options", "CheckBox_KeepEXiF"}});
  add("Profile", {"Dummy_String"});
  return keys;
}

// What each control shows, by name.
std::map<std::string, QString> Shown(const QWidget& window) {
  std::map<std::string, QString> shown;
  for (const QWidget* control : window.findChildren<QWidget*>()) {
    const std::string name = control->objectName().toStdString();
    if (name.empty()) continue;
    if (const auto* box = qobject_cast<const QAbstractButton*>(control); box && box->isCheckable())
      shown[name] = box->isChecked() ? "on" : "off";
    else if (const auto* edit = qobject_cast<const QLineEdit*>(control))
      shown[name] = edit->text();
    else if (const auto* combo = qobject_cast<const QComboBox*>(control))
      shown[name] = QString::number(combo->currentIndex());
    else if (const auto* bar = qobject_cast<const app::PercentBar*>(control))
      shown[name] = QString::number(bar->value());
    else if (const auto* label = qobject_cast<const QLabel*>(control))
      shown[name] = label->text() + "|" + label->toolTip() + "|" + label->palette().color(QPalette::Window).name();
    else if (const auto* list = qobject_cast<const QListWidget*>(control)) {
      QString rows;
      for (int row = 0; row < list->count(); ++row)
        rows += list->item(row)->text() + (list->item(row)->checkState() == Qt::Checked ? "+" : "-") + ";";
      shown[name] = rows;
    }
  }
  shown.erase("ListBox_ProfilUebersicht");
  return shown;
}

TEST_F(Restart, EveryControlShowsAfterARestartWhatItShowedBefore) {
  QTest::mouseClick(Control<QCheckBox>("CheckBox_NoAutosave"), Qt::LeftButton);

  // Adjustments, sub-page by sub-page.
  auto press = [](app::PercentBar* bar, int x) {
    QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(x, bar->height() / 2));
    QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(x, bar->height() / 2));
  };
  press(Control<app::PercentBar>("ProgressBar_Quality"), 30);
  Click("Panel_Bildgroesse");
  QTest::mouseClick(Control<QCheckBox>("CheckBox_BildGroesse_EigeneGroesse"), Qt::LeftButton);
  press(Control<app::PercentBar>("ProgressBar_BildGroesse_Prozent"), 50);
  for (const char* name : {"Edit_BildGroesse_EigeneGroesse_X", "Edit_BildGroesse_EigeneGroesse_Y"}) {
    Control<QLineEdit>(name)->clear();
    QTest::keyClicks(Control<QLineEdit>(name), std::string_view(name).back() == 'X' ? "1024" : "768");
  }
  Click("Panel_Faerbung");
  QTest::mouseClick(Control<QCheckBox>("CheckBox_Faerbung"), Qt::LeftButton);
  Click("Panel44");
  Click("Panel48");
  pickedColour = QColor(200, 120, 40);
  Click("Panel_EigeneFaerbung_Farbe");
  QTest::mouseClick(Control<QCheckBox>("CheckBox_WhiteFilter"), Qt::LeftButton);
  Click("Panel_H2O");
  QTest::mouseClick(Control<QCheckBox>("CheckBox_H2O_Text"), Qt::LeftButton);
  pickedPicture = QString::fromStdString(WritePicture(files, "zeichen.bmp", 16).string());
  Click("Panel_Chose_Pic");
  Control<QComboBox>("ComboBox_H2O_ScaleBy")->setCurrentIndex(5);
  QTest::mouseClick(Control<QCheckBox>("CheckBox_H2O_Transparenz"), Qt::LeftButton);
  Click("Panel50");
  QTest::keyClicks(Control<QLineEdit>("Edit_H2O"), "© Lumivo");
  FontDescription font;
  font.face = "DejaVu Serif";
  font.size = 18;
  font.style = FontDescription::kItalic;
  font.colour = 0x00FF00;
  pickedFont = font;
  Click("Panel_Font");
  for (int i = 0; i < 25; ++i) QTest::mouseClick(Control("UpDown_Pos_X_Down"), Qt::LeftButton);
  QTest::mouseClick(Control("UpDown_Pos_Y_Up"), Qt::LeftButton);
  QTest::mouseClick(Control<QRadioButton>("RadioGroup_H2O_Pos_3"), Qt::LeftButton);

  // Options and file types, and the Start page's switch.
  for (const char* name : {"CheckBox_MausTipps", "CheckBox_MausTipps_FileList", "CheckBox_ShowErrors",
                           "CheckBox_HoldFolderStrukture", "CheckBox_FileNumbers", "CheckBox_OnlyShowFileNames",
                           "CheckBox_KeepEXiF", "CheckBox_Start_Vorschau"})
    QTest::mouseClick(Control<QCheckBox>(name), Qt::LeftButton);
  auto* types = Control<QListWidget>("CheckListBox_FileType");
  types->item(3)->setCheckState(Qt::Checked);
  types->item(30)->setCheckState(Qt::Checked);
  typedNames = {"Web"};
  Click("Panel25");

  const SettingsState before = window->BuildSettings();
  // Every field moved away from its first-start value.
  const ConversionSettings& c = before.Conversion;
  const ConversionSettings d;
  EXPECT_NE(c.Quality, d.Quality);
  EXPECT_EQ(c.SizeMode, SizeMode::OwnSize);
  EXPECT_NE(c.SizePercent, d.SizePercent);
  EXPECT_EQ(c.OwnWidth, "1024");
  EXPECT_EQ(c.OwnHeight, "768");
  EXPECT_EQ(c.ColouringMode, ColouringMode::OwnColour);
  EXPECT_EQ(c.SepiaPercent, 26);
  EXPECT_EQ(c.OwnColourPercent, 24);
  EXPECT_EQ(c.OwnColour, 0x2878C8u);
  EXPECT_TRUE(c.WhiteFilter);
  EXPECT_EQ(c.WatermarkMode, WatermarkMode::Text);
  EXPECT_FALSE(c.WatermarkPictureFile.empty());
  EXPECT_EQ(c.WatermarkScaleIndex, 5);
  EXPECT_TRUE(c.WatermarkTransparency);
  EXPECT_EQ(c.WatermarkTransparencyPercent, 24);
  EXPECT_EQ(c.WatermarkText, "© Lumivo");
  EXPECT_EQ(c.WatermarkMarginY, 21);
  const ProgramOptions& o = before.Options;
  EXPECT_FALSE(o.StartPreview || o.MouseHints || o.FileListHints || o.KeepFolderStructure || o.AlwaysNumber ||
               o.OnlyFileNames || o.KeepExif);
  EXPECT_TRUE(o.ShowErrors && o.AutoSave);
  EXPECT_EQ(before.Profiles, std::vector<std::string>{"Web"});
  EXPECT_EQ(before.Conversion.WatermarkMarginX, -5);
  EXPECT_EQ(before.Conversion.WatermarkPosition, 3);
  EXPECT_EQ(before.Conversion.WatermarkFont, font);
  const auto shownBefore = Shown(*window);
  Click("Panel_Beenden");
  ASSERT_FALSE(window->isVisible());
  EXPECT_EQ(StoredKeys(settingsFolder.path() / "setup.xml"), DocumentedOrder());

  OpenWindow();
  SettingsState after = window->BuildSettings();
  after.Window = before.Window;
  EXPECT_EQ(after, before);
  Click("Panel_Faerbung");  // the sub-page tabs start on the first page again
  Click("Panel_H2O");
  const auto shownAfter = Shown(*window);
  for (const auto& [name, text] : shownBefore) {
    if (name.starts_with("Panel_Bildqualitaet") || name.starts_with("Panel_Bildgroesse") ||
        name.starts_with("Panel_Faerbung") || name == "Panel_H2O")
      continue;  // tab colours
    const auto found = shownAfter.find(name);
    ASSERT_NE(found, shownAfter.end()) << name;
    EXPECT_EQ(found->second, text) << name;
  }
}

}  // namespace
}  // namespace lumivo::test
