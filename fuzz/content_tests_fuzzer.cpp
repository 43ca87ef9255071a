// Every content test on any bytes: no read past the end, and the stream
// stays where it was. Accepted: some reader class claims the bytes.
#include <cstdlib>

#include "core/memory_stream.h"
#include "fuzz_harness.h"
#include "readers/file_format_list.h"

bool LumivoFuzzAccepts(std::span<const std::uint8_t> bytes) {
  lumivo::MemoryStream stream(bytes);
  const bool claimed = lumivo::FileFormats().ReaderClassFromStream(stream) != nullptr;
  if (stream.tellg() != 0) std::abort();
  return claimed;
}
