#pragma once
// The built-in pictures as working bitmaps.

#include "core/bitmap.h"

namespace lumivo {

Bitmap ProgramLogoBitmap();     // 64 x 64, 32-bit, marked transparent
Bitmap FailurePictureBitmap();  // 225 x 188, 24-bit
Bitmap TestPictureBitmap();     // 123 x 105, 24-bit

}  // namespace lumivo
