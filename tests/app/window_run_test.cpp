// The run through the Start page's buttons: report, summary and failures,
// stop, settings changed while it works, and the name line.

#include <QFontMetrics>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTest>

#include <atomic>
#include <filesystem>
#include <functional>
#include <future>

#include "app/adjustments_page.h"
#include "app/file_list_box.h"
#include "app/picture_view.h"
#include "app/qt_text.h"
#include "app/window_run.h"
#include "filelist/path_fitting.h"
#include "window_fixture.h"

namespace lumivo::test {
namespace {

namespace fs = std::filesystem;

// Holds the run on its own thread after a chosen entry until the test lets it go.
class Gate final : public RunObserver {
 public:
  explicit Gate(int holdAfter) : holdAfter_(holdAfter) {}
  void Progress(int done, int, std::string_view, std::string_view) override {
    if (done != holdAfter_) return;
    reached_ = true;
    opened_.get_future().wait();
  }
  bool reached() const { return reached_; }
  void Open() { opened_.set_value(); }

 private:
  int holdAfter_;
  std::atomic<bool> reached_ = false;
  std::promise<void> opened_;
};

class RunTest : public WindowTest {
 protected:
  QStringList AddPictures(int count) {
    QStringList names;
    for (int i = 0; i < count; ++i)
      names.push_back(app::ToQString(WritePicture(files, "p" + std::to_string(i) + ".bmp").string()));
    window->AddNames(names);
    return names;
  }
  // Starts a run with `button` and waits until it is held at the gate.
  void StartHeld(Gate& gate, const char* button = "Panel6") {
    window->startPage()->run().SetTap(&gate);
    Click(button);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gate.reached(); }, 30000));
  }
  // Lets the held run go on and waits for its end.
  void Release(Gate& gate) {
    gate.Open();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !window->startPage()->running(); }, 60000));
    window->startPage()->run().SetTap(nullptr);
  }
  // The outputs named by the report's lines, in order.
  std::vector<fs::path> Outputs() const {
    std::vector<fs::path> outputs;
    for (const QString& line : ReportLines()) {
      const qsizetype arrow = line.indexOf(" -> ");
      if (arrow > 0 && !line.startsWith("! ")) outputs.emplace_back(app::ToUtf8(line.mid(arrow + 4)));
    }
    return outputs;
  }
};

TEST_F(RunTest, ReportsEveryEntryThenTheFailuresAndASecondRunAppends) {
  QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
  const QStringList names = AddPictures(3);
  fs::remove(app::ToUtf8(names[1]));
  RunThrough("Panel6");

  const QStringList first = ReportLines();
  // The summary is set off by two line breaks before and one after, and the
  // failure text starts with a line break of its own.
  ASSERT_EQ(first.size(), 10) << first.join('\n').toStdString();
  EXPECT_TRUE(first[0].startsWith(names[0] + " -> "));
  EXPECT_TRUE(first[1].startsWith(names[2] + " -> "));
  for (const int blank : {2, 3, 4, 6, 7, 8}) EXPECT_EQ(first[blank], "") << blank;
  EXPECT_EQ(first[5], "1 Datei konnte nicht verarbeitet werden.");
  EXPECT_EQ(first[9], "! " + names[1] + " -> " + app::ToQString(files.path().string()) + "/");
  EXPECT_TRUE(Control("Memo_ErrorReport")->isVisible()) << "failures bring the report forward";
  const std::vector<fs::path> outputs = Outputs();
  ASSERT_EQ(outputs.size(), 2u);
  for (const fs::path& output : outputs) EXPECT_GT(fs::file_size(output), 0u) << output;
  EXPECT_EQ(Text("Panel_Start_Progress"), "Fertig 100,00 %");  // the user's decimal separator
  QLocale::setDefault(QLocale::c());
  EXPECT_EQ(Control<app::FileListBox>("ListBox_Start_Files")->count(), 3) << "the list stays as it was";

  RunThrough("Panel6");
  const QStringList both = ReportLines();
  ASSERT_EQ(both.size(), 20);
  EXPECT_EQ(both.mid(0, 10), first);
  EXPECT_EQ(both[15], "1 Datei konnte nicht verarbeitet werden.");
}

