#include "batch/output_writer.h"

#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <set>
#include <system_error>

#include "core/failure_reason.h"
#include "core/folder_path.h"
#include "core/temporary_file.h"
#include "core/text_format.h"
#include "resources/texts.h"

namespace lumivo {

namespace {

namespace fs = std::filesystem;

Error CannotWriteInto(const std::string& folder, int error) {
  return Error{FormatText(texts::kCannotWriteIntoFolder, folder, FailureReason(error)), ErrorKind::Io};
}

Error CannotWrite(const std::string& path, int error) {
  return Error{FormatText(texts::kCannotWriteFileBecause, path, FailureReason(error)), ErrorKind::Io};
}

bool ValidFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos;
}

constexpr std::string_view kTemporaryStem = "lumivo";

}  // namespace

OutputSession::OutputSession(bool sync) : sync_(sync) { ::clock_gettime(CLOCK_REALTIME, &start_); }

Result<std::string> OutputSession::WriteNewFile(std::string_view folderText, std::span<const std::uint8_t> bytes,
                                                const NameChooser& choose) {
  const std::string folder = WithTrailingSlash(std::string(folderText));

  std::error_code error;
  fs::create_directories(fs::path(folder), error);
  if (!fs::is_directory(fs::path(folder))) {
    const int reason = error ? error.value() : ENOTDIR;
    return Error{FormatText(texts::kCannotCreateFolder, folderText, FailureReason(reason)), ErrorKind::Io};
  }

  if (cleared_.insert(folder).second) RemoveOrphanedTemporaryFiles(folder, std::string(kTemporaryStem), start_);

  TemporaryFile temporary;
  if (!temporary.Create(folder, std::string(kTemporaryStem) + "-" + std::to_string(::getpid())) ||
      !temporary.Write(bytes) || !temporary.Finish(sync_))
    return CannotWriteInto(folder, temporary.error());

  std::set<std::string> foundTaken;
  const NameTaken taken = [&foundTaken](const std::string& path) {
    return foundTaken.contains(path) || NameTakenOnDisk(path);
  };
  for (;;) {
    const std::string name = choose(taken);
    const std::string target = folder + name;
    if (!ValidFileName(name) || foundTaken.contains(target))
      return Error{FormatText(texts::kCannotWriteFile, target), ErrorKind::Io};
    switch (temporary.MoveWithoutReplacing(target)) {
      case TemporaryFile::Move::Done:
        if (sync_) written_.insert(folder);
        return target;
      case TemporaryFile::Move::Taken:
        foundTaken.insert(target);
        break;
      case TemporaryFile::Move::Failed:
        return CannotWrite(target, temporary.error());
    }
  }
}

Result<std::string> OutputSession::WriteOutputFile(std::string_view source, const OutputPlacement& placement,
                                                   std::span<const std::uint8_t> bytes) {
  return WriteNewFile(OutputFolder(source, placement), bytes, [&](const NameTaken& taken) {
    return BuildOutputName(source, placement, taken).name;
  });
}

void OutputSession::Finish() {
  // The outputs were reported already and are complete under their names; a
  // folder that cannot be flushed can at worst lose a name at a power loss.
  for (const std::string& folder : written_) (void)SyncFolder(folder);
  written_.clear();
}

Result<std::string> WriteNewFile(std::string_view folder, std::span<const std::uint8_t> bytes,
                                 const NameChooser& choose) {
  return OutputSession().WriteNewFile(folder, bytes, choose);
}

Result<std::string> WriteOutputFile(std::string_view source, const OutputPlacement& placement,
                                    std::span<const std::uint8_t> bytes) {
  return OutputSession().WriteOutputFile(source, placement, bytes);
}

}  // namespace lumivo
