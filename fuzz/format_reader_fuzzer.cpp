// One reader (LUMIVO_READER, set by the build) on any bytes: a Failure or an
// empty picture is a refusal; a picture it does load must turn into the
// working bitmap.
#include <cstdlib>

#include "fuzz_harness.h"
#include "readers/registered_classes.h"

bool LumivoFuzzAccepts(std::span<const std::uint8_t> bytes) {
  lumivo::Bitmap picture;
  try {
    lumivo::LUMIVO_READER.load(bytes, picture);
  } catch (const lumivo::Failure&) {
    return false;
  }
  if (!picture.ConvertToBgr24()) std::abort();
  return !picture.empty();  // the run fails an empty picture
}
