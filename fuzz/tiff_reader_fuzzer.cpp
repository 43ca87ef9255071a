#include "core/bitmap.h"
#include "core/result.h"
#include "fuzz_harness.h"
#include "readers/tiff_image.h"

bool LumivoFuzzAccepts(std::span<const std::uint8_t> bytes) {
  lumivo::Bitmap target;
  try {
    lumivo::LoadTiffImage(bytes, target);
  } catch (const lumivo::Failure&) {
    return false;
  }
  return target.ConvertToBgr24().ok();
}
