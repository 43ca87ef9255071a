#include "imaging/picture_loading.h"

#include <new>
#include <string>

#include "core/file_bytes.h"
#include "imaging/platform_loader.h"
#include "readers/file_format_list.h"
#include "resources/texts.h"

namespace lumivo {

namespace {

Status LoadWithReader(const ReaderClass& reader, const std::filesystem::path& file, Bitmap& target) {
  auto bytes = ReadFileBytes(file);
  if (!bytes) return bytes.status();
  Bitmap picture;
  reader.load(*bytes, picture);
  target = std::move(picture);
  return {};
}

}  // namespace

// The one place where a reader's error becomes an answer.
Status LoadPictureFile(const std::filesystem::path& file, Bitmap& target) {
  try {
    const auto reader = FileFormats().ReaderClassFromFile(file);
    if (!reader) return reader.status();
    if (*reader) return LoadWithReader(**reader, file, target);
    return LoadWithPlatformLoader(file, target);
  } catch (const Failure& failure) {
    return Error{failure.what()};
  } catch (const std::bad_alloc&) {
    return Error{std::string(texts::kOutOfMemory)};
  } catch (const std::exception& error) {
    return Error{FormatText(texts::kCorruptPicture, error.what())};
  } catch (...) {
    return Error{FormatText(texts::kNotAPicture, file.string())};
  }
}

}  // namespace lumivo
