// The window as a whole: start-up state, page tabs, the caption strip, the
// close with and without autosave, and where a stored position puts it.

#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include <filesystem>

#include "app/contrast_colour.h"
#include "app/drag_strip.h"
#include "app/file_list_box.h"
#include "app/panel_button.h"
#include "app/tab_strip.h"
#include "app/window_placement.h"
#include "window_fixture.h"

namespace lumivo::test {
namespace {

using app::ContrastTextColour;
using app::ToQColor;

constexpr const char* kTabs[] = {"Panel_Start", "Panel_Bildanpassungen", "Panel_Optionen", "Panel_Profilverwaltung",
                                 "Panel_Info"};
constexpr const char* kPages[] = {"Panel_Main_Start", "Panel_Main_Bildanpassungen", "Panel_Main_Optionen",
                                  "Panel_Main_Profilverwaltung", "Panel_Main_Info"};

TEST(ContrastTextColour, BlackOnLightWhiteOnDark) {
  struct Case {
    std::uint32_t background, text;
  };
  const Case cases[] = {
      {app::kWhite, app::kBlack},
      {app::kTabBlue, app::kWhite},        // luma 102
      {0xFFAF00, app::kBlack},             // the adjustments tab colour, luma 131
      {app::kBlack, app::kWhite},
      {app::ColourValue(128, 128, 128), app::kBlack},  // luma 128 is light
      {app::ColourValue(127, 127, 127), app::kWhite},
  };
  for (const Case& c : cases) EXPECT_EQ(ContrastTextColour(c.background), c.text) << std::hex << c.background;
}

using StartUp = WindowTest;

TEST_F(StartUp, StartTabBlueOthersWhiteListEmptyReportHidden) {
  EXPECT_EQ(window->windowTitle(), "Lumivo 2.0.2 vom 10. Oktober 2011");
  EXPECT_EQ(Text("Panel_Caption"), window->windowTitle());
  EXPECT_EQ(window->size(), QSize(657, 513));
  EXPECT_TRUE(window->windowFlags().testFlag(Qt::FramelessWindowHint));
  for (const char* tab : kTabs) {
    const bool active = std::string_view(tab) == "Panel_Start";
    const QColor face = ToQColor(active ? app::kTabBlue : app::kWhite);
    const QColor text = ToQColor(active ? app::kWhite : app::kBlack);
    EXPECT_EQ(Control(tab)->palette().color(QPalette::Window), face) << tab;
    const app::PanelButton* caption = window->tabs()->TabButton(tab);
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->palette().color(QPalette::Window), face) << tab;
    EXPECT_EQ(caption->palette().color(QPalette::WindowText), text) << tab;
    EXPECT_TRUE(caption->font().bold()) << tab;
  }
  EXPECT_EQ(window->currentPage()->objectName(), "Panel_Main_Start");
  EXPECT_EQ(Control<app::FileListBox>("ListBox_Start_Files")->count(), 0);
  const auto* report = Control<QPlainTextEdit>("Memo_ErrorReport");
  EXPECT_TRUE(report->isHidden());
  EXPECT_TRUE(report->toPlainText().isEmpty());
  EXPECT_EQ(Text("Panel_Start_Progress"), "Fertig 0,00 %");
}

TEST_F(StartUp, TabsBringTheirPagesForwardAndTheActiveTabKeepsItsPage) {
  for (std::size_t i = 0; i < std::size(kTabs); ++i) {
    for (int click = 0; click < 2; ++click) {
      QTest::mouseClick(window->tabs()->TabButton(kTabs[i]), Qt::LeftButton);
      EXPECT_EQ(window->currentPage()->objectName(), kPages[i]) << kTabs[i] << " click " << click;
      EXPECT_EQ(Control(kTabs[i])->palette().color(QPalette::Window), ToQColor(app::kTabBlue));
    }
    EXPECT_EQ(Control("Panel_Start")->palette().color(QPalette::Window),
              ToQColor(i == 0 ? app::kTabBlue : app::kWhite));
  }
}

TEST_F(StartUp, OnlyTheLeftButtonDragsTheWindow) {
  auto* caption = Control<app::DragStrip>("Panel_Caption");
  QSignalSpy moves(caption, &app::DragStrip::moveStarted);
  const QPoint start = window->pos();
  auto drag = [&](Qt::MouseButton button) {
    const QPointF local(100, 10);
    QMouseEvent press(QEvent::MouseButtonPress, local, caption->mapToGlobal(local), button, button, Qt::NoModifier);
    QApplication::sendEvent(caption, &press);
    const QPointF moved(160, 40);
    QMouseEvent move(QEvent::MouseMove, moved, caption->mapToGlobal(moved), Qt::NoButton, button, Qt::NoModifier);
    QApplication::sendEvent(caption, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, moved, caption->mapToGlobal(moved), button, Qt::NoButton,
                        Qt::NoModifier);
    QApplication::sendEvent(caption, &release);
  };
  drag(Qt::RightButton);
  EXPECT_EQ(moves.count(), 0);
  EXPECT_EQ(window->pos(), start);
  drag(Qt::LeftButton);
  EXPECT_EQ(moves.count(), 1);
}

TEST_F(StartUp, CloseWritesTheSettingsOnlyWithAutosaveOn) {
  const auto setup = settingsFolder.path() / "setup.xml";
  Click("Panel_Beenden");
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(std::filesystem::exists(setup)) << "autosave is off at a first start";

  OpenWindow();
  ChangeSettings([](SettingsState& state) {
    state.Options.AutoSave = true;
    state.Conversion.Quality = 77;
  });
  Click("Panel_Beenden");
  ASSERT_TRUE(std::filesystem::exists(setup));
  SettingsState stored;
  ASSERT_TRUE(LoadSettings(Folder(), "setup.xml", stored));
  EXPECT_EQ(stored.Conversion.Quality, 77);
  EXPECT_TRUE(stored.Options.AutoSave);

  OpenWindow();  // the next start takes what was stored
  EXPECT_EQ(window->BuildSettings().Conversion.Quality, 77);
}

TEST(PlaceOnScreen, KeepsAVisibleCaptionAndBringsALostWindowBack) {
  const std::vector<QRect> screens = {QRect(0, 0, 1920, 1080), QRect(1920, 0, 1280, 1024)};
  const QSize size(657, 513);
  struct Case {
    QPoint stored, placed;
  };
  const Case cases[] = {
      {{10, 10}, {10, 10}},
      {{2000, 500}, {2000, 500}},       // on the second screen
      {{1900, 100}, {1900, 100}},       // across both
      {{5000, 300}, {3200 - 657, 300}},  // right of everything: onto the second screen's edge
      {{-3000, -2000}, {0, 0}},
      {{100, 1070}, {100, 1070}},      // a strip of the caption still shows
      {{100, 1500}, {100, 1080 - 513}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(app::PlaceOnScreen(c.stored, size, screens), c.placed) << c.stored.x() << "," << c.stored.y();
}

}  // namespace
}  // namespace lumivo::test
