// The marker walk over a JPEG head, then the output it would write.
#include <cstdint>
#include <span>

#include "metadata/metadata_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static constexpr std::uint8_t kCompressed[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0x00, 0x00,
                                                 0xFF, 0xDB, 0x00, 0x02, 0xFF, 0xD9};
  lumivo::MetadataReader reader;
  lumivo::SpanInput input(std::span(data, size));
  (void)reader.WalkJpegSegments(input);
  (void)reader.WriteJpegWithMetadata(kCompressed, 7, 5, true);
  return 0;
}
