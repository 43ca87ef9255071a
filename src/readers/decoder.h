#pragma once
// The one interface every pixel-data decoder of the readers shares. A reader
// creates one decoder per image, brackets the image's blocks with
// StartDecoding and FinishDecoding, and feeds it block by block (a row, a
// strip, a plane or the whole image, as the reader decides).

#include <cstddef>
#include <cstdint>
#include <span>

namespace lumivo {

// How far one DecodeBlock call got: packed bytes read, unpacked bytes written.
// Readers that hand a decoder more than one block's worth of packed data
// continue after `consumed`.
struct DecodedBlock {
  std::size_t consumed = 0;
  std::size_t produced = 0;
};

class TDecoder {
 public:
  virtual ~TDecoder() = default;

  // Never reads beyond `packed` nor writes beyond `unpacked`: a packet that
  // would cross either end is cut there. Data that ends early leaves the rest
  // of `unpacked` as it was.
  virtual DecodedBlock DecodeBlock(std::span<const std::uint8_t> packed, std::span<std::uint8_t> unpacked) = 0;
  virtual void StartDecoding() {}
  virtual void FinishDecoding() {}

 protected:
  TDecoder() = default;
  TDecoder(const TDecoder&) = default;
  TDecoder& operator=(const TDecoder&) = default;
};

}  // namespace lumivo