TEST_F(RunTest, ThePreviewEndsOnTheLastOutput) {
  // Outputs committed in quick succession are not all decoded for the
  // preview, but the run's last one always is.
  QStringList names;
  for (int i = 0; i < 5; ++i)
    names.push_back(app::ToQString(WritePicture(files, "p" + std::to_string(i) + ".bmp", i == 4 ? 30 : 48).string()));
  window->AddNames(names);
  RunThrough("Panel6");
  EXPECT_EQ(Control<app::PictureView>("Image_Start_Vorschau")->picture().size(), QSize(30, 30));
}

TEST_F(RunTest, AnEmptyListAndASecondRunAreRefused) {
  Click("Panel6");
  EXPECT_EQ(messages, QStringList({"Es sind keine Dateien vorhanden."}));
  EXPECT_FALSE(window->startPage()->running());

  AddPictures(4);
  Gate gate(1);
  StartHeld(gate);
  messages.clear();
  Click("Panel6");   // a second run
  Click("Panel17");  // "Liste leeren"
  window->AddNames({app::ToQString(WritePicture(files, "late.bmp").string())});
  EXPECT_EQ(messages.size(), 2);
  EXPECT_EQ(Control<app::FileListBox>("ListBox_Start_Files")->count(), 5) << "adding works, emptying does not";
  Release(gate);
  EXPECT_EQ(Outputs().size(), 4u) << "the run took the list as it was at its start";
}

TEST_F(RunTest, StopEndsAfterTheEntriesInProgress) {
  AddPictures(12);
  window->startPage()->SetJobs(2);
  Gate gate(3);
  StartHeld(gate);
  Click("Panel_Stopp");
  Release(gate);
  EXPECT_EQ(Outputs().size(), 3u);
  std::size_t written = 0;
  for (const auto& entry : fs::directory_iterator(files.path())) written += entry.path().extension() == ".jpg";
  EXPECT_EQ(written, 3u) << "entries prepared ahead are not written";

  // The request was used up: the next run goes through.
  RunThrough("Panel6");
  EXPECT_EQ(Outputs().size(), 3u + 12u);
}

TEST_F(RunTest, ASettingChangedDuringTheRunReachesTheLaterEntries) {
  AddPictures(6);  // six copies of one picture
  window->startPage()->SetJobs(2);
  Gate gate(1);
  StartHeld(gate);
  ChangeSettings([](SettingsState& state) {
    state.Conversion.ColouringMode = ColouringMode::Sepia;
    state.Conversion.SepiaPercent = 100;
  });
  Release(gate);
  const std::vector<fs::path> outputs = Outputs();
  ASSERT_EQ(outputs.size(), 6u);
  std::vector<std::vector<std::uint8_t>> bytes;
  for (const fs::path& output : outputs) bytes.push_back(ReadFile(output));
  // Entries read their settings as they are handed to a job: the entries in
  // flight at the change (the two jobs' and the one waiting) keep the old
  // ones, every later entry has the new.
  EXPECT_EQ(bytes[0], bytes[2]);
  EXPECT_EQ(bytes[3], bytes[5]);
  EXPECT_NE(bytes[0], bytes[5]);
}

TEST_F(RunTest, TheNameLineShowsTheShortenedPath) {
  const auto deep = WritePicture(files, "ein/recht/tiefer/ordner/mit/vielen/ebenen/und/noch/mehr/ebenen/darunter/liegen/weitere/ordner/"
                                   "voller/urlaubsbilder/aus/vielen/jahren/bild.bmp");
  window->AddNames({app::ToQString(deep.string())});
  RunThrough("Panel6");
  const auto* name = Control<QLabel>("Panel_Start_CurrentPic_Name");
  const QFontMetrics metrics(name->font());
  const std::string expected = FitPathToWidth(
      deep.string(), [&](std::string_view text) { return metrics.horizontalAdvance(app::ToQString(text)); },
      name->width());
  EXPECT_EQ(name->text(), app::ToQString(expected));
  EXPECT_TRUE(name->text().contains("/.../")) << name->text().toStdString();
  EXPECT_EQ(Text("Panel_Start_CurrentPic"), "1 / 1");
}

TEST_F(RunTest, ClosingDuringARunStopsItThenCloses) {
  AddPictures(6);
  window->startPage()->SetJobs(1);
  Gate gate(2);
  StartHeld(gate);
  Click("Panel_Beenden");
  EXPECT_TRUE(window->isVisible()) << "the window waits for the entry in progress";
  Release(gate);
  EXPECT_FALSE(window->isVisible()) << "closed once the run had ended";
  EXPECT_EQ(Outputs().size(), 2u);
}

}  // namespace
}  // namespace lumivo::test
