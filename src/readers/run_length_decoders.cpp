#include "readers/run_length_decoders.h"

#include <algorithm>
#include <cstring>

namespace lumivo {

namespace {

// Both blocks and how far each is used; every packet goes through Run or
// Literal, which cut it at whichever end comes first. A cut literal still
// counts as consumed up to its end (as far as the packed data has it), so a
// reader that goes on after `consumed` stays on a packet boundary.
class Packets {
 public:
  Packets(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked)
      : in_(packed), out_(unpacked) {}

  bool HasInput(std::size_t count) const { return in_.size() - read_ >= count; }
  bool OutputFull() const { return written_ == out_.size(); }
  std::uint8_t Byte() { return in_[read_++]; }

  // `count` copies of the `width` bytes at the packed position.
  void Run(std::size_t width, std::size_t count) {
    if (!HasInput(width)) {
      read_ = in_.size();
      return;
    }
    const std::uint8_t* value = in_.data() + read_;
    read_ += width;
    const std::size_t room = out_.size() - written_;
    std::size_t bytes = count <= room / width ? count * width : room;
    std::uint8_t* target = out_.data() + written_;
    written_ += bytes;
    if (width == 1) {
      std::memset(target, *value, bytes);
      return;
    }
    for (; bytes >= width; bytes -= width, target += width) std::memcpy(target, value, width);
    std::memcpy(target, value, bytes);
  }

  void Literal(std::size_t bytes) {
    const std::size_t available = std::min(bytes, in_.size() - read_);
    const std::size_t copied = std::min(available, out_.size() - written_);
    if (copied) std::memcpy(out_.data() + written_, in_.data() + read_, copied);
    read_ += available;
    written_ += copied;
  }

  // A byte that stands for itself (PCX); only called with room left.
  void Put(std::uint8_t value) { out_[written_++] = value; }

  DecodedBlock Result() const { return {read_, written_}; }

 private:
  std::span<const std::uint8_t> in_;
  std::span<std::uint8_t> out_;
  std::size_t read_ = 0;
  std::size_t written_ = 0;
};

}  // namespace

TTargaRLEDecoder::TTargaRLEDecoder(int colourDepth)
    : pixelBytes_(colourDepth <= 8 ? 1 : colourDepth <= 16 ? 2 : colourDepth <= 24 ? 3 : 4) {}

DecodedBlock TTargaRLEDecoder::DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) {
  const std::size_t w = pixelBytes_;
  const std::size_t pixels = unpacked.size() / w;
  std::size_t read = 0, done = 0;
  // Writes the packet's next pixels, as many as fit, and keeps the rest pending.
  auto put = [&] {
    std::size_t count = std::min(pending_, pixels - done);
    if (!pendingRun_) count = std::min(count, (packed.size() - read) / w);
    std::uint8_t* target = unpacked.data() + done * w;
    if (pendingRun_ && w == 1) {
      std::memset(target, runPixel_[0], count);
    } else if (pendingRun_) {
      for (std::size_t i = 0; i < count; ++i) std::memcpy(target + i * w, runPixel_, w);
    } else if (count) {
      std::memcpy(target, packed.data() + read, count * w);
      read += count * w;
    }
    done += count;
    pending_ -= count;
  };
  if (pending_) put();
  while (done < pixels && read < packed.size()) {
    const std::uint8_t h = packed[read++];
    pending_ = (h & 0x7Fu) + 1;
    pendingRun_ = (h & 0x80u) != 0;
    if (pendingRun_) {
      if (packed.size() - read < w) {
        pending_ = 0;
        read = packed.size();
        break;
      }
      std::memcpy(runPixel_, packed.data() + read, w);
      read += w;
    }
    put();
    if (!pendingRun_ && pending_ && done < pixels) break;  // the data ends inside a literal
  }
  return {read, done * w};
}

DecodedBlock TPackbitsRLEDecoder::DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) {
  Packets p(packed, unpacked);
  while (!p.OutputFull() && p.HasInput(1)) {
    const auto n = static_cast<std::int8_t>(p.Byte());
    if (n >= 0) {
      p.Literal(static_cast<std::size_t>(n) + 1);
    } else if (n != -128) {
      p.Run(1, static_cast<std::size_t>(1 - n));
    }
  }
  return p.Result();
}

DecodedBlock TPCXRLEDecoder::DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) {
  Packets p(packed, unpacked);
  while (!p.OutputFull() && p.HasInput(1)) {
    const std::uint8_t b = p.Byte();
    if (b >= 0xC0) {
      p.Run(1, b & 0x3Fu);
    } else {
      p.Put(b);
    }
  }
  return p.Result();
}

TSGIRLEDecoder::TSGIRLEDecoder(int sampleBits) : wide_(sampleBits > 8) {}

DecodedBlock TSGIRLEDecoder::DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) {
  const std::size_t width = wide_ ? 2 : 1;
  Packets p(packed, unpacked);
  while (!p.OutputFull() && p.HasInput(width)) {
    if (wide_) p.Byte();  // the high byte of a header unit carries nothing
    const std::uint8_t b = p.Byte();
    const std::size_t count = b & 0x7Fu;
    if (count == 0) break;
    if (b & 0x80u) {
      p.Literal(count * width);
    } else {
      p.Run(width, count);
    }
  }
  return p.Result();
}

DecodedBlock TPSPRLEDecoder::DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) {
  Packets p(packed, unpacked);
  while (!p.OutputFull() && p.HasInput(1)) {
    const std::uint8_t b = p.Byte();
    if (b >= 128) {
      p.Run(1, b - 128u);
    } else {
      p.Literal(b);
    }
  }
  return p.Result();
}

DecodedBlock TRLADecoder::DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) {
  Packets p(packed, unpacked);
  while (!p.OutputFull() && p.HasInput(1)) {
    const auto n = static_cast<std::int8_t>(p.Byte());
    if (n >= 0) {
      p.Run(1, static_cast<std::size_t>(n) + 1);
    } else {
      p.Literal(static_cast<std::size_t>(-n));
    }
  }
  return p.Result();
}

}  // namespace lumivo
