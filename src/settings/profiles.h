#pragma once
// Profiles: named snapshots of the image adjustments, one XML file each in
// the settings folder, named exactly as the user typed the name.
//
// Only profile files are ever written or deleted: a profile file is a regular
// file (not a link) whose name passes the name test and that parses as a
// "Configuration" document. "setup.xml", the executable and anything else in
// the folder never count as one.

#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"
#include "settings/conversion_settings.h"

namespace lumivo {

// The characters alone: not empty, at most 254 characters (and 255 bytes, the
// file-name limit), no control character, none of " & * / : < > ? \ ^ | and
// 127, not "." or "..", no "##KVL##" (the stored list's separator), and not
// the settings file's name. Blanks, dots and letters beyond ASCII are allowed.
bool IsValidProfileNameText(std::string_view name);

// The name test for a new profile: the text rules, and no file of that name
// in `folder` unless it is a profile file.
bool IsValidProfileName(const std::string& folder, std::string_view name);

bool IsProfileFile(const std::string& folder, std::string_view name);

// Letter case ignored for ASCII and the Latin-1 letters (Ä, Ö, Ü, ...).
bool SameProfileName(std::string_view a, std::string_view b);

// Writes the adjustments into folder + name, updating an existing profile
// key by key. Refuses names that fail IsValidProfileName
// (texts::kProfileNameNotAllowed); a failed write names its reason.
Status SaveProfile(const std::string& folder, std::string_view name, const ConversionSettings& settings);

// Reads folder + name into the adjustments as the settings file does (same
// defaults, ranges and rules); stops at the first unreadable number with the
// values read so far applied, and names the number. Fails with
// texts::kFileNotReadable when no such profile file exists.
Status LoadProfile(const std::string& folder, std::string_view name, ConversionSettings& settings);

// The create command without its dialog: the name test
// (texts::kProfileNameNotAllowed), the duplicate test
// (texts::kProfileExists), then SaveProfile. The name is appended to the
// list only when its file was written (texts::kProfileNotSaved with the
// write's reason otherwise).
Status CreateProfile(const std::string& folder, std::vector<std::string>& profiles, std::string_view name,
                     const ConversionSettings& settings);

enum class ProfileDeletion {
  Deleted,       // file deleted, entry removed: show texts::kProfileDeleted
  EntryRemoved,  // the file was already gone: entry removed silently
  Kept,          // the file could not be deleted (or is no profile): entry stays
};

// The delete command for one list entry: deletes only a profile file.
ProfileDeletion DeleteProfile(const std::string& folder, std::vector<std::string>& profiles, std::string_view name);

}  // namespace lumivo
