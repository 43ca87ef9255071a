#include "app/tab_strip.h"

#include "app/contrast_colour.h"
#include "app/panel_button.h"

namespace lumivo::app {

namespace {

constexpr int kStripHeight = 33;
constexpr int kTabTop = 4;
constexpr int kTabGap = 2;

void Paint(QWidget* panel, std::uint32_t face) {
  QPalette colours = panel->palette();
  colours.setColor(QPalette::Window, ToQColor(face));
  colours.setColor(QPalette::WindowText, ToQColor(ContrastTextColour(face)));
  panel->setPalette(colours);
}

}  // namespace

TabStrip::TabStrip(const std::vector<TabDescription>& tabs, QWidget* parent) : QFrame(parent) {
  setObjectName("Panel_SetupTop");
  setAutoFillBackground(true);
  Paint(this, kWhite);
  int x = 4;
  for (const TabDescription& tab : tabs) {
    auto* panel = new QFrame(this);
    panel->setObjectName(tab.name);
    panel->setAutoFillBackground(true);
    panel->setGeometry(x, kTabTop, tab.width, kStripHeight - kTabTop - 1);
    auto* inner = new PanelButton(tab.name + "_Reiter", tab.caption, tab.hint, 0, panel);
    inner->setFrameStyle(QFrame::NoFrame);
    inner->SetBold(true);
    inner->setGeometry(0, 0, tab.width, kStripHeight - kTabTop - 1);
    connect(inner, &PanelButton::clicked, this, [this, name = tab.name] { Select(name); });
    tabs_.push_back(panel);
    x += tab.width + kTabGap;
  }
  auto* line = new QFrame(this);
  line->setObjectName("Panel62");
  line->setAutoFillBackground(true);
  line->setGeometry(0, kStripHeight - 1, 655, 1);
  QPalette lineColour = line->palette();
  lineColour.setColor(QPalette::Window, ToQColor(kTabBlue));
  line->setPalette(lineColour);
  for (QFrame* tab : tabs_) {
    Paint(tab, kWhite);
    TabButton(tab->objectName())->SetColours(ToQColor(kWhite), ToQColor(ContrastTextColour(kWhite)));
  }
}

PanelButton* TabStrip::TabButton(const QString& tabName) const {
  for (QFrame* tab : tabs_)
    if (tab->objectName() == tabName) return tab->findChild<PanelButton*>();
  return nullptr;
}

QString TabStrip::PageName(const QString& tabName) {
  const qsizetype underscore = tabName.indexOf('_');
  return "Panel_Main_" + tabName.mid(underscore + 1);
}

void TabStrip::Select(const QString& tabName) {
  for (QFrame* tab : tabs_) {
    const std::uint32_t face = tab->objectName() == tabName ? kTabBlue : kWhite;
    Paint(tab, face);
    TabButton(tab->objectName())->SetColours(ToQColor(face), ToQColor(ContrastTextColour(face)));
  }
  activeTab_ = tabName;
  emit pageRequested(PageName(tabName));
}

}  // namespace lumivo::app
