#pragma once
// The short overview of the profile page: text rows "label: value" for the
// current adjustments or for a stored profile.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"
#include "filelist/path_fitting.h"
#include "settings/conversion_settings.h"

namespace lumivo {

// `selectedProfile` is the selected entry of the profile list, if any. The
// watermark picture's file name is shortened to `overviewWidth` less the
// width of its label, both measured with `measure` in the overview's font.
std::vector<std::string> DescribeCurrentSettings(const ConversionSettings& settings,
                                                 std::optional<std::string_view> selectedProfile,
                                                 const TextMeasure& measure, int overviewWidth);

// The rows of the stored profile folder + name, each decided by its own key
// (a hand-edited file with contradicting switches shows several rows of a
// group, or none), with an empty row after the quality, size and colouring
// blocks. The quality defaults to `current`'s. Fails on a file that is no
// profile or holds an unreadable number.
Result<std::vector<std::string>> DescribeProfile(const std::string& folder, std::string_view name,
                                                 const ConversionSettings& current, const TextMeasure& measure,
                                                 int overviewWidth);

}  // namespace lumivo
