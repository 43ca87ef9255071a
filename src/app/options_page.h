#pragma once
// The page "Optionen": the general switches, autosave and the file types
// that folder scans, drops and the open dialog accept.

#include <QWidget>

#include <array>

#include "settings/program_options.h"

class QCheckBox;
class QListWidget;

namespace lumivo::app {

// The command numbers of the file-type buttons.
enum FileTypeCommand : int {
  kCheckAllTypes = 10,
  kCheckNoTypes = 20,
  kInvertTypes = 30,
};

class OptionsPage final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(OptionsPage)

 public:
  explicit OptionsPage(QWidget* parent = nullptr);

  // The pair for every option but those of the Start page (StartPreview,
  // LastOutputFolder). Applying sets the switches without their click reactions.
  void ApplyOptions(const ProgramOptions& options);
  void BuildOptions(ProgramOptions& options) const;

  // One handler for "Alle", "Keine" and "Umkehren"; any other tag changes nothing.
  void OnFileTypeCommand(int commandTag);

 signals:
  void settingsChanged();
  // The click reactions the window carries out.
  void mouseHintsClicked(bool on);
  void onlyFileNamesClicked(bool on);
  void autoSaveClicked(bool on);

 private:
  struct Switch {
    const char* name;
    bool ProgramOptions::*field;
    QCheckBox* box;
  };

  QCheckBox* AddSwitch(const char* name, std::string_view caption, std::string_view hint, const QRect& geometry);

  std::array<Switch, 8> switches_{};
  QListWidget* fileTypes_ = nullptr;
};

}  // namespace lumivo::app
