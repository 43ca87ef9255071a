#include "app/window_dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace lumivo::app {

namespace {

void ShowMessage(QWidget* parent, const QString& text) {
  QMessageBox box(QMessageBox::Information, QApplication::applicationDisplayName(), text, QMessageBox::Ok, parent);
  box.exec();
}

QStringList OpenFiles(QWidget* parent, const QString& startFolder, const QStringList& nameFilters) {
  QFileDialog dialog(parent, QString(), startFolder);
  dialog.setFileMode(QFileDialog::ExistingFiles);
  dialog.setNameFilters(nameFilters);
  if (!nameFilters.isEmpty()) dialog.selectNameFilter(nameFilters.front());
  dialog.setOption(QFileDialog::ReadOnly, false);
  dialog.setSizeGripEnabled(true);
  if (dialog.exec() != QDialog::Accepted) return {};
  return dialog.selectedFiles();
}

std::optional<QString> PickFolder(QWidget* parent, const QString& title, const QString& startFolder) {
  const QString folder = QFileDialog::getExistingDirectory(parent, title, startFolder);
  if (folder.isEmpty()) return std::nullopt;
  return folder;
}

}  // namespace

WindowDialogs PlatformDialogs() { return {ShowMessage, OpenFiles, PickFolder}; }

}  // namespace lumivo::app
