#include "settings/key_reader.h"

namespace lumivo {

void KeyReader::Number(std::string_view section, std::string_view key, int defaultValue, int& field) {
  if (status_) Keep(store_.ReadInteger(section, key, defaultValue), field);
}

void KeyReader::Switch(std::string_view section, std::string_view key, bool defaultValue, bool& field) {
  if (status_) Keep(store_.ReadBool(section, key, defaultValue), field);
}

void KeyReader::Text(std::string_view section, std::string_view key, std::string_view defaultValue,
                     std::string& field) {
  if (status_) field = store_.ReadString(section, key, defaultValue);
}

}  // namespace lumivo
