#include "core/pixel_memory.h"

#include <sys/mman.h>

#include <cstdlib>

namespace lumivo {

namespace {

constexpr std::size_t kHugePage = std::size_t{2} << 20;

}  // namespace

void PixelMemoryRelease::operator()(std::uint8_t* memory) const { std::free(memory); }

PixelMemory AllocatePixelMemory(std::size_t bytes) {
  if (bytes < kHugePage) return PixelMemory(static_cast<std::uint8_t*>(std::malloc(bytes == 0 ? 1 : bytes)));
  const std::size_t rounded = (bytes + kHugePage - 1) / kHugePage * kHugePage;
  if (rounded < bytes) return PixelMemory();
  auto* memory = static_cast<std::uint8_t*>(std::aligned_alloc(kHugePage, rounded));
  if (memory) madvise(memory, rounded, MADV_HUGEPAGE);  // only advice: without it, plain pages serve
  return PixelMemory(memory);
}

}  // namespace lumivo
