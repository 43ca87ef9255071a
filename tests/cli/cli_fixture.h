#pragma once
// A temporary tree, its own settings folder and the built lumivo-batch.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "batch_process.h"
#include "core/bitmap.h"
#include "readers/jpeg_decoding.h"
#include "support/picture_files.h"
#include "imaging/jpeg_output.h"
#include "support/picture_files.h"
#include "support/temp_dir.h"

namespace lumivo::test {

namespace fs = std::filesystem;

// The lines of a text, without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end - start));
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return lines;
}

class CliTest : public ::testing::Test {
 protected:
  std::map<std::string, std::string> Environment() const {
    return {{"LUMIVO_CONFIG_DIR", config().string()}, {"QT_QPA_PLATFORM", "offscreen"}};
  }

  Outcome Run(const std::vector<std::string>& arguments) const {
    BatchProcess process(arguments, Environment());
    return process.Wait();
  }

  fs::path config() const { return temp_ / "config"; }
  const TempDir& temp() const { return temp_; }

  static Bitmap Uniform(int width, int height, int grey) {
    return MakeBitmap(width, height, [&](int, int) { return Bgr{grey, grey, grey}; });
  }
  // Grain that JPEG cannot compress away, so that quality shows in the size.
  static Bitmap Grainy(int width, int height) {
    return MakeBitmap(width, height, [](int x, int y) {
      const unsigned v = static_cast<unsigned>(x * 7919 + y * 104729) * 2654435761u;
      return Bgr{static_cast<int>(v >> 24), static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF)};
    });
  }

  fs::path WriteBmp(std::string_view name, const Bitmap& picture) const { return temp_.Write(name, MakeBmp(picture)); }

  fs::path WriteJpeg(std::string_view name, Bitmap picture, int quality = 90) const {
    JpegImage jpeg;
    EXPECT_TRUE(CompressOutput(picture, jpeg, quality).ok());
    return temp_.Write(name, jpeg.stream());
  }

  static Bitmap Decode(const fs::path& file) {
    Bitmap picture;
    const auto bytes = ReadFile(file);
    EXPECT_TRUE(DecodeJpeg(bytes, picture).ok()) << file;
    return picture;
  }

  // Every regular file below the folder, as paths relative to it, sorted.
  static std::vector<std::string> FilesBelow(const fs::path& folder) {
    std::vector<std::string> files;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error))
      if (it->is_regular_file()) files.push_back(fs::relative(it->path(), folder).string());
    std::sort(files.begin(), files.end());
    return files;
  }

  // The source folder rebuilt below a destination, as KeepFolderStructure does.
  static fs::path Rebuilt(const fs::path& destination, const fs::path& sourceFolder) {
    return destination / sourceFolder.relative_path();
  }

 private:
  TempDir temp_;
};

}  // namespace lumivo::test
