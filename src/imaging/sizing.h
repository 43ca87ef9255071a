#pragma once
// Bringing the working picture to its output size.

#include "core/bitmap.h"
#include "core/result.h"

namespace lumivo {

// The size settings of a run: own width and height (-1 when not in own-size
// mode) and the percentage (0 when not in percent mode). With `fit`, width x
// height is a box that each picture is fitted into with its proportions kept;
// a picture that already fits keeps its size unless `enlarge` is set.
struct SizeRequest {
  int width = -1;
  int height = -1;
  int percent = 0;
  bool fit = false;
  bool enlarge = false;
};

// The output size of a picture of the given size, the one sizing decision of
// an entry: in percent mode the sides are (side / 100) x P in extended
// precision, ties to even, and a side of 0 or less keeps the source's
// length; a fit scales the shorter side the same way and never to 0.
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
