// What a new user reads: the help in 80 columns, the man page without
// warnings, the bash completion, all three naming every option, and
// `cmake --install` putting the man page and the completion in place.

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "cli/command_line.h"
#include "cli_fixture.h"
#include "core/text_basics.h"
#include "settings/profiles.h"
#include "settings/settings_file.h"

namespace lumivo::test {
namespace {

const fs::path kManPage = fs::path(LUMIVO_SOURCE_DIR) / "docs/man/lumivo-batch.1";
const fs::path kCompletion = fs::path(LUMIVO_SOURCE_DIR) / "data/completion/lumivo-batch";

std::string ReadText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

struct ShellResult {
  int status = -1;
  std::string out;  // standard output and standard error together
};

ShellResult Shell(const std::string& command) {
  ShellResult result;
  std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) result.out.append(buffer, got);
  const int status = ::pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

bool OnPath(const std::string& program) { return Shell("command -v " + program).status == 0; }

// "--dry-run" as roff writes it: "\-\-dry\-run".
std::string InRoff(const std::string& option) {
  std::string roff;
  for (const char c : option) roff += c == '-' ? std::string("\\-") : std::string(1, c);
  return roff;
}

using DocumentationTest = CliTest;

TEST_F(DocumentationTest, HelpListsEveryOptionWithin80Columns) {
  const Outcome help = Run({"--help"});
  ASSERT_EQ(help.status, 0);
  std::istringstream lines(help.out);
  for (std::string line; std::getline(lines, line);) EXPECT_LE(Utf8CharacterCount(line), 80u) << line;
  // Each option as a word of its own: "--exif" is not found in "--no-exif".
  const auto named = [&](const std::string& option) {
    for (std::size_t at = help.out.find(option); at != std::string::npos; at = help.out.find(option, at + 1)) {
      const char before = at == 0 ? ' ' : help.out[at - 1];
      const char after = at + option.size() < help.out.size() ? help.out[at + option.size()] : ' ';
      if ((before == ' ' || before == ',') && (after == ' ' || after == ',' || after == '\n' || after == '=')) return true;
    }
    return false;
  };
  for (const std::string& option : cli::OptionNames()) EXPECT_TRUE(named(option)) << option;
}

TEST_F(DocumentationTest, ManPageNamesEveryOption) {
  const std::string manPage = ReadText(kManPage);
  for (const std::string& option : cli::OptionNames())
    EXPECT_NE(manPage.find(InRoff(option)), std::string::npos) << option;
}

TEST_F(DocumentationTest, ManPageRendersWithoutWarnings) {
  if (!OnPath("man")) GTEST_SKIP() << "man is not installed";
  const ShellResult rendered =
      Shell("LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l " + Quoted(kManPage.string()) + " 2>&1 >/dev/null");
  EXPECT_EQ(rendered.status, 0);
  EXPECT_EQ(rendered.out, "");
}

TEST_F(DocumentationTest, CompletionOffersOptionsValuesAndProfileNames) {
  if (!OnPath("bash")) GTEST_SKIP() << "bash is not installed";
  const std::string folder = config().string() + "/";
  fs::create_directories(config());
  ASSERT_TRUE(SaveProfile(folder, "Web klein", ConversionSettings{}));
  ASSERT_TRUE(SaveProfile(folder, "Winter", ConversionSettings{}));
  ASSERT_TRUE(SaveProfile(folder, "Archiv", ConversionSettings{}));
  SettingsState state;
  state.Profiles = {"Web klein", "Winter", "Archiv"};
  ASSERT_TRUE(SaveSettings(folder, kSettingsFileName, state));

  const struct {
    std::vector<std::string> words;  // the command line, the last word being completed
    std::string offered;             // one a line, sorted
  } cases[] = {
      {{"--fi"}, "--fit\n"},
      {{"--dr"}, "--dry-run\n"},
      {{"--list"}, "--list-profiles\n"},
      {{"-p", "W"}, "Web\\ klein\nWinter\n"},
      {{"--profile", "Web\\ k"}, "Web\\ klein\n"},
      {{"--profile", ""}, "Archiv\nWeb\\ klein\nWinter\n"},
      {{"--position", "b"}, "bl\nbr\n"},
      {{"--picture", "lo"}, "logo\n"},
      {{"--fit", "1"}, ""},
  };
  const std::string programFolder = fs::path(LUMIVO_BATCH).parent_path().string();
  for (const auto& c : cases) {
    std::string words = "lumivo-batch";
    for (const std::string& word : c.words) words += " " + Quoted(word);
    const std::string script = "source " + Quoted(kCompletion.string()) + "; COMP_WORDS=(" + words +
                               "); COMP_CWORD=" + std::to_string(c.words.size()) +
                               "; _lumivo_batch; printf '%s\\n' \"${COMPREPLY[@]}\" | sort | sed '/^$/d'";
    const ShellResult offered = Shell("cd " + Quoted(temp().path().string()) + " && PATH=" + Quoted(programFolder) +
                                      ":\"$PATH\" LC_ALL=C LUMIVO_CONFIG_DIR=" + Quoted(config().string()) + " bash -c " +
                                      Quoted(script));
    EXPECT_EQ(offered.status, 0);
    EXPECT_EQ(offered.out, c.offered) << testing::PrintToString(c.words);
  }
  // "--" offers every option, and nothing else.
  const std::string script = "source " + Quoted(kCompletion.string()) +
                             "; COMP_WORDS=(lumivo-batch --); COMP_CWORD=1; _lumivo_batch; printf '%s\\n' "
                             "\"${COMPREPLY[@]}\"";
  std::vector<std::string> offered;
  std::istringstream lines(Shell("bash -c " + Quoted(script)).out);
  for (std::string line; std::getline(lines, line);) offered.push_back(line);
  std::vector<std::string> expected = cli::OptionNames();
  std::sort(offered.begin(), offered.end());
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(offered, expected);
}

TEST_F(DocumentationTest, InstallPutsTheManPageAndTheCompletionInPlace) {
  const fs::path prefix = temp() / "prefix";
  const ShellResult installed = Shell(std::string(Quoted(CMAKE_COMMAND)) + " --install " + Quoted(LUMIVO_BUILD_DIR) +
                                      " --prefix " + Quoted(prefix.string()));
  ASSERT_EQ(installed.status, 0) << installed.out;
  EXPECT_TRUE(fs::is_regular_file(prefix / "bin/lumivo-batch"));
  EXPECT_EQ(ReadText(prefix / "share/man/man1/lumivo-batch.1"), ReadText(kManPage));
  EXPECT_EQ(ReadText(prefix / "share/bash-completion/completions/lumivo-batch"), ReadText(kCompletion));
}

}  // namespace
}  // namespace lumivo::test
