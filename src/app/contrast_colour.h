#pragma once
// Colour values as the settings hold them (red in the low byte) and the
// black-or-white rule for text on a coloured background.

#include <QColor>

#include <cstdint>

namespace lumivo::app {

inline constexpr std::uint32_t kBlack = 0x000000;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;

// Black on light backgrounds, white on dark ones, by the background's luma
// (77 red + 151 green + 28 blue) / 256 against 128.
constexpr std::uint32_t ContrastTextColour(std::uint32_t background) {
  const std::uint32_t red = background & 0xFF;
  const std::uint32_t green = (background >> 8) & 0xFF;
  const std::uint32_t blue = (background >> 16) & 0xFF;
  const std::uint32_t luma = (77 * red + 151 * green + 28 * blue) / 256;
  return luma >= 128 ? kBlack : kWhite;
}

constexpr std::uint32_t ColourValue(int red, int green, int blue) {
  return static_cast<std::uint32_t>(red) | static_cast<std::uint32_t>(green) << 8 |
         static_cast<std::uint32_t>(blue) << 16;
}

inline QColor ToQColor(std::uint32_t value) {
  return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                static_cast<int>((value >> 16) & 0xFF));
}

inline std::uint32_t ToColourValue(const QColor& colour) {
  return ColourValue(colour.red(), colour.green(), colour.blue());
}

// The colours the window is painted in.
inline constexpr std::uint32_t kTabBlue = ColourValue(0, 127, 255);
inline constexpr std::uint32_t kSkyBlue = ColourValue(166, 202, 240);
inline constexpr std::uint32_t kSteelBlue = ColourValue(58, 109, 165);
inline constexpr std::uint32_t kPureRed = ColourValue(255, 0, 0);

}  // namespace lumivo::app
