#pragma once
// The program's UTF-8 texts into Qt's strings and back.

#include <QString>

#include <string>
#include <string_view>

namespace lumivo::app {

inline QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline std::string ToUtf8(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace lumivo::app
