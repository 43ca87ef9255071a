#include <span>

#include "readers/jpeg_decoding.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumivo::Bitmap target;
  (void)lumivo::DecodeJpeg(std::span(data, size), target);
  return 0;
}
