#include <span>

#include "platform/platform_picture.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumivo::Bitmap target;
  (void)lumivo::platform::ReadPlatformPicture(std::span(data, size), target);
  return 0;
}
