#include <gtest/gtest.h>

#include <QBuffer>
#include <QImage>

#include <sys/wait.h>
#include <unistd.h>

#include "imaging/jpeg_output.h"
#include "imaging/picture_loading.h"
#include "imaging/platform_loader.h"
#include "support/picture_files.h"
#include "support/temp_dir.h"

#include <jpeglib.h>

namespace lumivo {
namespace {

using test::MakeBitmap;
using test::Bgr;
using test::PixelAt;

std::vector<std::uint8_t> Jpeg(Bitmap picture, int quality = 95) {
  JpegImage jpeg;
  EXPECT_TRUE(CompressOutput(picture, jpeg, quality));
  return jpeg.stream();
}

// Photoshop-style CMYK: inverted samples behind an Adobe marker.
std::vector<std::uint8_t> CmykJpeg(int width, int height, std::array<std::uint8_t, 4> cmyk) {
  jpeg_compress_struct info;
  jpeg_error_mgr errors;
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = 4;
  info.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 100, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<std::uint8_t> row(static_cast<std::size_t>(width) * 4);
  for (int x = 0; x < width; ++x)
    for (int c = 0; c < 4; ++c) row[4 * x + c] = static_cast<std::uint8_t>(255 - cmyk[c]);
  while (info.next_scanline < info.image_height) {
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<std::uint8_t> out(buffer, buffer + size);
  free(buffer);
  jpeg_destroy_compress(&info);
  return out;
}

// The same JPEG data under another announced size (the baseline frame header).
std::vector<std::uint8_t> WithFrameSize(std::vector<std::uint8_t> jpeg, int width, int height) {
  for (std::size_t i = 0; i + 8 < jpeg.size(); ++i) {
    if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
      jpeg[i + 5] = static_cast<std::uint8_t>(height >> 8), jpeg[i + 6] = static_cast<std::uint8_t>(height);
      jpeg[i + 7] = static_cast<std::uint8_t>(width >> 8), jpeg[i + 8] = static_cast<std::uint8_t>(width);
      break;
    }
  }
  return jpeg;
}

class Loading : public ::testing::Test {
 protected:
  test::TempDir dir;
  Bitmap target;
};

TEST_F(Loading, ReadsABmpOnThePlatformRoute) {
  const Bitmap source = MakeBitmap(3, 2, [](int x, int y) { return Bgr{10 * x, 100 + y, 200}; });
  const auto file = dir.Write("b.bmp", test::MakeBmp(source));
  ASSERT_TRUE(LoadPictureFile(file, target));
  ASSERT_EQ(target.width(), 3);
  ASSERT_EQ(target.height(), 2);
  EXPECT_EQ(target.format(), PixelFormat::Bgr24);
  EXPECT_EQ(PixelAt(target, 2, 1), (Bgr{20, 101, 200}));
  EXPECT_EQ(PixelAt(target, 0, 0), (Bgr{0, 100, 200}));
}

TEST_F(Loading, AnIconIsWhiteWhereItIsTransparent) {
  QImage icon(16, 16, QImage::Format_ARGB32);
  icon.fill(qRgba(0, 0, 255, 255));
  for (int x = 0; x < 16; ++x) icon.setPixel(x, 0, qRgba(0, 0, 0, 0));
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  ASSERT_TRUE(icon.save(&buffer, "ICO"));
  const auto file = dir.Write("i.ico", std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  ASSERT_TRUE(LoadPictureFile(file, target));
  EXPECT_EQ(target.width(), 16);
  EXPECT_EQ(target.height(), 16);
  EXPECT_EQ(target.format(), PixelFormat::Bgr24);
  EXPECT_EQ(PixelAt(target, 5, 0), (Bgr{255, 255, 255}));
  EXPECT_EQ(PixelAt(target, 5, 1), (Bgr{255, 0, 0}));
}

TEST_F(Loading, ReadsJpegFilesOfEveryColourModel) {
  const Bitmap colour = MakeBitmap(16, 16, [](int, int) { return Bgr{200, 50, 20}; });
  ASSERT_TRUE(LoadPictureFile(dir.Write("c.jpg", Jpeg(colour)), target));
  const Bgr decoded = PixelAt(target, 8, 8);
  for (int c = 0; c < 3; ++c) EXPECT_NEAR(decoded[c], (Bgr{200, 50, 20})[c], 4) << "channel " << c;

  // C 0, M 255, Y 255, K 0 is red.
  ASSERT_TRUE(LoadPictureFile(dir.Write("cmyk.jpg", CmykJpeg(8, 8, {0, 255, 255, 0})), target));
  const Bgr red = PixelAt(target, 4, 4);
  EXPECT_LE(red[0], 5);
  EXPECT_LE(red[1], 5);
  EXPECT_GE(red[2], 250);

  // A JPEG named .tga: no reader claims it, the platform route reads it.
  ASSERT_TRUE(LoadPictureFile(dir.Write("photo.tga", Jpeg(colour)), target));
  EXPECT_EQ(target.width(), 16);
}

TEST_F(Loading, RefusesPicturesOneRowHighOnThePlatformRoute) {
  const Bitmap row = MakeBitmap(4, 1, [](int, int) { return Bgr{0, 0, 0}; });
  EXPECT_FALSE(LoadPictureFile(dir.Write("row.bmp", test::MakeBmp(row)), target));
  // Our own encoder makes two rows of it; a foreign one-row JPEG is refused.
  const auto jpeg = WithFrameSize(Jpeg(MakeBitmap(4, 2, [](int, int) { return Bgr{0, 0, 0}; })), 4, 1);
  EXPECT_FALSE(LoadPictureFile(dir.Write("row.jpg", jpeg), target));
}

TEST_F(Loading, BadInputGivesAnErrorAndNoCrash) {
  const auto good = Jpeg(MakeBitmap(64, 64, [](int x, int y) { return Bgr{x * 4, y * 4, 0}; }));
  const auto huge = WithFrameSize(good, 60000, 60000);
  auto cutBitmap = test::MakeBmp(MakeBitmap(40, 30, [](int, int) { return Bgr{1, 2, 3}; }));
  cutBitmap.resize(cutBitmap.size() - 100);
  // A header over the pixel limit is "too large", never "broken", whether or not its rows follow.
  auto hugeBitmap = test::MakeBmp(MakeBitmap(4, 4, [](int, int) { return Bgr{1, 2, 3}; }));
  for (const std::size_t at : {18, 22}) {
    const std::uint32_t side = 40000;
    for (int i = 0; i < 4; ++i) hugeBitmap[at + i] = static_cast<std::uint8_t>(side >> (8 * i));
  }
  const auto deleted = dir.Write("deleted.jpg", good);
  std::filesystem::remove(deleted);
  std::filesystem::create_directory(dir / "folder.jpg");
  struct Case {
    const char* what;
    std::filesystem::path file;
    ErrorKind kind;
  };
  const Case cases[] = {
      {"truncated jpeg", dir.Write("cut.jpg", std::vector<std::uint8_t>(good.begin(), good.begin() + good.size() / 2)),
       ErrorKind::Broken},
      {"zero bytes", dir.Write("empty.jpg", std::vector<std::uint8_t>{}), ErrorKind::Broken},
      {"a folder", dir / "folder.jpg", ErrorKind::Io},
      {"deleted before loading", deleted, ErrorKind::Io},
      {"60000 x 60000 jpeg", dir.Write("huge.jpg", huge), ErrorKind::TooLarge},
      {"40000 x 40000 bitmap", dir.Write("huge.bmp", hugeBitmap), ErrorKind::TooLarge},
      {"a bitmap cut short", dir.Write("cut.bmp", cutBitmap), ErrorKind::Broken},
      {"text", dir.Write("text.bmp", std::string_view("no picture in here at all")), ErrorKind::Broken},
      {"a bare JPEG start", dir.Write("start.jpg", std::vector<std::uint8_t>{0xFF, 0xD8}), ErrorKind::Broken},
  };
  for (const Case& c : cases) {
    const Status status = LoadPictureFile(c.file, target);
    EXPECT_FALSE(status) << c.what;
    if (!status) {
      EXPECT_FALSE(status.message().empty()) << c.what;
      EXPECT_EQ(status.kind(), c.kind) << c.what << ": " << status.message();
    }
  }
}

TEST_F(Loading, AFileWithoutReadPermissionFails) {
  const auto file = dir.Write("secret.bmp", test::MakeBmp(MakeBitmap(2, 2, [](int, int) { return Bgr{1, 2, 3}; })));
  std::filesystem::permissions(file, std::filesystem::perms::owner_write);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // Root reads anything: drop to nobody so the permission counts.
    if (geteuid() == 0 && setuid(65534) != 0) _exit(3);
    Bitmap picture;
    _exit(LoadPictureFile(file, picture) ? 1 : 0);
  }
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
}

}  // namespace
}  // namespace lumivo
