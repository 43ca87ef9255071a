// The options page (switches and their reactions, the file-type list and its
// buttons, the autosave switch) and the profile page (create, delete,
// activate, the overview).

#include <QCheckBox>
#include <QListWidget>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/file_list_box.h"
#include "app/hint_switch.h"
#include "app/options_page.h"
#include "app/panel_button.h"
#include "app/profiles_page.h"
#include "app/tab_strip.h"
#include "filelist/file_type_table.h"
#include "settings/profiles.h"
#include "settings/xml_config.h"
#include "window_fixture.h"

namespace lumivo::test {
namespace {

std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::string OnlyAutoSaveKey(const std::filesystem::path& file, bool on) {
  auto store = TXMLConfig::Parse("<Configuration/>", file);
  store->WriteBool("Options", "CheckBox_NoAutosave", on);
  return store->Serialize();
}

using OptionsPage = WindowTest;

TEST_F(OptionsPage, UmkehrenLeavesExactlyTheOtherRowsChecked) {
  auto* list = Control<QListWidget>("CheckListBox_FileType");
  ASSERT_EQ(list->count(), 38);
  for (int row = 0; row < 38; ++row) EXPECT_EQ(list->item(row)->checkState(), Qt::Unchecked) << "first start";
  list->item(0)->setCheckState(Qt::Checked);
  list->item(13)->setCheckState(Qt::Checked);
  Click("Panel_FileType_reverse");
  const FileTypeChecks checked = window->BuildSettings().Options.FileTypeChecked;
  for (std::size_t row = 0; row < 38; ++row) EXPECT_EQ(checked[row], row != 0 && row != 13) << row;
  Click("Panel_FileType_none");
  EXPECT_EQ(window->BuildSettings().Options.FileTypeChecked, FileTypeChecks{});
  Click("Panel_FileType_all");
  FileTypeChecks all;
  all.fill(true);
  EXPECT_EQ(window->BuildSettings().Options.FileTypeChecked, all);
  EXPECT_EQ(window->publishedSettings().Current().Options.FileTypeChecked, all) << "folder scans see it at once";
  window->optionsPage()->OnFileTypeCommand(40);
  EXPECT_EQ(window->BuildSettings().Options.FileTypeChecked, all) << "an unknown tag changes nothing";
}

TEST_F(OptionsPage, TheAutosaveClickWritesItsKeyAloneAtOnce) {
  const auto setup = settingsFolder.path() / "setup.xml";
  ASSERT_FALSE(std::filesystem::exists(setup));
  auto* autoSave = Control<QCheckBox>("CheckBox_NoAutosave");
  EXPECT_FALSE(autoSave->isChecked());
  QTest::mouseClick(autoSave, Qt::LeftButton);
  ASSERT_TRUE(std::filesystem::exists(setup));
  EXPECT_EQ(ReadFile(setup), OnlyAutoSaveKey(setup, true));
  QTest::mouseClick(autoSave, Qt::LeftButton);
  EXPECT_EQ(ReadFile(setup), OnlyAutoSaveKey(setup, false));

  // A start over that file applies the missing keys' values, without writing.
  QTest::mouseClick(autoSave, Qt::LeftButton);
  window->hide();
  OpenWindow();
  EXPECT_TRUE(Control<QCheckBox>("CheckBox_NoAutosave")->isChecked());
  FileTypeChecks all;
  all.fill(true);
  EXPECT_EQ(window->BuildSettings().Options.FileTypeChecked, all);
}

TEST_F(OptionsPage, HintsAndTheFileNameModeFollowTheirSwitchesAtOnce) {
  auto* hints = Control<QCheckBox>("CheckBox_MausTipps");
  ASSERT_TRUE(hints->isChecked());
  QTest::mouseClick(hints, Qt::LeftButton);
  EXPECT_FALSE(window->hints().enabled());
  QTest::mouseClick(hints, Qt::LeftButton);
  EXPECT_TRUE(window->hints().enabled());

  auto* names = Control<QCheckBox>("CheckBox_OnlyShowFileNames");
  auto* list = Control<app::FileListBox>("ListBox_Start_Files");
  ASSERT_TRUE(names->isChecked());
  EXPECT_TRUE(list->onlyFileNames());
  QTest::mouseClick(names, Qt::LeftButton);
  EXPECT_FALSE(list->onlyFileNames());

  for (const char* name : {"CheckBox_MausTipps_FileList", "CheckBox_ShowErrors", "CheckBox_HoldFolderStrukture",
                           "CheckBox_FileNumbers", "CheckBox_KeepEXiF"})
    QTest::mouseClick(Control<QCheckBox>(name), Qt::LeftButton);
  const ProgramOptions options = window->publishedSettings().Current().Options;
  EXPECT_FALSE(options.FileListHints);
  EXPECT_TRUE(options.ShowErrors);
  EXPECT_FALSE(options.KeepFolderStructure);
  EXPECT_FALSE(options.AlwaysNumber);
  EXPECT_FALSE(options.KeepExif);
  EXPECT_FALSE(std::filesystem::exists(settingsFolder.path() / "setup.xml")) << "only autosave writes at once";
}

class ProfilesPage : public WindowTest {
 protected:
  QListWidget* List() const { return Control<QListWidget>("ListBox_Profile"); }
  void Select(const char* name) const { window->profilesPage()->SelectProfile(name); }
  QStringList Overview() const { return window->profilesPage()->OverviewRows(); }
  QStringList Names() const {
    QStringList names;
    for (int row = 0; row < List()->count(); ++row) names.push_back(List()->item(row)->text());
    return names;
  }
};

TEST_F(ProfilesPage, NamesAreRefusedWhenTakenOrNotAllowed) {
  typedNames = {"Web", "WEB", "a/b", "c:d", QString(255, 'x'), "Urlaub 2011.alt"};
  for (int i = 0; i < 6; ++i) Click("Panel25");
  EXPECT_EQ(Names(), QStringList({"Web", "Urlaub 2011.alt"}));
  EXPECT_EQ(messages, QStringList({"Ein Profil unter diesem Namen ist schon vorhanden.",
                                   "Dieser Dateiname ist nicht erlaubt.", "Dieser Dateiname ist nicht erlaubt.",
                                   "Dieser Dateiname ist nicht erlaubt."}));
  EXPECT_TRUE(std::filesystem::exists(settingsFolder.path() / "Urlaub 2011.alt"));
  EXPECT_FALSE(std::filesystem::exists(settingsFolder.path() / "WEB"));
  Click("Panel56");  // the arrow inside the button acts like it; no answer left: cancelled
  EXPECT_EQ(List()->count(), 2);
}

TEST_F(ProfilesPage, ActivationLoadsEmptiesTheListAndNamesTheProfile) {
  ChangeSettings([](SettingsState& state) { state.Conversion.Quality = 80; });
  typedNames = {"Achtzig"};
  Click("Panel25");
  ChangeSettings([](SettingsState& state) { state.Conversion.Quality = 20; });
  const auto picture = WritePicture(files, "a.bmp");
  window->AddNames({QString::fromStdString(picture.string())});
  ASSERT_EQ(window->startPage()->Entries().size(), 1);

  Click("Panel57");  // nothing selected: nothing happens
  EXPECT_TRUE(messages.isEmpty());
  EXPECT_EQ(window->startPage()->Entries().size(), 1);

  Select("Achtzig");
  Click("Panel57");
  EXPECT_EQ(messages, QStringList({"Das Profil Achtzig wurde geladen."}));
  EXPECT_TRUE(window->startPage()->Entries().isEmpty());
  EXPECT_EQ(window->BuildSettings().Conversion.Quality, 80);
  EXPECT_EQ(Text("Panel_Quality"), "Bildqualität: 80%");
  ASSERT_FALSE(Overview().isEmpty());
  EXPECT_EQ(Overview().front(), "Ausgewähltes Profil: Achtzig");

  // A page change clears the selection and shows the current settings.
  QTest::mouseClick(window->tabs()->TabButton("Panel_Profilverwaltung"), Qt::LeftButton);
  EXPECT_EQ(Overview().front(), "Kein Profil ausgewählt");
  EXPECT_TRUE(Overview().contains("Bildqualität (in %): 80"));
}

TEST_F(ProfilesPage, AHandWrittenProfileActivatesOverDefaultsAndTheListClickShowsIt) {
  {
    std::ofstream file(settingsFolder.path() / "Nur Qualität");
    file << "<Configuration><BildQuality ProgressBar_Quality=\"80\"/></Configuration>";
  }
  ChangeSettings([](SettingsState& state) {
    state.Profiles = {"Nur Qualität"};
    state.Conversion.SepiaPercent = 70;
    state.Conversion.ColouringMode = ColouringMode::Sepia;
  });
  Select("Nur Qualität");
  QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, List()->visualItemRect(List()->item(0)).center());
  EXPECT_EQ(Overview().front(), "Ausgewähltes Profil: Nur Qualität");
  EXPECT_TRUE(Overview().contains("Bildqualität (in %): 80"));
  Click("Panel57");
  const ConversionSettings loaded = window->BuildSettings().Conversion;
  ConversionSettings expected;
  expected.Quality = 80;
  EXPECT_EQ(loaded, expected);
}

TEST_F(ProfilesPage, DeletingRemovesTheFileAndAVanishedFileSilently) {
  typedNames = {"Eins", "Zwei"};
  Click("Panel25");
  Click("Panel25");
  Select("Eins");
  Click("Panel24");
  EXPECT_EQ(messages, QStringList({"Das Profil wurde gelöscht."}));
  EXPECT_FALSE(std::filesystem::exists(settingsFolder.path() / "Eins"));
  std::filesystem::remove(settingsFolder.path() / "Zwei");
  Select("Zwei");
  Click("Panel55");
  EXPECT_EQ(messages.size(), 1) << "no message for a file already gone";
  EXPECT_EQ(List()->count(), 0);
  Click("Panel24");  // nothing selected
  EXPECT_EQ(messages.size(), 1);
}

TEST(ProfilePage, ActivationIsRefusedWhileARunWorksThroughTheList) {
  TempDir folder;
  const std::string path = folder.path().string() + "/";
  ConversionSettings stored;
  stored.Quality = 90;
  ASSERT_TRUE(SaveProfile(path, "Druck", stored));
  QStringList shown;
  app::WindowDialogs dialogs;
  dialogs.message = [&](QWidget*, const QString& text) { shown.push_back(text); };
  bool running = true;
  int activations = 0;
  app::ProfilesPage page(path, dialogs,
                         {[] { return ConversionSettings{}; }, [&] { return running; },
                          [&](const ConversionSettings& loaded) {
                            ++activations;
                            EXPECT_EQ(loaded.Quality, 90);
                          }});
  page.ApplyProfiles({"Druck"});
  page.SelectProfile("Druck");
  page.ProfileCommand(app::kActivateProfileCommand);
  EXPECT_EQ(activations, 0);
  ASSERT_EQ(shown.size(), 1);
  EXPECT_TRUE(shown.front().startsWith("Während einer Umwandlung")) << shown.front().toStdString();
  running = false;
  page.ProfileCommand(app::kActivateProfileCommand);
  EXPECT_EQ(activations, 1);
  EXPECT_EQ(shown.back(), "Das Profil Druck wurde geladen.");
}

}  // namespace
}  // namespace lumivo::test
