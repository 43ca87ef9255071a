// The first bytes choose the decoder and its settings, the rest is the data.
#include <span>
#include <vector>

#include "readers/ccitt_fax_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 4) return 0;
  const std::uint32_t width = 1 + (data[0] | (data[1] & 0x0F) << 8);  // up to 4096 pixels
  const std::uint32_t options = data[2] & 7;
  const bool reversed = data[3] & 1, modifiedHuffman = data[3] & 2, wordAligned = data[3] & 4;
  const std::uint32_t rows = 1 + (data[1] >> 4) * 4;
  std::vector<std::uint8_t> out(static_cast<std::size_t>(rows) * ((width + 7) / 8));
  const std::span packed(data + 4, size - 4);
  if (modifiedHuffman) {
    lumivo::TCCITTMHDecoder decoder(options, width, reversed, wordAligned);
    decoder.DecodeBlock(packed, out);
  } else {
    lumivo::TCCITTFax3Decoder decoder(options, width, reversed);
    decoder.DecodeBlock(packed, out);
  }
  return 0;
}
