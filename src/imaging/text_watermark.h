#pragma once
// The text watermark: measured for placement, then drawn.

#include <string_view>

#include "core/bitmap.h"
#include "core/font_description.h"
#include "core/result.h"
#include "imaging/watermark.h"

namespace lumivo {

// The extent of the whole text in that font at 96 dpi (an empty text is 0
// wide). Fails only without a Qt GUI application.
Result<PixelSize> MeasureWatermarkText(std::string_view text, const FontDescription& font);

// Draws the text with its top-left corner at (x, y) (from PlaceWatermark
// with the measured size), in the font's colour, with no background box.
// What falls outside the bitmap is lost; an empty text draws nothing.
Status ApplyTextWatermark(Bitmap& bitmap, std::string_view text, const FontDescription& font, int x, int y);

}  // namespace lumivo
