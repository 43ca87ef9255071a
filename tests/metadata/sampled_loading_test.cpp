// A JPEG decoded straight at its output size must be byte for byte the full
// decode turned upright and stretched: sources of every sampling, grey,
// CMYK and progressive, made here by cjpeg and ImageMagick.

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "imaging/sizing.h"
#include "jpeg_fixtures.h"
#include "metadata/upright_loading.h"
#include "support/picture_files.h"
#include "support/temp_dir.h"

namespace lumivo {
namespace {

using namespace test;
namespace fs = std::filesystem;

bool HaveTool(const std::string& name) {
  return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

// Fine detail in every row and column, so that a row or column off by one shows.
Bitmap Detailed(int width, int height) {
  return MakeBitmap(width, height, [](int x, int y) {
    const unsigned h = static_cast<unsigned>(x * 7919 + y * 104729) * 2654435761u;
    return Bgr{static_cast<int>(h >> 24), (x * 9 + y * 3) % 256, static_cast<int>((h >> 8) & 255)};
  });
}

struct Source {
  const char* name;
  int width, height;
  std::string command;  // {in} and {out} are replaced
};

fs::path Make(const TempDir& temp, const Source& source) {
  const fs::path bmp = temp.Write(std::string(source.name) + ".bmp", MakeBmp(Detailed(source.width, source.height)));
  const fs::path jpeg = temp / (std::string(source.name) + ".jpg");
  std::string command = source.command;
  command.replace(command.find("{in}"), 4, "'" + bmp.string() + "'");
  command.replace(command.find("{out}"), 5, "'" + jpeg.string() + "'");
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  return jpeg;
}

// The same file with an EXIF orientation in front of its data.
fs::path WithOrientation(const TempDir& temp, const fs::path& jpeg, int orientation) {
  const Bytes plain = ReadFile(jpeg);
  Bytes file = JpegHead({ExifSegment({.bigEndian = true, .ifd0 = {ShortEntry(0x112, static_cast<std::uint16_t>(orientation), true)}})});
  file.insert(file.end(), plain.begin() + 2, plain.end());
  return temp.Write("oriented-" + std::to_string(orientation) + ".jpg", file);
}

bool SameBytes(const Bitmap& a, const Bitmap& b) {
  if (a.width() != b.width() || a.height() != b.height() || a.format() != b.format()) return false;
  for (int y = 0; y < a.height(); ++y)
    if (std::memcmp(a.Row(y), b.Row(y), a.rowBytes()) != 0) return false;
  return true;
}

std::vector<SizeRequest> Requests() {
  std::vector<SizeRequest> requests;
  for (int percent = 1; percent <= 200; ++percent) requests.push_back({-1, -1, percent});
  for (const auto& [width, height] : std::vector<std::pair<int, int>>{{1, 1}, {7, 300}, {0, 5}, {500, 0}, {3, 2}, {64, 48}})
    requests.push_back({width, height, 0});
  return requests;
}

TEST(SampledJpegLoading, IsTheFullDecodeStretched) {
  if (!HaveTool("cjpeg") || !HaveTool("convert")) GTEST_SKIP() << "cjpeg and ImageMagick's convert make the sources";
  TempDir temp;
  const Source sources[] = {
      {"4-2-0", 61, 47, "cjpeg -quality 90 -sample 2x2 {in} > {out}"},
      {"4-2-2", 61, 47, "cjpeg -quality 90 -sample 2x1 {in} > {out}"},
      {"4-4-4", 61, 47, "cjpeg -quality 90 -sample 1x1 {in} > {out}"},
      {"4-4-0", 45, 39, "cjpeg -quality 90 -sample 1x2 {in} > {out}"},
      {"4-1-1", 45, 39, "cjpeg -quality 90 -sample 4x1 {in} > {out}"},
      {"4-2-0 progressive", 45, 33, "cjpeg -quality 90 -sample 2x2 -progressive {in} > {out}"},
      {"4-2-0 with a restart marker every MCU", 53, 35, "cjpeg -quality 90 -sample 2x2 -restart 1b {in} > {out}"},
      {"4-2-0, many MCU rows", 161, 243, "cjpeg -quality 90 -sample 2x2 {in} > {out}"},
      {"4-2-0 arithmetic-coded", 161, 243, "cjpeg -quality 90 -sample 2x2 -arithmetic {in} > {out}"},
      {"4-2-2 progressive with restart markers", 53, 35, "cjpeg -quality 90 -sample 2x1 -progressive -restart 1 {in} > {out}"},
      {"grey", 37, 29, "cjpeg -quality 90 -grayscale {in} > {out}"},
      {"grey progressive", 37, 29, "cjpeg -quality 90 -grayscale -progressive {in} > {out}"},
      {"CMYK", 37, 29, "convert {in} -colorspace CMYK -quality 90 {out}"},
      {"CMYK progressive", 37, 29, "convert {in} -colorspace CMYK -interlace JPEG -quality 90 {out}"},
  };
  std::vector<std::pair<std::string, fs::path>> files;
  for (const Source& source : sources) files.emplace_back(source.name, Make(temp, source));
  for (const int orientation : {1, 3, 6})
    files.emplace_back("orientation " + std::to_string(orientation), WithOrientation(temp, files.front().second, orientation));

  for (const auto& [name, file] : files) {
    SCOPED_TRACE(name);
    Bitmap full, scratch;
    ASSERT_TRUE(LoadUprightPicture(file, full, scratch).ok());
    for (const SizeRequest& request : Requests()) {
      SCOPED_TRACE(testing::Message() << "own size " << request.width << " x " << request.height << ", "
                                      << request.percent << " %");
      Bitmap expected = full, holder;
      ASSERT_TRUE(SizeWorkingPicture(expected, request, holder).ok());
      JpegDecodeRequest decode;
      decode.sampleTo = [&request](PictureSize size) { return TargetSize(request, size); };
      Bitmap sampled;
      const Result<Decoded> loaded = LoadUprightPicture(file, sampled, scratch, decode);
      ASSERT_TRUE(loaded.ok());
      const bool wasSampled = *loaded == Decoded::Sampled;
      if (!wasSampled) {
        ASSERT_TRUE(SizeWorkingPicture(sampled, request, holder).ok());
      }
      const bool resized = expected.width() != full.width() || expected.height() != full.height();
      const bool storedUpright = name != "orientation 3" && name != "orientation 6";
      EXPECT_EQ(wasSampled, resized && storedUpright) << "sampled only when the size changes and nothing turns";
      EXPECT_TRUE(SameBytes(sampled, expected));
    }
  }
}

TEST(SampledJpegLoading, FailsOnAFileCutShortAsTheFullDecodeDoes) {
  if (!HaveTool("cjpeg")) GTEST_SKIP() << "cjpeg makes the source";
  TempDir temp;
  const fs::path whole = Make(temp, {"whole", 161, 243, "cjpeg -quality 90 -sample 2x2 {in} > {out}"});
  Bytes bytes = ReadFile(whole);
  bytes.resize(bytes.size() * 3 / 4);
  const fs::path cut = temp.Write("cut.jpg", bytes);
  Bitmap picture, scratch;
  EXPECT_FALSE(LoadUprightPicture(cut, picture, scratch).ok());
  for (const int percent : {1, 10, 50, 99}) {
    JpegDecodeRequest decode;
    decode.sampleTo = [percent](PictureSize size) { return TargetSize({-1, -1, percent}, size); };
    EXPECT_FALSE(LoadUprightPicture(cut, picture, scratch, decode).ok()) << percent << " %";
  }
}

}  // namespace
}  // namespace lumivo
