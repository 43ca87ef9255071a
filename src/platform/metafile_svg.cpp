#include "platform/metafile_svg.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

// Before libwmf, whose headers define U8 and U16 as macros.
#include "core/byte_reader.h"

#include <emf2svg.h>
#include <libwmf/api.h>
#include <libwmf/svg.h>

#include "platform/wmf_fonts.h"

// libemf2svg ends every text conversion with FcFini(), which frees
// fontconfig's configuration and caches while Qt still holds them: fontconfig
// then aborts on an assertion, or Qt reads freed memory. FcFini is meant for
// a process done with fontconfig, which this one never is, so here it does
// nothing: defined in the program, it takes the library's place for every
// caller.
extern "C" void FcFini() {}

namespace lumivo::platform {

namespace {

constexpr std::uint32_t kCreatePenRecord = 38;
constexpr std::uint32_t kGeometricPen = 0x10000;

// CreatePen records no PS_GEOMETRIC, yet GDI draws a pen wider than one
// pixel as geometric; libemf2svg draws every pen without it one unit wide.
void MarkWidePensGeometric(std::vector<char>& records) {
  auto u32 = [&](std::size_t at) { return LoadU32LE(reinterpret_cast<const std::uint8_t*>(&records[at])); };
  for (std::size_t at = 0; at + 8 <= records.size();) {
    const std::uint32_t size = u32(at + 4);
    if (size < 8 || size > records.size() - at) break;
    if (u32(at) == kCreatePenRecord && size >= 28 && static_cast<std::int32_t>(u32(at + 16)) > 1) {
      const std::uint32_t style = u32(at + 12) | kGeometricPen;
      for (int i = 0; i < 4; ++i) records[at + 12 + i] = static_cast<char>(style >> (8 * i));
    }
    at += size;
  }
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

// Two faults of libwmf's SVG output: a transparent background mode makes
// every fill half transparent (it only concerns text and hatch gaps), and a
// bitmap carries its placement twice, as attributes and as a transform.
void RepairWmfSvg(std::string& svg) {
  ReplaceAll(svg, "fill-opacity:0.5;", "fill-opacity:1.0;");
  for (std::size_t image = svg.find("<image"); image != std::string::npos; image = svg.find("<image", image + 1)) {
    const std::size_t end = svg.find('>', image);
    const std::size_t transform = svg.find("transform=\"", image);
    if (transform == std::string::npos || transform > end) continue;
    const std::size_t close = svg.find('"', transform + 11);
    if (close == std::string::npos || close > end) continue;
    svg.erase(transform, close + 1 - transform);
  }
}

}  // namespace

std::optional<std::string> EnhancedToSvg(std::span<const std::uint8_t> bytes, PixelSize size) {
  generatorOptions options{};
  options.nameSpace = const_cast<char*>("");
  options.emfplus = true;
  options.svgDelimiter = true;
  options.imgWidth = static_cast<double>(size.width);
  options.imgHeight = static_cast<double>(size.height);
  // The library takes its input as writable; it gets a copy.
  std::vector<char> input(bytes.begin(), bytes.end());
  MarkWidePensGeometric(input);
  char* out = nullptr;
  std::size_t outLength = 0;
  const int converted = emf2svg(input.data(), input.size(), &out, &outLength, &options);
  std::unique_ptr<char, decltype(&std::free)> owned(out, &std::free);
  if (!converted || !out) return std::nullopt;
  return std::string(out, outLength);
}

struct WindowsMetafile::State {
  wmfAPI* api = nullptr;
  std::vector<unsigned char> input;
  wmfD_Rect bounds{};  // of what the records draw
  wmfD_Rect frame{};   // of the whole picture, in device units
  ~State() {
    if (api) wmf_api_destroy(api);
  }
};

WindowsMetafile::WindowsMetafile(std::span<const std::uint8_t> bytes) : state_(std::make_unique<State>()) {
  state_->input.assign(bytes.begin(), bytes.end());
  SetLongestRecord(state_->input);
  wmfAPI_Options options{};
  options.function = wmf_svg_function;
  const unsigned long flags = WMF_OPT_FUNCTION | WMF_OPT_IGNORE_NONFATAL | WMF_OPT_NO_ERROR | WMF_OPT_NO_DEBUG |
                              ProvideWmfFonts(options);
  if (wmf_api_create(&state_->api, flags, &options) != wmf_E_None) return;
  wmfAPI* api = state_->api;
  if (wmf_mem_open(api, state_->input.data(), static_cast<long>(state_->input.size())) != wmf_E_None) return;
  if (wmf_scan(api, 0, &state_->bounds) != wmf_E_None) return;
  // Placeable files know their size; the device units are points. A plain
  // file's logical units count as pixels, as in GDI's default mapping, and
  // the device units are its logical ones.
  if (IsPlaceable(bytes)) {
    unsigned int width = 0, height = 0;
    if (wmf_display_size(api, &width, &height, 96, 96) != wmf_E_None) return;
    size_ = PixelSize{width, height};
    state_->frame.TL = {0, 0};
    state_->frame.BR = {static_cast<float>(width * 0.75), static_cast<float>(height * 0.75)};
  } else if (const auto window = WindowOf(bytes); window && window->width && window->height) {
    size_ = PixelSize{std::abs(window->width), std::abs(window->height)};
    wmfD_Rect& frame = state_->frame;
    frame.TL = {static_cast<float>(std::min(window->left, window->left + window->width)),
                static_cast<float>(std::min(window->top, window->top + window->height))};
    frame.BR = {frame.TL.x + static_cast<float>(size_->width), frame.TL.y + static_cast<float>(size_->height)};
  } else {
    unsigned int width = 0, height = 0;
    if (wmf_display_size(api, &width, &height, 96, 96) != wmf_E_None) return;
    size_ = PixelSize{width, height};
    state_->frame = state_->bounds;
  }
}

WindowsMetafile::~WindowsMetafile() = default;

std::optional<std::string> WindowsMetafile::Svg() {
  if (!size_) return std::nullopt;
  wmfAPI* api = state_->api;
  wmf_svg_t* device = WMF_SVG_GetData(api);
  device->out = wmf_stream_create(api, nullptr);
  if (!device->out) return std::nullopt;
  device->Description = const_cast<char*>("");
  // The whole frame, not just what the records draw: the scan's bounds
  // would stretch the drawing to the picture's edges.
  device->bbox = state_->frame;
  device->width = static_cast<unsigned int>(size_->width);
  device->height = static_cast<unsigned int>(size_->height);
  device->flags |= WMF_SVG_INLINE_IMAGES;
  const wmf_error_t played = wmf_play(api, 0, &state_->bounds);
  char* out = nullptr;
  unsigned long outLength = 0;
  wmf_stream_destroy(api, device->out, &out, &outLength);
  device->out = nullptr;
  if (played != wmf_E_None || !out) return std::nullopt;
  std::string svg(out, outLength);  // the library frees its memory with the API
  RepairWmfSvg(svg);
  return svg;
}

}  // namespace lumivo::platform
