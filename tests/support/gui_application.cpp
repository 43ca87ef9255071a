#include "support/gui_application.h"

#include <QGuiApplication>

namespace lumivo::test {

bool RegisterGuiApplication() {
  static const bool registered = [] {
    ::testing::AddGlobalTestEnvironment(new TestApplication<QGuiApplication>);  // GoogleTest owns it
    return true;
  }();
  return registered;
}

}  // namespace lumivo::test
