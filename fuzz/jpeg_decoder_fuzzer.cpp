#include "fuzz_harness.h"
#include "readers/jpeg_decoding.h"

bool LumivoFuzzAccepts(std::span<const std::uint8_t> bytes) {
  lumivo::Bitmap target;
  return lumivo::DecodeJpeg(bytes, target).ok();
}
