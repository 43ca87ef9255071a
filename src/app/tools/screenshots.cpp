// Opens the real window (run it under a display, e.g. xvfb-run), fills the
// Start page with a few pictures, shows every page, moves the window by its
// caption strip and closes it; writes a screenshot of every page to FOLDER.
// Ends with 1 when the window does not behave.

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

#include "app/contrast_colour.h"
#include "app/file_list_box.h"
#include "app/main_window.h"
#include "app/panel_button.h"
#include "app/qt_text.h"
#include "app/start_page.h"
#include "app/tab_strip.h"
#include "core/builtin_pictures.h"
#include "platform/qt_image.h"
#include "settings/profiles.h"
#include "settings/settings_file.h"

namespace {

using namespace lumivo::app;

struct Shot {
  const char* tab;
  const char* file;
};

// A small photograph-like picture: a sky, a hill and a sun.
QImage Landscape(int variant) {
  QImage picture(480, 320, QImage::Format_RGB888);
  QPainter painter(&picture);
  QLinearGradient sky(0, 0, 0, 200);
  sky.setColorAt(0, QColor::fromHsv((200 + 25 * variant) % 360, 120, 230));
  sky.setColorAt(1, QColor(250, 235, 200));
  painter.fillRect(picture.rect(), sky);
  painter.setBrush(QColor(250, 200 - 20 * variant, 60));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QPoint(120 + 60 * variant, 90), 36, 36);
  painter.setBrush(QColor(60 + 20 * variant, 120, 50));
  painter.drawEllipse(QRect(-120, 180, 720, 300));
  return picture;
}

bool Fail(const char* what) {
  std::fprintf(stderr, "lumivo_screenshots: %s\n", what);
  return false;
}

bool MovesByCaption(MainWindow& window) {
  QWidget* caption = window.findChild<QWidget*>("Panel_Caption");
  const QPoint before = window.pos();
  const QPointF local(200, 12);
  QMouseEvent press(QEvent::MouseButtonPress, local, caption->mapToGlobal(local), Qt::LeftButton, Qt::LeftButton,
                    Qt::NoModifier);
  QApplication::sendEvent(caption, &press);
  const QPointF moved(260, 52);
  QMouseEvent move(QEvent::MouseMove, moved, caption->mapToGlobal(moved), Qt::NoButton, Qt::LeftButton,
                   Qt::NoModifier);
  QApplication::sendEvent(caption, &move);
  QMouseEvent release(QEvent::MouseButtonRelease, moved, caption->mapToGlobal(moved), Qt::LeftButton, Qt::NoButton,
                      Qt::NoModifier);
  QApplication::sendEvent(caption, &release);
  QTest::qWait(300);
  return window.pos() != before;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: lumivo_screenshots FOLDER\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  QTemporaryDir work;
  QStringList pictures;
  const char* names[] = {"Strand.jpg", "Berge im Herbst.png", "Hafen.jpg", "Sonnenuntergang.bmp", "Wanderung.jpg"};
  for (int i = 0; i < 5; ++i) {
    const QString path = work.filePath(QString("Urlaub 2011/") + names[i]);
    QDir().mkpath(work.filePath("Urlaub 2011"));
    Landscape(i).save(path);
    pictures.push_back(path);
  }
  QDir().mkpath(work.filePath("settings"));
  MainWindow window(ToUtf8(work.filePath("settings")) + "/", PlatformDialogs());
  window.move(40, 40);
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return Fail("the window does not open") ? 0 : 1;
  window.AddNames(pictures);
  window.findChild<FileListBox*>("ListBox_Start_Files")->setCurrentRow(2);

  bool ok = true;
  const Shot shots[] = {{"Panel_Start", "start-page.png"},
                        {"Panel_Bildanpassungen", "adjustments-page.png"},
                        {"Panel_Optionen", "options-page.png"},
                        {"Panel_Profilverwaltung", "profiles-page.png"},
                        {"Panel_Info", "info-page.png"}};
  // Adjustments worth showing: a sepia tint, a text watermark, a profile.
  lumivo::SettingsState state = window.BuildSettings();
  state.Conversion.Quality = 35;
  state.Conversion.SizeMode = lumivo::SizeMode::Percent;
  state.Conversion.SizePercent = 50;
  state.Conversion.ColouringMode = lumivo::ColouringMode::Sepia;
  state.Conversion.SepiaPercent = 40;
  state.Conversion.WatermarkMode = lumivo::WatermarkMode::Text;
  state.Conversion.WatermarkText = "© Lumivo 2011";
  state.Conversion.WatermarkPosition = 3;
  state.Options.FileTypeChecked.fill(true);
  state.Options.FileTypeChecked[2] = false;
  window.ApplySettings(state);
  (void)lumivo::SaveProfile(ToUtf8(work.filePath("settings")) + "/", "Web klein", state.Conversion);
  state.Profiles = {"Web klein"};
  window.ApplySettings(state);

  for (const Shot& shot : shots) {
    QTest::mouseClick(window.tabs()->TabButton(shot.tab), Qt::LeftButton);
    QTest::qWait(100);
    if (window.currentPage()->objectName() != TabStrip::PageName(shot.tab)) ok = Fail(shot.tab);
    if (std::string_view(shot.tab) == "Panel_Bildanpassungen") {
      const Shot subPages[] = {{"Panel_Bildqualitaet", "adjustments-quality.png"},
                               {"Panel_Bildgroesse", "adjustments-size.png"},
                               {"Panel_H2O", "adjustments-watermark.png"},
                               {"Panel_Faerbung", "adjustments-colouring.png"}};
      for (const Shot& sub : subPages) {
        QTest::mouseClick(window.findChild<PanelButton*>(sub.tab), Qt::LeftButton);
        QTest::qWait(100);
        if (!window.grab().save(out + "/" + sub.file)) ok = Fail(sub.file);
      }
    }
    if (!window.grab().save(out + "/" + shot.file)) ok = Fail(shot.file);
  }
  QTest::mouseClick(window.tabs()->TabButton("Panel_Start"), Qt::LeftButton);
  if (!MovesByCaption(window)) ok = Fail("the caption strip does not move the window");
  QTest::mouseClick(window.findChild<PanelButton*>("Panel_Beenden"), Qt::LeftButton);
  QTest::qWait(100);
  if (window.isVisible()) ok = Fail("\"X\" does not close the window");
  return ok ? 0 : 1;
}
