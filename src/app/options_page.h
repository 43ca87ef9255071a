#pragma once
// The page "Optionen": the general switches, autosave and the file types.
// Its controls come with the options work; until then it keeps the options
// it was given.

#include <QWidget>

#include "settings/program_options.h"

namespace lumivo::app {

class OptionsPage final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(OptionsPage)

 public:
  explicit OptionsPage(QWidget* parent = nullptr);

  // The pair for every option but those of the Start page (StartPreview,
  // LastOutputFolder).
  void ApplyOptions(const ProgramOptions& options);
  void BuildOptions(ProgramOptions& options) const;

 signals:
  void settingsChanged();

 private:
  ProgramOptions options_;
};

}  // namespace lumivo::app
