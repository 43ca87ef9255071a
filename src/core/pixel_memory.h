#pragma once
// Memory for pixels. Large blocks are asked for in huge pages: a 12-megapixel
// picture otherwise costs thousands of page faults each time fresh memory is
// touched, and those are expensive on virtual machines.

#include <cstddef>
#include <cstdint>
#include <memory>

namespace lumivo {

struct PixelMemoryRelease {
  void operator()(std::uint8_t* memory) const;
};

using PixelMemory = std::unique_ptr<std::uint8_t[], PixelMemoryRelease>;

// Uninitialised; empty when the memory is not to be had.
PixelMemory AllocatePixelMemory(std::size_t bytes);

}  // namespace lumivo
