#include "app/application.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QPixmap>
#include <QTranslator>

#include <clocale>

#include "app/main_window.h"
#include "app/qt_text.h"
#include "app/single_instance.h"
#include "core/builtin_pictures.h"
#include "platform/qt_image.h"
#include "platform/settings_folder.h"

namespace lumivo::app {

namespace {

QStringList Arguments(int argc, char** argv) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(QString::fromLocal8Bit(argv[i]));
  return arguments;
}

}  // namespace

int RunLumivo(int argc, char** argv) {
  const QStringList names = ExistingNames(Arguments(argc, argv));
  SingleInstance instance(InstanceFolder());
  if (!instance.Claim()) {
    if (names.isEmpty()) return 0;
    return instance.HandOver(names) ? 0 : 1;
  }

  QApplication application(argc, argv);
  // Qt takes the user's locale for the C library too; our numbers stay plain.
  std::setlocale(LC_NUMERIC, "C");
  // The program speaks German, and so do Qt's own dialogs (buttons, the
  // font, colour and file dialogs) when Qt's translations are installed.
  QTranslator qtTexts;
  if (qtTexts.load(QLocale(QLocale::German), "qtbase", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);
  const QString title = WindowTitle();
  QApplication::setApplicationName("lumivo");
  QApplication::setApplicationDisplayName(title);
  QApplication::setDesktopFileName("io.github.lumivo.Lumivo");
  const Bitmap logo = ProgramLogoBitmap();
  QApplication::setWindowIcon(QPixmap::fromImage(platform::WrapBitmap(logo).copy()));

  auto folder = platform::SettingsFolder();
  if (!folder) {
    QMessageBox::critical(nullptr, title, ToQString(folder.message()));
    return 1;
  }
  MainWindow window(*folder);
  QObject::connect(&instance, &SingleInstance::namesReceived, &window, [&window](const QStringList& received) {
    window.AddNames(received);
    if (window.isMinimized()) window.showNormal();
    window.raise();
    window.activateWindow();
  });
  instance.Listen();
  window.show();
  window.AddNames(names);
  return application.exec();
}

}  // namespace lumivo::app
