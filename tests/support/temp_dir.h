#pragma once
// A fresh folder per test, removed with everything in it afterwards.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>
#include <cstdint>

namespace lumivo::test {

class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(std::string_view name) const { return path_ / std::filesystem::path(std::u8string(name.begin(), name.end())); }

  // Writes a file below the folder, creating its folders; returns its path.
  std::filesystem::path Write(std::string_view name, const std::vector<std::uint8_t>& bytes) const;
  std::filesystem::path Write(std::string_view name, std::string_view text) const;

 private:
  std::filesystem::path path_;
};

std::vector<std::uint8_t> ReadFile(const std::filesystem::path& path);

}  // namespace lumivo::test
