#include "readers/inflate_decoder.h"

#include <libdeflate.h>
#include <zlib.h>

#include <algorithm>
#include <string>

#include "core/result.h"
#include "resources/texts.h"

namespace lumivo {

namespace {

// zlib counts in 32 bits; longer buffers are fed in slices.
constexpr std::size_t kSlice = std::size_t{1} << 30;

struct LibdeflateDecompressor {
  libdeflate_decompressor* d = libdeflate_alloc_decompressor();
  ~LibdeflateDecompressor() { libdeflate_free_decompressor(d); }
};

// The streaming path: exact about where a stream stops, at zlib's speed.
InflateResult InflateStreaming(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) {
  z_stream z{};
  if (inflateInit(&z) != Z_OK) return {};
  InflateResult result;
  std::size_t in = 0, out = 0;
  for (;;) {
    z.next_in = const_cast<Bytef*>(packed.data() + in);
    z.avail_in = static_cast<uInt>(std::min(packed.size() - in, kSlice));
    z.next_out = unpacked.data() + out;
    z.avail_out = static_cast<uInt>(std::min(unpacked.size() - out, kSlice));
    const uInt inBefore = z.avail_in, outBefore = z.avail_out;
    const int status = inflate(&z, Z_NO_FLUSH);
    in += inBefore - z.avail_in;
    out += outBefore - z.avail_out;
    if (status == Z_STREAM_END) {
      result.outcome = out == unpacked.size() ? InflateOutcome::Complete : InflateOutcome::Short;
      break;
    }
    if (status != Z_OK && status != Z_BUF_ERROR) break;  // Broken
    if (inBefore == z.avail_in && outBefore == z.avail_out && out < unpacked.size() && in < packed.size())
      break;  // no progress: Broken
    if (out == unpacked.size()) {
      // Full: the stream may still end right here without more output.
      Bytef probe;
      z.next_out = &probe;
      z.avail_out = 0;
      z.next_in = const_cast<Bytef*>(packed.data() + in);
      z.avail_in = static_cast<uInt>(std::min(packed.size() - in, kSlice));
      const uInt probeIn = z.avail_in;
      const int end = inflate(&z, Z_NO_FLUSH);
      in += probeIn - z.avail_in;
      result.outcome = end == Z_STREAM_END ? InflateOutcome::Complete
                       : (end == Z_OK || end == Z_BUF_ERROR) ? InflateOutcome::Overlong
                                                             : InflateOutcome::Broken;
      break;
    }
    if (in == packed.size()) {
      result.outcome = InflateOutcome::Truncated;
      break;
    }
  }
  inflateEnd(&z);
  result.consumed = in;
  result.produced = out;
  return result;
}

}  // namespace

InflateResult InflateWhole(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) {
  LibdeflateDecompressor decompressor;
  if (decompressor.d) {
    std::size_t in = 0, out = 0;
    const libdeflate_result status = libdeflate_zlib_decompress_ex(
        decompressor.d, packed.data(), packed.size(), unpacked.data(), unpacked.size(), &in, &out);
    if (status == LIBDEFLATE_SUCCESS) {
      return {out == unpacked.size() ? InflateOutcome::Complete : InflateOutcome::Short, in, out};
    }
  }
  // libdeflate tells neither how far a bad or overlong stream got nor why
  // it stopped; zlib does, and only these rare files pay for it.
  return InflateStreaming(packed, unpacked);
}

struct TLZ77Decoder::Stream {
  z_stream z{};
  bool started = false;
};

TLZ77Decoder::TLZ77Decoder(int flushMode, bool autoReset)
    : stream_(std::make_unique<Stream>()), flushMode_(flushMode), autoReset_(autoReset) {}

TLZ77Decoder::~TLZ77Decoder() {
  if (stream_->started) inflateEnd(&stream_->z);
}

void TLZ77Decoder::StartDecoding() {
  if (stream_->started) inflateEnd(&stream_->z);
  stream_->z = z_stream{};
  stream_->started = inflateInit2(&stream_->z, 15) == Z_OK;
  if (!stream_->started) throw Failure(std::string(texts::kLZ77Error));
  lastResult_ = Z_OK;
}

void TLZ77Decoder::FinishDecoding() {
  if (!stream_->started) return;
  stream_->started = false;
  if (inflateEnd(&stream_->z) != Z_OK) throw Failure(std::string(texts::kLZ77Error));
}

DecodedBlock TLZ77Decoder::DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) {
  if (!stream_->started) StartDecoding();
  z_stream& z = stream_->z;
  if (autoReset_) {
    inflateReset(&z);
    lastResult_ = Z_OK;
  }
  if (lastResult_ != Z_OK) return {};
  z.next_in = const_cast<Bytef*>(packed.data());
  z.avail_in = static_cast<uInt>(std::min(packed.size(), kSlice));
  z.next_out = unpacked.data();
  z.avail_out = static_cast<uInt>(std::min(unpacked.size(), kSlice));
  const int status = inflate(&z, flushMode_);
  // No room or no input is no error: the next block goes on.
  lastResult_ = status == Z_BUF_ERROR ? Z_OK : status;
  return {std::min(packed.size(), kSlice) - z.avail_in, std::min(unpacked.size(), kSlice) - z.avail_out};
}

}  // namespace lumivo
