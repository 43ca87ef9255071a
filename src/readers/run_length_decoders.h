#pragma once
// The run-length members of the decoder family. Each reads a packet header,
// then repeats one value (a run) or copies values unchanged (a literal);
// they differ in which bit tells the two apart and in what a count means.
// All of them stop at whichever of the two blocks ends first.

#include "readers/decoder.h"

namespace lumivo {

// Targa: header byte, count (h AND 7F) + 1 pixels; top bit set is a run of
// one pixel value. The unpacked block counts whole pixels of the depth.
// Older writers let packets run on from one row into the next: a packet cut
// at the end of a block goes on at the start of the next one, until
// StartDecoding begins a new image.
class TTargaRLEDecoder final : public TDecoder {
 public:
  explicit TTargaRLEDecoder(int colourDepth);  // 8, 15, 16, 24 or 32 bits
  DecodedBlock DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) override;
  void StartDecoding() override { pending_ = 0; }

 private:
  std::size_t pixelBytes_;
  std::size_t pending_ = 0;  // pixels of a cut packet still to come
  bool pendingRun_ = false;
  std::uint8_t runPixel_[4] = {};
};

// Apple PackBits (TIFF, Photoshop): signed header n, 0..127 copies n + 1
// bytes, -127..-1 repeats the next byte 1 - n times, -128 does nothing.
class TPackbitsRLEDecoder final : public TDecoder {
 public:
  DecodedBlock DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) override;
};

// PCX: a byte C0 or above repeats the next byte (b AND 3F) times; any other
// byte stands for itself.
class TPCXRLEDecoder final : public TDecoder {
 public:
  DecodedBlock DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) override;
};

// SGI: count (b AND 7F), top bit set copies, clear repeats, count 0 ends the
// row. With 16-bit samples headers and values are big-endian 16-bit units
// and the count sits in the low byte.
class TSGIRLEDecoder final : public TDecoder {
 public:
  explicit TSGIRLEDecoder(int sampleBits);  // 8 or 16
  DecodedBlock DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) override;

 private:
  bool wide_;
};

// Paint Shop Pro: b of 128 or above repeats the next byte b - 128 times,
// below 128 copies b bytes.
class TPSPRLEDecoder final : public TDecoder {
 public:
  DecodedBlock DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) override;
};

// Alias/Wavefront: signed n, 0 or above repeats the next byte n + 1 times,
// below 0 copies -n bytes.
class TRLADecoder final : public TDecoder {
 public:
  DecodedBlock DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) override;
};

}  // namespace lumivo
