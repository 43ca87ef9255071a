// The marker walk over a JPEG head, then the output it would write.
// Accepted: the walk captured metadata.
#include <cstdint>
#include <span>

#include "fuzz_harness.h"
#include "metadata/metadata_reader.h"

bool LumivoFuzzAccepts(std::span<const std::uint8_t> bytes) {
  static constexpr std::uint8_t kCompressed[] = {0xFF, 0xD8, 0xFF, 0xE0, 0x00, 0x04, 0x00, 0x00,
                                                 0xFF, 0xDB, 0x00, 0x02, 0xFF, 0xD9};
  lumivo::MetadataReader reader;
  lumivo::SpanInput input(bytes);
  const bool captured = reader.WalkJpegSegments(input);
  (void)reader.WriteJpegWithMetadata(kCompressed, 7, 5, true);
  return captured;
}
