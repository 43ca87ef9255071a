// The PNG reader on any bytes: accepted when it gives a picture, which must
// then turn into the working bitmap; refused with a Failure. Most mutations
// would only break a chunk's CRC, so for inputs of even length the harness
// mends every CRC first and the mutations reach what lies behind it.
#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "core/byte_reader.h"
#include "fuzz_harness.h"
#include "readers/registered_classes.h"

namespace {

void MendCrcs(std::vector<std::uint8_t>& png) {
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::size_t length = lumivo::LoadU32BE(png.data() + at);
    if (length > png.size() - at - 12) return;
    const auto crc = static_cast<std::uint32_t>(crc32(0, png.data() + at + 4, static_cast<uInt>(length + 4)));
    for (int i = 0; i < 4; ++i) png[at + 8 + length + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    at += 12 + length;
  }
}

}  // namespace

bool LumivoFuzzAccepts(std::span<const std::uint8_t> input) {
  std::vector<std::uint8_t> bytes(input.begin(), input.end());
  if (bytes.size() % 2 == 0) MendCrcs(bytes);
  lumivo::Bitmap picture;
  try {
    lumivo::kPNGGraphic.load(bytes, picture);
  } catch (const lumivo::Failure&) {
    return false;
  }
  if (picture.empty() || !picture.ConvertToBgr24()) std::abort();
  return true;
}
