#include "filelist/file_type_table.h"

#include <gtest/gtest.h>

#include <set>

namespace lumivo {
namespace {

TEST(FileTypeTable, HoldsTheThirtyEightRows) {
  ASSERT_EQ(FileTypeTable.size(), 38u);
  EXPECT_EQ(FileTypeTable.front().description, "Alias/Wavefront Images (*.rla)");
  EXPECT_EQ(FileTypeTable.back().description, "ZSoft Paintbrush Images (*.pcx)");
  EXPECT_EQ(FileTypeTable[28].mask, "*.rgba");
  std::set<std::string_view> extensions;
  for (const FileType& type : FileTypeTable) {
    EXPECT_EQ(type.mask, "*." + std::string(type.extension));
    EXPECT_TRUE(type.description.ends_with("(" + std::string(type.mask) + ")")) << type.description;
    extensions.insert(type.extension);
  }
  EXPECT_EQ(extensions.size(), 38u) << "every row has its own stored key";
  for (std::size_t row = 30; row <= 34; ++row) EXPECT_TRUE(FileTypeTable[row].description.starts_with("Truevision Images"));
}

TEST(FileTypeTable, OpenDialogFilterFollowsTheCheckMarks) {
  FileTypeChecks checked{};
  EXPECT_EQ(BuildOpenDialogFilter(checked), "Alle Dateien (*.*)|*.*");
  EXPECT_EQ(OpenDialogNameFilters(checked), std::vector<std::string>{"Alle Dateien (*)"});

  checked[4] = checked[13] = true;
  EXPECT_EQ(BuildOpenDialogFilter(checked),
            "Alle (*.bmp;*.jpg;)|*.bmp;*.jpg;|Bitmaps (*.bmp)|*.bmp|JPG-Grafikdatei (*.jpg)|*.jpg|");
  EXPECT_EQ(OpenDialogNameFilters(checked),
            (std::vector<std::string>{"Alle (*.bmp *.jpg)", "Bitmaps (*.bmp)", "JPG-Grafikdatei (*.jpg)"}));

  checked.fill(true);
  const std::string all = BuildOpenDialogFilter(checked);
  EXPECT_TRUE(all.starts_with("Alle (*.rla;*.rpf;")) << all;
  EXPECT_TRUE(all.ends_with("|ZSoft Paintbrush Images (*.pcx)|*.pcx|")) << all;
  EXPECT_EQ(OpenDialogNameFilters(checked).size(), 39u);
}

}  // namespace
}  // namespace lumivo
