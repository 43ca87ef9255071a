#include "support/gui_application.h"

#include <gtest/gtest.h>

#include <QGuiApplication>

#include <memory>

namespace lumivo::test {

namespace {

class GuiApplication : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QCoreApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<QGuiApplication>(argc_, argv_);
  }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "lumivo_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QGuiApplication> application_;
};

}  // namespace

bool RegisterGuiApplication() {
  static const bool registered = [] {
    ::testing::AddGlobalTestEnvironment(new GuiApplication);  // GoogleTest owns it
    return true;
  }();
  return registered;
}

}  // namespace lumivo::test
