#pragma once
// A reader class: what the registry knows of one picture class. The four
// platform classes are registered too but are never asked about content.

#include <cstdint>
#include <istream>
#include <optional>
#include <span>
#include <string_view>

#include "core/bitmap.h"

namespace lumivo {

struct ReaderClass {
  std::string_view name;  // "TTargaGraphic"
  // True for the program's own readers; false for the platform's classes,
  // which content lookups skip.
  bool isReader = false;
  // Whether the class reads what follows the stream's position; leaves the
  // position where it found it and never reads past the end.
  bool (*acceptsContent)(std::istream& stream) = nullptr;
  // Loads the picture the bytes start with; throws Failure on broken data.
  void (*load)(std::span<const std::uint8_t> bytes, Bitmap& target) = nullptr;
};

// The content tests' shared first step: when strictly more bytes than the
// header holds remain after the position, reads the header and puts the
// position back; answers the remaining size. Nothing, with the position
// untouched, otherwise.
std::optional<std::uint64_t> PeekHeader(std::istream& stream, std::span<std::uint8_t> header,
                                        std::uint64_t minimumRemaining = 0);

// The answer of a class whose loading is not built yet: an honest failure.
[[noreturn]] void ReaderNotAvailable(std::string_view format);

// A header the reader cannot make sense of: "Cannot load image. Invalid or
// unexpected <format> image format."
[[noreturn]] void InvalidImageFormat(std::string_view format);

}  // namespace lumivo
