#pragma once
// Reads settings values one after another and stops at the first that does
// not read: every later read leaves its field alone, and status() names the
// first failure. Every settings read goes through it, so "stop at the first
// unreadable number, keep what was read before" holds everywhere alike.

#include <string>
#include <string_view>

#include "core/result.h"
#include "settings/xml_config.h"

namespace lumivo {

class KeyReader final {
 public:
  explicit KeyReader(const TXMLConfig& store) : store_(store) {}

  // Each read changes its field only when the value reads; a missing key
  // gives `defaultValue`.
  void Number(std::string_view section, std::string_view key, int defaultValue, int& field);
  void Switch(std::string_view section, std::string_view key, bool defaultValue, bool& field);
  void Text(std::string_view section, std::string_view key, std::string_view defaultValue, std::string& field);

  bool ok() const { return status_.ok(); }
  const Status& status() const { return status_; }

 private:
  template <typename T>
  void Keep(const Result<T>& value, T& field) {
    if (value) {
      field = *value;
    } else {
      status_ = value.status();
    }
  }

  const TXMLConfig& store_;
  Status status_;
};

}  // namespace lumivo
