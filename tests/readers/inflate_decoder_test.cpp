#include "readers/inflate_decoder.h"

#include <gtest/gtest.h>

#include <vector>

#include "readers/png_files.h"

namespace lumivo {
namespace {

using test::Bytes;
using test::Zlib;

Bytes Counting(std::size_t size) {
  Bytes raw(size);
  for (std::size_t i = 0; i < size; ++i) raw[i] = static_cast<std::uint8_t>(i * 7 + i / 300);
  return raw;
}

TEST(InflateWhole, TellsHowTheStreamEndedAgainstTheSizeItExpects) {
  const Bytes raw = Counting(5000);
  const Bytes packed = Zlib(raw);
  Bytes trailing = packed;
  trailing.push_back(0);
  Bytes broken = packed;
  broken[2] ^= 0xFF;
  Bytes badCheck = packed;
  badCheck.back() ^= 1;
  struct Case {
    const char* what;
    Bytes packed;
    std::size_t expected;
    InflateOutcome outcome;
    std::size_t produced;
  };
  const Case cases[] = {
      {"exact", packed, 5000, InflateOutcome::Complete, 5000},
      {"input left after the stream", trailing, 5000, InflateOutcome::Complete, 5000},
      {"stream ends early", packed, 6000, InflateOutcome::Short, 5000},
      {"stream goes on", packed, 3000, InflateOutcome::Overlong, 3000},
      {"data cut", Bytes(packed.begin(), packed.begin() + packed.size() / 2), 5000, InflateOutcome::Truncated, 0},
      {"not deflate", broken, 5000, InflateOutcome::Broken, 0},
      {"wrong check sum", badCheck, 5000, InflateOutcome::Broken, 5000},
      {"nothing", {}, 10, InflateOutcome::Truncated, 0},
  };
  for (const Case& c : cases) {
    Bytes out(c.expected, 0xEE);
    const InflateResult result = InflateWhole(c.packed, out);
    EXPECT_EQ(result.outcome, c.outcome) << c.what;
    if (c.produced) {
      EXPECT_EQ(result.produced, c.produced) << c.what;
      EXPECT_TRUE(std::equal(out.begin(), out.begin() + static_cast<long>(result.produced), raw.begin())) << c.what;
    }
    EXPECT_LE(result.consumed, c.packed.size()) << c.what;
  }
  Bytes out(5000);
  EXPECT_EQ(InflateWhole(trailing, out).consumed, packed.size());
}

TEST(LZ77Decoder, StreamsBlockByBlockUntilTheEnd) {
  const Bytes raw = Counting(3000);
  const Bytes packed = Zlib(raw);
  TLZ77Decoder decoder(1, false);
  decoder.StartDecoding();
  Bytes out(raw.size() + 10);
  std::size_t in = 0, written = 0;
  while (decoder.lastResult() == 0 && in < packed.size()) {  // 13 packed bytes, at most 100 out a block
    const std::size_t take = std::min<std::size_t>(13, packed.size() - in);
    const DecodedBlock block = decoder.DecodeBlock(std::span(packed).subspan(in, take),
                                                   std::span(out).subspan(written, std::min<std::size_t>(100, out.size() - written)));
    EXPECT_LE(block.consumed, take);
    in += block.consumed;
    written += block.produced;
  }
  // The last output may still wait in the inflater: drain it.
  while (decoder.lastResult() == 0) {
    const DecodedBlock block = decoder.DecodeBlock({}, std::span(out).subspan(written));
    written += block.produced;
    if (block.produced == 0) break;
  }
  EXPECT_EQ(decoder.lastResult(), 1) << "end of stream";
  EXPECT_EQ(written, raw.size());
  EXPECT_TRUE(std::equal(raw.begin(), raw.end(), out.begin()));
  EXPECT_EQ(decoder.DecodeBlock(packed, out).produced, 0u) << "nothing after the end";
  decoder.FinishDecoding();
}

TEST(LZ77Decoder, StopsAfterAnErrorAndStartsAnewWithAutoReset) {
  const Bytes raw = Counting(200);
  const Bytes packed = Zlib(raw);
  Bytes broken = packed;
  broken[2] ^= 0xFF;
  Bytes out(200);

  TLZ77Decoder once(4, false);
  once.StartDecoding();
  once.DecodeBlock(broken, out);
  EXPECT_LT(once.lastResult(), 0);
  EXPECT_EQ(once.DecodeBlock(packed, out).produced, 0u);

  TLZ77Decoder strips(1, true);  // as for deflate strips: each block a stream of its own
  strips.StartDecoding();
  strips.DecodeBlock(broken, out);
  const DecodedBlock next = strips.DecodeBlock(packed, out);
  EXPECT_EQ(next.produced, 200u);
  EXPECT_EQ(out, raw);
  strips.FinishDecoding();
}

}  // namespace
}  // namespace lumivo
