#include "readers/jpeg_decoding.h"

#include <algorithm>
#include <array>
#include <string>

#include "core/text_format.h"
#include "readers/jpeg_error.h"
#include "resources/texts.h"

namespace lumivo {

namespace {

// A progressive file may announce any number of scans; real ones have a dozen.
constexpr int kMaximumScans = 1000;
constexpr long kMaximumDecoderMemory = 1L << 30;

// CMYK bytes to one colour byte: (C x K) / 255 on the inverted values that
// Adobe writes; plain files are inverted first.
const std::array<std::array<std::uint8_t, 256>, 256>& ProductTable() {
  static const auto table = [] {
    std::array<std::array<std::uint8_t, 256>, 256> t{};
    for (int a = 0; a < 256; ++a)
      for (int b = 0; b < 256; ++b) t[a][b] = static_cast<std::uint8_t>((a * b + 127) / 255);
    return t;
  }();
  return table;
}

void CmykRowToBgr(const JSAMPLE* cmyk, std::uint8_t* bgr, JDIMENSION width, bool inverted) {
  const auto& product = ProductTable();
  const std::uint8_t flip = inverted ? 0 : 255;
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4, bgr += 3) {
    const auto& k = product[cmyk[3] ^ flip];
    bgr[0] = k[cmyk[2] ^ flip];
    bgr[1] = k[cmyk[1] ^ flip];
    bgr[2] = k[cmyk[0] ^ flip];
  }
}

void CountScans(j_common_ptr info) {
  auto* decompress = reinterpret_cast<j_decompress_ptr>(info);
  if (decompress->input_scan_number > kMaximumScans) jpeg::Fail(info, "too many scans");
}

}  // namespace

bool LooksLikeJpeg(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8;
}

Status DecodeJpeg(std::span<const std::uint8_t> bytes, Bitmap& target) {
  // Everything the error jump may cross is a plain C object declared here.
  jpeg_decompress_struct info;
  jpeg::ErrorManager errors;
  jpeg_progress_mgr progress;
  info.err = jpeg::Install(errors);
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&info);
    return Error{FormatText(texts::kJpegError, errors.message), jpeg::KindOf(errors)};
  }
  jpeg_create_decompress(&info);
  info.mem->max_memory_to_use = kMaximumDecoderMemory;
  progress.progress_monitor = CountScans;
  info.progress = &progress;
  jpeg_mem_src(&info, bytes.data(), static_cast<unsigned long>(bytes.size()));
  jpeg_read_header(&info, TRUE);

  const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
  info.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGR;
  if (Status size = CheckPictureSize(info.image_width, info.image_height); !size) {
    jpeg_destroy_decompress(&info);
    return size;
  }
  jpeg_start_decompress(&info);
  if (Status made = target.Allocate(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                                    PixelFormat::Bgr24);
      !made) {
    jpeg_destroy_decompress(&info);
    return made;
  }
  JSAMPARRAY cmykRow =
      cmyk ? (*info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, info.output_width * 4, 1)
           : nullptr;
  while (info.output_scanline < info.output_height) {
    std::uint8_t* row = target.Row(static_cast<int>(info.output_scanline));
    if (cmyk) {
      jpeg_read_scanlines(&info, cmykRow, 1);
      CmykRowToBgr(cmykRow[0], row, info.output_width, info.saw_Adobe_marker);
    } else {
      JSAMPROW rows[16];
      const JDIMENSION count = std::min<JDIMENSION>(16, info.output_height - info.output_scanline);
      for (JDIMENSION i = 0; i < count; ++i) rows[i] = row + i * target.stride();
      jpeg_read_scanlines(&info, rows, count);
    }
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return {};
}

}  // namespace lumivo
