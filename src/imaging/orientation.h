#pragma once
// Turning a picture upright by the orientation its camera recorded: a
// lossless mirror, half turn or quarter turn of the rows and columns.

#include "core/bitmap.h"
#include "core/result.h"

namespace lumivo {

// The EXIF orientation 1 to 8 of the stored picture (2 to 8 change it; any
// other value leaves it). A quarter turn builds the upright picture in
// `scratch` and swaps the two, so a run reuses both bitmaps' memory.
Status TurnUpright(Bitmap& picture, int orientation, Bitmap& scratch);

}  // namespace lumivo
