// lumivo-batch --exif against other programs' readers: camera-like files made
// here with exiftool, converted, then read back by exiftool and exiv2.

#include <cstdio>
#include <cstring>
#include <set>

#include "cli_fixture.h"
#include "imaging/picture_loading.h"

namespace lumivo::test {
namespace {

using Args = std::vector<std::string>;
using Bytes = std::vector<std::uint8_t>;

bool HaveTool(const std::string& name) { return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0; }

// Standard output and error of a shell command.
std::string Shell(const std::string& command) {
  std::string out;
  if (std::FILE* pipe = ::popen((command + " 2>&1").c_str(), "r")) {
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) out.append(buffer, n);
    ::pclose(pipe);
  }
  return out;
}

std::string Quoted(const fs::path& path) { return "'" + path.string() + "'"; }

// "[Group] Tag" -> value, as exiftool reads the file (numbers unformatted).
std::map<std::string, std::string> Tags(const fs::path& file) {
  std::map<std::string, std::string> tags;
  for (const std::string& line : Lines(Shell("exiftool -G1 -a -s -n -e " + Quoted(file)))) {
    const auto close = line.find(']'), colon = line.find(" : ");
    if (close == std::string::npos || colon == std::string::npos) continue;
    std::string tag = line.substr(close + 1, colon - close - 1);
    tag.erase(0, tag.find_first_not_of(' '));
    tag.erase(tag.find_last_not_of(' ') + 1);
    tags[line.substr(0, close + 1) + " " + tag] = line.substr(colon + 3);
  }
  return tags;
}

// What exiftool's validation and exiv2 complain about.
std::set<std::string> Complaints(const fs::path& file) {
  std::set<std::string> complaints;
  for (const std::string& line : Lines(Shell("exiftool -validate -warning -error -a -s " + Quoted(file))))
    if (!line.starts_with("Validate")) complaints.insert("exiftool: " + line);
  for (const std::string& line : Lines(Shell("exiv2 -pa " + Quoted(file) + " 2>&1 >/dev/null")))
    complaints.insert("exiv2: " + line);
  return complaints;
}

void PutU32(Bytes& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<std::uint8_t>(value >> shift));
}

// A small display profile: header, description, white point, copyright.
Bytes IccProfile() {
  Bytes desc{'d', 'e', 's', 'c', 0, 0, 0, 0};
  const std::string name = "Lumivo Testprofil";
  PutU32(desc, static_cast<std::uint32_t>(name.size() + 1));
  desc.insert(desc.end(), name.begin(), name.end());
  desc.push_back(0);
  desc.resize(desc.size() + 8 + 3 + 67);
  Bytes white{'X', 'Y', 'Z', ' ', 0, 0, 0, 0};
  for (const std::uint32_t v : {0xF6D6u, 0x10000u, 0xD32Du}) PutU32(white, v);
  Bytes copyright{'t', 'e', 'x', 't', 0, 0, 0, 0, 'N', 'o', 'n', 'e', 0};
  const std::vector<std::pair<std::string, Bytes*>> tags{{"desc", &desc}, {"wtpt", &white}, {"cprt", &copyright}};

  Bytes table;
  Bytes data;
  std::uint32_t offset = 128 + 4 + 12 * static_cast<std::uint32_t>(tags.size());
  PutU32(table, static_cast<std::uint32_t>(tags.size()));
  for (const auto& [signature, bytes] : tags) {
    while (bytes->size() % 4) bytes->push_back(0);
    table.insert(table.end(), signature.begin(), signature.end());
    PutU32(table, offset + static_cast<std::uint32_t>(data.size()));
    PutU32(table, static_cast<std::uint32_t>(bytes->size()));
    data.insert(data.end(), bytes->begin(), bytes->end());
  }
  Bytes profile;
  PutU32(profile, 128 + static_cast<std::uint32_t>(table.size() + data.size()));
  PutU32(profile, 0);
  PutU32(profile, 0x02100000);
  for (const char* text : {"mntr", "RGB ", "XYZ "}) profile.insert(profile.end(), text, text + 4);
  for (const std::uint16_t part : {2024, 1, 1, 0, 0, 0}) profile.insert(profile.end(), {static_cast<std::uint8_t>(part >> 8), static_cast<std::uint8_t>(part)});
  profile.insert(profile.end(), {'a', 'c', 's', 'p'});
  profile.resize(68);
  for (const std::uint32_t v : {0xF6D6u, 0x10000u, 0xD32Du}) PutU32(profile, v);
  profile.resize(128);
  profile.insert(profile.end(), table.begin(), table.end());
  profile.insert(profile.end(), data.begin(), data.end());
  return profile;
}

// A Nikon maker note (its own TIFF header, so its offsets are its own):
// version 0210 and ISO 200.
Bytes NikonMakerNote() {
  return {'N', 'i', 'k', 'o', 'n', 0, 2, 0x10, 0, 0, 'M', 'M', 0, 42, 0, 0, 0, 8, 0, 2, 0, 1, 0, 7, 0, 0, 0, 4,
          '0', '2', '1', '0', 0, 2, 0, 3, 0, 0, 0, 2, 0, 0, 0, 200, 0, 0, 0, 0};
}

