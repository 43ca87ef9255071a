#include "metadata/upright_loading.h"

#include <utility>

#include "core/file_bytes.h"
#include "imaging/orientation.h"
#include "imaging/picture_loading.h"
#include "metadata/metadata_reader.h"

namespace lumivo {

int SourceOrientation(std::span<const std::uint8_t> bytes) {
  if (!IsJpegContent(bytes)) return 0;
  MetadataReader reader;
  SpanInput input(bytes);
  (void)reader.WalkJpegSegments(input);
  return reader.exifInfo() ? reader.exifInfo()->orientation() : 0;
}

Result<Decoded> LoadUprightPicture(const std::filesystem::path& file, Bitmap& target, Bitmap& scratch,
                                   const JpegDecodeRequest& request) {
  const auto bytes = ReadFileBytes(file);
  if (!bytes) return bytes.error();
  const int orientation = SourceOrientation(*bytes);
  JpegDecodeRequest stored = request;
  if (orientation >= 2 && orientation <= 8) {
    // The stretch applies to the upright picture, whose rows may be the
    // stored columns: such a picture is decoded whole.
    stored.sampleTo = nullptr;
    if (orientation >= 5) std::swap(stored.coverBox.width, stored.coverBox.height);
  }
  const Result<Decoded> loaded = LoadPictureBytes(*bytes, file, target, stored);
  if (!loaded) return loaded;
  if (Status turned = TurnUpright(target, orientation, scratch); !turned) return turned.error();
  return loaded;
}

}  // namespace lumivo
