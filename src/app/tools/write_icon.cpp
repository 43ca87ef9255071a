// Writes the program logo as a PNG: the application icon that is installed.

#include <QGuiApplication>
#include <QImage>

#include <cstdio>

#include "core/builtin_pictures.h"
#include "platform/qt_image.h"

int main(int argc, char* argv[]) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FILE.png\n", argv[0]);
    return 2;
  }
  QGuiApplication application(argc, argv);
  const lumivo::Bitmap logo = lumivo::ProgramLogoBitmap();
  const QImage icon = lumivo::platform::WrapBitmap(logo).copy();
  return icon.save(QString::fromLocal8Bit(argv[1]), "PNG") ? 0 : 1;
}
