// Filling the Start page's list (drop, dialog, names given to the program),
// showing the selected entry, and emptying the list.

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <filesystem>

#include "app/contrast_colour.h"
#include "app/file_list_box.h"
#include "app/picture_view.h"
#include "app/qt_text.h"
#include "window_fixture.h"

namespace lumivo::test {
namespace {

namespace fs = std::filesystem;

class StartPageTest : public WindowTest {
 protected:
  app::FileListBox* List() const { return Control<app::FileListBox>("ListBox_Start_Files"); }
  QString Path(std::string_view name) const { return app::ToQString((files / name).string()); }

  void Drop(const QStringList& names) const {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& name : names) urls.push_back(QUrl::fromLocalFile(name));
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(window.get(), &drop);
  }
};

TEST_F(StartPageTest, DropTakesFoldersAndFilesOfTheCheckedTypesOnly) {
  files.Write("tree/a.jpg", "x");
  files.Write("tree/sub/b.jpg", "x");
  files.Write("tree/c.png", "x");
  files.Write("tree/.hidden/d.jpg", "x");
  files.Write("single.png", "x");

  Drop({Path("tree"), Path("single.png")});
  EXPECT_EQ(List()->count(), 0) << "no type is checked at a first start";

  CheckOnlyType("jpg");
  Drop({Path("tree"), Path("single.png")});
  EXPECT_EQ(List()->Entries(), QStringList({Path("tree/a.jpg"), Path("tree/sub/b.jpg")}));
  EXPECT_EQ(Text("Panel_Start_CurrentPic"), "Bild 0 / 2");

  Drop({Path("tree/a.jpg")});  // the same file again is listed again
  EXPECT_EQ(List()->count(), 3);
}

TEST_F(StartPageTest, OpenDialogOffersTheCheckedTypesAndTakesEveryPickedFile) {
  pickedFiles = {Path("picked.png"), Path("missing.jpg")};
  files.Write("picked.png", "x");
  QTest::mouseClick(Control("Panel16"), Qt::LeftButton);
  EXPECT_EQ(offeredFilters, QStringList({"Alle Dateien (*)"}));
  EXPECT_EQ(List()->Entries(), QStringList({Path("picked.png")})) << "no type test for picked files";

  ChangeSettings([](SettingsState& state) {
    state.Options.FileTypeChecked.fill(false);
    state.Options.FileTypeChecked[4] = true;   // bmp
    state.Options.FileTypeChecked[13] = true;  // jpg
  });
  pickedFiles.clear();
  QTest::mouseClick(Control("Panel16"), Qt::LeftButton);
  EXPECT_EQ(offeredFilters,
            QStringList({"Alle (*.bmp *.jpg)", "Bitmaps (*.bmp)", "JPG-Grafikdatei (*.jpg)"}));
  EXPECT_EQ(List()->count(), 1) << "a cancelled dialog adds nothing";
}

TEST_F(StartPageTest, RightClickOnOpenCollectsAFolderTree) {
  files.Write("tree/a.jpg", "x");
  files.Write("tree/b.bmp", "x");
  files.Write("tree/sub/c.jpg", "x");
  ChangeSettings([](SettingsState& state) {
    state.Options.FileTypeChecked[4] = true;
    state.Options.FileTypeChecked[13] = true;
  });
  pickedFolder = Path("tree");
  QTest::mouseClick(Control("Panel16"), Qt::RightButton);
  // Grouped by type in table order, each type folder by folder.
  EXPECT_EQ(List()->Entries(), QStringList({Path("tree/b.bmp"), Path("tree/a.jpg"), Path("tree/sub/c.jpg")}));
}

TEST_F(StartPageTest, SelectingAVanishedFileShowsTheFailure) {
  const auto good = WritePicture(files, "good.bmp");
  const auto gone = WritePicture(files, "gone.bmp");
  window->AddNames({app::ToQString(good.string()), app::ToQString(gone.string())});
  fs::remove(gone);
  const auto* preview = Control<app::PictureView>("Image_Start_Vorschau");
  const auto* counter = Control<QLabel>("Panel_Start_CurrentPic");

  List()->setCurrentRow(0);
  EXPECT_EQ(preview->picture().size(), QSize(48, 48));
  EXPECT_EQ(counter->palette().color(QPalette::WindowText), app::ToQColor(app::kSteelBlue));
  EXPECT_EQ(Text("Panel_Start_CurrentPic_Name"), "good.bmp");

  List()->setCurrentRow(1);
  EXPECT_EQ(preview->picture().size(), QSize(225, 188)) << "the failure picture";
  EXPECT_EQ(counter->palette().color(QPalette::WindowText), app::ToQColor(app::kPureRed));
  EXPECT_EQ(Text("Panel_Start_CurrentPic"), "Bild 2 / 2");
  EXPECT_EQ(Text("Panel_Start_CurrentPic_Name"), "Dateifehler: gone.bmp");
  EXPECT_EQ(Control("Panel_Start_CurrentPic_Name")->toolTip(), Path("")) << "the hint is the folder";
}

TEST_F(StartPageTest, WithoutPreviewOnlyCounterAndNameChange) {
  const auto good = WritePicture(files, "good.bmp");
  window->AddNames({app::ToQString(good.string())});
  QTest::mouseClick(Control("CheckBox_Start_Vorschau"), Qt::LeftButton);
  EXPECT_FALSE(window->publishedSettings().Current().Options.StartPreview) << "a control change is published";
  const QImage before = Control<app::PictureView>("Image_Start_Vorschau")->picture();
  List()->setCurrentRow(0);
  EXPECT_EQ(Control<app::PictureView>("Image_Start_Vorschau")->picture(), before);
  EXPECT_EQ(Text("Panel_Start_CurrentPic"), "Bild 1 / 1");
  EXPECT_EQ(Text("Panel_Start_CurrentPic_Name"), "good.bmp");
}

TEST_F(StartPageTest, ClearListAndDelete) {
  for (const char* name : {"a.bmp", "b.bmp", "c.bmp"}) window->AddNames({app::ToQString(WritePicture(files, name).string())});
  ASSERT_EQ(List()->count(), 3);

  QTest::keyClick(List(), Qt::Key_Delete);
  EXPECT_EQ(List()->count(), 3) << "nothing selected, nothing removed";
  List()->setCurrentRow(1);
  QTest::keyClick(List(), Qt::Key_Delete);
  EXPECT_EQ(List()->Entries(), QStringList({Path("a.bmp"), Path("c.bmp")}));
  EXPECT_EQ(Text("Panel_Start_CurrentPic"), "Bild 2 / 3") << "Delete leaves the counter alone";

  window->AddNames({Path("b.bmp")});
  Click("Panel17");
  EXPECT_EQ(List()->count(), 0);
  EXPECT_EQ(Control<app::PictureView>("Image_Start_Vorschau")->picture().size(), QSize(64, 64)) << "the logo";
  EXPECT_TRUE(Text("Panel_Start_CurrentPic").isEmpty());
}

TEST_F(StartPageTest, FileNameModeShowsNamesAndSwitchesAtOnce) {
  window->AddNames({app::ToQString(WritePicture(files, "deep.bmp").string())});
  EXPECT_TRUE(List()->onlyFileNames()) << "the first-start default";
  const int nameWidth = List()->sizeHintForColumn(0);
  ChangeSettings([](SettingsState& state) { state.Options.OnlyFileNames = false; });
  EXPECT_FALSE(List()->onlyFileNames());
  EXPECT_GT(List()->sizeHintForColumn(0), nameWidth) << "full paths are wider than names";
}

}  // namespace
}  // namespace lumivo::test
