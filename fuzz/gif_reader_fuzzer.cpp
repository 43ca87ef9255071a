#include <span>

#include "readers/registered_classes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumivo::Bitmap target;
  try {
    lumivo::kGIFGraphic.load(std::span(data, size), target);
  } catch (const lumivo::Failure&) {
  }
  return 0;
}
