// The PNG reader on any bytes: a Failure is an answer; the picture, when
// there is one, must then turn into the working bitmap.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "readers/reader_classes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumivo::Bitmap picture;
  try {
    lumivo::kPNGGraphic.load(std::span(data, size), picture);
  } catch (const lumivo::Failure&) {
    return 0;
  }
  if (picture.empty() || !picture.ConvertToBgr24()) std::abort();
  return 0;
}
