#pragma once
// Where a run puts the JPEG of one source and what it calls it. The source is
// never overwritten: every name ends in ".jpg", a taken name gets a number,
// and an over-long name a short fixed one.

#include <functional>
#include <string>
#include <string_view>

namespace lumivo {

enum class DestinationMode { ChosenFolder, BesideSource };

// The naming inputs of one entry. Paths are UTF-8; folders end in "/".
struct OutputPlacement {
  DestinationMode mode = DestinationMode::BesideSource;
  std::string baseFolder;  // the picked folder; unused beside the source
  bool keepFolderStructure = true;
  bool alwaysNumber = true;
  // When set, a folder above the source: the source's folders below it are
  // rebuilt below the base folder, in place of keepFolderStructure.
  std::string structureRoot;
};

struct OutputName {
  std::string folder;  // ends in "/"
  std::string name;
  std::string path() const { return folder + name; }
};

// Answers whether a full path is taken.
using NameTaken = std::function<bool(const std::string& path)>;

// Anything under that name, a dangling link included, takes it.
[[nodiscard]] bool NameTakenOnDisk(const std::string& path);

// The folder an entry's output goes to, ending in "/". Relative paths are
// taken from the current folder. Under KeepFolderStructure the source's
// folder, without its leading "/", is rebuilt below the base folder and
// cannot climb out of it; with a structure root only the part below that
// root is. Creates nothing.
std::string OutputFolder(std::string_view source, const OutputPlacement& placement);

// Folder and name for the source's output. Every collision test asks `taken`,
// so outputs written earlier count as existing. Creates nothing: the writer
// creates the folder.
OutputName BuildOutputName(std::string_view source, const OutputPlacement& placement,
                           const NameTaken& taken = NameTakenOnDisk);

// The file-name part of name, its extension (from its last ".", unless that
// is the first character) replaced by extension, or extension appended when
// it has none.
std::string ReplaceExtension(std::string_view name, std::string_view extension);

// "[0041]a.jpg" becomes "[0042]a.jpg", "[x]a.jpg" becomes "a.jpg"; a name
// without a bracket prefix gets "[0001]_" when always is set.
std::string ApplyNumberPrefix(std::string_view name, bool always);

// "[%4.4d]" of number.
std::string NumberPrefix(long long number);

}  // namespace lumivo
