#include "settings/replace_file.h"

#include <sys/stat.h>

#include <string>

#include "core/failure_reason.h"
#include "core/temporary_file.h"
#include "core/text_format.h"
#include "resources/texts.h"

namespace lumivo {

namespace {

// A link is followed, so that the file it names gets the new content.
std::filesystem::path ResolvedTarget(const std::filesystem::path& file) {
  std::error_code ec;
  if (!std::filesystem::is_symlink(file, ec)) return file;
  auto resolved = std::filesystem::weakly_canonical(file, ec);
  return ec ? file : resolved;
}

}  // namespace

Status ReplaceFileContent(const std::filesystem::path& file, std::string_view bytes) {
  const auto target = ResolvedTarget(file);
  const auto folder = target.has_parent_path() ? target.parent_path() : std::filesystem::path(".");

  TemporaryFile temporary;
  bool done = temporary.Create(folder.string() + "/", target.filename().string());
  if (done) {
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) ::fchmod(temporary.fd(), existing.st_mode & 07777);
    done = temporary.Write(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size())) &&
           temporary.Finish(/*sync=*/true) && temporary.Replace(target.string());
  }
  if (!done)
    return Error{FormatText(texts::kCannotWriteFileBecause, file.string(), FailureReason(temporary.error())),
                 ErrorKind::Io};
  return Status::Ok();
}

}  // namespace lumivo
