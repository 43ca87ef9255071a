#include "cli/command_line.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/text_format.h"
#include "resources/texts.h"

namespace lumivo::cli {
namespace {

using Args = std::vector<std::string>;

struct ParseCase {
  Args args;
  std::function<void(CommandLine&)> expect;  // changes from a line holding only the path "a"
};

CommandLine Expected(const ParseCase& c) {
  CommandLine line;
  line.paths = {"a"};
  c.expect(line);
  return line;
}

TEST(CommandLine, EveryOptionSetsItsField) {
  const std::vector<ParseCase> cases = {
      {{"a"}, [](CommandLine&) {}},
      {{"-o", "D", "a"}, [](CommandLine& l) { l.destination = "D"; }},
      {{"--dest=D", "a"}, [](CommandLine& l) { l.destination = "D"; }},
      {{"-oD", "a"}, [](CommandLine& l) { l.destination = "D"; }},
      {{"-j", "3", "a"}, [](CommandLine& l) { l.jobs = 3; }},
      {{"--jobs=1", "a"}, [](CommandLine& l) { l.jobs = 1; }},
      {{"--settings", "s.xml", "a"},
       [](CommandLine& l) {
         l.settingsOrigin = SettingsOrigin::File;
         l.settingsFile = "s.xml";
       }},
      {{"--settings", "s.xml", "--defaults", "a"},
       [](CommandLine& l) {
         l.settingsOrigin = SettingsOrigin::Defaults;
         l.settingsFile = "s.xml";
       }},
      {{"-p", "Web klein", "a"}, [](CommandLine& l) { l.profile = "Web klein"; }},
      {{"-q80", "a"}, [](CommandLine& l) { l.overrides.Quality = 80; }},
      {{"--quality", "0", "a"}, [](CommandLine& l) { l.overrides.Quality = 0; }},
      {{"--size", "original", "a"}, [](CommandLine& l) { l.overrides.SizeMode = SizeMode::Unchanged; }},
      {{"--size", "50%", "a"},
       [](CommandLine& l) {
         l.overrides.SizeMode = SizeMode::Percent;
         l.overrides.SizePercent = 50;
       }},
      {{"--size=800x600", "a"},
       [](CommandLine& l) {
         l.overrides.SizeMode = SizeMode::OwnSize;
         l.overrides.OwnWidth = "800";
         l.overrides.OwnHeight = "600";
       }},
      {{"--sepia", "30", "a"},
       [](CommandLine& l) {
         l.overrides.ColouringMode = ColouringMode::Sepia;
         l.overrides.SepiaPercent = 30;
       }},
      // Later options override earlier ones.
      {{"--sepia", "30", "--no-colouring", "a"},
       [](CommandLine& l) {
         l.overrides.ColouringMode = ColouringMode::None;
         l.overrides.SepiaPercent = 30;
       }},
      {{"--tint", "FF8000", "a"},
       [](CommandLine& l) {
         l.overrides.ColouringMode = ColouringMode::OwnColour;
         l.overrides.OwnColour = 0x0080FF;  // red in the low byte
         l.overrides.OwnColourPercent = 25;
         l.overrides.WhiteFilter = false;
       }},
      {{"--tint", "#00ff00:60:white", "a"},
       [](CommandLine& l) {
         l.overrides.ColouringMode = ColouringMode::OwnColour;
         l.overrides.OwnColour = 0x00FF00;
         l.overrides.OwnColourPercent = 60;
         l.overrides.WhiteFilter = true;
       }},
      {{"--tint", "0000FF:white", "a"},
       [](CommandLine& l) {
         l.overrides.ColouringMode = ColouringMode::OwnColour;
         l.overrides.OwnColour = 0xFF0000;
         l.overrides.OwnColourPercent = 25;
         l.overrides.WhiteFilter = true;
       }},
      {{"--text", "Hallo Welt", "a"},
       [](CommandLine& l) {
         l.overrides.WatermarkMode = WatermarkMode::Text;
         l.overrides.WatermarkText = "Hallo Welt";
       }},
      {{"--font", "DejaVu Sans,12,bold,italic,#FF0000", "a"},
       [](CommandLine& l) {
         l.overrides.WatermarkFont = FontDescription{"DejaVu Sans", 1, 0x0000FF, 12, 3};
       }},
      {{"--font", "Arial,9,underline,strikeout", "a"},
       [](CommandLine& l) {
         l.overrides.WatermarkFont = FontDescription{"Arial", 1, kWindowTextColour, 9, 12};
       }},
      {{"--picture", "w.png", "--scale", "6", "--transparency", "40", "a"},
       [](CommandLine& l) {
         l.overrides.WatermarkMode = WatermarkMode::Picture;
         l.overrides.WatermarkPictureFile = "w.png";
         l.overrides.WatermarkScaleIndex = 6;
         l.overrides.WatermarkTransparency = true;
         l.overrides.WatermarkTransparencyPercent = 40;
       }},
      {{"--position", "br", "--margin", "-10,225", "a"},
       [](CommandLine& l) {
         l.overrides.WatermarkPosition = 3;
         l.overrides.WatermarkMarginX = -10;
         l.overrides.WatermarkMarginY = 225;
       }},
      {{"--position", "c", "a"}, [](CommandLine& l) { l.overrides.WatermarkPosition = 4; }},
      {{"--text", "x", "--no-watermark", "a"},
       [](CommandLine& l) {
         l.overrides.WatermarkMode = WatermarkMode::None;
         l.overrides.WatermarkText = "x";
       }},
      {{"--no-sync", "a"}, [](CommandLine& l) { l.sync = false; }},
      {{"--flat", "--number-on-collision", "--no-exif", "--quiet", "a"},
       [](CommandLine& l) {
         l.overrides.KeepFolderStructure = false;
         l.overrides.AlwaysNumber = false;
         l.overrides.KeepExif = false;
         l.quiet = true;
       }},
      {{"--flat", "--keep-structure", "--always-number", "--exif", "a"},
       [](CommandLine& l) {
         l.overrides.KeepFolderStructure = true;
         l.overrides.AlwaysNumber = true;
         l.overrides.KeepExif = true;
       }},
      {{"--types", "jpg,.PNG,*.tif", "a"},
       [](CommandLine& l) {
         l.types = TypeChoice::Listed;
         l.listedTypes = {13, 22, 17};
       }},
      {{"--types", "jpg", "--checked-types", "a"},
       [](CommandLine& l) {
         l.types = TypeChoice::Checked;
         l.listedTypes = {13};
       }},
      {{"--fit", "1600", "a"},
       [](CommandLine& l) {
         l.fit = PictureSize{1600, 1600};
         l.overrides.SizeMode = SizeMode::OwnSize;
         l.overrides.OwnWidth = "1600";
         l.overrides.OwnHeight = "1600";
       }},
      {{"--fit=800x600", "--enlarge", "a"},
       [](CommandLine& l) {
         l.fit = PictureSize{800, 600};
         l.enlarge = true;
         l.overrides.SizeMode = SizeMode::OwnSize;
         l.overrides.OwnWidth = "800";
         l.overrides.OwnHeight = "600";
       }},
      // A later --size ends the fit, as later options replace earlier ones.
      {{"--fit", "800", "--size", "50%", "a"},
       [](CommandLine& l) {
         l.overrides.SizeMode = SizeMode::Percent;
         l.overrides.SizePercent = 50;
         l.overrides.OwnWidth = "800";
         l.overrides.OwnHeight = "800";
       }},
      {{"--picture", "logo", "a"},
       [](CommandLine& l) {
         l.overrides.WatermarkMode = WatermarkMode::Picture;
         l.overrides.WatermarkPictureFile = "";
       }},
      {{"-o", "D", "--relative", "-n", "-v", "--report", "r.jsonl", "a"},
       [](CommandLine& l) {
         l.destination = "D";
         l.relative = true;
         l.dryRun = true;
         l.verbose = true;
         l.reportFile = "r.jsonl";
       }},
      {{"--dry-run", "--verbose", "--report=r.jsonl", "a"},
       [](CommandLine& l) {
         l.dryRun = true;
         l.verbose = true;
         l.reportFile = "r.jsonl";
       }},
  };
  for (const ParseCase& c : cases) {
    const auto parsed = ParseCommandLine(c.args);
    ASSERT_TRUE(parsed.ok()) << c.args[0] << ": " << parsed.message();
    EXPECT_TRUE(*parsed == Expected(c)) << c.args[0] << " " << (c.args.size() > 1 ? c.args[1] : "");
  }
}

TEST(CommandLine, PathsMayStandBetweenOptionsAndAfterDoubleDash) {
  const auto parsed = ParseCommandLine({"a b.jpg", "-q", "5", "Ordner/", "-", "--", "-x.jpg", "--quiet"});
  ASSERT_TRUE(parsed.ok());
  EXPECT_EQ(parsed->paths, (Args{"a b.jpg", "Ordner/", "-", "-x.jpg", "--quiet"}));
  EXPECT_FALSE(parsed->quiet);
}

TEST(CommandLine, HelpAndVersionNeedNoPaths) {
  EXPECT_EQ(ParseCommandLine({"--help"})->action, Action::Help);
  EXPECT_EQ(ParseCommandLine({"-q", "5", "-h", "--bogus"})->action, Action::Help);
  EXPECT_EQ(ParseCommandLine({"--version"})->action, Action::Version);
}

TEST(CommandLine, ListingAndShowingNeedNoPathsButReadEveryOption) {
  EXPECT_EQ(ParseCommandLine({"--list-profiles"})->action, Action::ListProfiles);
  const auto shown = ParseCommandLine({"--show-settings", "-p", "Web", "-q", "70"});
  ASSERT_TRUE(shown.ok());
  EXPECT_EQ(shown->action, Action::ShowSettings);
  EXPECT_EQ(shown->profile, "Web");
  EXPECT_EQ(shown->overrides.Quality, 70);
  EXPECT_FALSE(ParseCommandLine({"--show-settings", "-q", "700"}).ok());
}

TEST(CommandLine, UsageErrorsNameWhatIsWrong) {
  const std::string badQuality = FormatText(texts::kCliBadNumber, "101", "--quality", 0, 100);
  const std::string badJobs = [](const char* v) {
    return FormatText(texts::kCliBadNumber, v, "--jobs", 1, 256);
  }("0");
  const auto with = [](std::string_view format, const char* value) { return FormatText(format, value); };
  const struct {
    Args args;
    std::string message;
  } cases[] = {
      {{}, std::string(texts::kCliNoPaths)},
      {{"-q", "80"}, std::string(texts::kCliNoPaths)},
      {{"a", "-q"}, with(texts::kCliMissingValue, "-q")},
      {{"a", "--dest"}, with(texts::kCliMissingValue, "--dest")},
      {{"--bogus", "a"}, with(texts::kCliUnknownOption, "--bogus")},
      {{"--bogus=1", "a"}, with(texts::kCliUnknownOption, "--bogus")},
      {{"-x", "a"}, with(texts::kCliUnknownOption, "-x")},
      {{"-hq", "a"}, with(texts::kCliUnknownOption, "-hq")},
      {{"--quiet=1", "a"}, with(texts::kCliNoValueAllowed, "--quiet")},
      {{"-q", "101", "a"}, badQuality},
      {{"-q", "abc", "a"}, FormatText(texts::kCliBadNumber, "abc", "--quality", 0, 100)},
      {{"-q", "8 0", "a"}, FormatText(texts::kCliBadNumber, "8 0", "--quality", 0, 100)},
      {{"-j", "0", "a"}, badJobs},
      {{"-j", "-1", "a"}, FormatText(texts::kCliBadNumber, "-1", "--jobs", 1, 256)},
      {{"--size", "0%", "a"}, with(texts::kCliBadSize, "0%")},
      {{"--size", "501%", "a"}, with(texts::kCliBadSize, "501%")},
      {{"--size", "10x", "a"}, with(texts::kCliBadSize, "10x")},
      {{"--size", "0x10", "a"}, with(texts::kCliBadSize, "0x10")},
      {{"--size", "+5x10", "a"}, with(texts::kCliBadSize, "+5x10")},
      {{"--size", "10x20x30", "a"}, with(texts::kCliBadSize, "10x20x30")},
      {{"--size", "groß", "a"}, with(texts::kCliBadSize, "groß")},
      {{"--sepia", "0", "a"}, FormatText(texts::kCliBadNumber, "0", "--sepia", 1, 100)},
      {{"--tint", "GG0000", "a"}, with(texts::kCliBadTint, "GG0000")},
      {{"--tint", "FF00", "a"}, with(texts::kCliBadTint, "FF00")},
      {{"--tint", "FF0000:0", "a"}, with(texts::kCliBadTint, "FF0000:0")},
      {{"--tint", "FF0000:white:30", "a"}, with(texts::kCliBadTint, "FF0000:white:30")},
      {{"--tint", "FF0000:50:white:x", "a"}, with(texts::kCliBadTint, "FF0000:50:white:x")},
      {{"--font", "Arial", "a"}, with(texts::kCliBadFont, "Arial")},
      {{"--font", ",9", "a"}, with(texts::kCliBadFont, ",9")},
      {{"--font", "Arial,0", "a"}, with(texts::kCliBadFont, "Arial,0")},
      {{"--font", "Arial,9,heavy", "a"}, with(texts::kCliBadFont, "Arial,9,heavy")},
      {{"--font", "Arial,9,#12345", "a"}, with(texts::kCliBadFont, "Arial,9,#12345")},
      {{"--position", "mitte", "a"}, with(texts::kCliBadPosition, "mitte")},
      {{"--margin", "300,0", "a"}, with(texts::kCliBadMargin, "300,0")},
      {{"--margin", "10", "a"}, with(texts::kCliBadMargin, "10")},
      {{"--margin", "10,-226", "a"}, with(texts::kCliBadMargin, "10,-226")},
      {{"--scale", "7", "a"}, FormatText(texts::kCliBadNumber, "7", "--scale", 0, 6)},
      {{"--transparency", "101", "a"},
       FormatText(texts::kCliBadNumber, "101", "--transparency", 0, 100)},
      {{"--types", "jpg,xyz", "a"}, with(texts::kCliBadTypes, "xyz")},
      {{"--types", "jpg,,png", "a"}, with(texts::kCliBadTypes, "")},
      {{"--types=", "a"}, with(texts::kCliEmptyValue, "--types")},
      {{"--text", "", "a"}, with(texts::kCliEmptyValue, "--text")},
      {{"--dest", "", "a"}, with(texts::kCliEmptyValue, "--dest")},
      {{"--picture=", "a"}, with(texts::kCliEmptyValue, "--picture")},
      {{"--fit", "0", "a"}, with(texts::kCliBadFit, "0")},
      {{"--fit", "800x", "a"}, with(texts::kCliBadFit, "800x")},
      {{"--fit", "65501", "a"}, with(texts::kCliBadFit, "65501")},
      {{"--fit", "50%", "a"}, with(texts::kCliBadFit, "50%")},
      {{"--fit", "-800", "a"}, with(texts::kCliBadFit, "-800")},
      {{"--enlarge", "a"}, std::string(texts::kCliEnlargeWithoutFit)},
      {{"--fit", "80", "--enlarge", "--size", "original", "a"}, std::string(texts::kCliEnlargeWithoutFit)},
      {{"--relative", "a"}, std::string(texts::kCliRelativeWithoutDest)},
      {{"--report", "", "a"}, with(texts::kCliEmptyValue, "--report")},
      {{"-nv", "a"}, with(texts::kCliUnknownOption, "-nv")},
  };
  for (const auto& c : cases) {
    const auto parsed = ParseCommandLine(c.args);
    ASSERT_FALSE(parsed.ok()) << c.message;
    EXPECT_EQ(parsed.message(), c.message);
  }
}

TEST(CommandLine, OverridesReplaceOnlyWhatWasGiven) {
  SettingsState state;
  state.Conversion.Quality = 70;
  state.Conversion.SepiaPercent = 44;
  state.Options.AlwaysNumber = true;
  const auto parsed = ParseCommandLine({"--tint", "102030:white", "--number-on-collision", "a"});
  ASSERT_TRUE(parsed.ok());
  ApplyOverrides(parsed->overrides, state);
  EXPECT_EQ(state.Conversion.Quality, 70);
  EXPECT_EQ(state.Conversion.SepiaPercent, 44);
  EXPECT_EQ(state.Conversion.ColouringMode, ColouringMode::OwnColour);
  EXPECT_EQ(state.Conversion.OwnColour, 0x302010u);
  EXPECT_TRUE(state.Conversion.WhiteFilter);
  EXPECT_FALSE(state.Options.AlwaysNumber);
}

}  // namespace
}  // namespace lumivo::cli
