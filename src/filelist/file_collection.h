#pragma once
// Gathering source files from folder trees, and the file-type test for
// single dropped files.

#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lumivo {

// Appends the path of every file in folder and in all folders below it whose
// name matches the mask ("*.jpg", letter case ignored). A folder's own files
// come before those of its sub-folders. Names are taken in a fixed order,
// since Linux returns them in none: letter case ignored for A-Z, then byte by
// byte. Folders beginning with "." are not entered, links to folders are not
// followed, and a folder that cannot be read contributes nothing.
void CollectFiles(std::string_view folder, std::string_view mask, std::vector<std::string>& list);

// True when the name's last three characters equal, in upper case, those of
// the mask "*." + extension of one of the marked extensions ("JPEG" takes
// "x.jpeg" but "TIF" does not take "x.tiff").
[[nodiscard]] bool MatchesMarkedFileType(std::string_view name, std::span<const std::string> markedExtensions);

}  // namespace lumivo
