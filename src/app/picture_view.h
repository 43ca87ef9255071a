#pragma once
// A picture control: the picture centred and scaled down proportionally to
// fit (never up), stretched proportionally to fill, or enlarged by the
// largest whole factor that fits, pixel by pixel (so compression loss shows).

#include <QImage>
#include <QWidget>

namespace lumivo::app {

class PictureView final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(PictureView)

 public:
  enum class Fit { ScaleDown, Stretch, WholeZoom };

  PictureView(const QString& name, const QString& hint, Fit fit, QWidget* parent = nullptr);

  void SetPicture(const QImage& picture);
  const QImage& picture() const { return picture_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  Fit fit_;
  QImage picture_;
};

}  // namespace lumivo::app
