#pragma once
// The Start page's file list: one full path per entry, shown as full paths
// or, in the file-name mode, as file names drawn by the list itself.

#include <QListWidget>
#include <QStyledItemDelegate>

namespace lumivo::app {

class FileListBox final : public QListWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(FileListBox)

 public:
  explicit FileListBox(QWidget* parent = nullptr);

  void SetOnlyFileNames(bool onlyFileNames);
  bool onlyFileNames() const { return onlyFileNames_; }
  QString Entry(int row) const;
  QStringList Entries() const;

 signals:
  void deletePressed();
  // The pointer moved over the list: the row under it, or -1.
  void pointerOverRow(int row, const QPoint& globalPosition);

 protected:
  void keyReleaseEvent(QKeyEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  bool onlyFileNames_ = false;
};

// ListBox_Start_FilesDrawItem: the platform's row background (the selection
// colour for the selected row), a white outline, and the file name at the
// row's top left, pure red for the selected row; rows as high as the text.
class FileNameDelegate final : public QStyledItemDelegate {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(FileNameDelegate)

 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

// The part after the last "/".
QString FileNamePart(const QString& path);
// The part up to and including the last "/".
QString FolderPart(const QString& path);

}  // namespace lumivo::app
