#include "imaging/picture_loading.h"

#include <new>
#include <string>

#include "core/file_bytes.h"
#include "core/memory_stream.h"
#include "core/text_format.h"
#include "imaging/platform_loader.h"
#include "readers/file_format_list.h"
#include "resources/texts.h"

namespace lumivo {

Status LoadPictureFile(const std::filesystem::path& file, Bitmap& target) {
  // Read once: the content tests and the loader see the same bytes.
  const auto bytes = ReadFileBytes(file);
  if (!bytes) return bytes.status();
  return LoadPictureBytes(*bytes, file, target).status();
}

// The one place where a reader's error becomes an answer.
Result<Decoded> LoadPictureBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& file,
                                 Bitmap& target, const JpegDecodeRequest& request) {
  try {
    MemoryStream stream(bytes);
    const ReaderClass* reader = FileFormats().ReaderClassFromStream(stream);
    if (!reader) return LoadPlatformPicture(bytes, file, target, request);
    Bitmap picture;
    reader->load(bytes, picture);
    target = std::move(picture);
    return Decoded::Whole;
  } catch (const TooLarge& failure) {
    return Error{failure.what(), ErrorKind::TooLarge};
  } catch (const Failure& failure) {
    return Error{failure.what()};
  } catch (const std::bad_alloc&) {
    return Error{std::string(texts::kOutOfMemory), ErrorKind::TooLarge};
  } catch (const std::exception& error) {
    return Error{FormatText(texts::kCorruptPicture, error.what())};
  } catch (...) {
    return Error{FormatText(texts::kNotAPicture, file.string())};
  }
}

}  // namespace lumivo
