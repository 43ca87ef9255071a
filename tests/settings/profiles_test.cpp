#include "settings/profiles.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "resources/texts.h"
#include "settings/settings_file.h"
#include "settings_test_support.h"

namespace lumivo {
namespace {

using test::FileText;
using test::FolderOf;
using test::TempDir;

TEST(Profiles, NameTest) {
  TempDir dir;
  const std::string folder = FolderOf(dir);
  dir.Write("lumivo", std::string("\x7F" "ELF\x02\x01\x01", 7));  // the executable
  dir.Write("notes.txt", "plain text");
  std::filesystem::create_directory(dir / "Bilder");
  ASSERT_TRUE(SaveProfile(folder, "Vorhanden", ConversionSettings{}));

  const std::pair<std::string, bool> cases[] = {
      {"Web", true},
      {"Urlaub 2011.alt", true},
      {" .blank and dots. ", true},
      {"Gr\xC3\xB6\xC3\x9F" "e \xF0\x9F\x98\x80", true},
      {std::string(254, 'a'), true},
      {std::string(255, 'a'), false},
      {std::string(127, 'a') + "\xC3\xA4", true},  // 128 characters
      {"a/b", false},
      {"a:b", false},
      {"", false},
      {".", false},
      {"..", false},
      {"a\tb", false},
      {"a\x7F", false},
      {"\"", false}, {"&", false}, {"*", false}, {"<", false}, {">", false},
      {"?", false}, {"\\", false}, {"^", false}, {"|", false},
      {"a##KVL##b", false},
      {"setup.xml", false},
      {"SETUP.XML", false},
      {"lumivo", false},
      {"notes.txt", false},
      {"Bilder", false},
      {"Vorhanden", true},  // an existing profile file is updated
      {"\xC3\x28", false},  // broken UTF-8
      {std::string(128, '\xC3') + std::string(1, '\xA4'), false},
  };
  for (const auto& [name, valid] : cases) EXPECT_EQ(IsValidProfileName(folder, name), valid) << name;
}

TEST(Profiles, CreateRefusesInvalidAndDuplicateNames) {
  TempDir dir;
  const std::string folder = FolderOf(dir);
  std::vector<std::string> profiles;
  ASSERT_TRUE(CreateProfile(folder, profiles, "Web", ConversionSettings{}).ok());

  const std::pair<const char*, std::string_view> refused[] = {
      {"WEB", texts::kProfileExists},
      {"web", texts::kProfileExists},
      {"a/b", texts::kProfileNameNotAllowed},
      {"a:b", texts::kProfileNameNotAllowed},
      {"setup.xml", texts::kProfileNameNotAllowed},
  };
  for (const auto& [name, message] : refused) {
    const Status status = CreateProfile(folder, profiles, name, ConversionSettings{});
    ASSERT_FALSE(status.ok()) << name;
    EXPECT_EQ(status.message(), message) << name;
  }
  EXPECT_EQ(profiles, std::vector<std::string>{"Web"});
  EXPECT_TRUE(SameProfileName("\xC3\x84rger", "\xC3\xA4RGER"));  // Ärger, äRGER

  ASSERT_TRUE(CreateProfile(folder, profiles, "Urlaub 2011.alt", ConversionSettings{}).ok());
  EXPECT_TRUE(std::filesystem::is_regular_file(dir / "Urlaub 2011.alt"));
  EXPECT_EQ(profiles, (std::vector<std::string>{"Web", "Urlaub 2011.alt"}));
}

TEST(Profiles, CreateInAnUnwritableFolderReportsAndKeepsTheListUnchanged) {
  TempDir dir;
  dir.Write("plain", "x");
  std::vector<std::string> profiles;
  const Status status = CreateProfile((dir / "plain").string() + "/", profiles, "Web", ConversionSettings{});
  ASSERT_FALSE(status.ok());
  // The write's own reason follows, so the user can tell a blocked folder from a full disk.
  EXPECT_EQ(status.message(), "Das Profil Web konnte nicht gespeichert werden. Die Datei '" + (dir / "plain").string() +
                                  "/Web' kann nicht geschrieben werden: ein Teil des Pfades ist kein Ordner.");
  EXPECT_EQ(status.kind(), ErrorKind::Io);
  EXPECT_TRUE(profiles.empty());
}

TEST(Profiles, ProfileFileHoldsItsSectionsInOrder) {
  TempDir dir;
  ASSERT_TRUE(SaveProfile(FolderOf(dir), "Web", ConversionSettings{}));
  const std::string text = FileText(dir / "Web");
  EXPECT_EQ(text.rfind("<Configuration>\r\n  <General Setup_File_Exists=\"1\" />\r\n  <BildQuality ProgressBar_Quality=\"50\" ", 0), 0u)
      << text;
  EXPECT_LT(text.find("Edit_BildGroesse_EigeneGroesse_Y"), text.find("UpDown_Pos_X"));
  EXPECT_NE(text.find("RadioGroup_H2O_Pos=\"0\" Panel_EigeneFaerbung_Farbe=\"536870911\" />\r\n  <Panel_Font Name=\"MS Sans Serif\" "
                      "CharSet=\"1\" Color=\"-2147483640\" Size=\"9\" Style=\"0\" />\r\n</Configuration>\r\n"),
            std::string::npos)
      << text;
}

TEST(Profiles, EveryAdjustmentSurvivesSaveAndLoadAndOtherSectionsSurvive) {
  TempDir dir;
  const std::string folder = FolderOf(dir);
  dir.Write("Web", "<Configuration><Notiz von=\"Hand\"/><BildQuality Fremd=\"1\"/></Configuration>");
  const ConversionSettings saved = test::UnusualAdjustments();
  ASSERT_TRUE(SaveProfile(folder, "Web", saved));
  ConversionSettings loaded;
  ASSERT_TRUE(LoadProfile(folder, "Web", loaded));
  EXPECT_EQ(loaded, saved);
  const std::string text = FileText(dir / "Web");
  EXPECT_NE(text.find("<Notiz von=\"Hand\" />"), std::string::npos);
  EXPECT_NE(text.find("Fremd=\"1\""), std::string::npos);
}

TEST(Profiles, HandWrittenProfileWithOnlyTheQuality) {
  TempDir dir;
  dir.Write("Hand", "<Configuration><BildQuality ProgressBar_Quality=\"80\"/></Configuration>");
  ConversionSettings settings = test::UnusualAdjustments();
  ASSERT_TRUE(LoadProfile(FolderOf(dir), "Hand", settings));
  ConversionSettings expected;
  expected.Quality = 80;
  EXPECT_EQ(settings, expected);
}

TEST(Profiles, LoadStopsAtAnUnreadableNumber) {
  TempDir dir;
  dir.Write("Kaputt",
            "<Configuration><BildQuality ProgressBar_Quality=\"80\" CheckBox_H2O_Bild=\"ja\" Edit_H2O=\"neu\"/>"
            "</Configuration>");
  ConversionSettings settings = test::UnusualAdjustments();
  const Status loaded = LoadProfile(FolderOf(dir), "Kaputt", settings);
  ASSERT_FALSE(loaded.ok());
  EXPECT_EQ(loaded.message(), "'ja' ist keine gültige Ganzzahl.");
  EXPECT_EQ(settings.Quality, 80);
  EXPECT_EQ(settings.SizeMode, SizeMode::Unchanged);
  EXPECT_EQ(settings.WatermarkText, test::UnusualAdjustments().WatermarkText);

  ConversionSettings untouched = test::UnusualAdjustments();
  EXPECT_EQ(LoadProfile(FolderOf(dir), "Fehlt", untouched).message(),
            "Die Datei '" + FolderOf(dir) + "Fehlt' kann nicht gelesen werden.");
  dir.Write("setup.xml", "<Configuration><BildQuality ProgressBar_Quality=\"1\"/></Configuration>");
  EXPECT_FALSE(LoadProfile(FolderOf(dir), "setup.xml", untouched));
  EXPECT_EQ(untouched, test::UnusualAdjustments());
}

TEST(Profiles, DeleteRemovesOnlyProfileFiles) {
  TempDir dir;
  const std::string folder = FolderOf(dir);
  ASSERT_TRUE(SaveProfile(folder, "Web", ConversionSettings{}));
  dir.Write("setup.xml", "<Configuration><Options CheckBox_NoAutosave=\"1\"/></Configuration>");
  dir.Write("lumivo", "\x7F" "ELF");
  std::vector<std::string> profiles = {"web", "Web", "Weg", "setup.xml", "lumivo"};

  EXPECT_EQ(DeleteProfile(folder, profiles, "Web"), ProfileDeletion::Deleted);
  EXPECT_FALSE(std::filesystem::exists(dir / "Web"));
  EXPECT_EQ(profiles, (std::vector<std::string>{"Web", "Weg", "setup.xml", "lumivo"}));  // the first equal entry

  EXPECT_EQ(DeleteProfile(folder, profiles, "Weg"), ProfileDeletion::EntryRemoved);  // its file had vanished
  EXPECT_EQ(DeleteProfile(folder, profiles, "setup.xml"), ProfileDeletion::Kept);
  EXPECT_EQ(DeleteProfile(folder, profiles, "lumivo"), ProfileDeletion::Kept);
  EXPECT_EQ(profiles, (std::vector<std::string>{"Web", "setup.xml", "lumivo"}));
  EXPECT_TRUE(std::filesystem::exists(dir / "setup.xml"));
  EXPECT_TRUE(std::filesystem::exists(dir / "lumivo"));
}

}  // namespace
}  // namespace lumivo
