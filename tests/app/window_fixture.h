#pragma once
// A main window on the offscreen platform over a fresh settings folder, with
// dialogs that answer from the test instead of waiting for a user.

#include <gtest/gtest.h>

#include <QLabel>
#include <QStringList>

#include <memory>
#include <optional>
#include <string>

#include "app/main_window.h"
#include "app/start_page.h"
#include "support/temp_dir.h"

// Readable QStrings in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace lumivo::test {

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Builds the window (again) over the same settings folder.
  void OpenWindow();
  // Applies a change to the settings as the controls would.
  template <typename Change>
  void ChangeSettings(Change change) {
    SettingsState state = window->BuildSettings();
    change(state);
    window->ApplySettings(state);
  }
  void CheckOnlyType(std::string_view extension);

  template <typename T = QWidget>
  T* Control(const char* name) const {
    T* control = window->findChild<T*>(name);
    EXPECT_NE(control, nullptr) << name;
    return control;
  }
  QString Text(const char* name) const { return Control<QLabel>(name)->text(); }
  void Click(const char* name) const;
  QStringList ReportLines() const;
  // Clicks the button and waits until the run it starts has ended.
  void RunThrough(const char* button) const;
  std::string Folder() const { return settingsFolder.path().string() + "/"; }

  TempDir settingsFolder;
  TempDir files;
  std::unique_ptr<app::MainWindow> window;
  QStringList messages;
  QStringList offeredFilters;
  QStringList pickedFiles;
  std::optional<QString> pickedFolder;
  std::optional<QColor> pickedColour;
  std::optional<FontDescription> pickedFont;
  QStringList typedNames;  // answers of the input prompt, in order; none left: cancelled
  QString pickedPicture;
};

// The pictures of the run tests: BMP files of noisy colours.
std::filesystem::path WritePicture(const TempDir& folder, std::string_view name, int size = 48);

}  // namespace lumivo::test
