// One reader (LUMIVO_READER, set by the build) on any bytes: a Failure is
// an answer; a picture it does load must turn into the working bitmap.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "readers/reader_classes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumivo::Bitmap picture;
  try {
    lumivo::LUMIVO_READER.load(std::span(data, size), picture);
  } catch (const lumivo::Failure&) {
    return 0;
  }
  if (!picture.ConvertToBgr24()) std::abort();
  return 0;
}
