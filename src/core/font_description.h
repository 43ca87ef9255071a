#pragma once
// A font as the settings store it: plain values, no GUI types.

#include <cstdint>
#include <string>

namespace lumivo {

inline constexpr std::uint32_t kWindowTextColour = 0x80000008;  // system colour: window text

struct FontDescription {
  enum Style : int { kBold = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8 };

  std::string face = "MS Sans Serif";
  int charset = 1;                         // default character set
  std::uint32_t colour = kWindowTextColour;  // red in the low byte; high bit: system colour
  int size = 9;                            // points
  int style = 0;                           // Style bits

  friend bool operator==(const FontDescription&, const FontDescription&) = default;
};

}  // namespace lumivo
