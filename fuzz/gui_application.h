#pragma once
// Drawing SVG and text needs a GUI application: offscreen, once a process.

#include <QGuiApplication>

inline void NeedGuiApplication() {
  static int argc = 1;
  static char name[] = "lumivo_fuzzer";
  static char* argv[] = {name, nullptr};
  static const bool offscreen = qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication application(argc, argv);
  (void)offscreen;
}
