#pragma once
// Colour values as the settings store them: red in the low byte, then green,
// then blue; a value with the high bit set names a system colour.

#include <cstdint>

namespace lumivo::platform {

struct PlainColour {
  std::uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const PlainColour&, const PlainColour&) = default;
};

inline constexpr std::uint32_t kSystemColourFlag = 0x80000000;

// A system colour through the application palette (fixed light defaults
// without a GUI: window text is black); any other value is used as its bytes.
PlainColour ResolveColour(std::uint32_t colour);

}  // namespace lumivo::platform
