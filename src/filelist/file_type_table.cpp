#include "filelist/file_type_table.h"

#include <algorithm>

#include "resources/texts.h"

namespace lumivo {

std::string BuildOpenDialogFilter(const FileTypeChecks& checked) {
  std::string masks;
  std::string filter;
  for (std::size_t row = 0; row < kFileTypeCount; ++row) {
    if (!checked[row]) continue;
    const FileType& type = FileTypeTable[row];
    masks.append(type.mask).append(";");
    filter.append(type.description).append("|").append(type.mask).append("|");
  }
  if (masks.empty()) return std::string(texts::kFilterAllFiles);
  return std::string(texts::kFilterAll) + " (" + masks + ")|" + masks + "|" + filter;
}

std::vector<std::string> OpenDialogNameFilters(const FileTypeChecks& checked) {
  const std::string filter = BuildOpenDialogFilter(checked);
  std::vector<std::string> parts;
  for (std::size_t start = 0; start < filter.size();) {
    const std::size_t end = std::min(filter.find('|', start), filter.size());
    parts.push_back(filter.substr(start, end - start));
    start = end + 1;
  }
  std::vector<std::string> nameFilters;
  for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
    std::string description = parts[i];
    if (const auto open = description.rfind(" ("); open != std::string::npos) description.erase(open);
    std::string patterns;
    for (std::size_t start = 0; start < parts[i + 1].size();) {
      const std::size_t end = std::min(parts[i + 1].find(';', start), parts[i + 1].size());
      std::string mask = parts[i + 1].substr(start, end - start);
      if (mask == "*.*") mask = "*";  // every file, with or without an extension
      if (!mask.empty()) patterns += (patterns.empty() ? "" : " ") + mask;
      start = end + 1;
    }
    nameFilters.push_back(description + " (" + patterns + ")");
  }
  return nameFilters;
}

}  // namespace lumivo
