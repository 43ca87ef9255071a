#include "settings/settings_file.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

#include <filesystem>

#include "settings/profiles.h"
#include "settings/xml_config.h"
#include "settings_test_support.h"

namespace lumivo {
namespace {

using test::FileText;
using test::FolderOf;
using test::TempDir;

// A state far from every default, so that each load shows what it changed.
SettingsState UnusualState() {
  SettingsState s;
  s.Conversion = test::UnusualAdjustments();
  s.Options.StartPreview = false;
  s.Options.MouseHints = false;
  s.Options.FileListHints = false;
  s.Options.ShowErrors = true;
  s.Options.KeepFolderStructure = false;
  s.Options.AlwaysNumber = false;
  s.Options.OnlyFileNames = false;
  s.Options.KeepExif = false;
  s.Options.AutoSave = true;
  for (std::size_t row = 0; row < kFileTypeCount; ++row) s.Options.FileTypeChecked[row] = row % 3 == 0;
  s.Options.LastOutputFolder = "/tmp/Ausgabe \xC3\xA4/";
  s.Window = {-1200, 35};
  return s;
}

std::vector<std::string> SectionsAndKeys(const std::filesystem::path& file) {
  pugi::xml_document document;
  EXPECT_TRUE(document.load_file(file.c_str()));
  std::vector<std::string> names;
  for (const auto& section : document.document_element().children()) {
    for (const auto& key : section.attributes()) names.push_back(std::string(section.name()) + ":" + key.name());
  }
  return names;
}

TEST(SettingsFile, FirstStartAppliesTheFirstStartValuesAndWritesNothing) {
  TempDir dir;
  SettingsState state = UnusualState();
  state.Options.AutoSave = false;
  state.Options.FileTypeChecked = {};
  state.Options.LastOutputFolder.clear();
  ASSERT_TRUE(LoadSettings(FolderOf(dir), kSettingsFileName, state));

  SettingsState expected;
  EXPECT_EQ(state, expected);
  EXPECT_EQ(state.Window, (WindowPosition{10, 10}));
  EXPECT_EQ(state.Conversion.Quality, 50);
  EXPECT_FALSE(state.Options.AutoSave);
  EXPECT_EQ(state.Options.FileTypeChecked, FileTypeChecks{});
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(SettingsFile, ApplyDefaultsKeepsAutoSaveFileTypesFolderAndProfiles) {
  SettingsState state = UnusualState();
  state.Profiles = {"Web"};
  ASSERT_TRUE(ApplyDefaults(state));
  const SettingsState unusual = UnusualState();
  EXPECT_EQ(state.Conversion, ConversionSettings{});
  EXPECT_EQ(state.Window, WindowPosition{});
  EXPECT_TRUE(state.Options.AutoSave);
  EXPECT_EQ(state.Options.FileTypeChecked, unusual.Options.FileTypeChecked);
  EXPECT_EQ(state.Options.LastOutputFolder, unusual.Options.LastOutputFolder);
  EXPECT_EQ(state.Profiles, std::vector<std::string>{"Web"});
  EXPECT_TRUE(state.Options.StartPreview && state.Options.KeepExif && !state.Options.ShowErrors);
}

TEST(SettingsFile, AutoSaveSwitchAloneCreatesTheFileAndLoadsAsTheMissingColumn) {
  TempDir dir;
  ASSERT_TRUE(SaveAutoSaveFlag(FolderOf(dir), kSettingsFileName, true));
  EXPECT_EQ(FileText(dir / "setup.xml"),
            "<Configuration>\r\n  <Options CheckBox_NoAutosave=\"1\" />\r\n</Configuration>\r\n");

  SettingsState state = UnusualState();
  state.Options.AutoSave = false;
  state.Profiles = {"kept"};
  ASSERT_TRUE(LoadSettings(FolderOf(dir), kSettingsFileName, state));
  EXPECT_EQ(state.Window, (WindowPosition{0, 0}));
  EXPECT_EQ(state.Conversion, ConversionSettings{});
  ProgramOptions missing;
  missing.AutoSave = true;
  missing.FileTypeChecked.fill(true);
  EXPECT_EQ(state.Options, missing);
  EXPECT_EQ(state.Profiles, std::vector<std::string>{"kept"});

  ASSERT_TRUE(SaveAutoSaveFlag(FolderOf(dir), kSettingsFileName, false));
  EXPECT_EQ(FileText(dir / "setup.xml"),
            "<Configuration>\r\n  <Options CheckBox_NoAutosave=\"0\" />\r\n</Configuration>\r\n");
}

TEST(SettingsFile, EveryFieldSurvivesSaveAndLoad) {
  TempDir dir;
  const std::string folder = FolderOf(dir);
  SettingsState saved = UnusualState();
  for (const char* name : {"Web", "Urlaub 2011.alt", " blank first"}) {
    ASSERT_TRUE(SaveProfile(folder, name, ConversionSettings{}));
    saved.Profiles.emplace_back(name);
  }
  ASSERT_TRUE(SaveAutoSaveFlag(folder, kSettingsFileName, saved.Options.AutoSave));
  ASSERT_TRUE(SaveSettings(folder, kSettingsFileName, saved));

  SettingsState loaded;
  ASSERT_TRUE(LoadSettings(folder, kSettingsFileName, loaded));
  EXPECT_EQ(loaded.Conversion, saved.Conversion);
  EXPECT_EQ(loaded.Conversion.WatermarkFont, saved.Conversion.WatermarkFont);
  EXPECT_EQ(loaded.Options, saved.Options);
  EXPECT_EQ(loaded.Window, saved.Window);
  EXPECT_EQ(loaded.Profiles, saved.Profiles);
}

TEST(SettingsFile, WrittenFileListsSectionsAndKeysInTheDocumentedOrder) {
  TempDir dir;
  const std::string folder = FolderOf(dir);
  SettingsState state = UnusualState();
  ASSERT_TRUE(SaveProfile(folder, "Web", ConversionSettings{}));
  state.Profiles = {"Web", "   "};  // a blank name is not stored
  ASSERT_TRUE(SaveAutoSaveFlag(folder, kSettingsFileName, true));
  ASSERT_TRUE(SaveSettings(folder, kSettingsFileName, state));

  std::vector<std::string> expected = {"Options:CheckBox_NoAutosave", "General:Setup_File_Exists", "General:Left",
                                       "General:Top", "Dummy_Pfad:Temp_Pfad_SaveTo"};
  for (const FileType& type : FileTypeTable) expected.push_back("FileTypes:" + std::string(type.extension));
  for (const char* key :
       {"ProgressBar_Quality", "ProgressBar_BildGroesse_Prozent", "ProgressBar_Sepia_Prozent",
        "ProgressBar_EigeneFaerbung_Prozent", "CheckBox_BildGroesse_Original", "CheckBox_BildGroesse_Prozent",
        "CheckBox_BildGroesse_EigeneGroesse", "Edit_BildGroesse_EigeneGroesse_X", "Edit_BildGroesse_EigeneGroesse_Y",
        "CheckBox_Faerbung_KeineFaerbung", "CheckBox_Sepia", "CheckBox_Faerbung", "CheckBox_WhiteFilter",
        "CheckBox_H2O_None", "CheckBox_H2O_Bild", "CheckBox_H2O_Text", "ComboBox_H2O_ScaleBy",
        "Temp_Pfad_OpenPic_H2O", "CheckBox_H2O_Transparenz", "ProgressBar_H2O_Transparenz_Prozent", "Edit_H2O",
        "UpDown_Pos_X", "UpDown_Pos_Y", "RadioGroup_H2O_Pos", "Panel_EigeneFaerbung_Farbe"}) {
    expected.push_back(std::string("BildQuality:") + key);
  }
  for (const char* key : {"Name", "CharSet", "Color", "Size", "Style"}) expected.push_back(std::string("Panel_Font:") + key);
  // Options already stands first, so its switches join the autosave key there.
  const auto optionsEnd = expected.begin() + 1;
  const char* options[] = {"CheckBox_Start_Vorschau",    "CheckBox_MausTipps",           "CheckBox_MausTipps_FileList",
                           "CheckBox_ShowErrors",        "CheckBox_HoldFolderStrukture", "CheckBox_FileNumbers",
                           "CheckBox_OnlyShowFileNames", "CheckBox_KeepEXiF"};
  std::vector<std::string> optionKeys;
  for (const char* key : options) optionKeys.push_back(std::string("Options:") + key);
  expected.insert(optionsEnd, optionKeys.begin(), optionKeys.end());
  expected.push_back("Profile:Dummy_String");
  EXPECT_EQ(SectionsAndKeys(dir / "setup.xml"), expected);

  const std::string text = FileText(dir / "setup.xml");
  EXPECT_NE(text.find("Dummy_String=\"Web##KVL##\""), std::string::npos);
  EXPECT_NE(text.find("Color=\"-2147483640\""), std::string::npos);
  EXPECT_NE(text.find("Panel_EigeneFaerbung_Farbe=\"3368601\""), std::string::npos);
}

TEST(SettingsFile, FreshStateWritesNoEmptyTextKeys) {
  TempDir dir;
  ASSERT_TRUE(SaveSettings(FolderOf(dir), kSettingsFileName, SettingsState{}));
  const std::string text = FileText(dir / "setup.xml");
  for (const char* absent : {"Dummy_Pfad", "Temp_Pfad_OpenPic_H2O", "Edit_H2O", "Profile"}) {
    EXPECT_EQ(text.find(absent), std::string::npos) << absent;
  }
  EXPECT_NE(text.find("Panel_EigeneFaerbung_Farbe=\"536870911\""), std::string::npos);
}

TEST(SettingsFile, SavingWithoutChangesLeavesTheFileUntouched) {
  TempDir dir;
  const SettingsState state = UnusualState();
  ASSERT_TRUE(SaveSettings(FolderOf(dir), kSettingsFileName, state));
  const auto file = dir / "setup.xml";
  const auto oldTime = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  std::filesystem::last_write_time(file, oldTime);
  ASSERT_TRUE(SaveSettings(FolderOf(dir), kSettingsFileName, state));
  EXPECT_EQ(std::filesystem::last_write_time(file), oldTime);
}

TEST(SettingsFile, ProfileListKeepsOnlyNamesWithAProfileFile) {
  struct Case {
    const char* stored;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {"A##KVL##B##KVL##", {"A"}},
      {"   ", {"before"}},  // only blanks: the list stays as it was
      {"", {"before"}},
      {"A", {"A"}},
      {"setup.xml##KVL##../A##KVL##sub##KVL##A##KVL##", {"A"}},
  };
  for (const Case& c : cases) {
    TempDir dir;
    const std::string folder = FolderOf(dir);
    ASSERT_TRUE(SaveProfile(folder, "A", ConversionSettings{}));
    std::filesystem::create_directory(dir / "sub");
    dir.Write("setup.xml", std::string("<Configuration><Profile Dummy_String=\"") + c.stored + "\"/></Configuration>");
    SettingsState state;
    state.Profiles = {"before"};
    ASSERT_TRUE(LoadSettings(folder, kSettingsFileName, state)) << c.stored;
    EXPECT_EQ(state.Profiles, c.expected) << c.stored;
  }
}

TEST(SettingsFile, OwnSizeTextsAreAppliedOnlyWhenAllDigits) {
  const std::pair<const char*, std::string> cases[] = {{"12a", "333"}, {"0", "0"}, {"", "333"}, {"-5", "333"}, {"640", "640"}};
  for (const auto& [stored, expected] : cases) {
    TempDir dir;
    dir.Write("setup.xml", std::string("<Configuration><BildQuality Edit_BildGroesse_EigeneGroesse_X=\"") + stored +
                               "\" Edit_BildGroesse_EigeneGroesse_Y=\"" + stored + "\"/></Configuration>");
    SettingsState state;
    state.Conversion.OwnWidth = state.Conversion.OwnHeight = "333";
    ASSERT_TRUE(LoadSettings(FolderOf(dir), kSettingsFileName, state)) << stored;
    EXPECT_EQ(state.Conversion.OwnWidth, expected) << stored;
    EXPECT_EQ(state.Conversion.OwnHeight, expected) << stored;
  }
  EXPECT_TRUE(IsAllDigits("0"));
  EXPECT_FALSE(IsAllDigits(""));
  EXPECT_FALSE(IsAllDigits("1 2"));
}

TEST(SettingsFile, UnreadableNumberStopsTheLoadThere) {
  TempDir dir;
  dir.Write("setup.xml",
            "<Configuration><General Left=\"5\" Top=\"6\"/><FileTypes rla=\"0\"/>"
            "<BildQuality ProgressBar_Quality=\"x\" ProgressBar_BildGroesse_Prozent=\"10\"/>"
            "<Options CheckBox_ShowErrors=\"1\"/><Profile Dummy_String=\"\"/></Configuration>");
  SettingsState state = UnusualState();
  state.Profiles = {"before"};
  EXPECT_EQ(LoadSettings(FolderOf(dir), kSettingsFileName, state).message(), "'x' ist keine gültige Ganzzahl.");

  SettingsState expected = UnusualState();
  expected.Profiles = {"before"};
  expected.Options.AutoSave = true;  // missing autosave key
  expected.Window = {5, 6};
  expected.Options.FileTypeChecked.fill(true);
  expected.Options.FileTypeChecked[0] = false;
  expected.Options.LastOutputFolder.clear();
  EXPECT_EQ(state, expected);
}

TEST(SettingsFile, ThreeSwitchGroupsEndOnTheLastSwitchReadAsOn) {
  struct Case {
    const char* original;
    const char* percent;
    const char* own;
    SizeMode expected;
  };
  const Case cases[] = {{"0", "0", "0", SizeMode::Percent},  // none on: the choice stays
                        {"1", "0", "1", SizeMode::OwnSize},
                        {"1", "0", "0", SizeMode::Unchanged},
                        {"0", "2", "256", SizeMode::Percent}};
  for (const Case& c : cases) {
    TempDir dir;
    dir.Write("setup.xml", std::string("<Configuration><BildQuality CheckBox_BildGroesse_Original=\"") + c.original +
                               "\" CheckBox_BildGroesse_Prozent=\"" + c.percent +
                               "\" CheckBox_BildGroesse_EigeneGroesse=\"" + c.own +
                               "\" CheckBox_Faerbung_KeineFaerbung=\"0\" CheckBox_H2O_None=\"0\"/></Configuration>");
    SettingsState state;
    state.Conversion.SizeMode = SizeMode::Percent;
    state.Conversion.ColouringMode = ColouringMode::Sepia;
    state.Conversion.WatermarkMode = WatermarkMode::Picture;
    ASSERT_TRUE(LoadSettings(FolderOf(dir), kSettingsFileName, state));
    EXPECT_EQ(state.Conversion.SizeMode, c.expected) << c.original << c.percent << c.own;
    EXPECT_EQ(state.Conversion.ColouringMode, ColouringMode::Sepia);
    EXPECT_EQ(state.Conversion.WatermarkMode, WatermarkMode::Picture);
  }
}

TEST(SettingsFile, OutOfRangeValuesAreHeldInTheControlsRanges) {
  TempDir dir;
  dir.Write("setup.xml",
            "<Configuration><BildQuality ProgressBar_Quality=\"150\" ProgressBar_BildGroesse_Prozent=\"0\" "
            "ProgressBar_Sepia_Prozent=\"-4\" ProgressBar_EigeneFaerbung_Prozent=\"101\" ComboBox_H2O_ScaleBy=\"-1\" "
            "ProgressBar_H2O_Transparenz_Prozent=\"999\" UpDown_Pos_X=\"-300\" UpDown_Pos_Y=\"300\" "
            "RadioGroup_H2O_Pos=\"7\"/><Panel_Font CharSet=\"300\"/></Configuration>");
  SettingsState state;
  ASSERT_TRUE(LoadSettings(FolderOf(dir), kSettingsFileName, state));
  const ConversionSettings& c = state.Conversion;
  EXPECT_EQ(c.Quality, 100);
  EXPECT_EQ(c.SizePercent, 1);
  EXPECT_EQ(c.SepiaPercent, 1);
  EXPECT_EQ(c.OwnColourPercent, 100);
  EXPECT_EQ(c.WatermarkScaleIndex, 0);
  EXPECT_EQ(c.WatermarkTransparencyPercent, 100);
  EXPECT_EQ(c.WatermarkMarginX, -225);
  EXPECT_EQ(c.WatermarkMarginY, 225);
  EXPECT_EQ(c.WatermarkPosition, 4);
  EXPECT_EQ(c.WatermarkFont.charset, 255);
  EXPECT_EQ(ClampToControlRanges(c), c);
}

TEST(SettingsFile, DamagedFileChangesNothingAndIsNeverRewritten) {
  const std::string damaged[] = {"<Configuration><Options CheckBox_NoAutosave=\"1\"/>", "",
                                 std::string("\x00\x01\x02\xFF<", 5)};
  for (const std::string& bytes : damaged) {
    TempDir dir;
    dir.Write("setup.xml", bytes);
    SettingsState state = UnusualState();
    // Every call keeps the parse error as its reason.
    const std::string reason = TXMLConfig::Open(dir / "setup.xml").message();
    EXPECT_NE(reason.find("keine gültige XML-Datei"), std::string::npos) << reason;
    EXPECT_EQ(LoadSettings(FolderOf(dir), kSettingsFileName, state).message(), reason);
    EXPECT_EQ(state, UnusualState());
    EXPECT_EQ(SaveAutoSaveFlag(FolderOf(dir), kSettingsFileName, false).message(), reason);
    EXPECT_EQ(SaveSettings(FolderOf(dir), kSettingsFileName, state).message(), reason);
    EXPECT_EQ(LoadAutoSaveFlag(FolderOf(dir), kSettingsFileName, state.Options).message(), reason);
    EXPECT_EQ(FileText(dir / "setup.xml"), bytes);
  }
}

TEST(SettingsFile, UnwritableFolderFailsWithoutHarm) {
  TempDir dir;
  dir.Write("plain", "a file where a folder belongs");
  const std::string folder = (dir / "plain").string() + "/";
  SettingsState state = UnusualState();
  EXPECT_FALSE(SaveSettings(folder, kSettingsFileName, state));
  EXPECT_FALSE(SaveAutoSaveFlag(folder, kSettingsFileName, true));
  EXPECT_FALSE(SaveFont(dir / "plain" / "f.xml", "Panel_Font", FontDescription{}).ok());
}

TEST(SettingsFile, FontKeysRoundTripAndDefaultWhenMissing) {
  TempDir dir;
  const auto file = dir / "font.xml";
  FontDescription font;
  ASSERT_TRUE(LoadFont(file, "Panel_Font", font, FontDescription{"Arial", 0, 0xFF, 20, 2}).ok());
  EXPECT_EQ(font, (FontDescription{"Arial", 0, 0xFF, 20, 2}));

  const FontDescription stored{"Fira \"Sans\" & Co", 238, 0x80000008, 72, 15};
  ASSERT_TRUE(SaveFont(file, "Panel_Font", stored).ok());
  FontDescription loaded;
  ASSERT_TRUE(LoadFont(file, "Panel_Font", loaded, FontDescription{}).ok());
  EXPECT_EQ(loaded, stored);

  dir.Write("bad.xml", "<Configuration><Panel_Font Name=\"X\" CharSet=\"q\" Size=\"30\"/></Configuration>");
  FontDescription partly;
  EXPECT_FALSE(LoadFont(dir / "bad.xml", "Panel_Font", partly, FontDescription{}).ok());
  EXPECT_EQ(partly.face, "X");
  EXPECT_EQ(partly.size, FontDescription{}.size);
}

}  // namespace
}  // namespace lumivo
