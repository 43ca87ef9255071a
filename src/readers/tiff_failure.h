#pragma once
// The TIFF reader's own failures, with its message texts.

#include <string_view>

namespace lumivo {

inline constexpr std::string_view kTiffFormatName = "TIF/TIFF";

// "Cannot load image. Invalid or unexpected TIF/TIFF image format."
[[noreturn]] void FailTiff();
// "Cannot load image. <what> not supported for TIF/TIFF files."
[[noreturn]] void FailTiffUnsupported(std::string_view what);

}  // namespace lumivo