class ExifClients : public CliTest {
 protected:
  void SetUp() override {
    if (!HaveTool("exiftool") || !HaveTool("exiv2")) GTEST_SKIP() << "exiftool and exiv2 are needed";
  }

  // Runs exiftool on the files, one argument list per file, in one process.
  void ExifTool(const std::vector<std::pair<fs::path, Args>>& jobs) const {
    std::string command = "exiftool";
    for (std::size_t i = 0; i < jobs.size(); ++i) {
      if (i) command += " -execute";
      for (const std::string& argument : jobs[i].second) command += " '" + argument + "'";
      command += " " + Quoted(jobs[i].first);
    }
    command += " -common_args -q -q -overwrite_original";
    const std::string out = Shell(command);
    ASSERT_EQ(out, "") << command;
  }

  Outcome Convert(const fs::path& destination, Args arguments) const {
    Args all = {"--defaults", "--quiet", "--flat", "--number-on-collision", "--dest", destination.string()};
    all.insert(all.end(), arguments.begin(), arguments.end());
    return Run(all);
  }
};

TEST_F(ExifClients, CameraFilesKeepEveryTagButTheSize) {
  const fs::path thumb = WriteJpeg("thumb.jpg", Grainy(16, 12));
  const fs::path icc = temp().Write("profile.icc", IccProfile());
  const fs::path note = temp().Write("nikon.bin", NikonMakerNote());
  const Args common = {"-Make=NIKON CORPORATION", "-Model=TK-1", "-DateTimeOriginal=2024:05:01 12:00:00",
                       "-ExposureTime=1/125", "-FNumber=5.6", "-ISO=200", "-ExifImageWidth=64",
                       "-ExifImageHeight=48", "-GPSLatitude=52.5", "-GPSLatitudeRef=N", "-GPSLongitude=13.4",
                       "-GPSLongitudeRef=E", "-XMP:Title=Am See", "-XMP:Creator=Fotograf",
                       "-ThumbnailImage<=" + thumb.string(), "-ICC_Profile<=" + icc.string(),
                       "-IPTC:Keywords=Urlaub", "-Comment=Ein Kommentar"};
  std::vector<fs::path> sources;
  std::vector<std::pair<fs::path, Args>> jobs;
  for (const std::string order : {"MM", "II"}) {
    const fs::path source = WriteJpeg("src/kamera-" + order + ".jpg", Grainy(64, 48));
    Args args = common;
    args.push_back("-ExifByteOrder=" + order);
    jobs.push_back({source, args});
    jobs.push_back({source, {"-MakerNotes<=" + note.string()}});
    sources.push_back(source);
  }
  ExifTool(jobs);

  const fs::path out = temp() / "out";
  const Outcome outcome = Convert(out, {"--exif", "--size", "50%", sources[0].string(), sources[1].string()});
  ASSERT_EQ(outcome.status, 0) << outcome.err;
  for (const fs::path& source : sources) {
    SCOPED_TRACE(source.filename().string());
    const fs::path output = out / source.filename();
    ASSERT_TRUE(fs::exists(output));

    std::map<std::string, std::string> before = Tags(source), after = Tags(output);
    // The fixture has what it should.
    ASSERT_EQ(before["[Nikon] ISO"], "0 200");
    ASSERT_EQ(before["[ICC_Profile] ProfileDescription"], "Lumivo Testprofil");
    ASSERT_EQ(before["[XMP-dc] Title"], "Am See");
    ASSERT_EQ(before["[IPTC] Keywords"], "Urlaub");
    ASSERT_EQ(before["[GPS] GPSLatitude"], "52.5");
    ASSERT_EQ(before["[IFD1] ThumbnailLength"], std::to_string(fs::file_size(thumb)));
    EXPECT_EQ(after["[File] ImageWidth"], "32");
    EXPECT_EQ(after["[File] ImageHeight"], "24");
    EXPECT_EQ(after["[ExifIFD] ExifImageWidth"], "32");
    EXPECT_EQ(after["[ExifIFD] ExifImageHeight"], "24");
    for (auto* tags : {&before, &after})
      std::erase_if(*tags, [](const auto& tag) {
        return tag.first.starts_with("[ExifTool]") || tag.first.starts_with("[System]") ||
               tag.first.starts_with("[JFIF]") || tag.first.ends_with("ImageWidth") ||
               tag.first == "[IFD1] ThumbnailOffset" ||  // counted from the file's start, where the APP0 went
               tag.first.ends_with("ImageHeight");
      });
    std::set<std::string> keys;
    for (const auto* tags : {&before, &after})
      for (const auto& tag : *tags) keys.insert(tag.first);
    for (const std::string& key : keys) EXPECT_EQ(after[key], before[key]) << key;

    // Nothing that the source did not already have to complain about.
    const std::set<std::string> known = Complaints(source);
    for (const std::string& complaint : Complaints(output)) EXPECT_TRUE(known.contains(complaint)) << complaint;

    std::string exiv2 = Shell("exiv2 -Pkv -K Exif.Photo.PixelXDimension -K Exif.Photo.PixelYDimension " + Quoted(output));
    exiv2.erase(std::unique(exiv2.begin(), exiv2.end(), [](char a, char b) { return a == ' ' && b == ' '; }), exiv2.end());
    EXPECT_EQ(exiv2, "Exif.Photo.PixelXDimension 32\nExif.Photo.PixelYDimension 24\n");

    const std::string thumbnail = Shell("exiftool -b -ThumbnailImage " + Quoted(output));
    EXPECT_EQ(thumbnail, Shell("exiftool -b -ThumbnailImage " + Quoted(source)));
    Bitmap picture;
    ASSERT_TRUE(LoadPictureBytes(Bytes(thumbnail.begin(), thumbnail.end()), "thumbnail", picture).ok());
    EXPECT_EQ(picture.width(), 16);
    EXPECT_EQ(picture.height(), 12);
  }
}

