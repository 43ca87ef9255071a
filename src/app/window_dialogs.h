#pragma once
// The dialogs the window opens. Tests put their own answers in.

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QWidget;

namespace lumivo::app {

struct WindowDialogs {
  // A message box with one OK button and the application title as caption.
  std::function<void(QWidget* parent, const QString& text)> message;
  // The open-files dialog: multiple selection, the first filter preselected.
  std::function<QStringList(QWidget* parent, const QString& startFolder, const QStringList& nameFilters)> openFiles;
  // TFolderBrowser: a folder picker with the start folder preselected.
  std::function<std::optional<QString>(QWidget* parent, const QString& title, const QString& startFolder)> pickFolder;
};

WindowDialogs PlatformDialogs();

}  // namespace lumivo::app
