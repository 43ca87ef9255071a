#include "core/nearest_sampling.h"

namespace lumivo {

std::vector<std::uint32_t> NearestSampleTable(int targetLength, int sourceLength, std::uint32_t step) {
  std::vector<std::uint32_t> table(static_cast<std::size_t>(targetLength > 0 ? targetLength : 0));
  FillNearestSampleTable(table, sourceLength, step);
  return table;
}

void FillNearestSampleTable(std::span<std::uint32_t> table, int sourceLength, std::uint32_t step) {
  const std::uint64_t targetLength = table.size();
  for (std::uint64_t i = 0; i < targetLength; ++i) {
    const std::uint64_t source = ((2 * i + 1) * static_cast<std::uint64_t>(sourceLength)) / (2 * targetLength);
    table[i] = static_cast<std::uint32_t>(source) * step;
  }
}

}  // namespace lumivo
