#include "batch/entry_preparation.h"

#include <chrono>
#include <cstdint>
#include <new>

#include "batch/file_checks.h"
#include "core/rounding.h"
#include "core/text_format.h"
#include "imaging/colouring.h"
#include "imaging/text_watermark.h"
#include "imaging/watermark.h"
#include "metadata/upright_loading.h"
#include "resources/texts.h"

namespace lumivo {

namespace {

PreparedEntry Failed(Error error) {
  PreparedEntry entry;
  entry.message = std::move(error.message);
  entry.kind = error.kind;
  return entry;
}

PreparedEntry Raised(Error error) {
  PreparedEntry entry = Failed(std::move(error));
  entry.outcome = PreparedEntry::Outcome::Error;
  entry.loaded = true;
  return entry;
}

Error CheckFailure(SourceProblem problem, const std::string& source) {
  switch (problem) {
    case SourceProblem::Missing: return Error{FormatText(texts::kFileNotFound, source), ErrorKind::Io};
    case SourceProblem::Empty: return Error{FormatText(texts::kSourceEmpty, source), ErrorKind::Broken};
    case SourceProblem::Locked: return Error{FormatText(texts::kSourceLocked, source), ErrorKind::Io};
    case SourceProblem::None: break;
  }
  return {};
}

Status Adjust(Bitmap& working, const EntrySettings& settings, Bitmap& holder, bool sized) {
  const ConversionSettings& c = settings.conversion;
  if (!sized) {
    if (Status resized = SizeWorkingPicture(working, settings.size, holder); !resized) return resized;
  }
  ApplyColouring(working, c);

  // The margins are 16-bit values on the way to the placement.
  const int marginX = static_cast<std::int16_t>(c.WatermarkMarginX);
  const int marginY = static_cast<std::int16_t>(c.WatermarkMarginY);
  if (c.WatermarkMode == WatermarkMode::Picture) {
    if (!settings.watermarkPicture || settings.watermarkPicture->empty())
      return Error{std::string(texts::kNotAPictureData)};
    if (Status stamped = ApplyPictureWatermark(working, *settings.watermarkPicture, c.WatermarkPosition,
                                               WatermarkScaleFactor(c.WatermarkScaleIndex),
                                               c.WatermarkTransparencyPercent, c.WatermarkTransparency, marginX,
                                               marginY);
        !stamped)
      return stamped;
  }
  if (c.WatermarkMode == WatermarkMode::Text) {
    const auto extent = MeasureWatermarkText(c.WatermarkText, c.WatermarkFont);
    if (!extent) return extent.status();
    const PixelPoint at = PlaceWatermark(c.WatermarkPosition, marginX, marginY, working.width(), working.height(),
                                         extent->width, extent->height);
    if (Status drawn = ApplyTextWatermark(working, c.WatermarkText, c.WatermarkFont, at.x, at.y); !drawn)
      return drawn;
  }
  return {};
}

}  // namespace

void ApplyColouring(Bitmap& working, const ConversionSettings& settings) {
  // The colourings' answers are not looked at, as in every front end.
  if (settings.ColouringMode == ColouringMode::Sepia) {
    (void)ApplySepia(working, settings.SepiaPercent);
  } else if (settings.ColouringMode == ColouringMode::OwnColour) {
    (void)ApplyOwnColour(working, settings.OwnColour, PercentToByte(settings.OwnColourPercent), settings.WhiteFilter);
  }
}

PreparedEntry PrepareEntry(const std::string& source, const EntrySettings& settings,
                           PreparationWorkspace& workspace, const std::function<void()>& loaded) {
  if (const SourceProblem problem = CheckSource(source); problem != SourceProblem::None)
    return Failed(CheckFailure(problem, source));
  // A JPEG is decoded straight at its output size: the full picture is
  // never made, and the sizing step has nothing left to do.
  JpegDecodeRequest decode;
  decode.sampleTo = [&settings](PictureSize full) { return TargetSize(settings.size, full); };
  const Result<Decoded> load = LoadUprightPicture(source, workspace.working, workspace.source, decode);
  if (!load) return Failed(load.error());
  const bool sized = *load == Decoded::Sampled;
  if (loaded) loaded();
  try {
    if (Status adjusted = Adjust(workspace.working, settings, workspace.source, sized); !adjusted)
      return Raised(adjusted.error());
    if (Status compressed = CompressOutput(workspace.working, workspace.jpeg, settings.quality); !compressed)
      return Raised(compressed.error());
  } catch (const std::bad_alloc&) {
    return Raised(Error{std::string(texts::kOutOfMemory), ErrorKind::TooLarge});
  } catch (const TooLarge& error) {
    return Raised(Error{error.what(), ErrorKind::TooLarge});
  } catch (const std::exception& error) {
    return Raised(Error{error.what()});
  }
  const JpegImage& jpeg = workspace.jpeg;
  if (jpeg.width() < 1 || jpeg.height() < 2) {
    PreparedEntry empty = Failed(Error{FormatText(texts::kEmptyOutputPicture, source)});
    empty.loaded = true;
    return empty;
  }
  PreparedEntry ready;
  ready.outcome = PreparedEntry::Outcome::Ready;
  ready.loaded = true;
  ready.width = jpeg.width();
  ready.height = jpeg.height();
  ready.stream = jpeg.stream();  // a copy: the workspace keeps its buffer for the next entry
  return ready;
}

PreparedEntry PrepareTimed(const std::string& source, const EntrySettings& settings,
                           PreparationWorkspace& workspace, const std::function<void()>& loaded) {
  const auto start = std::chrono::steady_clock::now();
  PreparedEntry entry = PrepareEntry(source, settings, workspace, loaded);
  entry.milliseconds = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  return entry;
}

}  // namespace lumivo
