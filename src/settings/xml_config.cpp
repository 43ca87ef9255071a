#include "settings/xml_config.h"

#include <pugixml.hpp>

#include <cstdint>
#include <fstream>
#include <limits>
#include <utility>

#include "core/text_basics.h"
#include "core/text_format.h"
#include "resources/texts.h"
#include "settings/replace_file.h"

namespace lumivo {

namespace {

constexpr std::string_view kDocumentElement = "Configuration";

// Comments and processing instructions of a hand-edited file survive a
// rewrite; a declaration is dropped, since the file is written as plain UTF-8.
constexpr unsigned kParseOptions = pugi::parse_default | pugi::parse_comments | pugi::parse_pi;

// Settings nest two levels deep; a deeply nested file is not ours, and its
// indented form would grow with the square of its depth.
constexpr int kMaxNesting = 8;

class NestingProbe final : public pugi::xml_tree_walker {
 public:
  bool for_each(pugi::xml_node&) override {
    tooDeep = depth() >= kMaxNesting;
    return !tooDeep;
  }
  bool tooDeep = false;
};

class StringWriter final : public pugi::xml_writer {
 public:
  void write(const void* data, std::size_t size) override {
    const auto* bytes = static_cast<const char*>(data);
    for (std::size_t i = 0; i < size; ++i) {
      if (bytes[i] == '\n') text += '\r';
      text += bytes[i];
    }
  }
  std::string text;
};

}  // namespace

struct TXMLConfig::Impl {
  std::filesystem::path file;
  pugi::xml_document document;
  bool modified = false;

  pugi::xml_node Section(std::string_view name) const {
    for (const pugi::xml_node child : document.document_element().children()) {
      if (child.type() == pugi::node_element && name == child.name()) return child;
    }
    return {};
  }
};

TXMLConfig::TXMLConfig(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
TXMLConfig::TXMLConfig(TXMLConfig&&) noexcept = default;
TXMLConfig& TXMLConfig::operator=(TXMLConfig&&) noexcept = default;
TXMLConfig::~TXMLConfig() = default;

Result<TXMLConfig> TXMLConfig::Open(const std::filesystem::path& file) {
  std::error_code ec;
  const auto status = std::filesystem::status(file, ec);
  if (status.type() == std::filesystem::file_type::not_found) {
    auto impl = std::make_unique<Impl>();
    impl->file = file;
    impl->document.append_child(std::string(kDocumentElement).c_str());
    return TXMLConfig(std::move(impl));
  }
  const Error unreadable{FormatText(texts::kFileNotReadable, file.string()), ErrorKind::Io};
  if (ec || std::filesystem::is_directory(status)) return unreadable;
  const auto size = std::filesystem::file_size(file, ec);
  if (ec) return unreadable;
  if (size > kMaxSettingsFileSize) return Error{FormatText(texts::kSettingsFileTooLarge, file.string()), ErrorKind::TooLarge};

  std::ifstream in(file, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!in && !in.eof()) return unreadable;
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  return Parse(bytes, file);
}

Result<TXMLConfig> TXMLConfig::Parse(std::string_view bytes, const std::filesystem::path& file) {
  if (bytes.size() > kMaxSettingsFileSize) return Error{FormatText(texts::kSettingsFileTooLarge, file.string()), ErrorKind::TooLarge};
  auto impl = std::make_unique<Impl>();
  impl->file = file;
  const pugi::xml_parse_result parsed =
      impl->document.load_buffer(bytes.data(), bytes.size(), kParseOptions, pugi::encoding_auto);
  if (!parsed || !impl->document.document_element()) {
    return Error{FormatText(texts::kSettingsFileDamaged, file.string(), static_cast<long long>(parsed.offset))};
  }
  NestingProbe probe;
  impl->document.traverse(probe);
  if (probe.tooDeep) return Error{FormatText(texts::kSettingsFileTooDeep, file.string())};
  return TXMLConfig(std::move(impl));
}


bool TXMLConfig::Modified() const { return impl_->modified; }

std::string TXMLConfig::RootName() const { return impl_->document.document_element().name(); }

std::string TXMLConfig::ReadString(std::string_view section, std::string_view key,
                                   std::string_view defaultValue) const {
  const pugi::xml_node node = impl_->Section(section);
  if (!node) return std::string(defaultValue);
  const pugi::xml_attribute attribute = node.attribute(std::string(key).c_str());
  if (!attribute) return std::string(defaultValue);
  return attribute.value();
}

Result<int> TXMLConfig::ReadInteger(std::string_view section, std::string_view key, int defaultValue) const {
  const std::string text = ReadString(section, key, std::to_string(defaultValue));
  const auto value = ParseDecimalInt(text);
  if (!value) return Error{FormatText(texts::kNotAnInteger, text)};
  return *value;
}

Result<bool> TXMLConfig::ReadBool(std::string_view section, std::string_view key, bool defaultValue) const {
  auto value = ReadInteger(section, key, defaultValue ? 1 : 0);
  if (!value) return value.error();
  return (static_cast<unsigned>(*value) & 0xFFu) != 0;
}

void TXMLConfig::WriteString(std::string_view section, std::string_view key, std::string_view value) {
  value = value.substr(0, value.find('\0'));  // an XML value cannot hold NUL
  if (ReadString(section, key, "") == value) return;
  pugi::xml_node node = impl_->Section(section);
  if (!node) node = impl_->document.document_element().append_child(std::string(section).c_str());
  const std::string name(key);
  pugi::xml_attribute attribute = node.attribute(name.c_str());
  if (!attribute) attribute = node.append_attribute(name.c_str());
  attribute.set_value(std::string(value).c_str());
  impl_->modified = true;
}

void TXMLConfig::WriteInteger(std::string_view section, std::string_view key, int value) {
  WriteString(section, key, std::to_string(value));
}

void TXMLConfig::WriteBool(std::string_view section, std::string_view key, bool value) {
  WriteInteger(section, key, value ? 1 : 0);
}

Status TXMLConfig::Save() {
  if (!impl_->modified) return Status::Ok();
  const std::string bytes = Serialize();
  // Never write what no store would read back.
  if (bytes.size() > kMaxSettingsFileSize) return Error{FormatText(texts::kSettingsFileTooLarge, impl_->file.string()), ErrorKind::TooLarge};
  if (Status written = ReplaceFileContent(impl_->file, bytes); !written) return written;
  impl_->modified = false;
  return Status::Ok();
}

std::string TXMLConfig::Serialize() const {
  StringWriter writer;
  impl_->document.save(writer, "  ", pugi::format_indent | pugi::format_no_declaration, pugi::encoding_utf8);
  return std::move(writer.text);
}

}  // namespace lumivo
