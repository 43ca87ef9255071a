#include "platform/settings_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>

#include "support/temp_dir.h"

namespace lumivo {
namespace {

using test::TempDir;

// Sets an environment variable for one test and restores it afterwards.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const std::optional<std::string>& value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    if (value) ::setenv(name, value->c_str(), 1);
    else ::unsetenv(name);
  }
  ~ScopedVariable() {
    if (old_) ::setenv(name_, old_->c_str(), 1);
    else ::unsetenv(name_);
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(SettingsFolder, OwnFolderVariableComesFirst) {
  TempDir dir;
  ScopedVariable own("LUMIVO_CONFIG_DIR", (dir / "eigene").string());
  auto folder = platform::SettingsFolder(dir.path());
  ASSERT_TRUE(folder.ok());
  EXPECT_EQ(*folder, (dir / "eigene").string() + "/");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "eigene"));
}

TEST(SettingsFolder, OnlyReadingCreatesNothing) {
  TempDir dir;
  ScopedVariable own("LUMIVO_CONFIG_DIR", std::nullopt);
  ScopedVariable config("XDG_CONFIG_HOME", (dir / "config").string());
  dir.Write("plain", "x");
  auto perUser = platform::SettingsFolder(dir / "plain" / "bin", platform::FolderUse::ReadOnly);
  ASSERT_TRUE(perUser.ok());
  EXPECT_EQ(*perUser, (dir / "config" / "lumivo").string() + "/");
  EXPECT_FALSE(std::filesystem::exists(dir / "config"));

  ScopedVariable ownMissing("LUMIVO_CONFIG_DIR", (dir / "eigene").string());
  ASSERT_TRUE(platform::SettingsFolder(dir.path(), platform::FolderUse::ReadOnly).ok());
  EXPECT_FALSE(std::filesystem::exists(dir / "eigene"));
}

TEST(SettingsFolder, WritableProgramFolderElsePerUserFolder) {
  TempDir dir;
  ScopedVariable own("LUMIVO_CONFIG_DIR", std::nullopt);
  ScopedVariable config("XDG_CONFIG_HOME", (dir / "config").string());

  auto program = platform::SettingsFolder(dir.path());
  ASSERT_TRUE(program.ok());
  EXPECT_EQ(*program, dir.path().string() + "/");

  dir.Write("plain", "x");  // a program folder nobody can write into, root included
  auto perUser = platform::SettingsFolder(dir / "plain" / "bin");
  ASSERT_TRUE(perUser.ok());
  EXPECT_EQ(*perUser, (dir / "config" / "lumivo").string() + "/");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "config" / "lumivo"));

  ScopedVariable broken("XDG_CONFIG_HOME", (dir / "plain").string());
  EXPECT_FALSE(platform::SettingsFolder(dir / "plain" / "bin").ok());
}

TEST(SettingsFolder, OwnExecutableFolder) {
  ScopedVariable own("LUMIVO_CONFIG_DIR", std::nullopt);
  auto folder = platform::SettingsFolder();
  ASSERT_TRUE(folder.ok());
  EXPECT_EQ(folder->back(), '/');
}

}  // namespace
}  // namespace lumivo
