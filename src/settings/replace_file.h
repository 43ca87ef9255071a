#pragma once
// Replaces a file's content all at once: the bytes go to a temporary file in
// the same folder, which is then renamed over the target.

#include <filesystem>
#include <string_view>

#include "core/result.h"

namespace lumivo {

Status ReplaceFileContent(const std::filesystem::path& file, std::string_view bytes);

}  // namespace lumivo
