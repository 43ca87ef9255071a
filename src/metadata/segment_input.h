#pragma once
// Where the marker walk takes its bytes from: the head of a file, read as
// far as the walk goes, or bytes already in memory.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <span>

namespace lumivo {

class SegmentInput {
 public:
  virtual ~SegmentInput() = default;
  // Up to `count` bytes into `target`; fewer only at the end of the input.
  virtual std::size_t Read(std::uint8_t* target, std::size_t count) = 0;
};

class SpanInput final : public SegmentInput {
 public:
  explicit SpanInput(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  std::size_t Read(std::uint8_t* target, std::size_t count) override;

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t position_ = 0;
};

class FileInput final : public SegmentInput {
 public:
  // Check `open()`: a file that cannot be opened reads as empty.
  explicit FileInput(const std::filesystem::path& file);
  bool open() const { return file_ != nullptr; }
  std::size_t Read(std::uint8_t* target, std::size_t count) override;

 private:
  struct Closer {
    void operator()(std::FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<std::FILE, Closer> file_;
};

}  // namespace lumivo
