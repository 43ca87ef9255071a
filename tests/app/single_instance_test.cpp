// A second start of the program: without names it ends at once and touches
// nothing; with names it hands them to the window that runs.

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <filesystem>

#include "app/file_list_box.h"
#include "app/qt_text.h"
#include "app/single_instance.h"
#include "window_fixture.h"

namespace lumivo::test {
namespace {

namespace fs = std::filesystem;

class SecondStart : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    first = std::make_unique<app::SingleInstance>(app::ToQString(Folder()));
    ASSERT_TRUE(first->Claim());
    ASSERT_TRUE(first->Listen());
    QObject::connect(first.get(), &app::SingleInstance::namesReceived, window.get(), &app::MainWindow::AddNames);
  }

  // Starts the program as a second instance and waits for it to end.
  int Start(const QStringList& arguments) const {
    QProcess second;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("LUMIVO_CONFIG_DIR", app::ToQString(Folder()));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    second.setProcessEnvironment(environment);
    second.start(LUMIVO_PROGRAM, arguments);
    // The first instance answers on this thread's event loop.
    EXPECT_TRUE(QTest::qWaitFor([&] { return second.state() == QProcess::NotRunning; }, 20000));
    return second.exitStatus() == QProcess::NormalExit ? second.exitCode() : -1;
  }

  std::unique_ptr<app::SingleInstance> first;
};

TEST_F(SecondStart, WithoutNamesEndsAtOnceTouchingNothing) {
  const auto before = std::distance(fs::directory_iterator(settingsFolder.path()), fs::directory_iterator());
  EXPECT_EQ(Start({}), 0);
  EXPECT_EQ(std::distance(fs::directory_iterator(settingsFolder.path()), fs::directory_iterator()), before);
  EXPECT_FALSE(fs::exists(settingsFolder.path() / "setup.xml"));
}

TEST_F(SecondStart, WithNamesHandsThemToTheRunningWindow) {
  const auto picture = WritePicture(files, "handed over.bmp");
  files.Write("folder/x.jpg", "x");
  EXPECT_EQ(Start({app::ToQString(picture.string()), "no such file"}), 0);
  auto* list = Control<app::FileListBox>("ListBox_Start_Files");
  ASSERT_TRUE(QTest::qWaitFor([&] { return list->count() > 0; }, 5000));
  EXPECT_EQ(list->Entries(), QStringList({app::ToQString(picture.string())}));
}

}  // namespace
}  // namespace lumivo::test
