#pragma once
// The TIFF reader's own failures, with its message texts.

#include <string_view>

namespace lumivo {

inline constexpr std::string_view kTiffFormatName = "TIF/TIFF";

// "Cannot load image. Invalid or unexpected TIF/TIFF image format."
[[noreturn]] void FailTiff();
// Strips or tiles that are missing or lie past the end of the file.
[[noreturn]] void FailTiffDataMissing();
// "Cannot load image. <what> not supported for TIF/TIFF files."
[[noreturn]] void FailTiffUnsupported(std::string_view what);

}  // namespace lumivo
