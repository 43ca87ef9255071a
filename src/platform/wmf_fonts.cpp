#include "platform/wmf_fonts.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <string>
#include <vector>

namespace lumivo::platform {

namespace {

// The PostScript names in the order regular, italic, bold, bold italic.
struct StandardFamily {
  const char* family;
  std::array<const char*, 4> names;
};

constexpr std::array<StandardFamily, 3> kStandardFamilies{{
    {"serif", {"Times-Roman", "Times-Italic", "Times-Bold", "Times-BoldItalic"}},
    {"sans-serif", {"Helvetica", "Helvetica-Oblique", "Helvetica-Bold", "Helvetica-BoldOblique"}},
    {"monospace", {"Courier", "Courier-Oblique", "Courier-Bold", "Courier-BoldOblique"}},
}};

struct StandardFont {
  const char* name;
  const char* family;
  int weight;
  int slant;
};

std::vector<StandardFont> StandardFonts() {
  std::vector<StandardFont> fonts;
  for (const StandardFamily& family : kStandardFamilies)
    for (int style = 0; style < 4; ++style)
      fonts.push_back({family.names[style], family.family, style & 2 ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR,
                       style & 1 ? FC_SLANT_ITALIC : FC_SLANT_ROMAN});
  fonts.push_back({"Symbol", "sans-serif", FC_WEIGHT_REGULAR, FC_SLANT_ROMAN});
  return fonts;
}

std::string MatchFile(const StandardFont& font) {
  FcPattern* pattern = FcPatternCreate();
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(font.family));
  FcPatternAddInteger(pattern, FC_WEIGHT, font.weight);
  FcPatternAddInteger(pattern, FC_SLANT, font.slant);
  FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
  FcDefaultSubstitute(pattern);
  FcResult result = FcResultNoMatch;
  FcPattern* match = FcFontMatch(nullptr, pattern, &result);
  std::string file;
  FcChar8* path = nullptr;
  if (match && FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch) file = reinterpret_cast<const char*>(path);
  if (match) FcPatternDestroy(match);
  FcPatternDestroy(pattern);
  return file;
}

// Built once; libwmf only reads it.
struct FontTable {
  std::vector<std::string> names, files, folders;
  std::vector<wmfMapping> mappings;
  std::vector<char*> folderList;
  std::array<wmfFontMap, 1> noWmfNames{};
  std::array<wmfMapping, 1> noSubstitutes{};

  FontTable() {
    for (const StandardFont& font : StandardFonts()) {
      const std::filesystem::path file = MatchFile(font);
      if (file.empty()) continue;
      names.push_back(font.name);
      files.push_back(file.filename().string());
      const std::string folder = file.parent_path().string();
      if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
    }
    for (std::size_t i = 0; i < names.size(); ++i)
      mappings.push_back({names[i].data(), files[i].data(), FT_ENCODING_NONE});
    mappings.push_back({nullptr, nullptr, FT_ENCODING_NONE});
    for (std::string& folder : folders) folderList.push_back(folder.data());
    folderList.push_back(nullptr);
  }
};

}  // namespace

unsigned long ProvideWmfFonts(wmfAPI_Options& options) {
  static FontTable table;
  if (table.names.empty()) return 0;
  options.fontdirs = table.folderList.data();
  options.font.wmf = table.noWmfNames.data();
  options.font.sub = table.noSubstitutes.data();
  options.font.ps = table.mappings.data();
  return WMF_OPT_FONTDIRS | WMF_OPT_FONTMAP;
}

}  // namespace lumivo::platform
