#include "readers/jpeg_decoding.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <string>

#include "core/nearest_sampling.h"
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

void ReadAllRows(jpeg_decompress_struct& info, Bitmap& target, bool cmyk) {
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
}

std::span<std::uint32_t> PoolTable(jpeg_decompress_struct& info, int length) {
  auto* table = static_cast<std::uint32_t*>((*info.mem->alloc_large)(
      reinterpret_cast<j_common_ptr>(&info), JPOOL_IMAGE, static_cast<std::size_t>(length) * sizeof(std::uint32_t)));
  return {table, static_cast<std::size_t>(length)};
}

// Only the rows the stretch picks are colour-converted, and only their
// picked columns land in the target, which is allocated at the sampled size.
// Rows between are skipped, which still reads their data; so does the end.
void ReadSampledRows(jpeg_decompress_struct& info, Bitmap& target, bool cmyk) {
  const JDIMENSION pixelBytes = cmyk ? 4 : 3;
  const std::span<std::uint32_t> columns = PoolTable(info, target.width());
  const std::span<std::uint32_t> rows = PoolTable(info, target.height());
  FillNearestSampleTable(columns, static_cast<int>(info.output_width), pixelBytes);
  FillNearestSampleTable(rows, static_cast<int>(info.output_height), 1);
  auto* common = reinterpret_cast<j_common_ptr>(&info);
  JSAMPARRAY scratch = (*info.mem->alloc_sarray)(common, JPOOL_IMAGE, info.output_width * pixelBytes, 1);
  JSAMPARRAY gathered =
      cmyk ? (*info.mem->alloc_sarray)(common, JPOOL_IMAGE, static_cast<JDIMENSION>(target.width()) * 4, 1) : nullptr;
  for (int y = 0; y < target.height(); ++y) {
    const std::uint32_t wanted = rows[static_cast<std::size_t>(y)];
    if (y > 0 && wanted == rows[static_cast<std::size_t>(y) - 1]) {
      std::memcpy(target.Row(y), target.Row(y - 1), target.rowBytes());
      continue;
    }
    if (wanted > info.output_scanline) jpeg_skip_scanlines(&info, wanted - info.output_scanline);
    jpeg_read_scanlines(&info, scratch, 1);
    if (cmyk) {
      GatherColumns<4>(scratch[0], gathered[0], columns);
      CmykRowToBgr(gathered[0], target.Row(y), static_cast<JDIMENSION>(target.width()), info.saw_Adobe_marker);
    } else {
      GatherColumns<3>(scratch[0], target.Row(y), columns);
    }
  }
  // Skipping to the very end would leave the rest of the data unread; the
  // last row is read so that a file cut short fails as in a full decode.
  if (info.output_scanline < info.output_height) {
    if (info.output_height - info.output_scanline > 1)
      jpeg_skip_scanlines(&info, info.output_height - 1 - info.output_scanline);
    jpeg_read_scanlines(&info, scratch, 1);
  }
}

// The smallest scale n/8 whose picture still covers the full picture scaled
// down (never up) into the box: n/8 >= min(box width / width, box height / height).
void ScaleToCover(jpeg_decompress_struct& info, PictureSize full, PictureSize box) {
  int n = 1;
  while (n < 8 && std::int64_t{n} * full.width < std::int64_t{8} * box.width &&
         std::int64_t{n} * full.height < std::int64_t{8} * box.height)
    ++n;
  info.scale_num = static_cast<unsigned>(n);
  info.scale_denom = 8;
}

}  // namespace

bool LooksLikeJpeg(std::span<const std::uint8_t> bytes) {
  return bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8;
}

Result<Decoded> DecodeJpeg(std::span<const std::uint8_t> bytes, Bitmap& target, const JpegDecodeRequest& request) {
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
    return size.error();
  }
  const PictureSize full{static_cast<int>(info.image_width), static_cast<int>(info.image_height)};
  const PictureSize wanted = request.sampleTo ? request.sampleTo(full) : full;
  const bool sampling = wanted != full && wanted.width > 0 && wanted.height > 0 &&
                        target.Allocate(wanted.width, wanted.height, PixelFormat::Bgr24).ok();
  if (sampling) {
    jpeg_start_decompress(&info);
    ReadSampledRows(info, target, cmyk);
  } else {
    if (request.coverBox.width > 0 && request.coverBox.height > 0) ScaleToCover(info, full, request.coverBox);
    jpeg_start_decompress(&info);
    if (Status made = target.Allocate(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                                      PixelFormat::Bgr24);
        !made) {
      jpeg_destroy_decompress(&info);
      return made.error();
    }
    ReadAllRows(info, target, cmyk);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);
  return sampling ? Decoded::Sampled : Decoded::Whole;
}

}  // namespace lumivo
