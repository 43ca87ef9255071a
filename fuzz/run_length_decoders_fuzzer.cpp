// Every run-length decoder on any packed bytes: the first byte picks the
// decoder and its setting, the next two give the unpacked size. Both blocks
// are heap copies of exactly their size, so any overrun shows. Accepted: some
// unpacked bytes came out.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>
#include <vector>

#include "fuzz_harness.h"
#include "readers/run_length_decoders.h"
#include "readers/thunder_decoder.h"

namespace {

std::unique_ptr<lumivo::TDecoder> Pick(std::uint8_t choice) {
  using namespace lumivo;
  static constexpr int kDepths[] = {8, 15, 16, 24, 32};
  switch (choice % 7) {
    case 0: return std::make_unique<TTargaRLEDecoder>(kDepths[choice / 7 % 5]);
    case 1: return std::make_unique<TPackbitsRLEDecoder>();
    case 2: return std::make_unique<TPCXRLEDecoder>();
    case 3: return std::make_unique<TSGIRLEDecoder>(choice & 0x80 ? 16 : 8);
    case 4: return std::make_unique<TPSPRLEDecoder>();
    case 5: return std::make_unique<TRLADecoder>();
    default: return std::make_unique<TThunderDecoder>(choice / 7);
  }
}

}  // namespace

bool LumivoFuzzAccepts(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < 3) return false;
  const auto decoder = Pick(bytes[0]);
  const std::size_t unpackedSize = bytes[1] | std::size_t{bytes[2]} << 8;
  std::vector<std::uint8_t> packed(bytes.begin() + 3, bytes.end());
  std::vector<std::uint8_t> unpacked(unpackedSize);
  packed.shrink_to_fit();
  decoder->StartDecoding();
  const lumivo::DecodedBlock done = decoder->DecodeBlock(packed, unpacked);
  decoder->FinishDecoding();
  if (done.consumed > packed.size() || done.produced > unpacked.size()) std::abort();
  return done.produced > 0;
}
