#pragma once
// JPEG data straight into 24-bit BGR rows: grey, YCbCr, RGB, and the CMYK
// and YCCK files Adobe writes.

#include <cstdint>
#include <span>

#include "core/bitmap.h"
#include "core/result.h"

namespace lumivo {

bool LooksLikeJpeg(std::span<const std::uint8_t> bytes);  // starts with FF D8

Status DecodeJpeg(std::span<const std::uint8_t> bytes, Bitmap& target);

}  // namespace lumivo
