#include "settings/profiles.h"

#include <algorithm>
#include <filesystem>

#include "core/text_basics.h"
#include "core/text_format.h"
#include "resources/texts.h"
#include "settings/adjustment_keys.h"
#include "settings/key_reader.h"
#include "settings/settings_file.h"
#include "settings/string_divider.h"
#include "settings/xml_config.h"

namespace lumivo {

namespace {

constexpr std::size_t kMaxNameCharacters = 254;
constexpr std::size_t kMaxNameBytes = 255;
constexpr std::string_view kForbiddenCharacters = "\"&*/:<>?\\^|\x7f";

std::filesystem::path ProfilePath(const std::string& folder, std::string_view name) {
  return std::filesystem::path(folder + std::string(name));
}

std::filesystem::file_type EntryType(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::symlink_status(path, ec).type();
}

// Lower case for ASCII and for the Latin-1 capitals U+00C0..U+00DE (not ×).
std::string FoldCase(std::string_view text) {
  std::string folded(text);
  for (std::size_t i = 0; i < folded.size(); ++i) {
    auto& c = folded[i];
    if (c >= 'A' && c <= 'Z') {
      c = AsciiLower(c);
    } else if (static_cast<unsigned char>(c) == 0xC3 && i + 1 < folded.size()) {
      auto& next = folded[i + 1];
      const auto value = static_cast<unsigned char>(next);
      if (value >= 0x80 && value <= 0x9E && value != 0x97) next = static_cast<char>(value + 0x20);
      ++i;
    }
  }
  return folded;
}

}  // namespace

bool SameProfileName(std::string_view a, std::string_view b) { return FoldCase(a) == FoldCase(b); }

bool IsValidProfileNameText(std::string_view name) {
  if (name.empty() || name.size() > kMaxNameBytes) return false;
  if (!IsValidUtf8(name) || Utf8CharacterCount(name) > kMaxNameCharacters) return false;
  const bool badCharacter = std::any_of(name.begin(), name.end(), [](char c) {
    return static_cast<unsigned char>(c) < 32 || kForbiddenCharacters.find(c) != std::string_view::npos;
  });
  if (badCharacter) return false;
  if (name == "." || name == "..") return false;
  if (name.find(kProfileListSeparator) != std::string_view::npos) return false;
  return !SameProfileName(name, kSettingsFileName);
}

bool IsProfileFile(const std::string& folder, std::string_view name) {
  if (!IsValidProfileNameText(name)) return false;
  const auto file = ProfilePath(folder, name);
  if (EntryType(file) != std::filesystem::file_type::regular) return false;
  auto store = TXMLConfig::Open(file);
  return store && store->RootName() == "Configuration";
}

bool IsValidProfileName(const std::string& folder, std::string_view name) {
  if (!IsValidProfileNameText(name)) return false;
  const auto type = EntryType(ProfilePath(folder, name));
  return type == std::filesystem::file_type::not_found || IsProfileFile(folder, name);
}

Status SaveProfile(const std::string& folder, std::string_view name, const ConversionSettings& settings) {
  if (!IsValidProfileName(folder, name)) return Error{std::string(texts::kProfileNameNotAllowed)};
  auto store = TXMLConfig::Open(ProfilePath(folder, name));
  if (!store) return store.status();
  store->WriteBool(keys::kGeneral, keys::kSetupFileExists, true);
  WriteAdjustmentKeys(*store, settings);
  return store->Save();
}

Status LoadProfile(const std::string& folder, std::string_view name, ConversionSettings& settings) {
  if (!IsProfileFile(folder, name)) return Error{FormatText(texts::kFileNotReadable, folder + std::string(name))};
  auto store = TXMLConfig::Open(ProfilePath(folder, name));
  if (!store) return store.status();
  KeyReader read(*store);
  ReadAdjustmentKeys(read, settings);
  return read.status();
}

Status CreateProfile(const std::string& folder, std::vector<std::string>& profiles, std::string_view name,
                     const ConversionSettings& settings) {
  if (!IsValidProfileName(folder, name)) return Error{std::string(texts::kProfileNameNotAllowed)};
  const bool taken = std::any_of(profiles.begin(), profiles.end(),
                                 [&](const std::string& entry) { return SameProfileName(entry, name); });
  if (taken) return Error{std::string(texts::kProfileExists)};
  if (Status saved = SaveProfile(folder, name, settings); !saved) {
    return Error{FormatText(texts::kProfileNotSaved, name, saved.message()), saved.kind()};
  }
  profiles.emplace_back(name);
  return Status::Ok();
}

ProfileDeletion DeleteProfile(const std::string& folder, std::vector<std::string>& profiles, std::string_view name) {
  const auto removeEntry = [&] {
    const auto it = std::find_if(profiles.begin(), profiles.end(),
                                 [&](const std::string& entry) { return SameProfileName(entry, name); });
    if (it != profiles.end()) profiles.erase(it);
  };
  const auto file = ProfilePath(folder, name);
  std::error_code ec;
  if (IsProfileFile(folder, name) && std::filesystem::remove(file, ec)) {
    removeEntry();
    return ProfileDeletion::Deleted;
  }
  if (EntryType(file) == std::filesystem::file_type::not_found) {
    removeEntry();
    return ProfileDeletion::EntryRemoved;
  }
  return ProfileDeletion::Kept;
}

}  // namespace lumivo
