// Every content test on any bytes: no read past the end, and the stream
// stays where it was.
#include <cstdlib>
#include <span>

#include "core/memory_stream.h"
#include "readers/file_format_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  lumivo::MemoryStream stream(std::span(data, size));
  (void)lumivo::FileFormats().ReaderClassFromStream(stream);
  if (stream.tellg() != 0) std::abort();
  return 0;
}
