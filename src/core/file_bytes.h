#pragma once
// A whole file into memory, with the program's own error texts.

#include <cstdint>
#include <filesystem>
#include <vector>

#include "core/result.h"

namespace lumivo {

// Files beyond this size are refused before reading: no picture we can
// hold needs more.
inline constexpr std::uintmax_t kMaximumFileBytes = std::uintmax_t{2} << 30;

Result<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& file);

}  // namespace lumivo
