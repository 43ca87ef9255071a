#pragma once
// The 38 input file types the user can offer to the file list. The masks
// drive folder scans, drops and the open dialog; the extensions are the keys
// under which the check marks are stored.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace lumivo {

struct FileType {
  std::string_view description;  // row text of the check list
  std::string_view mask;         // "*." + extension
  std::string_view extension;    // lower case, without dot
};

inline constexpr std::size_t kFileTypeCount = 38;

// One check mark per row of FileTypeTable, in table order.
using FileTypeChecks = std::array<bool, kFileTypeCount>;

inline constexpr std::array<FileType, kFileTypeCount> FileTypeTable = {{
    {"Alias/Wavefront Images (*.rla)", "*.rla", "rla"},
    {"Alias/Wavefront Images (*.rpf)", "*.rpf", "rpf"},
    {"Autodesk Images (*.cel)", "*.cel", "cel"},
    {"Autodesk Images (*.pic)", "*.pic", "pic"},
    {"Bitmaps (*.bmp)", "*.bmp", "bmp"},
    {"Device independant Windows Bitmaps (*.dib)", "*.dib", "dib"},
    {"Dr. Halo Images (*.cut)", "*.cut", "cut"},
    {"Encapsulated Postscript Images (*.eps)", "*.eps", "eps"},
    {"Erweiterte Metadateien (*.emf)", "*.emf", "emf"},
    {"GFI fax Images (*.fax)", "*.fax", "fax"},
    {"GIF Images (*.gif)", "*.gif", "gif"},
    {"JFIF Images (*.jfif)", "*.jfif", "jfif"},
    {"JPEG-Grafikdatei (*.jpeg)", "*.jpeg", "jpeg"},
    {"JPG-Grafikdatei (*.jpg)", "*.jpg", "jpg"},
    {"Kodak Photo-CD Images (*.pcd)", "*.pcd", "pcd"},
    {"Macintosh TIFF Images (*.tiff)", "*.tiff", "tiff"},
    {"Paintshop Pro Images (*.psp)", "*.psp", "psp"},
    {"PC TIF Images (*.tif)", "*.tif", "tif"},
    {"Photoshop Images (*.pdd)", "*.pdd", "pdd"},
    {"Photoshop Images (*.psd)", "*.psd", "psd"},
    {"Portable bitmap Images (*.pbm)", "*.pbm", "pbm"},
    {"Portable gray map Images (*.pgm)", "*.pgm", "pgm"},
    {"Portable network graphic Images (*.png)", "*.png", "png"},
    {"Portable pixel map Images (*.ppm)", "*.ppm", "ppm"},
    {"Run length encoded Windows bitmaps (*.rle)", "*.rle", "rle"},
    {"SGI black/white Images (*.bw)", "*.bw", "bw"},
    {"SGI true color Images (*.rgb)", "*.rgb", "rgb"},
    {"SGI true color Images (*.sgi)", "*.sgi", "sgi"},
    {"SGI true color Images mit alpha (*.rgba)", "*.rgba", "rgba"},
    {"Symbole, Icons (*.ico)", "*.ico", "ico"},
    {"Truevision Images (*.icb)", "*.icb", "icb"},
    {"Truevision Images (*.tga)", "*.tga", "tga"},
    {"Truevision Images (*.vda)", "*.vda", "vda"},
    {"Truevision Images (*.vst)", "*.vst", "vst"},
    {"Truevision Images (*.win)", "*.win", "win"},
    {"Windows MetaFiles, Metadateien (*.wmf)", "*.wmf", "wmf"},
    {"ZSoft Paintbrush Images (*.pcc)", "*.pcc", "pcc"},
    {"ZSoft Paintbrush Images (*.pcx)", "*.pcx", "pcx"},
}};

// The open dialog's filter text, "Desc|mask|..." pairs led by "Alle (...)",
// or the all-files filter when no row is checked.
std::string BuildOpenDialogFilter(const FileTypeChecks& checked);

// The same filter as Qt name filters ("Alle (*.bmp *.jpg)", "Bitmaps (*.bmp)").
std::vector<std::string> OpenDialogNameFilters(const FileTypeChecks& checked);

}  // namespace lumivo
