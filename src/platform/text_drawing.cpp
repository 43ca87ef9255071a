#include "platform/text_drawing.h"

#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cstdlib>

#include "platform/font_conversion.h"
#include "platform/gui_application.h"
#include "platform/qt_image.h"
#include "platform/system_colour.h"
#include "platform/gui_presence.h"
#include "resources/texts.h"

namespace lumivo::platform {

namespace {

constexpr int kDotsPerMeter96Dpi = 3780;

// Points at 96 dpi, rounded half away from zero like the system's own
// conversion; the pixel size keeps the result independent of any screen.
int PixelSizeFor(int points) { return (points * 96 + 36) / 72; }

QFont MakeFont(const FontDescription& description) {
  QFont font = ToQFont(description);
  font.setPixelSize(PixelSizeFor(font.pointSize()));
  // Fixed rendering choices: left to the desktop's defaults, the GUI on a
  // display and the headless run would hint and smooth differently.
  font.setStyleStrategy(static_cast<QFont::StyleStrategy>(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
  font.setHintingPreference(QFont::PreferFullHinting);
  font.setKerning(false);
  return font;
}

QImage MeasuringDevice() {
  QImage device(1, 1, QImage::Format_BGR888);
  device.setDotsPerMeterX(kDotsPerMeter96Dpi);
  device.setDotsPerMeterY(kDotsPerMeter96Dpi);
  return device;
}

}  // namespace

Result<TextExtent> MeasureText(std::string_view utf8, const FontDescription& font) {
  if (!HaveGuiApplication()) return Error{std::string(texts::kTextNeedsGui)};
  QImage device = MeasuringDevice();
  const QFontMetrics metrics(MakeFont(font), &device);
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  return TextExtent{text.isEmpty() ? 0 : metrics.horizontalAdvance(text), metrics.height()};
}

Status DrawText(Bitmap& bitmap, std::string_view utf8, const FontDescription& font, int x, int y) {
  if (!HaveGuiApplication()) return Error{std::string(texts::kTextNeedsGui)};
  if (bitmap.format() != PixelFormat::Bgr24) return Error{std::string(texts::kTextNotDrawn)};
  const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
  if (text.isEmpty() || bitmap.empty()) return {};

  QImage image = WrapBitmap(bitmap);
  image.setDotsPerMeterX(kDotsPerMeter96Dpi);
  image.setDotsPerMeterY(kDotsPerMeter96Dpi);
  const QFont qfont = MakeFont(font);
  const QFontMetrics metrics(qfont, &image);
  // Far outside the picture nothing shows; skipping it also keeps huge
  // coordinates away from the rasteriser.
  const QRect box = QRect(0, 0, metrics.horizontalAdvance(text), metrics.height())
                        .united(metrics.boundingRect(text).translated(0, metrics.ascent()))
                        .translated(x, y);
  if (!box.intersects(image.rect())) return {};

  QPainter painter;
  if (!painter.begin(&image)) return Error{std::string(texts::kTextNotDrawn)};
  const PlainColour colour = ResolveColour(font.colour);
  painter.setFont(qfont);
  painter.setPen(QColor(colour.red, colour.green, colour.blue));
  painter.drawText(QPointF(x, static_cast<qreal>(y) + metrics.ascent()), text);
  painter.end();
  if (image.constBits() != bitmap.data()) return Error{std::string(texts::kTextNotDrawn)};  // drawn on a copy
  return {};
}

}  // namespace lumivo::platform
