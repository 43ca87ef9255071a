#include <gtest/gtest.h>

#include <sstream>

#include "core/memory_stream.h"
#include "readers/file_format_list.h"
#include "readers/registered_classes.h"

namespace lumivo {
namespace {

std::string Bytes(std::initializer_list<int> head, std::size_t size) {
  std::string bytes(size, '\0');
  std::size_t i = 0;
  for (int b : head) bytes[i++] = static_cast<char>(b);
  return bytes;
}

void Set(std::string& bytes, std::size_t at, std::string_view text) { bytes.replace(at, text.size(), text); }

const ReaderClass* Lookup(const std::string& bytes) {
  std::istringstream stream(bytes);
  return FileFormats().ReaderClassFromStream(stream);
}

TEST(FileFormatList, RegistersFortyExtensionsAndEighteenClassesInOrder) {
  const TFileFormatList& list = FileFormats();
  ASSERT_EQ(list.extensions().size(), 40u);
  EXPECT_EQ(list.extensions().front().extension, "bmp");
  EXPECT_EQ(list.extensions().back().extension, "png");
  std::vector<std::string_view> order;
  for (const TClassEntry& entry : list.classes()) order.push_back(entry.readerClass->name);
  const std::vector<std::string_view> expected = {
      "TBitmap",      "TIcon",       "TMetafile",   "TJPEGImage",       "TTargaGraphic", "TTIFFGraphic",
      "TEPSGraphic",  "TPCXGraphic", "TRLAGraphic", "TSGIGraphic",      "TPSDGraphic",   "TPPMGraphic",
      "TAutodeskGraphic", "TPCDGraphic", "TGIFGraphic", "TCUTGraphic", "TPSPGraphic", "TPNGGraphic"};
  EXPECT_EQ(order, expected);
  EXPECT_EQ(list.classes()[0].count, 3u) << "bmp, rle, dib";
  EXPECT_EQ(list.classes()[0].description, "Windows bitmaps");
  EXPECT_EQ(list.classes()[3].description, "JPG images");
}

TEST(FileFormatList, LooksUpCaseInsensitivelyAndDescribes) {
  const TFileFormatList& list = FileFormats();
  EXPECT_EQ(list.LookupExtension("TGA"), 13);
  EXPECT_EQ(list.LookupExtension("xyz"), -1);
  EXPECT_EQ(list.DescriptionOf(list.extensions()[13]), "Truevision images");
  EXPECT_EQ(list.DescriptionOf(list.extensions()[3]), "Windows enhanced meta files");
}

TEST(FileFormatList, RefusesASecondRegistrationAndRemoves) {
  TFileFormatList list;
  ASSERT_TRUE(RegisterProgramFormats(list));
  const Status twice = list.AddFormat("BMP", "", "", 8, kBitmap);
  ASSERT_FALSE(twice);
  EXPECT_EQ(twice.message(), "Attempt to register BMP twice.");
  EXPECT_TRUE(list.AddFormat("", "x", "", 8, kBitmap)) << "an empty extension registers nothing";
  EXPECT_EQ(list.extensions().size(), 40u);

  list.RemoveFormat("rle");
  list.RemoveFormat("dib");
  EXPECT_EQ(list.classes()[0].count, 1u);
  list.RemoveFormat(kTargaGraphic);
  EXPECT_EQ(list.LookupClass(kTargaGraphic), -1);
  EXPECT_EQ(list.LookupExtension("tga"), -1);
  list.RemoveFormat("bmp");
  EXPECT_EQ(list.LookupClass(kBitmap), -1) << "the last extension takes its class along";
}

TEST(ContentTests, AcceptAtTheirSizeBoundaries) {
  std::string targa = Bytes({0, 0, 2, 0, 0, 0, 0, 24, 0, 0, 0, 0, 1, 0, 1, 0, 24, 0}, 19);
  EXPECT_EQ(Lookup(targa), &kTargaGraphic);
  EXPECT_EQ(Lookup(targa.substr(0, 18)), nullptr) << "18 bytes are not more than the header";

  struct Case {
    const char* what;
    std::string bytes;
    const ReaderClass* expected;
  };
  std::string tiff = Bytes({'I', 'I', 42, 0, 8, 0, 0, 0}, 9);
  std::string tiffFarDirectory = Bytes({'M', 'M', 0, 42, 0, 0, 0, 9}, 9);
  std::string eps = Bytes({0xC5, 0xD0, 0xD3, 0xC6}, 31);
  eps[20] = 40;  // preview offset beyond the header
  eps[24] = 1;   // preview length
  std::string pcx = Bytes({10, 5, 1}, 129);
  std::string rla(741, '\0');
  rla[26] = '\xFF';
  rla[27] = '\xFE';
  Set(rla, 580, "RGB");
  std::string sgi = Bytes({0x01, 0xDA, 0, 1, 0, 3}, 513);
  std::string psd = Bytes({'8', 'b', 'p', 's', 0, 1}, 27);
  std::string ppm = Bytes({'P', '6'}, 11);
  std::string autodesk = Bytes({0x19, 0x91}, 33);
  autodesk[10] = 8;
  std::string pcd(6145, '\0');
  Set(pcd, 0, "PCD_OPA");
  std::string pcdAt2048(6145, '\0');
  Set(pcdAt2048, 2048, "PCD");
  std::string gif = Bytes({'g', 'i', 'f', '8', '9', 'a'}, 23);
  std::string psp(37, '\0');
  Set(psp, 0, "PAINT SHOP PRO IMAGE FILE");
  psp[32] = 3;
  std::string png = Bytes({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, 9);
  const Case cases[] = {
      {"tiff", tiff, &kTIFFGraphic},
      {"tiff with its directory at the end", tiffFarDirectory, nullptr},
      {"tiff of 8 bytes", tiff.substr(0, 8), nullptr},
      {"eps", eps, &kEPSGraphic},
      {"pcx", pcx, &kPCXGraphic},
      {"pcx of 128 bytes", pcx.substr(0, 128), nullptr},
      {"rla", rla, &kRLAGraphic},
      {"sgi", sgi, &kSGIGraphic},
      {"psd", psd, &kPSDGraphic},
      {"ppm", ppm, &kPPMGraphic},
      {"P7 is no portable map", Bytes({'P', '7'}, 11), nullptr},
      {"autodesk", autodesk, &kAutodeskGraphic},
      {"pcd", pcd, &kPCDGraphic},
      {"pcd marker at 2048", pcdAt2048, &kPCDGraphic},
      {"pcd of 6144 bytes", pcd.substr(0, 6144), nullptr},
      {"gif", gif, &kGIFGraphic},
      {"gif of 22 bytes", gif.substr(0, 22), nullptr},
      {"psp", psp, &kPSPGraphic},
      {"psp version 2", [&] { std::string v = psp; v[32] = 2; return v; }(), nullptr},
      {"png", png, &kPNGGraphic},
      {"png of 8 bytes", png.substr(0, 8), nullptr},
      {"jpeg", Bytes({0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F'}, 64), nullptr},
      {"true-colour targa without colour-map entry size", [&] { std::string v = targa; v[7] = 0; return v; }(),
       &kTargaGraphic},
      {"colour-mapped targa without entry size", [&] { std::string v = targa; v[1] = 1, v[7] = 0; return v; }(),
       nullptr},
      {"empty", "", nullptr},
  };
  for (const Case& c : cases) EXPECT_EQ(Lookup(c.bytes), c.expected) << c.what;
}

TEST(ContentTests, EarlierClassWinsAndTheStreamStaysWhereItWas) {
  // A valid Targa header (type 1, entry size 24, depth 24) that is also a
  // valid PCX header (10, version 0, encoding 1): the Targa test is asked first.
  const std::string both = Bytes({10, 0, 1, 0, 0, 0, 0, 24, 0, 0, 0, 0, 0, 0, 0, 0, 24, 0}, 200);
  EXPECT_EQ(Lookup(both), &kTargaGraphic);

  const std::string prefixed = "xyz" + Bytes({0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A}, 9);
  std::istringstream copied(prefixed);
  MemoryStream inPlace(std::span(reinterpret_cast<const std::uint8_t*>(prefixed.data()), prefixed.size()));
  for (std::istream* stream : {static_cast<std::istream*>(&copied), static_cast<std::istream*>(&inPlace)}) {
    stream->seekg(3);
    EXPECT_EQ(FileFormats().ReaderClassFromStream(*stream), &kPNGGraphic);
    EXPECT_EQ(stream->tellg(), 3);
    char next = 0;
    stream->read(&next, 1);
    EXPECT_EQ(static_cast<unsigned char>(next), 0x89);
  }
}

TEST(ContentTests, TheCutClassNeverAccepts) {
  std::istringstream stream(std::string(100, 'x'));
  EXPECT_FALSE(kCUTGraphic.acceptsContent(stream));
}

}  // namespace
}  // namespace lumivo
