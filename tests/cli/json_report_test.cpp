#include "cli/json_report.h"

#include <gtest/gtest.h>

#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>

namespace lumivo::cli {
namespace {

TEST(JsonString, EscapesWhatJsonDemandsAndReplacesBrokenUtf8) {
  const struct {
    std::string text;
    std::string json;
  } cases[] = {
      {"", R"("")"},
      {"/home/ich/a b.jpg", R"("/home/ich/a b.jpg")"},
      {"Zitat \" und \\", R"("Zitat \" und \\")"},
      {"\b\f\n\r\t", R"("\b\f\n\r\t")"},
      {std::string("\x00\x01\x1f", 3), R"("\u0000\u0001\u001f")"},
      {"\x7f/", "\"\x7f/\""},  // DEL and the slash may stand as they are
      {"Grüße 😀 a\xCC\x88", "\"Grüße 😀 a\xCC\x88\""},
      {"\xEF\xBF\xBF \xF4\x8F\xBF\xBF", "\"\xEF\xBF\xBF \xF4\x8F\xBF\xBF\""},  // the highest code points stay
      {"a\xFF" "b", "\"a\xEF\xBF\xBD" "b\""},                                  // a byte that never starts UTF-8
      {"a\xC3", "\"a\xEF\xBF\xBD\""},                                         // cut short at the end
      {"\xC3(", "\"\xEF\xBF\xBD(\""},                                          // cut short before ASCII
      {"\xC0\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\""},                            // overlong "/"
      {"\xE0\x80\xAF", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},            // overlong in three bytes
      {"\xED\xA0\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},            // a surrogate
      {"\xF4\x90\x80\x80", "\"\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD\""},  // beyond U+10FFFF
  };
  for (const auto& c : cases) {
    EXPECT_EQ(JsonString(c.text), c.json) << testing::PrintToString(c.text);
    // Every answer is valid JSON that reads back as the text where the text was valid.
    const QByteArray wrapped = QByteArray::fromStdString("{\"v\":" + JsonString(c.text) + "}");
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(wrapped, &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << testing::PrintToString(c.text);
    if (c.json.find("\xEF\xBF\xBD") == std::string::npos) {
      EXPECT_EQ(document.object()["v"].toString().toStdString(), c.text);
    }
  }
}

TEST(JsonLine, WrittenAndFailedEntriesHaveTheirFields) {
  EntryOutcome written;
  written.source = "/a/b.png";
  written.output = "/z/b.jpg";
  written.ok = true;
  written.width = 800;
  written.height = 600;
  written.bytes = 123456;
  written.milliseconds = 12.3456;
  EXPECT_EQ(JsonLine(written),
            R"({"source":"/a/b.png","output":"/z/b.jpg","ok":true,"reason":null,"width":800,"height":600,)"
            R"("bytes":123456,"milliseconds":12.346})"
            "\n");
  EntryOutcome failed;
  failed.source = "/a/c.png";
  failed.output = "/z/";
  failed.reason = "Die Datei \"/a/c.png\" ist leer.";
  failed.milliseconds = 0.5;
  EXPECT_EQ(JsonLine(failed),
            R"({"source":"/a/c.png","output":"/z/","ok":false,"reason":"Die Datei \"/a/c.png\" ist leer.",)"
            R"("width":null,"height":null,"bytes":null,"milliseconds":0.500})"
            "\n");
}

TEST(JsonLinesReport, KeepsTheFirstWriteError) {
  std::FILE* full = std::fopen("/dev/full", "w");
  if (full == nullptr) GTEST_SKIP() << "no /dev/full";
  JsonLinesReport report(full);
  EntryOutcome outcome;
  report.Write(outcome);
  report.Write(outcome);
  EXPECT_EQ(report.error(), ENOSPC);
  std::fclose(full);
}

}  // namespace
}  // namespace lumivo::cli
