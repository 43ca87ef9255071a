#include "app/window_dialogs.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

#include "app/font_colour_dialog.h"

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

std::optional<QColor> PickColour(QWidget* parent, const QColor& initial) {
  const QColor colour = QColorDialog::getColor(initial, parent);
  if (!colour.isValid()) return std::nullopt;
  return colour;
}

std::optional<FontDescription> PickFont(QWidget* parent, const FontDescription& initial) {
  FontColourDialog dialog(initial, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Chosen();
}

std::optional<QString> AskText(QWidget* parent, const QString& title, const QString& prompt) {
  bool confirmed = false;
  const QString text = QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, QString(), &confirmed);
  if (!confirmed) return std::nullopt;
  return text;
}

QString OpenPicture(QWidget* parent, const QString& startFolder, const QStringList& nameFilters) {
  QFileDialog dialog(parent, QString(), startFolder);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setNameFilters(nameFilters);
  if (!nameFilters.isEmpty()) dialog.selectNameFilter(nameFilters.front());
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().front();
}

}  // namespace

WindowDialogs PlatformDialogs() {
  return {ShowMessage, OpenFiles, PickFolder, PickColour, PickFont, AskText, OpenPicture};
}

}  // namespace lumivo::app
