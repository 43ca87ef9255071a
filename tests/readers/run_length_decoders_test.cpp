#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "readers/run_length_decoders.h"
#include "readers/thunder_decoder.h"

namespace lumivo {
namespace {

using Bytes = std::vector<std::uint8_t>;
using MakeDecoder = std::function<std::unique_ptr<TDecoder>()>;

template <typename D, typename... Args>
MakeDecoder Make(Args... args) {
  return [=] { return std::make_unique<D>(args...); };
}

struct Case {
  std::string name;
  MakeDecoder decoder;
  Bytes packed;
  std::size_t unpackedSize;
  Bytes expected;  // the written part of the block; the rest keeps its old bytes
  std::size_t consumed;
};

constexpr std::uint8_t kUntouched = 0xEE;

std::vector<Case> Cases() {
  const auto targa8 = Make<TTargaRLEDecoder>(8);
  const auto targa16 = Make<TTargaRLEDecoder>(16);
  const auto targa24 = Make<TTargaRLEDecoder>(24);
  const auto targa32 = Make<TTargaRLEDecoder>(32);
  const auto packbits = Make<TPackbitsRLEDecoder>();
  const auto pcx = Make<TPCXRLEDecoder>();
  const auto sgi8 = Make<TSGIRLEDecoder>(8);
  const auto sgi16 = Make<TSGIRLEDecoder>(16);
  const auto psp = Make<TPSPRLEDecoder>();
  const auto rla = Make<TRLADecoder>();
  const auto thunder2 = Make<TThunderDecoder>(std::size_t{2});
  return {
      {"targa 24 run", targa24, {0x82, 0x10, 0x20, 0x30}, 9,
       {0x10, 0x20, 0x30, 0x10, 0x20, 0x30, 0x10, 0x20, 0x30}, 4},
      {"targa 24 literal", targa24, {0x01, 1, 2, 3, 4, 5, 6}, 6, {1, 2, 3, 4, 5, 6}, 7},
      {"targa 8 run then literal", targa8, {0x81, 7, 0x00, 9}, 3, {7, 7, 9}, 4},
      {"targa 16 run", targa16, {0x81, 0x34, 0x12}, 4, {0x34, 0x12, 0x34, 0x12}, 3},
      {"targa 32 run cut at the block", targa32, {0xFF, 1, 2, 3, 4}, 8, {1, 2, 3, 4, 1, 2, 3, 4}, 5},
      {"targa literal cut at the block", targa24, {0x02, 1, 2, 3, 4, 5, 6, 7, 8, 9}, 3, {1, 2, 3}, 4},
      {"targa partial pixel left alone", targa24, {0x81, 1, 2, 3}, 5, {1, 2, 3}, 4},
      {"targa data ends early", targa24, {0x85, 1, 2}, 6, {}, 3},
      {"targa literal ends early", targa8, {0x05, 1, 2}, 6, {1, 2}, 3},

      {"packbits run", packbits, {0xFE, 0xAA}, 3, {0xAA, 0xAA, 0xAA}, 2},
      {"packbits literal", packbits, {0x02, 1, 2, 3}, 3, {1, 2, 3}, 4},
      {"packbits -128 is nothing", packbits, {0x80, 0x00, 5}, 1, {5}, 3},
      {"packbits run cut at the block", packbits, {0x81, 0x44}, 2, {0x44, 0x44}, 2},
      {"packbits literal cut at the data", packbits, {0x05, 1, 2}, 6, {1, 2}, 3},
      {"packbits run without its byte", packbits, {0x00, 9, 0xFD}, 6, {9}, 3},
      {"packbits stops when the block is full", packbits, {0x00, 1, 0x00, 2}, 1, {1}, 2},

      {"pcx run", pcx, {0xC3, 0x55}, 3, {0x55, 0x55, 0x55}, 2},
      {"pcx empty run", pcx, {0xC0, 0x55, 0x01}, 1, {0x01}, 3},
      {"pcx byte below C0 is itself", pcx, {0x3F}, 1, {0x3F}, 1},
      {"pcx longest run cut at the block", pcx, {0xFF, 0x12}, 10, Bytes(10, 0x12), 2},
      {"pcx run without its byte", pcx, {0x01, 0xC5}, 4, {0x01}, 2},

      {"sgi 8 literal then end", sgi8, {0x83, 1, 2, 3, 0x00, 9}, 5, {1, 2, 3}, 5},
      {"sgi 8 run fills the block", sgi8, {0x05, 0x7F, 0x00}, 5, Bytes(5, 0x7F), 2},
      {"sgi 8 run cut at the block", sgi8, {0x7F, 0x01}, 4, Bytes(4, 0x01), 2},
      {"sgi 8 ends without a zero count", sgi8, {0x82, 4}, 3, {4}, 2},
      {"sgi 16 run", sgi16, {0x00, 0x03, 0x12, 0x34, 0x00, 0x00}, 6, {0x12, 0x34, 0x12, 0x34, 0x12, 0x34}, 4},
      {"sgi 16 literal stays big-endian", sgi16, {0xFF, 0x82, 0xAB, 0xCD, 0x01, 0x02, 0x00, 0x00}, 4,
       {0xAB, 0xCD, 0x01, 0x02}, 6},
      {"sgi 16 odd block cut in a sample", sgi16, {0x00, 0x02, 0x12, 0x34}, 3, {0x12, 0x34, 0x12}, 4},

      {"psp run", psp, {0x83, 0x09}, 3, {0x09, 0x09, 0x09}, 2},
      {"psp literal", psp, {0x02, 0x41, 0x42}, 2, {0x41, 0x42}, 3},
      {"psp run cut at the block", psp, {0xFF, 0x01}, 3, {1, 1, 1}, 2},

      {"rla run", rla, {0x02, 0x07}, 3, {0x07, 0x07, 0x07}, 2},
      {"rla literal", rla, {0xFE, 0x01, 0x02}, 2, {0x01, 0x02}, 3},
      {"rla -128 copies 128", rla, [] { Bytes b(129, 3); b[0] = 0x80; return b; }(), 128, Bytes(128, 3), 129},

      {"thunder raw then deltas, row ends", thunder2, {0xC5, 0x41, 0xC1}, 2, {0x55, 0x56}, 2},
      {"thunder rows restart from 0", Make<TThunderDecoder>(std::size_t{1}), {0x71, 0x71}, 2, {0xFF, 0xFF}, 2},
      {"thunder run from an odd count", thunder2, {0xC3, 0x03}, 2, {0x33, 0x33}, 2},
      {"thunder run from an even count", thunder2, {0xC3, 0xC3, 0x01}, 2, {0x33, 0x30}, 3},
      {"thunder run from an odd count cut at the row", thunder2, {0xC7, 0x3F}, 2, {0x77, 0x77}, 2},
      {"thunder three-bit steps and skip", thunder2, {0xC8, 0xA5, 0x8F}, 2, {0x85, 0x65}, 3},
      {"thunder two-bit step skip and minus", thunder2, {0xC0, 0x6B, 0x4C}, 2, {0x0F, 0xFE}, 3},
      {"thunder data ends mid row", Make<TThunderDecoder>(std::size_t{3}), {0xC9, 0xCA, 0xCB}, 6, {0x9A, 0xB0}, 3},
      {"thunder no row width", Make<TThunderDecoder>(std::size_t{0}), {0xC9}, 4, {}, 0},
  };
}

TEST(RunLengthDecoders, DecodeWithinBothBlocks) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    // The block sits inside a larger buffer so that writes past its end show.
    std::vector<std::uint8_t> buffer(c.unpackedSize + 16, kUntouched);
    // A copy on the heap of exactly the packed size: reads past it show under ASan.
    const auto packed = std::make_unique<std::uint8_t[]>(c.packed.size() + 1);
    std::copy(c.packed.begin(), c.packed.end(), packed.get());
    const auto decoder = c.decoder();
    decoder->StartDecoding();
    const DecodedBlock done =
        decoder->DecodeBlock(std::span(packed.get(), c.packed.size()), std::span(buffer).first(c.unpackedSize));
    decoder->FinishDecoding();
    EXPECT_EQ(done.consumed, c.consumed);
    EXPECT_EQ(done.produced, c.expected.size());
    EXPECT_EQ(Bytes(buffer.begin(), buffer.begin() + static_cast<long>(c.expected.size())), c.expected);
    for (std::size_t i = c.expected.size(); i < buffer.size(); ++i) ASSERT_EQ(buffer[i], kUntouched) << "byte " << i;
  }
}

