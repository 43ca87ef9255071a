#include "metadata/upright_loading.h"

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

Status LoadUprightPicture(const std::filesystem::path& file, Bitmap& target, Bitmap& scratch) {
  const auto bytes = ReadFileBytes(file);
  if (!bytes) return bytes.status();
  if (Status loaded = LoadPictureBytes(*bytes, file, target); !loaded) return loaded;
  return TurnUpright(target, SourceOrientation(*bytes), scratch);
}

}  // namespace lumivo
