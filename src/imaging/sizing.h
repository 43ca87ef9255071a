#pragma once
// Bringing the working picture to its output size.

#include "core/bitmap.h"
#include "core/result.h"

namespace lumivo {

// The size settings of a run: own width and height (-1 when not in own-size
// mode) and the percentage (0 when not in percent mode).
struct SizeRequest {
  int width = -1;
  int height = -1;
  int percent = 0;
};

// The output size of a picture of the given size: in percent mode the
// sides are (side / 100) x P in extended precision, ties to even; a side of
// 0 or less keeps the source's length.
PictureSize TargetSize(const SizeRequest& request, PictureSize source);

// Stretches the working picture nearest-neighbour onto its TargetSize,
// aspect ratio not kept.
// `source` ends up holding the unscaled picture; a run passes the same one
// for every entry so that both bitmaps' memory is reused.
Status SizeWorkingPicture(Bitmap& working, const SizeRequest& request, Bitmap& source);
Status SizeWorkingPicture(Bitmap& working, const SizeRequest& request);

// Nearest-neighbour stretch of the whole source onto the whole target,
// which must be allocated in the source's format (8 bits a pixel or more).
void StretchNearest(const Bitmap& source, Bitmap& target);

}  // namespace lumivo
