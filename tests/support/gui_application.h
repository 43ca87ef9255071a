#pragma once
// Text drawing needs a QGuiApplication, widgets a QApplication: a test program
// registers one for all its tests, on the offscreen platform unless told
// otherwise.

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <memory>

namespace lumivo::test {

template <typename Application>
class TestApplication final : public ::testing::Environment {
 public:
  void SetUp() override {
    if (QCoreApplication::instance() != nullptr) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    application_ = std::make_unique<Application>(argc_, argv_);
  }
  void TearDown() override { application_.reset(); }

 private:
  int argc_ = 1;
  char name_[16] = "lumivo_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<Application> application_;
};

// Called once from a static initialiser of a test program that draws text.
bool RegisterGuiApplication();

}  // namespace lumivo::test
