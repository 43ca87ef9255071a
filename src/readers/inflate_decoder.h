#pragma once
// Inflating zlib streams for the readers. Where the whole unpacked size is
// known before the data is inflated (PNG image data, deflate TIFF strips),
// InflateWhole does it in one call; TLZ77Decoder streams block by block for
// the readers that need partial data.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

#include "readers/decoder.h"

namespace lumivo {

enum class InflateOutcome : std::uint8_t {
  Complete,   // the stream ended exactly when the buffer was full
  Overlong,   // the buffer is full and the stream goes on
  Short,      // the stream ended before the buffer was full
  Truncated,  // the data ran out in the middle of the stream
  Broken,     // not a valid zlib stream (or its check sum is wrong)
};

struct InflateResult {
  InflateOutcome outcome = InflateOutcome::Broken;
  std::size_t consumed = 0;  // packed bytes the stream took
  std::size_t produced = 0;  // unpacked bytes written, never beyond the buffer
};

// Inflates the zlib stream in `packed` into `unpacked`. Whatever the outcome,
// `produced` bytes at the start of `unpacked` hold the stream's first bytes.
InflateResult InflateWhole(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked);

// zlib's inflater behind the decoder interface. StartDecoding and
// FinishDecoding throw Failure("LZ77 decompression error.") when the
// inflater cannot start or end. After the end of the stream or an inflate
// error, blocks decode nothing until a reset; lastResult() tells which.
class TLZ77Decoder final : public TDecoder {
 public:
  // flushMode: zlib's (1 partial flush, 4 finish); autoReset: each block
  // starts a new stream.
  TLZ77Decoder(int flushMode, bool autoReset);
  ~TLZ77Decoder() override;
  TLZ77Decoder(const TLZ77Decoder&) = delete;
  TLZ77Decoder& operator=(const TLZ77Decoder&) = delete;

  DecodedBlock DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) override;
  void StartDecoding() override;
  void FinishDecoding() override;

  // zlib's result of the last block: 0 while the stream goes on, 1 at its
  // end, negative after an error.
  int lastResult() const { return lastResult_; }

 private:
  struct Stream;
  std::unique_ptr<Stream> stream_;
  int flushMode_;
  bool autoReset_;
  int lastResult_ = 0;
};

}  // namespace lumivo
