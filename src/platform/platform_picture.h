#pragma once
// The platform's picture loader: BMP, DIB, RLE bitmaps, icons, cursors, GIF
// and Windows metafiles, recognised by content, drawn on white.

#include <cstdint>
#include <span>

#include "core/bitmap.h"
#include "core/result.h"

class QImage;

namespace lumivo::platform {

// Reads a picture the platform knows into a 24-bit bitmap on white.
Status ReadPlatformPicture(std::span<const std::uint8_t> bytes, Bitmap& target);

// Draws a loaded platform picture at its natural size onto a fresh white
// 24-bit bitmap; pictures less than 1 pixel wide or 2 high are refused.
// Takes the picture to free each copy as soon as the next one is made.
Status DrawPlatformPicture(QImage picture, Bitmap& target);

}  // namespace lumivo::platform
