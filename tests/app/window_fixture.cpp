#include "window_fixture.h"

#include <QApplication>
#include <QPlainTextEdit>
#include <QTest>

#include <random>

#include "app/panel_button.h"
#include "app/qt_text.h"
#include "filelist/file_type_table.h"
#include "support/gui_application.h"
#include "support/picture_files.h"

namespace lumivo::test {

namespace {

// Widgets need a QApplication; one for the whole test program.
[[maybe_unused]] const auto* const registered = ::testing::AddGlobalTestEnvironment(new TestApplication<QApplication>);

}  // namespace

void WindowTest::SetUp() { OpenWindow(); }

void WindowTest::TearDown() { window.reset(); }

void WindowTest::OpenWindow() {
  window.reset();
  app::WindowDialogs dialogs;
  dialogs.message = [this](QWidget*, const QString& text) { messages.push_back(text); };
  dialogs.openFiles = [this](QWidget*, const QString&, const QStringList& filters) {
    offeredFilters = filters;
    return pickedFiles;
  };
  dialogs.pickFolder = [this](QWidget*, const QString&, const QString&) { return pickedFolder; };
  dialogs.pickColour = [this](QWidget*, const QColor&) { return pickedColour; };
  dialogs.pickFont = [this](QWidget*, const FontDescription&) { return pickedFont; };
  dialogs.askText = [this](QWidget*, const QString&, const QString&) -> std::optional<QString> {
    if (typedNames.isEmpty()) return std::nullopt;
    return typedNames.takeFirst();
  };
  dialogs.openPicture = [this](QWidget*, const QString&, const QStringList&) { return pickedPicture; };
  window = std::make_unique<app::MainWindow>(Folder(), dialogs);
  window->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
}

void WindowTest::CheckOnlyType(std::string_view extension) {
  ChangeSettings([&](SettingsState& state) {
    for (std::size_t row = 0; row < FileTypeTable.size(); ++row)
      state.Options.FileTypeChecked[row] = FileTypeTable[row].extension == extension;
  });
}

void WindowTest::Click(const char* name) const {
  QTest::mouseClick(Control<app::PanelButton>(name), Qt::LeftButton);
}

QStringList WindowTest::ReportLines() const {
  return Control<QPlainTextEdit>("Memo_ErrorReport")->toPlainText().split('\n');
}

void WindowTest::RunThrough(const char* button) const {
  Click(button);
  ASSERT_TRUE(QTest::qWaitFor([this] { return !window->startPage()->running(); }, 60000));
}

std::filesystem::path WritePicture(const TempDir& folder, std::string_view name, int size) {
  std::mt19937 noise(static_cast<unsigned>(name.size() * 7919 + static_cast<unsigned char>(name.front())));
  const Bitmap picture = MakeBitmap(size, size, [&](int, int) {
    return Bgr{static_cast<int>(noise() & 0xFF), static_cast<int>(noise() & 0xFF), static_cast<int>(noise() & 0xFF)};
  });
  return folder.Write(name, MakeBmp(picture));
}

}  // namespace lumivo::test
