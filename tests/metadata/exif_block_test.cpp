#include <gtest/gtest.h>

#include "jpeg_fixtures.h"
#include "metadata/exif_info.h"

namespace lumivo {
namespace {

using namespace test;

constexpr std::uint16_t kImageWidth = 0x100, kImageLength = 0x101, kOrientation = 0x112, kExifOffset = 0x8769,
                        kExifImageWidth = 0xA002, kExifImageLength = 0xA003;

Bytes Section(const ExifLayout& layout) { return Stored(ExifSegment(layout)); }

TEST(ConvertValue, ByTypeAndByteOrder) {
  struct Case {
    const char* name;
    Bytes raw;
    std::uint16_t type;
    bool bigEndian;
    double expected;
  } cases[] = {
      {"SHORT big-endian", {0x0B, 0xB8}, 3, true, 3000},
      {"SHORT little-endian", {0xB8, 0x0B}, 3, false, 3000},
      {"LONG little-endian", {0xA0, 0x0F, 0, 0}, 4, false, 4000},
      {"SLONG is signed", {0xFF, 0xFF, 0xFF, 0xFE}, 9, true, -2},
      {"RATIONAL divides", {0, 0, 0, 7, 0, 0, 0, 2}, 5, true, 3.5},
      {"SRATIONAL keeps the sign", {0xFF, 0xFF, 0xFF, 0xFA, 0, 0, 0, 4}, 10, true, -1.5},
      {"a zero denominator gives 0", {0, 0, 0, 7, 0, 0, 0, 0}, 5, true, 0},
      {"a short rational gives 0", {0, 0, 0, 7}, 5, true, 0},
      {"ASCII gives 0", {'4', '2', 0}, 2, true, 0},
      {"UNDEFINED gives 0", {1, 2}, 7, true, 0},
      {"type 13 gives 0", {1, 2, 3, 4}, 13, true, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_DOUBLE_EQ(ConvertValue(c.raw, c.type, c.bigEndian), c.expected);
  }
}

TEST(ExifWalk, FindsTheEntriesItPatches) {
  struct Case {
    const char* name;
    ExifLayout layout;
    std::int32_t width, height;
    int orientation = 0;
  };
  Case cases[] = {
      {"IFD0 offset 0 starts the walk at position 16",
       {.ifd0 = {LongEntry(kImageWidth, 640, false), LongEntry(kImageLength, 480, false)}, .ifd0Offset = 0}, 640, 480},
      {"Motorola SHORT ExifImageWidth 3000",
       {.bigEndian = true, .exif = {ShortEntry(kExifImageWidth, 3000, true), ShortEntry(kExifImageLength, 2000, true)}},
       3000, 2000},
      {"the Exif directory's entries come last and count",
       {.ifd0 = {LongEntry(kImageWidth, 10, false), LongEntry(kImageLength, 20, false)},
        .exif = {LongEntry(kExifImageWidth, 30, false), LongEntry(kExifImageLength, 40, false)}},
       30, 40},
      {"type 13 and count 0 are skipped",
       {.ifd0 = {Entry{kImageWidth, 13, 1, Long(99, false)}, Entry{kImageLength, 4, 0, Long(99, false)}}}, 0, 0},
      {"a rational width is read from the data area",
       {.bigEndian = true, .ifd0 = {Entry{kImageWidth, 5, 1, {0, 0, 0, 9, 0, 0, 0, 2}}}}, 4, 0},  // 4.5, ties to even
      {"IFD0's orientation",
       {.bigEndian = true, .ifd0 = {ShortEntry(kOrientation, 6, true)}}, 0, 0, 6},
      {"an orientation outside IFD0 does not count",
       {.exif = {ShortEntry(kOrientation, 8, false)}}, 0, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ExifInfo info(Section(c.layout));
    EXPECT_EQ(info.problem(), ExifProblem::None);
    EXPECT_EQ(info.widthValue(), c.width);
    EXPECT_EQ(info.heightValue(), c.height);
    EXPECT_EQ(info.orientation(), c.orientation);
  }
}

TEST(ExifWalk, WidthPositionIsTheEntrysValueField) {
  const ExifLayout layout{.bigEndian = true, .exif = {ShortEntry(kExifImageWidth, 3000, true)}};
  const Bytes section = Section(layout);
  const ExifInfo info(section);
  ASSERT_TRUE(info.widthPos());
  EXPECT_EQ(*info.widthPos(), ExifEntryPos(layout, 0) + 8);
  EXPECT_EQ(section[*info.widthPos()], 0x0B);
  EXPECT_EQ(section[*info.widthPos() + 1], 0xB8);
}

// Hostile blocks: every walk ends, nothing outside the block is read (the
// sanitizers watch), and what cannot be read stays unset.
TEST(ExifWalk, BrokenBlocksEndTheirWalk) {
  const bool be = true;
  auto withIfd0 = [](std::vector<Entry> entries) { return Section({.bigEndian = true, .ifd0 = std::move(entries)}); };

  Bytes tooMany = withIfd0({LongEntry(kImageWidth, 5, be)});
  tooMany[17] = 0x40;  // 64 entries in a block that holds one
  Bytes badOrder = withIfd0({LongEntry(kImageWidth, 5, be)});
  badOrder[8] = 'X';
  Bytes selfLoop = withIfd0({LongEntry(kExifOffset, 8, be), LongEntry(kImageWidth, 5, be), LongEntry(kImageLength, 6, be)});
  Bytes outside = withIfd0({LongEntry(kExifOffset, 0x7FFFFFF0, be), LongEntry(kImageWidth, 5, be),
                            LongEntry(kImageLength, 6, be)});
  // A rational is eight bytes, so its field is an offset, here far outside.
  Bytes farValue = withIfd0({Entry{kImageWidth, 5, 1, Long(0xFFFFFFF0, be)}, LongEntry(kImageLength, 6, be)});
  Bytes cutHeader = withIfd0({});
  cutHeader.resize(14);
  Bytes hugeOffset = withIfd0({LongEntry(kImageWidth, 5, be)});
  hugeOffset[12] = hugeOffset[13] = hugeOffset[14] = hugeOffset[15] = 0xFF;

  struct Case {
    const char* name;
    Bytes section;
    ExifProblem problem;
    std::int32_t width, height;
  } cases[] = {
      {"an entry table past the block walks no entry", tooMany, ExifProblem::DirectorySize, 0, 0},
      {"no II or MM", badOrder, ExifProblem::Alignment, 0, 0},
      {"a directory pointing at itself is walked once", selfLoop, ExifProblem::None, 5, 6},
      {"a sub-directory outside the block is passed over", outside, ExifProblem::DirectorySize, 5, 6},
      {"a value outside the block stays unset", farValue, ExifProblem::None, 0, 6},
      {"a header cut before the IFD0 offset", cutHeader, ExifProblem::DirectorySize, 0, 0},
      {"an IFD0 offset past the block", hugeOffset, ExifProblem::DirectorySize, 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const ExifInfo info(c.section);
    EXPECT_EQ(info.problem(), c.problem);
    EXPECT_EQ(info.widthValue(), c.width);
    EXPECT_EQ(info.heightValue(), c.height);
  }
}

TEST(ExifWalk, DirectoriesAreLimited) {
  // A chain of directories, each with its number as ImageWidth and a
  // pointer to the next; the walk stops after its limit.
  Bytes section = Section({});
  section.resize(16);  // up to the TIFF header, whose IFD0 offset is 8
  for (std::uint32_t i = 0; i < 100; ++i) {
    const std::uint32_t next = static_cast<std::uint32_t>(section.size() - 8 + 30);
    const Bytes width = Long(i, false), pointer = Long(next, false);
    section.insert(section.end(), {2, 0, 0x00, 0x01, 4, 0, 1, 0, 0, 0});
    section.insert(section.end(), width.begin(), width.end());
    section.insert(section.end(), {0x69, 0x87, 4, 0, 1, 0, 0, 0});
    section.insert(section.end(), pointer.begin(), pointer.end());
    section.insert(section.end(), {0, 0, 0, 0});
  }
  EXPECT_EQ(ExifInfo(section).widthValue(), ExifInfo::kMaximumDirectories - 1);
}

struct PatchCase {
  const char* name;
  ExifLayout layout;
  int width, height;
  // (position, bytes) expected after the patch; all other bytes unchanged.
  std::vector<std::pair<std::size_t, Bytes>> changed;
};

TEST(UpdateDimensionTags, PatchesInPlace) {
  const ExifLayout intel{.exif = {LongEntry(kExifImageWidth, 4000, false), LongEntry(kExifImageLength, 3000, false)}};
  const ExifLayout motorola{.bigEndian = true,
                            .exif = {ShortEntry(kExifImageWidth, 4000, true), ShortEntry(kExifImageLength, 3000, true)}};
  const ExifLayout both{.ifd0 = {ShortEntry(kImageWidth, 4000, false), ShortEntry(kImageLength, 3000, false)},
                        .exif = {LongEntry(kExifImageWidth, 4000, false), LongEntry(kExifImageLength, 3000, false)}};
  const ExifLayout widthOnly{.exif = {LongEntry(kExifImageWidth, 4000, false)}};
  const ExifLayout twoValues{.exif = {Entry{kExifImageWidth, 3, 2, {0xA0, 0x0F, 0xA0, 0x0F}},
                                      LongEntry(kExifImageLength, 3000, false)}};
  const PatchCase cases[] = {
      {"Intel LONG 4000 x 3000 to 800 x 600", intel, 800, 600,
       {{ExifEntryPos(intel, 0) + 8, {0x20, 0x03, 0x00, 0x00}}, {ExifEntryPos(intel, 1) + 8, {0x58, 0x02, 0x00, 0x00}}}},
      {"Motorola SHORT to 800 x 600", motorola, 800, 600,
       {{ExifEntryPos(motorola, 0) + 8, {0x03, 0x20, 0x00, 0x00}},
        {ExifEntryPos(motorola, 1) + 8, {0x02, 0x58, 0x00, 0x00}}}},
      {"the stored size changes nothing", intel, 4000, 3000, {}},
      {"IFD0's sizes follow the Exif ones", both, 800, 600,
       {{Ifd0EntryPos(0) + 8, {0x20, 0x03, 0x00, 0x00}},
        {Ifd0EntryPos(1) + 8, {0x58, 0x02, 0x00, 0x00}},
        {ExifEntryPos(both, 0) + 8, {0x20, 0x03, 0x00, 0x00}},
        {ExifEntryPos(both, 1) + 8, {0x58, 0x02, 0x00, 0x00}}}},
      {"a width without a height changes nothing", widthOnly, 800, 600, {}},
      {"a width of two values keeps its field; the height changes", twoValues, 800, 600,
       {{ExifEntryPos(twoValues, 1) + 8, {0x58, 0x02, 0x00, 0x00}}}},
  };
  for (const PatchCase& c : cases) {
    SCOPED_TRACE(c.name);
    const Bytes before = Section(c.layout);
    Bytes after = before;
    ExifInfo(before).UpdateDimensionTags(after, c.height, c.width);
    Bytes expected = before;
    for (const auto& [position, bytes] : c.changed) std::copy(bytes.begin(), bytes.end(), expected.begin() + position);
    EXPECT_EQ(after, expected);
  }
}

TEST(MarkUpright, OrientationBecomesOne) {
  for (const bool big : {false, true}) {
    for (int orientation = 1; orientation <= 9; ++orientation) {
      SCOPED_TRACE(testing::Message() << (big ? "MM " : "II ") << orientation);
      const Bytes before = Section({.bigEndian = big, .ifd0 = {ShortEntry(kOrientation, orientation, big)}});
      Bytes after = before;
      ExifInfo(before).MarkUpright(after);
      const bool turned = orientation >= 2 && orientation <= 8;
      Bytes expected = before;
      if (turned) {
        const Bytes one = Short(1, big);
        std::copy(one.begin(), one.end(), expected.begin() + Ifd0EntryPos(0) + 8);
      }
      EXPECT_EQ(after, expected);
      EXPECT_EQ(ExifInfo(after).orientation(), turned ? 1 : orientation);
    }
  }
}

}  // namespace
}  // namespace lumivo
