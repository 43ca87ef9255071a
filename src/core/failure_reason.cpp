#include "core/failure_reason.h"

#include <cerrno>

#include "core/text_format.h"
#include "resources/texts.h"

namespace lumivo {

std::string FailureReason(int error) {
  switch (error) {
    case ENOSPC: return std::string(texts::kReasonNoSpace);
    case EDQUOT: return std::string(texts::kReasonQuota);
    case EROFS: return std::string(texts::kReasonReadOnly);
    case EACCES:
    case EPERM: return std::string(texts::kReasonNoPermission);
    case ENOENT: return std::string(texts::kReasonPathMissing);
    case ENOTDIR:
    case EEXIST: return std::string(texts::kReasonNotAFolder);
    case ENAMETOOLONG: return std::string(texts::kReasonNameTooLong);
    case EIO: return std::string(texts::kReasonDevice);
    default: return FormatText(texts::kReasonSystem, error);
  }
}

}  // namespace lumivo
