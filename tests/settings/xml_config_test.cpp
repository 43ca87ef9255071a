#include "settings/xml_config.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "support/temp_dir.h"

namespace lumivo {
namespace {

using test::ReadFile;
using test::TempDir;

std::string FileText(const std::filesystem::path& file) {
  const auto bytes = ReadFile(file);
  return {bytes.begin(), bytes.end()};
}

TXMLConfig OpenStore(const std::filesystem::path& file) {
  auto store = TXMLConfig::Open(file);
  EXPECT_TRUE(store.ok()) << (store.ok() ? "" : store.message());
  return std::move(store.value());
}

TEST(XmlConfig, ReadOnlyStoreOnMissingFileGivesDefaultsAndLeavesNoFile) {
  TempDir dir;
  const auto file = dir / "setup.xml";
  {
    TXMLConfig store = OpenStore(file);
    EXPECT_EQ(store.ReadString("A", "x", "dflt"), "dflt");
    EXPECT_EQ(*store.ReadInteger("A", "x", -7), -7);
    EXPECT_TRUE(*store.ReadBool("A", "x", true));
    EXPECT_FALSE(store.Modified());
    EXPECT_TRUE(store.Save().ok());
  }
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(XmlConfig, WritesThatChangeNothingLeaveTheFileUntouched) {
  TempDir dir;
  const auto file = dir.Write("setup.xml", "<Configuration>\n<A x=\"1\" y=\"\"/></Configuration>");
  const auto oldTime = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
  std::filesystem::last_write_time(file, oldTime);

  TXMLConfig store = OpenStore(file);
  store.WriteString("A", "x", "1");
  store.WriteInteger("A", "x", 1);
  store.WriteString("A", "y", "");        // existing empty value
  store.WriteString("B", "missing", "");  // empty text to a missing key creates nothing
  EXPECT_FALSE(store.Modified());
  EXPECT_TRUE(store.Save().ok());
  EXPECT_EQ(std::filesystem::last_write_time(file), oldTime);
  EXPECT_EQ(FileText(file), "<Configuration>\n<A x=\"1\" y=\"\"/></Configuration>");

  store.WriteString("A", "x", "");  // empty text to an existing key stores an empty attribute
  EXPECT_TRUE(store.Modified());
  EXPECT_TRUE(store.Save().ok());
  EXPECT_FALSE(store.Modified());
  EXPECT_EQ(FileText(file), "<Configuration>\r\n  <A x=\"\" y=\"\" />\r\n</Configuration>\r\n");
}

TEST(XmlConfig, EmptyTextToMissingKeyOnMissingFileCreatesNoFile) {
  TempDir dir;
  TXMLConfig store = OpenStore(dir / "p");
  store.WriteString("A", "x", "");
  EXPECT_FALSE(store.Modified());
  EXPECT_TRUE(store.Save().ok());
  EXPECT_FALSE(std::filesystem::exists(dir / "p"));
}

TEST(XmlConfig, ReadIntegerAcceptsOnlyDecimalIntegers) {
  struct Case {
    const char* stored;
    bool ok;
    int value;
  };
  const Case cases[] = {{"-5", true, -5},         {"0", true, 0},           {"2147483647", true, 2147483647},
                        {"-2147483648", true, -2147483647 - 1},          {"abc", false, 0},
                        {"", false, 0},           {"2147483648", false, 0}, {"12a", false, 0},
                        {" 5", false, 0},         {"-", false, 0},          {"0x10", false, 0}};
  TempDir dir;
  TXMLConfig store = OpenStore(dir / "f");
  for (const Case& c : cases) {
    store.WriteString("S", "k", c.stored);
    auto value = store.ReadInteger("S", "k", 99);
    ASSERT_EQ(value.ok(), c.ok) << '"' << c.stored << '"';
    if (c.ok) {
      EXPECT_EQ(*value, c.value) << c.stored;
    }
  }
}

TEST(XmlConfig, ReadBoolLooksAtTheLowestEightBits) {
  const std::pair<const char*, bool> cases[] = {{"0", false}, {"1", true}, {"2", true}, {"256", false}, {"-1", true}};
  TempDir dir;
  TXMLConfig store = OpenStore(dir / "f");
  for (auto [stored, expected] : cases) {
    store.WriteString("S", "k", stored);
    auto value = store.ReadBool("S", "k", !expected);
    ASSERT_TRUE(value.ok()) << stored;
    EXPECT_EQ(*value, expected) << stored;
  }
  store.WriteString("S", "k", "yes");
  EXPECT_FALSE(store.ReadBool("S", "k", true).ok());
}

TEST(XmlConfig, NewFileIsWrittenInTheFixedLayout) {
  TempDir dir;
  const auto file = dir / "setup.xml";
  TXMLConfig store = OpenStore(file);
  store.WriteString("A", "x", "1");
  store.WriteString("B", "z", "3");
  store.WriteString("A", "y", "2");
  ASSERT_TRUE(store.Save().ok());
  EXPECT_EQ(FileText(file),
            "<Configuration>\r\n"
            "  <A x=\"1\" y=\"2\" />\r\n"
            "  <B z=\"3\" />\r\n"
            "</Configuration>\r\n");
}

TEST(XmlConfig, ReadsAnyWellFormedFileAndAppendsNewSectionsInTheSameLayout) {
  TempDir dir;
  const auto file = dir.Write("setup.xml",
                              "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- hand made -->\n"
                              "<Settings><A x=\"first\"/><?pi data?><A x=\"second\" w=\"9\"/>\r\n  <B>text</B></Settings>");
  TXMLConfig store = OpenStore(file);
  EXPECT_EQ(store.RootName(), "Settings");
  EXPECT_EQ(store.ReadString("A", "x", ""), "first");  // the first of two equal sections counts
  EXPECT_EQ(store.ReadString("A", "w", "none"), "none");
  store.WriteString("A", "y", "new");
  store.WriteString("C", "k", "v");
  ASSERT_TRUE(store.Save().ok());
  EXPECT_EQ(FileText(file),
            "<!-- hand made -->\r\n"
            "<Settings>\r\n"
            "  <A x=\"first\" y=\"new\" />\r\n"
            "  <?pi data?>\r\n"
            "  <A x=\"second\" w=\"9\" />\r\n"
            "  <B>text</B>\r\n"
            "  <C k=\"v\" />\r\n"
            "</Settings>\r\n");
}

TEST(XmlConfig, ValuesKeepEveryCharacterThroughTheFile) {
  const std::string values[] = {"say \"hi\" & 'bye'", "a<b>c", "Größe Ärger ß", "\xF0\x9F\x98\x80 emoji",
                                "C:\\Pfad\\", "line\r\nbreak\ttab", "  blanks  "};
  TempDir dir;
  const auto file = dir / "v.xml";
  {
    TXMLConfig store = OpenStore(file);
    for (std::size_t i = 0; i < std::size(values); ++i) store.WriteString("V", "k" + std::to_string(i), values[i]);
    ASSERT_TRUE(store.Save().ok());
  }
  TXMLConfig store = OpenStore(file);
  for (std::size_t i = 0; i < std::size(values); ++i) EXPECT_EQ(store.ReadString("V", "k" + std::to_string(i), ""), values[i]);
}

TEST(XmlConfig, DamagedFilesFailCleanlyAndAreNeverRewritten) {
  TempDir dir;
  std::string binary;
  for (int i = 0; i < 4096; ++i) binary += static_cast<char>((i * 131 + 7) & 0xFF);
  std::string tenMbGarbage(10u << 20, '<');
  std::string nested;
  for (int i = 0; i < 9; ++i) nested = "<a>" + nested + "</a>";
  const std::pair<const char*, std::string> cases[] = {
      {"empty", ""},
      {"truncated", "<Configuration>\r\n  <A x=\"1\" />\r\n  <B z=\"3"},
      {"no end tag", "<Configuration><A x=\"1\"/>"},
      {"plain text", "hello"},
      {"binary", binary},
      {"ten megabytes", tenMbGarbage},
      {"too large", std::string(kMaxSettingsFileSize + 1, ' ')},
      {"nested", nested},
  };
  for (const auto& [name, bytes] : cases) {
    const auto file = dir.Write(name, bytes);
    auto store = TXMLConfig::Open(file);
    EXPECT_FALSE(store.ok()) << name;
    if (!store.ok()) {
      EXPECT_NE(store.message().find(name), std::string::npos) << store.message();
    }
    EXPECT_EQ(ReadFile(file).size(), bytes.size()) << name;
  }
  auto folder = TXMLConfig::Open(dir.path());
  EXPECT_FALSE(folder.ok());
}

TEST(XmlConfig, ReadsATenMegabyteFile) {
  TempDir dir;
  const std::string big(10u << 20, 'x');
  const auto file = dir.Write("big.xml", "<Configuration><A x=\"" + big + "\"/></Configuration>");
  TXMLConfig store = OpenStore(file);
  EXPECT_EQ(store.ReadString("A", "x", "").size(), big.size());
}

TEST(XmlConfig, RefusesToWriteWhatItCouldNotReadBack) {
  TempDir dir;
  TXMLConfig store = OpenStore(dir / "big.xml");
  store.WriteString("A", "x", std::string(kMaxSettingsFileSize, 'x'));
  EXPECT_FALSE(store.Save().ok());
  EXPECT_FALSE(std::filesystem::exists(dir / "big.xml"));
}

TEST(XmlConfig, SaveIntoAnUnwritableFolderFails) {
  TempDir dir;
  dir.Write("plain", "not a folder");
  TXMLConfig store = OpenStore(dir / "plain" / "setup.xml");  // a folder that cannot exist, even for root
  store.WriteString("A", "x", "1");
  const Status saved = store.Save();
  EXPECT_FALSE(saved.ok());
  EXPECT_NE(saved.message().find("setup.xml"), std::string::npos);
  EXPECT_TRUE(store.Modified());
}

// A file-size limit makes the write fail for any user, root included.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &old_);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    std::signal(SIGXFSZ, old_handler_);
  }

 private:
  rlimit old_{};
  void (*old_handler_)(int) = nullptr;
};

TEST(XmlConfig, FailingSaveLeavesTheEarlierFileAsItWas) {
  TempDir dir;
  const std::string earlier = "<Configuration>\r\n  <A x=\"1\" />\r\n</Configuration>\r\n";
  const auto file = dir.Write("setup.xml", earlier);
  std::filesystem::permissions(file, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_read);
  TXMLConfig store = OpenStore(file);
  store.WriteString("A", "x", std::string(64 * 1024, 'y'));
  {
    FileSizeLimit limit(1024);
    EXPECT_FALSE(store.Save().ok());
  }
  EXPECT_EQ(FileText(file), earlier);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1) << "temporary file left behind";

  ASSERT_TRUE(store.Save().ok());  // the store stays usable
  EXPECT_EQ(std::filesystem::status(file).permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                std::filesystem::perms::group_read);
}

}  // namespace
}  // namespace lumivo
