#include "imaging/jpeg_output.h"

#include <algorithm>
#include <cerrno>
#include <fstream>

#include "core/failure_reason.h"
#include "core/text_format.h"
#include "readers/jpeg_decoding.h"
#include "readers/jpeg_error.h"
#include "resources/texts.h"

namespace lumivo {

namespace {


// Appends the compressed stream to a vector, growing it in large steps.
struct VectorDestination {
  jpeg_destination_mgr library;
  std::vector<std::uint8_t>* bytes;
};

constexpr std::size_t kGrowStep = 1 << 16;

void StartDestination(j_compress_ptr info) {
  auto* destination = reinterpret_cast<VectorDestination*>(info->dest);
  destination->bytes->resize(kGrowStep);
  destination->library.next_output_byte = destination->bytes->data();
  destination->library.free_in_buffer = destination->bytes->size();
}

boolean GrowDestination(j_compress_ptr info) {
  auto* destination = reinterpret_cast<VectorDestination*>(info->dest);
  std::vector<std::uint8_t>& bytes = *destination->bytes;
  const std::size_t used = bytes.size();
  bytes.resize(used + std::max(kGrowStep, used / 2));
  destination->library.next_output_byte = bytes.data() + used;
  destination->library.free_in_buffer = bytes.size() - used;
  return TRUE;
}

void FinishDestination(j_compress_ptr info) {
  auto* destination = reinterpret_cast<VectorDestination*>(info->dest);
  destination->bytes->resize(destination->bytes->size() - destination->library.free_in_buffer);
}

// Compresses a 24-bit BGR bitmap: baseline, 4:2:0, JFIF, the standard
// tables scaled for the quality. The rows go to the encoder as they are.
Status Encode(const Bitmap& picture, int quality, std::vector<std::uint8_t>& stream) {
  jpeg_compress_struct info;
  jpeg::ErrorManager errors;
  VectorDestination destination;
  info.err = jpeg::Install(errors);
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&info);
    return Error{FormatText(texts::kJpegError, errors.message), jpeg::KindOf(errors)};
  }
  jpeg_create_compress(&info);
  destination.library.init_destination = StartDestination;
  destination.library.empty_output_buffer = GrowDestination;
  destination.library.term_destination = FinishDestination;
  destination.bytes = &stream;
  info.dest = &destination.library;

  info.image_width = static_cast<JDIMENSION>(picture.width());
  info.image_height = static_cast<JDIMENSION>(picture.height());
  info.input_components = 3;
  info.in_color_space = JCS_EXT_BGR;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[16];
    const JDIMENSION count = std::min<JDIMENSION>(16, info.image_height - info.next_scanline);
    for (JDIMENSION i = 0; i < count; ++i)
      rows[i] = const_cast<std::uint8_t*>(picture.Row(static_cast<int>(info.next_scanline + i)));
    jpeg_write_scanlines(&info, rows, count);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  return {};
}

}  // namespace

Status CompressOutput(Bitmap& working, JpegImage& jpeg, int quality) {
  quality = std::clamp(quality, 0, 100);
  if (working.empty()) {
    jpeg.Clear();
    return {};
  }
  if (Status sides = CheckJpegSides(working.width(), working.height()); !sides) return sides;
  if (working.height() < 2) {  // the encoder wants two rows; the second is white
    if (Status grown = working.Resize(working.width(), 2); !grown) return grown;
  }
  if (Status converted = working.ConvertToBgr24(); !converted) return converted;
  std::vector<std::uint8_t> stream = jpeg.ReleaseStream();
  stream.clear();
  if (Status encoded = Encode(working, quality, stream); !encoded) {
    jpeg.Clear();
    return encoded;
  }
  jpeg.Assign(working.width(), working.height(), std::move(stream));
  return {};
}

Status SaveJpeg(const JpegImage& jpeg, const std::filesystem::path& path) {
  errno = 0;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (out) out.write(reinterpret_cast<const char*>(jpeg.stream().data()), static_cast<std::streamsize>(jpeg.stream().size()));
  if (out) out.close();
  if (!out) {
    const int reason = errno != 0 ? errno : EIO;
    return Error{FormatText(texts::kCannotWriteFileBecause, path.string(), FailureReason(reason)), ErrorKind::Io};
  }
  return {};
}

bool RenderAtQuality(const Bitmap& source, Bitmap& output, int quality) {
  Bitmap picture = source;
  JpegImage jpeg;
  if (!CompressOutput(picture, jpeg, quality) || jpeg.empty()) return false;
  return DecodeJpeg(jpeg.stream(), output).ok();
}

}  // namespace lumivo
