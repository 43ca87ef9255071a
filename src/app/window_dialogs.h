#pragma once
// The dialogs the window opens. Tests put their own answers in.

#include <QColor>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

#include "core/font_description.h"

class QWidget;

namespace lumivo::app {

struct WindowDialogs {
  // A message box with one OK button and the application title as caption.
  std::function<void(QWidget* parent, const QString& text)> message;
  // The open-files dialog: multiple selection, the first filter preselected.
  std::function<QStringList(QWidget* parent, const QString& startFolder, const QStringList& nameFilters)> openFiles;
  // TFolderBrowser: a folder picker with the start folder preselected.
  std::function<std::optional<QString>(QWidget* parent, const QString& title, const QString& startFolder)> pickFolder;
  // The colour dialog, fully open, any colour; nothing when cancelled.
  std::function<std::optional<QColor>(QWidget* parent, const QColor& initial)> pickColour;
  // The font dialog with the font's colour; nothing when cancelled.
  std::function<std::optional<FontDescription>(QWidget* parent, const FontDescription& initial)> pickFont;
  // A one-line input prompt, empty at first; nothing when cancelled.
  std::function<std::optional<QString>(QWidget* parent, const QString& title, const QString& prompt)> askText;
  // The open-picture dialog: one file; empty when cancelled.
  std::function<QString(QWidget* parent, const QString& startFolder, const QStringList& nameFilters)> openPicture;
};

WindowDialogs PlatformDialogs();

}  // namespace lumivo::app
