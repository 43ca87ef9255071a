#pragma once
// JPEG data straight into 24-bit BGR rows: grey, YCbCr, RGB, and the CMYK
// and YCCK files Adobe writes.

#include <cstdint>
#include <functional>
#include <span>

#include "core/bitmap.h"
#include "core/result.h"

namespace lumivo {

bool LooksLikeJpeg(std::span<const std::uint8_t> bytes);  // starts with FF D8

// Ways to decode less than the whole picture.
struct JpegDecodeRequest {
  // Given the picture's full size, the size it is to be stretched to
  // nearest-neighbour right after decoding: only the rows and columns that
  // stretch picks are decoded into the target, never the full picture, and
  // the result is byte for byte the stretched full picture. Empty, or the
  // full size returned: a plain decode.
  std::function<PictureSize(PictureSize full)> sampleTo;
  // For previews: decode at the smallest of libjpeg's scales (1/8 to 8/8)
  // whose picture still covers the full picture scaled down into this box.
  // Ignored while empty or when sampling applies.
  PictureSize coverBox;
};

// What a decode left in the target.
enum class Decoded : std::uint8_t {
  Whole,    // the whole picture, at the preview's scale if one was asked for
  Sampled,  // the picture at the size `sampleTo` gave
};

// When the sampled size's memory is not to be had, the whole picture is
// decoded.
Result<Decoded> DecodeJpeg(std::span<const std::uint8_t> bytes, Bitmap& target, const JpegDecodeRequest& request = {});

}  // namespace lumivo
