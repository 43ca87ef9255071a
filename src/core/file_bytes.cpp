#include "core/file_bytes.h"

#include <fstream>

#include "core/text_format.h"
#include "resources/texts.h"

namespace lumivo {

Result<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& file) {
  std::error_code error;
  const Error unreadable{FormatText(texts::kFileNotReadable, file.string()), ErrorKind::Io};
  if (!std::filesystem::exists(file, error)) return Error{FormatText(texts::kFileNotFound, file.string()), ErrorKind::Io};
  if (!std::filesystem::is_regular_file(file, error)) return unreadable;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error) return unreadable;
  if (size > kMaximumFileBytes) return Error{FormatText(texts::kFileTooLarge, file.string()), ErrorKind::TooLarge};
  std::ifstream in(file, std::ios::binary);
  if (!in) return unreadable;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));  // the file may have shrunk meanwhile
  if (in.bad()) return unreadable;
  return bytes;
}

}  // namespace lumivo
