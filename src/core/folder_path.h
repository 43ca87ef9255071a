#pragma once
// Folders the program holds always end in "/".

#include <string>

namespace lumivo {

inline std::string WithTrailingSlash(std::string folder) {
  if (folder.empty() || folder.back() != '/') folder += '/';
  return folder;
}

}  // namespace lumivo
