#pragma once
// The nearest-neighbour rule every stretch and every sampled decode shares:
// which source row or column each target row or column shows.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

namespace lumivo {

// For each target index, the source index whose centre lies nearest the
// target's centre, times `step` (bytes a pixel for a column table).
std::vector<std::uint32_t> NearestSampleTable(int targetLength, int sourceLength, std::uint32_t step);
// The same into memory the caller holds, one entry per target index.
void FillNearestSampleTable(std::span<std::uint32_t> table, int sourceLength, std::uint32_t step);

// Copies the pixels a column table picks from a source row into a target row.
template <int kBytes>
void GatherColumns(const std::uint8_t* source, std::uint8_t* target, std::span<const std::uint32_t> columns) {
  std::size_t i = 0;
  if constexpr (kBytes == 3) {
    // Four bytes are one load and one store; the byte too many is overwritten
    // by the next pixel. Only while both rows hold that byte: before the
    // target's last pixel, and from a source pixel before the last picked.
    if (!columns.empty()) {
      const std::size_t wide = std::min<std::size_t>(
          columns.size() - 1,
          static_cast<std::size_t>(std::lower_bound(columns.begin(), columns.end(), columns.back()) - columns.begin()));
      for (; i + 4 <= wide; i += 4, target += 12) {
        std::memcpy(target, source + columns[i], 4);
        std::memcpy(target + 3, source + columns[i + 1], 4);
        std::memcpy(target + 6, source + columns[i + 2], 4);
        std::memcpy(target + 9, source + columns[i + 3], 4);
      }
      for (; i < wide; ++i, target += 3) std::memcpy(target, source + columns[i], 4);
    }
  }
  for (; i < columns.size(); ++i, target += kBytes) std::memcpy(target, source + columns[i], kBytes);
}

}  // namespace lumivo
