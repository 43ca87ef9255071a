// The TIFF strip decoders on any packed bytes: the first byte picks LZW,
// streamed or whole deflate, or JPEG, and whether the horizontal predictor
// runs over the result; the next two give the unpacked size. Both blocks are
// heap copies of exactly their size, so any overrun shows. Accepted: some
// unpacked bytes came out.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "core/result.h"
#include "fuzz_harness.h"
#include "readers/horizontal_predictor.h"
#include "readers/inflate_decoder.h"
#include "readers/tiff_jpeg_decoder.h"
#include "readers/tiff_lzw_decoder.h"

namespace {

lumivo::DecodedBlock Decode(std::uint8_t choice, std::span<const std::uint8_t> packed,
                            std::span<std::uint8_t> unpacked) {
  switch (choice % 4) {
    case 0: {
      lumivo::TTIFFLZWDecoder decoder;
      return decoder.DecodeBlock(packed, unpacked);
    }
    case 1: {
      lumivo::TLZ77Decoder decoder(choice & 0x10 ? 4 : 1, choice & 0x20);
      decoder.StartDecoding();
      lumivo::DecodedBlock done = decoder.DecodeBlock(packed, unpacked);
      decoder.FinishDecoding();
      return done;
    }
    case 2: {
      const lumivo::InflateResult whole = lumivo::InflateWhole(packed, unpacked);
      return {whole.consumed, whole.produced};
    }
    default: {
      // Rows of three bytes a pixel: the block width follows from the size.
      lumivo::TTIFFJPEGDecoder decoder({}, 1 + (choice >> 4));
      return decoder.DecodeBlock(packed, unpacked);
    }
  }
}

}  // namespace

bool LumivoFuzzAccepts(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 3) return false;
  const std::size_t unpackedSize = bytes[1] | std::size_t{bytes[2]} << 8;
  std::vector<std::uint8_t> packed(bytes.begin() + 3, bytes.end());
  std::vector<std::uint8_t> unpacked(unpackedSize);
  packed.shrink_to_fit();
  lumivo::DecodedBlock done;
  try {
    done = Decode(bytes[0], packed, unpacked);
  } catch (const lumivo::Failure&) {
    return false;
  }
  if (done.consumed > packed.size() || done.produced > unpacked.size()) std::abort();
  if (bytes[0] & 0x40 && unpackedSize > 0) {
    const std::uint32_t samples = 1 + (bytes[0] >> 7) * 2;
    const std::uint32_t bits = bytes[0] & 0x08 ? 16 : 8;
    const std::uint32_t width = static_cast<std::uint32_t>(unpackedSize / (samples * bits / 8));
    lumivo::UndoHorizontalPredictor(unpacked.data(), width, samples, bits, bytes[0] & 0x04);
  }
  return done.produced > 0;
}
