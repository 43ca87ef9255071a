#pragma once
// The Start page: the file list and how it is filled, shown and emptied, the
// preview, and the run with its progress controls and report.

#include <QWidget>

#include <string>

#include "app/window_dialogs.h"
#include "batch/conversion_run.h"
#include "settings/program_options.h"

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;

namespace lumivo::app {

class FileListBox;
class HintSwitch;
class PanelButton;
class PictureView;
class PublishedSettings;
class WindowRun;

// The command numbers of the Start page's panel buttons.
enum StartCommand : int {
  kOpenCommand = 10,
  kClearListCommand = 20,
  kSaveToFolderCommand = 30,
  kSaveBesideCommand = 40,
  kLogCommand = 50,
  kStopCommand = 60,
};

class StartPage final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(StartPage)

 public:
  StartPage(PublishedSettings& settings, HintSwitch& hints, const WindowDialogs& dialogs, QWidget* parent = nullptr);
  ~StartPage() override;

  // The options this page holds: StartPreview and LastOutputFolder.
  void ApplyOptions(const ProgramOptions& options);
  void BuildOptions(ProgramOptions& options) const;
  // OnlyFileNames: full paths or file names in the list, redrawn at once.
  void SetOnlyFileNames(bool onlyFileNames);

  // Panel17Click: one handler for every command button.
  void OnCommand(int commandTag);
  // ListBox_Start_FilesClick: counter, preview and name line of the selection.
  void ShowSelectedEntry();
  // Command 20. Refused while a run is in progress.
  void ClearList();
  // Delete: removes the selected entry. Refused while a run is in progress.
  void DeleteSelectedEntry();
  // The open dialog (file mode) and the folder tree (folder mode).
  void OpenFiles();
  void OpenFolderTree();
  // Dropped names: files of a checked type, folders by the checked types.
  void AddDroppedFiles(const QStringList& names);
  // Names given to the program: files as they are, folders by the checked types.
  void AddNames(const QStringList& names);
  // ConvertList: checks, picks the folder, then runs on the run's thread.
  void ConvertList(DestinationMode mode);

  bool running() const;
  void RequestStop();
  QStringList Entries() const;
  WindowRun& run() { return *run_; }
  // Entries prepared at once; the number of cores unless set.
  void SetJobs(int jobs) { jobs_ = jobs; }

 signals:
  // A control of this page changed a setting.
  void settingsChanged();
  // A run ended and its last report has arrived.
  void runFinished();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  PanelButton* AddCommand(const char* name, std::string_view caption, std::string_view hint, int tag,
                          const QRect& geometry);
  QLabel* AddTextPanel(const char* name, std::string_view hint, const QRect& geometry);
  void Append(const std::vector<std::string>& paths);
  void CollectTree(const std::string& folder, std::vector<std::string>& paths) const;
  // Folders by the checked types; files as they are, or only of a checked type.
  std::vector<std::string> CollectNames(const QStringList& names, bool checkFileTypes) const;
  void ShowCounter();
  void ShowReport(bool toggle);
  bool RefuseWhileRunning();
  void Message(const QString& text);

  void OnEntryShown(int index, int count, const QString& source);
  void OnProgress(int done, int count, const QString& progressText, const QString& timeLine);
  void OnFinished();
  void OnPointerOverList(int row, const QPoint& globalPosition);

  PublishedSettings& settings_;
  HintSwitch& hints_;
  const WindowDialogs& dialogs_;
  WindowRun* run_ = nullptr;
  int jobs_ = 0;

  PanelButton* open_ = nullptr;
  QCheckBox* previewSwitch_ = nullptr;
  FileListBox* list_ = nullptr;
  QWidget* previewFrame_ = nullptr;
  PictureView* preview_ = nullptr;
  QPlainTextEdit* report_ = nullptr;
  QLabel* timeLine_ = nullptr;
  QProgressBar* progressBar_ = nullptr;
  QLabel* progressText_ = nullptr;
  QLabel* counter_ = nullptr;
  QLabel* nameLine_ = nullptr;

  std::string lastOutputFolder_;
  QString lastDialogFolder_;
  QString lastTreeFolder_;
};

}  // namespace lumivo::app
