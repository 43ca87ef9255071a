#include <QApplication>
#include <QLabel>
#include <QPixmap>

#include "core/builtin_pictures.h"
#include "platform/qt_image.h"
#include "resources/texts.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const QString title = QString::fromUtf8(lumivo::texts::kApplicationTitle.data(),
                                          static_cast<qsizetype>(lumivo::texts::kApplicationTitle.size()));
  application.setApplicationName(title);
  lumivo::Bitmap logo = lumivo::ProgramLogoBitmap();
  const QPixmap icon = QPixmap::fromImage(lumivo::platform::WrapBitmap(logo).copy());
  application.setWindowIcon(icon);

  QLabel window;
  window.setWindowTitle(title);
  window.setPixmap(icon);
  window.setAlignment(Qt::AlignCenter);
  window.resize(480, 320);
  window.show();
  return application.exec();
}
