// The first bytes choose the decoder and its settings, the rest is the data.
#include <vector>

#include "fuzz_harness.h"
#include "readers/ccitt_fax_decoder.h"

// Accepted: at least one whole row came out.
bool LumivoFuzzAccepts(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 4) return false;
  const std::uint32_t width = 1 + (bytes[0] | (bytes[1] & 0x0F) << 8);  // up to 4096 pixels
  const std::uint32_t options = bytes[2] & 7;
  const bool reversed = bytes[3] & 1, modifiedHuffman = bytes[3] & 2, wordAligned = bytes[3] & 4;
  const std::uint32_t rows = 1 + (bytes[1] >> 4) * 4;
  const std::size_t rowBytes = (width + 7) / 8;
  std::vector<std::uint8_t> out(rows * rowBytes);
  const auto packed = bytes.subspan(4);
  lumivo::DecodedBlock done;
  if (modifiedHuffman) {
    lumivo::TCCITTMHDecoder decoder(options, width, reversed, wordAligned);
    done = decoder.DecodeBlock(packed, out);
  } else {
    lumivo::TCCITTFax3Decoder decoder(options, width, reversed);
    done = decoder.DecodeBlock(packed, out);
  }
  return done.produced >= rowBytes;
}
