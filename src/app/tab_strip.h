#pragma once
// The page tabs under the caption: five tab panels, each holding a clickable
// inner panel with the caption, and a one-pixel line along the bottom.

#include <QFrame>
#include <QString>

#include <vector>

namespace lumivo::app {

class PanelButton;

struct TabDescription {
  QString name;  // "Panel_Start": the page is "Panel_Main_" + the part after the first "_"
  QString caption;
  QString hint;
  int width;
};

class TabStrip final : public QFrame {
  Q_OBJECT
  Q_DISABLE_COPY_MOVE(TabStrip)

 public:
  explicit TabStrip(const std::vector<TabDescription>& tabs, QWidget* parent = nullptr);

  // Toolbar_Click: every tab white, the clicked one blue, text in the
  // contrast colour of each; then asks for the tab's page.
  void Select(const QString& tabName);
  QString activeTab() const { return activeTab_; }
  PanelButton* TabButton(const QString& tabName) const;

  static QString PageName(const QString& tabName);

 signals:
  void pageRequested(const QString& pageName);

 private:
  std::vector<QFrame*> tabs_;
  QString activeTab_;
};

}  // namespace lumivo::app
