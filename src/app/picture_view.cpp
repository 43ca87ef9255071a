#include "app/picture_view.h"

#include <QPainter>

#include <algorithm>

namespace lumivo::app {

PictureView::PictureView(const QString& name, const QString& hint, Fit fit, QWidget* parent)
    : QWidget(parent), fit_(fit) {
  setObjectName(name);
  setToolTip(hint);
}

void PictureView::SetPicture(const QImage& picture) {
  picture_ = picture;
  update();
}

void PictureView::paintEvent(QPaintEvent*) {
  if (picture_.isNull()) return;
  QSize size = picture_.size();
  const int zoom = std::max(1, std::min(width() / size.width(), height() / size.height()));
  if (fit_ == Fit::WholeZoom) size *= zoom;
  if (fit_ == Fit::Stretch || size.width() > width() || size.height() > height())
    size = size.scaled(this->size(), Qt::KeepAspectRatio);
  const QRect target(QPoint((width() - size.width()) / 2, (height() - size.height()) / 2), size);
  QPainter painter(this);
  painter.setRenderHint(QPainter::SmoothPixmapTransform, fit_ != Fit::WholeZoom);
  painter.drawImage(target, picture_);
}

}  // namespace lumivo::app
