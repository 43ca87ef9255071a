#include <span>

#include "core/bitmap.h"
#include "core/result.h"
#include "readers/tiff_image.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumivo::Bitmap target;
  try {
    lumivo::LoadTiffImage(std::span(data, size), target);
    (void)target.ConvertToBgr24();
  } catch (const lumivo::Failure&) {
  }
  return 0;
}
