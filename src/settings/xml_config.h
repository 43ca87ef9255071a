#pragma once
// Named string values in one XML file, grouped in sections: a section is a
// child element of the document element, a key one of its attributes.
// A store is short-lived: open, read or write a handful of values, save.
// Reads never create anything; a write that leaves the stored text as it was
// changes nothing, so a store that changed nothing never touches its file.

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

#include "core/result.h"

namespace lumivo {

// Settings files are a few kilobytes; anything far beyond is not ours.
inline constexpr std::size_t kMaxSettingsFileSize = 16u << 20;

class TXMLConfig {
 public:
  // Loads the file, or starts an empty "Configuration" document when it does
  // not exist (nothing is written then). Fails when an existing file cannot be
  // read or parsed; such a file is never rewritten, since no store exists for it.
  static Result<TXMLConfig> Open(const std::filesystem::path& file);

  // As Open, on bytes already read from `file`.
  static Result<TXMLConfig> Parse(std::string_view bytes, const std::filesystem::path& file);

  TXMLConfig(TXMLConfig&&) noexcept;
  TXMLConfig& operator=(TXMLConfig&&) noexcept;
  // Discards the document without saving: a routine that stops half-way
  // never writes a half-changed file. Writers call Save.
  ~TXMLConfig();

  bool Modified() const;
  // Tag name of the document element ("Configuration" in every file we write).
  std::string RootName() const;

  std::string ReadString(std::string_view section, std::string_view key, std::string_view defaultValue) const;
  // Fails when the stored text is not a decimal integer that fits 32 bits.
  Result<int> ReadInteger(std::string_view section, std::string_view key, int defaultValue) const;
  // An integer whose lowest eight bits are all zero is false: 0 and 256 read false, 1 and 2 true.
  Result<bool> ReadBool(std::string_view section, std::string_view key, bool defaultValue) const;

  void WriteString(std::string_view section, std::string_view key, std::string_view value);
  void WriteInteger(std::string_view section, std::string_view key, int value);
  void WriteBool(std::string_view section, std::string_view key, bool value);

  // Writes the file when Modified, replacing it only once the new content is
  // complete on disk: a failing save leaves the earlier file as it was.
  // Content beyond kMaxSettingsFileSize is refused, since no store would read it.
  Status Save();

  // The bytes Save writes: UTF-8 without declaration, two-space indent, CR LF.
  std::string Serialize() const;

 private:
  struct Impl;
  explicit TXMLConfig(std::unique_ptr<Impl> impl);
  std::unique_ptr<Impl> impl_;
};

}  // namespace lumivo
