#pragma once
// Qt images over the working bitmap's own rows, without copying.

#include <QImage>

#include "core/bitmap.h"

namespace lumivo::platform {

// A QImage that paints straight into a 24-bit bitmap; valid while the
// bitmap keeps its size and format.
QImage WrapBitmap(Bitmap& bitmap);
QImage WrapBitmap(const Bitmap& bitmap);

}  // namespace lumivo::platform
