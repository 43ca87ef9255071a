#pragma once
// The registry of reader classes: which class serves which extension, and
// which class reads a given file's content.

#include <cstdint>
#include <istream>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"
#include "readers/reader_class.h"

namespace lumivo {

enum FormatKind : std::uint8_t { kAnimated = 1, kLayered = 2, kMultiImage = 4, kRaster = 8, kVector = 16 };

struct TClassEntry {
  const ReaderClass* readerClass = nullptr;
  std::string description;  // the last non-empty common description given
  std::uint32_t count = 0;  // extension entries that refer to it
};

struct TExtensionEntry {
  std::string extension;  // without dot
  std::string description;
  std::uint8_t kinds = 0;  // FormatKind bits; stored only
  const ReaderClass* readerClass = nullptr;
};

class TFileFormatList {
 public:
  // Fails with "Attempt to register %s twice." for a known extension.
  Status AddFormat(std::string_view extension, std::string_view commonDescription,
                   std::string_view ownDescription, std::uint8_t kinds, const ReaderClass& readerClass);
  void RemoveFormat(std::string_view extension);
  void RemoveFormat(const ReaderClass& readerClass);

  int LookupExtension(std::string_view extension) const;  // case-insensitive; -1 when unknown
  int LookupClass(const ReaderClass& readerClass) const;  // -1 when unknown

  // The entry's own description, or its class's when it has none.
  std::string DescriptionOf(const TExtensionEntry& entry) const;

  // The first of the program's own reader classes that accepts the content,
  // or nullptr.
  const ReaderClass* ReaderClassFromStream(std::istream& stream) const;

  const std::vector<TClassEntry>& classes() const { return classes_; }
  const std::vector<TExtensionEntry>& extensions() const { return extensions_; }

 private:
  std::vector<TClassEntry> classes_;
  std::vector<TExtensionEntry> extensions_;
};

// The 40 registrations of the program, in order.
Status RegisterProgramFormats(TFileFormatList& list);

// The process-wide registry, filled once on first use.
const TFileFormatList& FileFormats();

}  // namespace lumivo
