#include "filelist/path_fitting.h"

namespace lumivo {

namespace {

constexpr std::string_view kEllipsis = ".../";

}  // namespace

std::string DropFirstFolder(std::string_view folder) {
  if (folder == "/") return {};
  const bool rooted = folder.starts_with('/');
  if (rooted) folder.remove_prefix(1);
  // Only an earlier ".../" goes here; a folder named ".config" is a folder.
  if (folder.starts_with(kEllipsis)) folder.remove_prefix(kEllipsis.size());
  std::string result;
  if (const auto slash = folder.find('/'); slash != std::string_view::npos) {
    result = std::string(kEllipsis);
    result += folder.substr(slash + 1);
  }
  return rooted ? "/" + result : result;
}

std::string FitPathToWidth(std::string_view path, const TextMeasure& measure, int width) {
  const auto slash = path.rfind('/');
  std::string folder(slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1));
  const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
  std::string result(path);
  while (!folder.empty() && measure(result) > width) {
    folder = folder == "/.../" ? std::string(kEllipsis) : DropFirstFolder(folder);
    result = folder;
    result += name;
  }
  return result;
}

}  // namespace lumivo
