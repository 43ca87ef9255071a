#include "platform/settings_folder.h"

#include <unistd.h>

#include <cstdlib>

#include "core/folder_path.h"
#include "core/text_format.h"
#include "resources/texts.h"

namespace lumivo::platform {

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

Result<std::string> UsableFolder(const std::string& folder, FolderUse use) {
  if (use == FolderUse::ReadOnly) return WithTrailingSlash(folder);
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (!std::filesystem::is_directory(folder, ec)) {
    return Error{FormatText(texts::kSettingsFolderNotCreated, folder), ErrorKind::Io};
  }
  return WithTrailingSlash(folder);
}

}  // namespace

Result<std::string> SettingsFolder(const std::filesystem::path& executableFolder, FolderUse use) {
  if (const std::string own = Environment("LUMIVO_CONFIG_DIR"); !own.empty()) return UsableFolder(own, use);

  const std::string program = executableFolder.string();
  if (!program.empty() && ::access(program.c_str(), W_OK | X_OK) == 0) return WithTrailingSlash(program);

  std::string config = Environment("XDG_CONFIG_HOME");
  if (config.empty() || config.front() != '/') {  // relative values are to be ignored
    const std::string home = Environment("HOME");
    if (home.empty())
      return Error{FormatText(texts::kSettingsFolderNotCreated, "~/.config/lumivo/"), ErrorKind::Io};
    config = WithTrailingSlash(home) + ".config";
  }
  return UsableFolder(WithTrailingSlash(config) + "lumivo", use);
}

Result<std::string> SettingsFolder(FolderUse use) {
  std::error_code ec;
  const auto executable = std::filesystem::read_symlink("/proc/self/exe", ec);
  return SettingsFolder(ec ? std::filesystem::path() : executable.parent_path(), use);
}

}  // namespace lumivo::platform
