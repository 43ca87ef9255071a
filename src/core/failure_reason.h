#pragma once
// Why a file operation failed, in words a user can act on: a full disk reads
// differently from a locked folder.

#include <string>

namespace lumivo {

// The German reason for an errno value ("kein Speicherplatz mehr frei").
std::string FailureReason(int error);

}  // namespace lumivo
