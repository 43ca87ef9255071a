#include "app/file_list_box.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "app/contrast_colour.h"

namespace lumivo::app {

QString FileNamePart(const QString& path) { return path.mid(path.lastIndexOf('/') + 1); }

QString FolderPart(const QString& path) { return path.left(path.lastIndexOf('/') + 1); }

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
  setObjectName("ListBox_Start_Files");
  setMouseTracking(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setUniformItemSizes(true);
}

void FileListBox::SetOnlyFileNames(bool onlyFileNames) {
  if (onlyFileNames == onlyFileNames_ && itemDelegate() != nullptr) return;
  onlyFileNames_ = onlyFileNames;
  QAbstractItemDelegate* old = itemDelegate();
  setItemDelegate(onlyFileNames ? static_cast<QAbstractItemDelegate*>(new FileNameDelegate(this))
                                : new QStyledItemDelegate(this));
  if (old != nullptr && old->parent() == this) old->deleteLater();
  doItemsLayout();
  viewport()->update();
}

QString FileListBox::Entry(int row) const {
  const QListWidgetItem* entry = item(row);
  return entry == nullptr ? QString() : entry->text();
}

QStringList FileListBox::Entries() const {
  QStringList entries;
  entries.reserve(count());
  for (int row = 0; row < count(); ++row) entries.push_back(item(row)->text());
  return entries;
}

void FileListBox::keyReleaseEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Delete) {
    emit deletePressed();
    event->accept();
    return;
  }
  QListWidget::keyReleaseEvent(event);
}

void FileListBox::mouseMoveEvent(QMouseEvent* event) {
  const QModelIndex index = indexAt(event->position().toPoint());
  emit pointerOverRow(index.isValid() ? index.row() : -1, event->globalPosition().toPoint());
  QListWidget::mouseMoveEvent(event);
}

void FileNameDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
  QStyleOptionViewItem background = option;
  initStyleOption(&background, index);
  background.text.clear();
  const QWidget* widget = option.widget;
  QStyle* style = widget != nullptr ? widget->style() : nullptr;
  if (style != nullptr) style->drawControl(QStyle::CE_ItemViewItem, &background, painter, widget);

  painter->save();
  painter->setBrush(Qt::NoBrush);
  painter->setPen(Qt::white);
  painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
  const bool selected = option.state.testFlag(QStyle::State_Selected);
  painter->setPen(selected ? ToQColor(kPureRed) : option.palette.color(QPalette::Text));
  painter->setFont(option.font);
  const QString path = index.data(Qt::DisplayRole).toString();
  painter->drawText(option.rect.topLeft() + QPoint(2, option.fontMetrics.ascent()), FileNamePart(path));
  painter->restore();
}

QSize FileNameDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const {
  const QString name = FileNamePart(index.data(Qt::DisplayRole).toString());
  return {option.fontMetrics.horizontalAdvance(name) + 4, option.fontMetrics.height()};
}

}  // namespace lumivo::app
