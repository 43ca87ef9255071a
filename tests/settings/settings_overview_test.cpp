#include "settings/settings_overview.h"

#include <gtest/gtest.h>

#include "settings/profiles.h"
#include "settings_test_support.h"

namespace lumivo {
namespace {

using test::FolderOf;
using test::TempDir;
using Rows = std::vector<std::string>;

const TextMeasure kOnePixelPerByte = [](std::string_view text) { return static_cast<int>(text.size()); };

TEST(SettingsOverview, DefaultAdjustmentsWithoutSelection) {
  EXPECT_EQ(DescribeCurrentSettings(ConversionSettings{}, std::nullopt, kOnePixelPerByte, 400),
            (Rows{"Kein Profil ausgewählt", "", "Bildqualität (in %): 50", "Originale Bildgröße: An",
                  "Keine Färbung: An", "Kein Wasserzeichen: An"}));
}

TEST(SettingsOverview, CurrentAdjustmentsShowEachChosenBlock) {
  const ConversionSettings unusual = test::UnusualAdjustments();
  EXPECT_EQ(DescribeCurrentSettings(unusual, "Web", kOnePixelPerByte, 400),
            (Rows{"Ausgewähltes Profil: Web", "", "Bildqualität (in %): 73", "Eigene Größenanpassung: An",
                  "Breite (in Pixel): 1024", "Höhe (in Pixel): 0768", "Eigene Farbe: An", "Färbung (in %): 60",
                  "Weißfilter: An", "Wasserzeichenschrift: An", "Wasserzeichentext:" + unusual.WatermarkText,
                  "Schriftart+DejaVu Sans", "Horizontale Position (in Pixel): -225",
                  "Vertikale Position (in Pixel): 225", "Postion des Wasserzeichen: Mitte"}));

  ConversionSettings sepia;
  sepia.SizeMode = SizeMode::Percent;
  sepia.SizePercent = 150;
  sepia.ColouringMode = ColouringMode::Sepia;
  sepia.SepiaPercent = 30;
  sepia.WatermarkMode = WatermarkMode::Picture;
  sepia.WatermarkTransparency = true;
  sepia.WatermarkTransparencyPercent = 45;
  EXPECT_EQ(DescribeCurrentSettings(sepia, std::nullopt, kOnePixelPerByte, 400),
            (Rows{"Kein Profil ausgewählt", "", "Bildqualität (in %): 50", "Prozentuale Anpassung: An",
                  "Anpassung (in %): 150", "Sepiafärbung: An", "Färbung (in %): 30", "Wasserzeichenbild: An",
                  "Ausgewähltes Wasserzeichen: Programminternes Bild", "Größe des Wasserzeichens: normale Größe",
                  "Transparenz: An", "Wasserzeichentranparenz (in %): 45", "Horizontale Position (in Pixel): 20",
                  "Vertikale Position (in Pixel): 20", "Postion des Wasserzeichen: Links oben"}));
}

TEST(SettingsOverview, PictureWatermarkProfileWithTransparencyOff) {
  TempDir dir;
  const std::string picture = "/home/me/Bilder/2011/logo.png";
  dir.Write("Logo", "<Configuration><BildQuality ProgressBar_Quality=\"70\" CheckBox_H2O_None=\"0\" "
                    "CheckBox_H2O_Bild=\"1\" Temp_Pfad_OpenPic_H2O=\"" + picture + "\" ComboBox_H2O_ScaleBy=\"2\" "
                    "CheckBox_H2O_Transparenz=\"0\" ProgressBar_H2O_Transparenz_Prozent=\"40\" "
                    "UpDown_Pos_X=\"-5\"/></Configuration>");
  const int width = 47;
  const int labelWidth = kOnePixelPerByte("Ausgewähltes Wasserzeichen");
  auto rows = DescribeProfile(FolderOf(dir), "Logo", ConversionSettings{}, kOnePixelPerByte, width);
  ASSERT_TRUE(rows.ok()) << rows.message();
  EXPECT_EQ(*rows, (Rows{"Ausgewähltes Profil: Logo", "", "Bildqualität (in %): 70", "", "Originale Bildgröße: An", "",
                         "Keine Färbung: An", "", "Wasserzeichenbild: An",
                         "Ausgewähltes Wasserzeichen: " + FitPathToWidth(picture, kOnePixelPerByte, width - labelWidth),
                         "Größe des Wasserzeichens: 1/2 [ 0,5 ] - fache Verkleinerung", "Transparenz: An",
                         "Horizontale Position (in Pixel): -5", "Vertikale Position (in Pixel): 20",
                         "Postion des Wasserzeichen: Links oben"}));
  EXPECT_NE((*rows)[9], "Ausgewähltes Wasserzeichen: " + picture) << "the name is shortened";
}

TEST(SettingsOverview, StoredProfileDecidesEveryRowByItsOwnKey) {
  TempDir dir;
  dir.Write("Hand", "<Configuration><BildQuality CheckBox_BildGroesse_Prozent=\"1\" "
                    "CheckBox_BildGroesse_EigeneGroesse=\"1\" Edit_BildGroesse_EigeneGroesse_X=\"12a\" "
                    "CheckBox_Faerbung_KeineFaerbung=\"0\" CheckBox_H2O_Text=\"1\" Edit_H2O=\"Gruß\"/>"
                    "<Panel_Font Name=\"Serif\"/></Configuration>");
  ConversionSettings current;
  current.Quality = 33;
  auto rows = DescribeProfile(FolderOf(dir), "Hand", current, kOnePixelPerByte, 400);
  ASSERT_TRUE(rows.ok());
  EXPECT_EQ(*rows, (Rows{"Ausgewähltes Profil: Hand", "", "Bildqualität (in %): 33", "", "Originale Bildgröße: An",
                         "Prozentuale Anpassung: An", "Anpassung (in %): 100", "Eigene Größenanpassung: An",
                         "Höhe (in Pixel): 600", "", "", "Kein Wasserzeichen: An", "Wasserzeichenschrift: An",
                         "Wasserzeichentext:Gruß", "Schriftart+Serif"}));
}

TEST(SettingsOverview, UnreadableOrMissingProfileGivesNoRows) {
  TempDir dir;
  dir.Write("Kaputt", "<Configuration><BildQuality ProgressBar_Sepia_Prozent=\"viel\"/></Configuration>");
  dir.Write("Halb", "<Configuration><BildQuality");
  // Keys the overview does not show still decide, as loading the profile would fail on them.
  dir.Write("Schrift", "<Configuration><Panel_Font CharSet=\"x\"/></Configuration>");
  dir.Write("Farbe", "<Configuration><BildQuality Panel_EigeneFaerbung_Farbe=\"rot\"/></Configuration>");
  dir.Write("setup.xml", "<Configuration/>");
  for (const char* name : {"Kaputt", "Halb", "Schrift", "Farbe", "Fehlt", "setup.xml"}) {
    EXPECT_FALSE(DescribeProfile(FolderOf(dir), name, ConversionSettings{}, kOnePixelPerByte, 400).ok()) << name;
  }
  EXPECT_EQ(DescribeProfile(FolderOf(dir), "Kaputt", ConversionSettings{}, kOnePixelPerByte, 400).message(),
            "'viel' ist keine gültige Ganzzahl.");
}

}  // namespace
}  // namespace lumivo
