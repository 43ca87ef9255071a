#pragma once
// The general switches and the one remembered folder: everything the
// settings file keeps that is not an image adjustment.

#include <string>
#include <vector>

#include "filelist/file_type_table.h"

namespace lumivo {

// Member values are those of a first start (no settings file).
struct ProgramOptions {
  bool StartPreview = true;
  bool MouseHints = true;
  bool FileListHints = true;
  bool ShowErrors = false;
  bool KeepFolderStructure = true;
  bool AlwaysNumber = true;
  bool OnlyFileNames = true;
  bool KeepExif = true;
  bool AutoSave = false;
  FileTypeChecks FileTypeChecked{};  // all off
  std::string LastOutputFolder;      // ends in "/" when set

  friend bool operator==(const ProgramOptions&, const ProgramOptions&) = default;
};

// The main window's top-left corner in screen pixels.
struct WindowPosition {
  int Left = 10;
  int Top = 10;

  friend bool operator==(const WindowPosition&, const WindowPosition&) = default;
};

}  // namespace lumivo
