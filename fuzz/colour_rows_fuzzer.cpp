// The colour manager's row routines on any settings and any row: a refusal
// is an answer, a read or write outside the row buffers is a finding.
#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "readers/colour_manager.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 8) return 0;
  using lumivo::ColorLayout;
  using Side = lumivo::TColorManager::Side;
  lumivo::TColorManager manager;
  try {
    manager.SetLayout(Side::Source, static_cast<ColorLayout>(data[0] % 13));
    manager.SetBitsPerSample(Side::Source, data[1] % 17);
    manager.SetSamplesPerPixel(Side::Source, data[2] % 5);
    manager.SetLayout(Side::Target, static_cast<ColorLayout>(data[3] % 13));
    manager.SetBitsPerSample(Side::Target, data[4] % 17);
    manager.SetSamplesPerPixel(Side::Target, std::max(1, lumivo::SamplesOf(manager.layout(Side::Target))));
    manager.SetSourceByteSwap(data[5] & 1);
    manager.SetSourceLabByteRange(data[5] & 2);
    if (data[5] & 4) manager.SetGamma(2.2, (data[5] >> 3) / 10.0);
    if (data[5] & 0x80) manager.SetYCbCrParameters({}, 1 << (data[6] >> 6 & 1), 1 << (data[6] >> 4 & 3));
    const std::uint8_t mask = data[7];
    const std::span<const std::uint8_t> row(data + 8, size - 8);
    const std::size_t count = (data[6] & 15) * 7 + row.size() % 5;
    std::vector<std::uint8_t> target(count * 4);
    if (data[6] & 0x20) {  // planar: the row split into as many planes as samples
      const std::size_t planes = static_cast<std::size_t>(manager.samplesPerPixel(Side::Source));
      const std::size_t each = row.size() / planes;
      std::vector<std::span<const std::uint8_t>> split;
      for (std::size_t k = 0; k < planes; ++k) split.push_back(row.subspan(k * each, each));
      manager.ConvertRow(split, target, count, mask);
    } else {
      manager.ConvertRow(row, target, count, mask);
    }
  } catch (const lumivo::EColorConversionError&) {
  }
  return 0;
}