// The upright picture, 3 x 2 blocks of 32 pixels; each orientation's stored
// picture as cameras write it.
const std::map<char, Bgr> kBlockColours{{'a', {0, 0, 255}},   {'b', {0, 255, 0}},   {'c', {255, 0, 0}},
                                        {'d', {0, 255, 255}}, {'e', {255, 0, 255}}, {'f', {255, 255, 0}}};
const std::vector<std::string> kStored[] = {
    {"abc", "def"}, {"cba", "fed"}, {"fed", "cba"}, {"def", "abc"},
    {"ad", "be", "cf"}, {"cf", "be", "ad"}, {"fc", "eb", "da"}, {"da", "eb", "fc"},
};

Bitmap Blocks(const std::vector<std::string>& rows) {
  return MakeBitmap(32 * static_cast<int>(rows[0].size()), 32 * static_cast<int>(rows.size()),
                    [&](int x, int y) { return kBlockColours.at(rows[static_cast<std::size_t>(y / 32)][static_cast<std::size_t>(x / 32)]); });
}

TEST_F(ExifClients, EveryOrientationComesOutUpright) {
  const std::string mark = WriteBmp("zeichen.bmp", Uniform(8, 8, 0)).string();
  std::vector<std::pair<fs::path, Args>> jobs;
  Args sources;
  for (int orientation = 1; orientation <= 8; ++orientation) {
    const Bitmap stored = Blocks(kStored[orientation - 1]);
    const fs::path file = WriteJpeg("src/o" + std::to_string(orientation) + ".jpg", stored, 95);
    jobs.push_back({file, {"-Orientation#=" + std::to_string(orientation), "-ExifImageWidth=" + std::to_string(stored.width()),
                           "-ExifImageHeight=" + std::to_string(stored.height())}});
    sources.push_back(file.string());
  }
  ExifTool(jobs);

  const Args watermark = {"--size", "50%", "--picture", mark, "--position", "br", "--margin", "0,0"};
  const fs::path kept = temp() / "kept", plain = temp() / "plain";
  for (const auto& [folder, option] : {std::pair{kept, "--exif"}, std::pair{plain, "--no-exif"}}) {
    Args args = watermark;
    args.push_back(option);
    args.insert(args.end(), sources.begin(), sources.end());
    const Outcome outcome = Convert(folder, args);
    ASSERT_EQ(outcome.status, 0) << outcome.err;
  }
  for (int orientation = 1; orientation <= 8; ++orientation) {
    SCOPED_TRACE(orientation);
    const std::string name = "o" + std::to_string(orientation) + ".jpg";
    const Bitmap withExif = Decode(kept / name), without = Decode(plain / name);
    ASSERT_EQ(withExif.width(), 48);
    ASSERT_EQ(withExif.height(), 32);
    ASSERT_EQ(without.width(), 48);
    ASSERT_EQ(without.height(), 32);
    for (int y = 0; y < 32; ++y)
      ASSERT_EQ(std::memcmp(withExif.Row(y), without.Row(y), withExif.rowBytes()), 0) << "row " << y;
    const std::pair<std::pair<int, int>, char> samples[] = {{{8, 8}, 'a'}, {{24, 8}, 'b'}, {{40, 8}, 'c'},
                                                            {{8, 24}, 'd'}, {{24, 24}, 'e'}, {{36, 20}, 'f'}};
    for (const auto& [at, block] : samples) {
      const Bgr pixel = PixelAt(withExif, at.first, at.second), expected = kBlockColours.at(block);
      for (int i = 0; i < 3; ++i) EXPECT_NEAR(pixel[i], expected[i], 70) << block;
    }
    const Bgr mark = PixelAt(withExif, 45, 29);  // the watermark, bottom right of the upright picture
    EXPECT_LT(mark[0] + mark[1] + mark[2], 120);

    EXPECT_EQ(Tags(plain / name).count("[IFD0] Orientation"), 0u);
    std::map<std::string, std::string> tags = Tags(kept / name);
    EXPECT_EQ(tags["[IFD0] Orientation"], "1");
    EXPECT_EQ(tags["[ExifIFD] ExifImageWidth"], "48");
    EXPECT_EQ(tags["[ExifIFD] ExifImageHeight"], "32");
  }
}

}  // namespace
}  // namespace lumivo::test
