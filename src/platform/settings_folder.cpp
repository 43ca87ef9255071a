#include "platform/settings_folder.h"

#include <unistd.h>

#include <cstdlib>

#include "core/folder_path.h"
#include "resources/texts.h"

namespace lumivo::platform {

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

Result<std::string> CreatedFolder(const std::string& folder) {
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  if (!std::filesystem::is_directory(folder, ec)) {
    return Error{FormatText(texts::kSettingsFolderNotCreated, folder), ErrorKind::Io};
  }
  return WithTrailingSlash(folder);
}

}  // namespace

Result<std::string> SettingsFolder(const std::filesystem::path& executable_folder) {
  if (const std::string own = Environment("LUMIVO_CONFIG_DIR"); !own.empty()) return CreatedFolder(own);

  const std::string program = executable_folder.string();
  if (!program.empty() && ::access(program.c_str(), W_OK | X_OK) == 0) return WithTrailingSlash(program);

  std::string config = Environment("XDG_CONFIG_HOME");
  if (config.empty() || config.front() != '/') {  // relative values are to be ignored
    const std::string home = Environment("HOME");
    if (home.empty())
      return Error{FormatText(texts::kSettingsFolderNotCreated, std::string("~/.config/lumivo/")), ErrorKind::Io};
    config = WithTrailingSlash(home) + ".config";
  }
  return CreatedFolder(WithTrailingSlash(config) + "lumivo");
}

Result<std::string> SettingsFolder() {
  std::error_code ec;
  const auto executable = std::filesystem::read_symlink("/proc/self/exe", ec);
  return SettingsFolder(ec ? std::filesystem::path() : executable.parent_path());
}

}  // namespace lumivo::platform
