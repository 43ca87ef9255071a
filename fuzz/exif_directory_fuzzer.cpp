// The directory walk over an EXIF block (the TIFF part: "II" or "MM" first),
// then the patches a transfer makes.
#include <cstdint>
#include <vector>

#include "metadata/exif_info.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size > 65535 - 8) return 0;  // a segment holds no more
  std::vector<std::uint8_t> section{static_cast<std::uint8_t>((size + 8) >> 8), static_cast<std::uint8_t>(size + 8),
                                    'E', 'x', 'i', 'f', 0, 0};
  section.insert(section.end(), data, data + size);
  const lumivo::ExifInfo info(section);
  info.UpdateDimensionTags(section, 600, 800);
  info.MarkUpright(section);
  const lumivo::ExifInfo again(section);
  (void)again.orientation();
  return 0;
}
