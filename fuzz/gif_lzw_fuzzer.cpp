#include <span>
#include <vector>

#include "core/result.h"
#include "readers/gif_lzw_decoder.h"

// First byte: initial code size; second: the piece length the pixels are
// asked for in; the rest: packed data.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  try {
    lumivo::TGIFLZWDecoder decoder(data[0], std::span(data + 2, size - 2));
    std::vector<std::uint8_t> piece(data[1] + 1u);
    for (std::size_t total = 0; total < (1u << 20);) {
      const std::size_t got = decoder.Decode(piece);
      total += got;
      if (got < piece.size()) break;
    }
  } catch (const lumivo::Failure&) {
  }
  return 0;
}
