// The directory walk over an EXIF block (the TIFF part: "II" or "MM" first),
// then the patches a transfer makes. Accepted: the walk found the block
// readable and met a width, height or orientation entry.
#include <cstdint>
#include <vector>

#include "fuzz_harness.h"
#include "metadata/exif_info.h"

bool LumivoFuzzAccepts(std::span<const std::uint8_t> bytes) {
  if (bytes.size() > 65535 - 8) return false;  // a segment holds no more
  const std::size_t length = bytes.size() + 8;
  std::vector<std::uint8_t> section{static_cast<std::uint8_t>(length >> 8), static_cast<std::uint8_t>(length),
                                    'E', 'x', 'i', 'f', 0, 0};
  section.insert(section.end(), bytes.begin(), bytes.end());
  const lumivo::ExifInfo info(section);
  info.UpdateDimensionTags(section, 600, 800);
  info.MarkUpright(section);
  const lumivo::ExifInfo again(section);
  (void)again.orientation();
  return info.problem() == lumivo::ExifProblem::None &&
         (info.widthPos() || info.heightValue() != 0 || info.orientation() != 0);
}
