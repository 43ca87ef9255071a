#pragma once
// The Info page: the program logo, an about text and a credits text.

#include <QWidget>

class QLabel;

namespace lumivo::app {

class PictureView;

class InfoPage final : public QWidget {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(InfoPage)

 public:
  explicit InfoPage(QWidget* parent = nullptr);

  // Writes the texts into their labels (part of RefreshWindow).
  void FillTexts();

 private:
  PictureView* logo_ = nullptr;
  QLabel* about_ = nullptr;
  QLabel* credits_ = nullptr;
};

}  // namespace lumivo::app
