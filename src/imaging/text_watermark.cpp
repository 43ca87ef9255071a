#include "imaging/text_watermark.h"

#include "platform/text_drawing.h"

namespace lumivo {

Result<PixelSize> MeasureWatermarkText(std::string_view text, const FontDescription& font) {
  const Result<platform::TextExtent> extent = platform::MeasureText(text, font);
  if (!extent) return extent.error();
  return PixelSize{extent->width, extent->height};
}

Status ApplyTextWatermark(Bitmap& bitmap, std::string_view text, const FontDescription& font, int x, int y) {
  if (text.empty()) return {};
  // Qt cannot paint on indexed pictures, and every other step of a
  // conversion works on 24-bit anyway; the run's bitmap already is, so its
  // format stays as it was.
  if (Status made = bitmap.ConvertToBgr24(); !made) return made;
  return platform::DrawText(bitmap, text, font, x, y);
}

}  // namespace lumivo