// Rows of older Targa files share packets; each block is one row here.
TEST(RunLengthDecoders, TargaPacketsGoOnIntoTheNextBlock) {
  const Bytes packed = {0x83, 1, 2, 3, 0x02, 4, 5, 6, 7, 8, 9, 10, 11, 12};
  TTargaRLEDecoder decoder(24);
  decoder.StartDecoding();
  Bytes rows(18, kUntouched);
  std::size_t at = 0;
  for (std::size_t row = 0; row < 2; ++row) {
    const DecodedBlock done = decoder.DecodeBlock(std::span(packed).subspan(at), std::span(rows).subspan(row * 9, 9));
    EXPECT_EQ(done.produced, 9u);
    at += done.consumed;
  }
  EXPECT_EQ(at, 11u);
  EXPECT_EQ(rows, (Bytes{1, 2, 3, 1, 2, 3, 1, 2, 3, 1, 2, 3, 4, 5, 6, 7, 8, 9}));
  const DecodedBlock last = decoder.DecodeBlock(std::span(packed).subspan(at), std::span(rows).first(3));
  EXPECT_EQ(last.consumed, 3u);
  EXPECT_EQ(Bytes(rows.begin(), rows.begin() + 3), (Bytes{10, 11, 12}));

  decoder.StartDecoding();  // a new image forgets the cut packet
  Bytes fresh(3, kUntouched);
  EXPECT_EQ(decoder.DecodeBlock(Bytes{0x80, 7, 7, 7}, fresh).produced, 3u);
  EXPECT_EQ(fresh, (Bytes{7, 7, 7}));
}

}  // namespace
}  // namespace lumivo
