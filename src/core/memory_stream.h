#pragma once
// A read-only std::istream over bytes already in memory, without copying
// them: the content tests run on the very bytes the loader then reads.

#include <cstdint>
#include <istream>
#include <span>
#include <streambuf>

namespace lumivo {

class MemoryBuffer : public std::streambuf {
 public:
  explicit MemoryBuffer(std::span<const std::uint8_t> bytes) {
    char* begin = const_cast<char*>(reinterpret_cast<const char*>(bytes.data()));
    setg(begin, begin, begin + bytes.size());
  }

 protected:
  pos_type seekoff(off_type offset, std::ios_base::seekdir direction, std::ios_base::openmode) override {
    const off_type base = direction == std::ios_base::beg ? 0
                          : direction == std::ios_base::cur ? gptr() - eback()
                                                            : egptr() - eback();
    return seekpos(pos_type(base + offset), std::ios_base::in);
  }
  pos_type seekpos(pos_type position, std::ios_base::openmode) override {
    const off_type at = off_type(position);
    if (at < 0 || at > egptr() - eback()) return pos_type(off_type(-1));
    setg(eback(), eback() + at, egptr());
    return position;
  }
};

class MemoryStream : private MemoryBuffer, public std::istream {
 public:
  explicit MemoryStream(std::span<const std::uint8_t> bytes) : MemoryBuffer(bytes), std::istream(this) {}
};

}  // namespace lumivo
