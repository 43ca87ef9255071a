#include "fuzz_harness.h"
#include "readers/jpeg_decoding.h"

// The full decode, a sampled one (a third of the size, or twice it when the
// last byte is odd) and a preview-scaled one of the same bytes.
bool LumivoFuzzAccepts(std::span<const std::uint8_t> bytes) {
  lumivo::Bitmap target;
  const bool whole = lumivo::DecodeJpeg(bytes, target).ok();
  const bool enlarge = !bytes.empty() && (bytes.back() & 1) != 0;
  lumivo::JpegDecodeRequest sampling;
  sampling.sampleTo = [enlarge](lumivo::PictureSize full) {
    return enlarge ? lumivo::PictureSize{full.width * 2, full.height * 2}
                   : lumivo::PictureSize{full.width / 3, full.height / 3};
  };
  (void)lumivo::DecodeJpeg(bytes, target, sampling);
  lumivo::JpegDecodeRequest preview;
  preview.coverBox = {40, 30};
  (void)lumivo::DecodeJpeg(bytes, target, preview);
  return whole;
}
