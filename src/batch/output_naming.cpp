#include "batch/output_naming.h"

#include <charconv>
#include <filesystem>
#include <system_error>

#include "core/folder_path.h"
#include "core/text_basics.h"
#include "core/text_format.h"
#include "resources/texts.h"

namespace lumivo {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxNameCharacters = 200;
// Linux refuses longer names (NAME_MAX), whatever their character count.
constexpr std::size_t kMaxNameBytes = 255;

std::string_view FolderPart(std::string_view path) {
  const auto slash = path.rfind('/');
  return slash == std::string_view::npos ? std::string_view() : path.substr(0, slash + 1);
}

std::string_view FileNamePart(std::string_view path) {
  const auto slash = path.rfind('/');
  return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string Absolute(std::string_view path) {
  std::error_code error;
  const fs::path absolute = fs::absolute(fs::path(std::string(path)), error);
  return error ? std::string(path) : absolute.string();
}

// Normal, without a trailing "/", so that two folders compare part by part.
fs::path FolderOnly(const fs::path& folder) {
  fs::path normal = folder.lexically_normal();
  if (!normal.has_filename() && normal.has_relative_path()) normal = normal.parent_path();
  return normal;
}

bool TooLong(std::string_view name) {
  return name.size() > kMaxNameBytes || Utf8CharacterCount(name) > kMaxNameCharacters;
}

// The leading "[digits]_" prefixes this program wrote; a user's own
// "Urlaub [2024]_Strand" inside a name is no prefix.
std::size_t NumberPrefixesLength(std::string_view name) {
  std::size_t length = 0;
  for (;;) {
    const std::string_view rest = name.substr(length);
    const auto close = rest.find("]_");
    if (!rest.starts_with('[') || close == std::string_view::npos || close < 2 ||
        rest.substr(1, close - 1).find_first_not_of("0123456789") != std::string_view::npos)
      return length;
    length += close + 2;
  }
}

// One more than the decimal digits, however many there are.
std::string NextNumberPrefix(std::string_view digits) {
  while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
  long long number = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
  if (error == std::errc() && end == digits.data() + digits.size() && number < (1LL << 62))
    return NumberPrefix(number + 1);
  std::string next(digits);
  auto i = next.size();
  while (i > 0 && next[i - 1] == '9') next[--i] = '0';
  if (i == 0)
    next.insert(next.begin(), '1');
  else
    ++next[i - 1];
  return "[" + next + "]";
}

}  // namespace

bool NameTakenOnDisk(const std::string& path) {
  std::error_code error;
  return fs::exists(fs::symlink_status(fs::path(path), error));
}

std::string NumberPrefix(long long number) { return FormatText(texts::kNumberPrefix, number); }

std::string OutputFolder(std::string_view source, const OutputPlacement& placement) {
  const std::string absoluteSource = Absolute(source);
  if (placement.mode == DestinationMode::BesideSource) return WithTrailingSlash(std::string(FolderPart(absoluteSource)));
  std::string folder = WithTrailingSlash(Absolute(placement.baseFolder));
  if (!placement.structureRoot.empty()) {
    const fs::path below = FolderOnly(fs::path(absoluteSource).parent_path())
                               .lexically_relative(FolderOnly(fs::path(Absolute(placement.structureRoot))));
    // A source outside its root (never so from a folder scan) goes to the base itself.
    if (!below.empty() && below != "." && *below.begin() != "..") folder += below.string();
  } else if (placement.keepFolderStructure) {
    // Normalising first keeps ".." in the source from climbing above the base.
    const fs::path sourceFolder = fs::path(std::string(FolderPart(absoluteSource))).lexically_normal();
    folder += sourceFolder.relative_path().string();
  }
  return WithTrailingSlash(std::move(folder));
}

OutputName BuildOutputName(std::string_view source, const OutputPlacement& placement, const NameTaken& taken) {
  OutputName out;
  out.folder = OutputFolder(source, placement);
  std::string name = ReplaceExtension(FileNamePart(source), "jpg");
  name.erase(0, NumberPrefixesLength(name));
  const std::string plain = name;

  name = ApplyNumberPrefix(name, placement.alwaysNumber);
  for (long long k = 1; taken(out.folder + name); ++k) name = NumberPrefix(k) + "_" + plain;

  if (TooLong(name)) {
    name = NumberPrefix(1) + "_" + std::string(texts::kTooLongName);
    for (long long j = 2; taken(out.folder + name); ++j) name = NumberPrefix(j) + std::string(texts::kTooLongName);
  }
  out.name = std::move(name);
  return out;
}

std::string ReplaceExtension(std::string_view name, std::string_view extension) {
  std::string result(FileNamePart(name));
  // On Linux a leading dot starts no extension: ".hidden" stays visible as ".hidden.jpg".
  if (const auto dot = result.rfind('.'); dot != std::string::npos && dot > 0) result.erase(dot);
  if (extension.empty() || extension.front() != '.') result += '.';
  result += extension;
  return result;
}

std::string ApplyNumberPrefix(std::string_view name, bool always) {
  if (!name.empty() && name.front() == '[') {
    if (const auto close = name.find(']'); close != std::string_view::npos) {
      std::string digits;
      for (const char c : name.substr(0, close))
        if (c >= '0' && c <= '9') digits += c;
      const std::string rest(name.substr(close + 1));
      return digits.empty() ? rest : NextNumberPrefix(digits) + rest;
    }
  }
  if (always) return NumberPrefix(1) + "_" + std::string(name);
  return std::string(name);
}

}  // namespace lumivo
