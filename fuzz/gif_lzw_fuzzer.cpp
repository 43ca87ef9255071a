// The GIF LZW decoder on any packed bytes. First byte: initial code size;
// second: the piece length the pixels are asked for in; the rest: packed
// data. Accepted: the data decoded without a Failure and gave pixels.
#include <span>
#include <vector>

#include "core/result.h"
#include "fuzz_harness.h"
#include "readers/gif_lzw_decoder.h"

bool LumivoFuzzAccepts(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 2) return false;
  std::size_t total = 0;
  try {
    lumivo::TGIFLZWDecoder decoder(bytes[0], bytes.subspan(2));
    std::vector<std::uint8_t> piece(bytes[1] + 1u);
    while (total < (1u << 20)) {
      const std::size_t got = decoder.Decode(piece);
      total += got;
      if (got < piece.size()) break;
    }
  } catch (const lumivo::Failure&) {
    return false;
  }
  return total > 0;
}
