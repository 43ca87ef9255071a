#include "filelist/file_collection.h"

#include <fnmatch.h>

#include <algorithm>
#include <compare>
#include <filesystem>
#include <system_error>

#include "core/folder_path.h"
#include "core/text_basics.h"

namespace lumivo {

namespace {

namespace fs = std::filesystem;

std::string LastThreeUpper(std::string_view text) {
  if (text.size() > 3) text.remove_prefix(text.size() - 3);
  return AsciiUpperCase(text);
}

bool NameBefore(const std::string& a, const std::string& b) {
  const auto order = std::lexicographical_compare_three_way(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(AsciiUpper(x)) <=> static_cast<unsigned char>(AsciiUpper(y));
  });
  return order != 0 ? order < 0 : a < b;
}

struct FolderContent {
  std::vector<std::string> files;
  std::vector<std::string> folders;
};

FolderContent ReadFolder(const std::string& folder, const std::string& mask) {
  FolderContent content;
  std::error_code error;
  for (fs::directory_iterator it(fs::path(folder), error), end; !error && it != end; it.increment(error)) {
    std::string name = it->path().filename().string();
    std::error_code entryError;
    const bool link = it->is_symlink(entryError);
    if (!link && it->is_directory(entryError)) {
      if (!name.starts_with('.')) content.folders.push_back(std::move(name));
    } else if (it->is_regular_file(entryError) && ::fnmatch(mask.c_str(), name.c_str(), FNM_CASEFOLD) == 0) {
      content.files.push_back(std::move(name));
    }
  }
  std::sort(content.files.begin(), content.files.end(), NameBefore);
  std::sort(content.folders.begin(), content.folders.end(), NameBefore);
  return content;
}

}  // namespace

void CollectFiles(std::string_view folder, std::string_view mask, std::vector<std::string>& list) {
  const std::string maskText(mask);
  // Depth first without recursion, so that no tree can exhaust the stack.
  std::vector<std::string> pending{std::string(folder)};
  while (!pending.empty()) {
    const std::string current = WithTrailingSlash(std::move(pending.back()));
    pending.pop_back();
    FolderContent content = ReadFolder(current, maskText);
    for (const auto& name : content.files) list.push_back(current + name);
    for (auto it = content.folders.rbegin(); it != content.folders.rend(); ++it) pending.push_back(current + *it);
  }
}

bool MatchesMarkedFileType(std::string_view name, std::span<const std::string> markedExtensions) {
  const std::string tail = LastThreeUpper(name);
  return std::any_of(markedExtensions.begin(), markedExtensions.end(),
                     [&](const std::string& extension) { return LastThreeUpper("*." + extension) == tail; });
}

}  // namespace lumivo
