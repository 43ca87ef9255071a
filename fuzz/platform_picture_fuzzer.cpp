#include "fuzz_harness.h"
#include "platform/platform_picture.h"

bool LumivoFuzzAccepts(std::span<const std::uint8_t> bytes) {
  lumivo::Bitmap target;
  return lumivo::platform::ReadPlatformPicture(bytes, target).ok();
}
