#include "app/options_page.h"

namespace lumivo::app {

OptionsPage::OptionsPage(QWidget* parent) : QWidget(parent) {
  setObjectName("Panel_Main_Optionen");
  setAutoFillBackground(true);
}

void OptionsPage::ApplyOptions(const ProgramOptions& options) { options_ = options; }

void OptionsPage::BuildOptions(ProgramOptions& options) const {
  const bool startPreview = options.StartPreview;
  const std::string lastOutputFolder = options.LastOutputFolder;
  options = options_;
  options.StartPreview = startPreview;
  options.LastOutputFolder = lastOutputFolder;
}

}  // namespace lumivo::app
