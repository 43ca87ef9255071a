#include "platform/font_conversion.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace lumivo::platform {

namespace {

constexpr int kLargestPointSize = 1638;  // what the font dialog offers at most
constexpr double kPointsPerPixelAt96Dpi = 72.0 / 96.0;

}  // namespace

QFont ToQFont(const FontDescription& description) {
  QFont font(QString::fromStdString(description.face));
  font.setPointSize(std::clamp(std::abs(description.size), 1, kLargestPointSize));
  font.setBold((description.style & FontDescription::kBold) != 0);
  font.setItalic((description.style & FontDescription::kItalic) != 0);
  font.setUnderline((description.style & FontDescription::kUnderline) != 0);
  font.setStrikeOut((description.style & FontDescription::kStrikeOut) != 0);
  return font;
}

FontDescription FromQFont(const QFont& font, std::uint32_t colour, int charset) {
  FontDescription description;
  description.face = font.family().toStdString();
  const double points = font.pointSizeF() > 0 ? font.pointSizeF() : font.pixelSize() * kPointsPerPixelAt96Dpi;
  description.size = std::clamp(static_cast<int>(std::lround(points)), 1, kLargestPointSize);
  description.style = (font.bold() ? FontDescription::kBold : 0) | (font.italic() ? FontDescription::kItalic : 0) |
                      (font.underline() ? FontDescription::kUnderline : 0) |
                      (font.strikeOut() ? FontDescription::kStrikeOut : 0);
  description.colour = colour;
  description.charset = charset;
  return description;
}

}  // namespace lumivo::platform
