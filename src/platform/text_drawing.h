#pragma once
// Text on the working bitmap through Qt, at 96 dots per inch in every front
// end so that the GUI and lumivo-batch give the same pixels. Needs a
// QGuiApplication (lumivo-batch runs one on the offscreen platform).

#include <string_view>

#include "core/bitmap.h"
#include "core/font_description.h"
#include "core/result.h"

namespace lumivo::platform {

struct TextExtent {
  int width = 0;   // advance of the whole string
  int height = 0;  // ascent + descent of the font
};

Result<TextExtent> MeasureText(std::string_view utf8, const FontDescription& font);

// Draws with the top-left corner of the text's box at (x, y), in the font's
// colour, without a background box; what falls outside is lost. The bitmap
// must be 24-bit.
Status DrawText(Bitmap& bitmap, std::string_view utf8, const FontDescription& font, int x, int y);

}  // namespace lumivo::platform
