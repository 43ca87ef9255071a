#pragma once
// The checks a run makes on every source before it loads it.

#include <cstdint>
#include <string>

namespace lumivo {

// A regular file, or a link to one, is there.
[[nodiscard]] bool SourceExists(const std::string& path);

// The size from the file's entry; 0 when it has none.
std::uint64_t SourceFileSize(const std::string& path);

// True when the existing file cannot be opened for reading, or another
// process holds a write lock on it (fcntl, or an exclusive flock). False for
// a missing file. fcntl locks of this process never show.
[[nodiscard]] bool IsFileLocked(const std::string& path);

enum class SourceProblem { None, Missing, Empty, Locked };

// The checks in the run's order: exists, not empty, not locked; the first
// that fails answers.
SourceProblem CheckSource(const std::string& path);

}  // namespace lumivo
