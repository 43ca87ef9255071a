#include "core/file_bytes.h"

#include <fstream>

#include "resources/texts.h"

namespace lumivo {

Result<std::vector<std::uint8_t>> ReadFileBytes(const std::filesystem::path& file) {
  std::error_code error;
  if (!std::filesystem::exists(file, error)) return Error{FormatText(texts::kFileNotFound, file.string())};
  if (!std::filesystem::is_regular_file(file, error)) return Error{FormatText(texts::kFileNotReadable, file.string())};
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error) return Error{FormatText(texts::kFileNotReadable, file.string())};
  if (size > kMaximumFileBytes) return Error{FormatText(texts::kFileTooLarge, file.string())};
  std::ifstream in(file, std::ios::binary);
  if (!in) return Error{FormatText(texts::kFileNotReadable, file.string())};
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));  // the file may have shrunk meanwhile
  if (in.bad()) return Error{FormatText(texts::kFileNotReadable, file.string())};
  return bytes;
}

}  // namespace lumivo
