#pragma once
// Pictures for the Start page's preview: decoded no larger than the preview
// needs, then scaled down once, so that painting never scales a photo.

#include <QImage>
#include <QSize>

#include <cstdint>
#include <filesystem>
#include <span>

#include "core/bitmap.h"
#include "core/result.h"

namespace lumivo::app {

// The picture scaled down (never up) to fit the box, keeping its aspect.
QImage FitImage(Bitmap picture, QSize box);

// A source file as the run converts it (upright), fitted to the box; JPEG
// content is decoded at the smallest DCT scale that still fills it.
Result<QImage> LoadPreview(const std::filesystem::path& file, QSize box);

// A compressed output fitted to the box, decoded at a reduced scale.
QImage DecodePreview(std::span<const std::uint8_t> jpeg, QSize box);

}  // namespace lumivo::app
