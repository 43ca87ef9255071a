#include "app/options_page.h"

#include <QCheckBox>

#include <algorithm>
#include <QLabel>
#include <QListWidget>
#include <QStyledItemDelegate>

#include "app/contrast_colour.h"
#include "app/panel_button.h"
#include "app/qt_text.h"
#include "filelist/file_type_table.h"
#include "resources/texts.h"

namespace lumivo::app {

namespace {

constexpr int kListFontPixels = 12;

// Rows as high as their text, so that the 38 types fit in two columns.
class CompactRows final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QSize size = QStyledItemDelegate::sizeHint(option, index);
    size.setHeight(option.fontMetrics.height() + 1);
    return size;
  }
};

}  // namespace

OptionsPage::OptionsPage(QWidget* parent) : QWidget(parent) {
  setObjectName("Panel_Main_Optionen");
  setAutoFillBackground(true);

  struct Row {
    const char* name;
    bool ProgramOptions::*field;
    std::string_view caption, hint;
  };
  const Row rows[] = {
      {"CheckBox_MausTipps", &ProgramOptions::MouseHints, texts::kMouseHints, texts::kMouseHintsHint},
      {"CheckBox_MausTipps_FileList", &ProgramOptions::FileListHints, texts::kFileListHints,
       texts::kFileListHintsHint},
      {"CheckBox_ShowErrors", &ProgramOptions::ShowErrors, texts::kShowErrors, texts::kShowErrorsHint},
      {"CheckBox_HoldFolderStrukture", &ProgramOptions::KeepFolderStructure, texts::kKeepFolderStructure,
       texts::kKeepFolderStructureHint},
      {"CheckBox_FileNumbers", &ProgramOptions::AlwaysNumber, texts::kAlwaysNumber, texts::kAlwaysNumberHint},
      {"CheckBox_OnlyShowFileNames", &ProgramOptions::OnlyFileNames, texts::kOnlyFileNames,
       texts::kOnlyFileNamesHint},
      {"CheckBox_KeepEXiF", &ProgramOptions::KeepExif, texts::kKeepExif, texts::kKeepExifHint},
      {"CheckBox_NoAutosave", &ProgramOptions::AutoSave, texts::kAutoSave, texts::kAutoSaveHint},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    const bool rightColumn = i == std::size(rows) - 1;
    const QRect geometry = rightColumn ? QRect(340, 8, 300, 20) : QRect(16, 8 + static_cast<int>(i) * 20, 310, 20);
    switches_[i] = {rows[i].name, rows[i].field, AddSwitch(rows[i].name, rows[i].caption, rows[i].hint, geometry)};
  }
  connect(switches_[0].box, &QCheckBox::clicked, this, &OptionsPage::mouseHintsClicked);
  connect(switches_[5].box, &QCheckBox::clicked, this, &OptionsPage::onlyFileNamesClicked);
  connect(switches_[7].box, &QCheckBox::clicked, this, &OptionsPage::autoSaveClicked);

  // The list is as high as half its rows, so that they stand in two
  // columns; the block sits at the page's foot.
  QFont listFont;
  listFont.setFamilies({"MS Sans Serif", "Arial", "Liberation Sans", "DejaVu Sans Condensed", "DejaVu Sans"});
  listFont.setPixelSize(kListFontPixels);
  constexpr int kFrame = 1;
  const int rowsPerColumn = static_cast<int>(kFileTypeCount + 1) / 2;
  const int listHeight = rowsPerColumn * (QFontMetrics(listFont).height() + 1) + 2 * kFrame + 6;
  const int kBlockTop = 448 - 4 - listHeight;
  auto* heading = new QLabel(ToQString(texts::kFileTypeHeading), this);
  heading->setObjectName("Panel1");
  heading->setAlignment(Qt::AlignCenter);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  heading->setGeometry(8, kBlockTop, 80, 22);
  struct Button {
    const char* name;
    std::string_view caption, hint;
    int tag;
  };
  const Button buttons[] = {{"Panel_FileType_all", texts::kFileTypeAll, texts::kFileTypeAllHint, kCheckAllTypes},
                            {"Panel_FileType_none", texts::kFileTypeNone, texts::kFileTypeNoneHint, kCheckNoTypes},
                            {"Panel_FileType_reverse", texts::kFileTypeReverse, texts::kFileTypeReverseHint,
                             kInvertTypes}};
  int y = kBlockTop + 26;
  for (const Button& button : buttons) {
    auto* panel = new PanelButton(button.name, ToQString(button.caption), ToQString(button.hint), button.tag, this);
    panel->setGeometry(8, y, 80, 25);
    connect(panel, &PanelButton::clicked, this,
            [this](PanelButton* clicked) { OnFileTypeCommand(clicked->commandTag()); });
    y += 30;
  }

  fileTypes_ = new QListWidget(this);
  fileTypes_->setObjectName("CheckListBox_FileType");
  fileTypes_->setToolTip(ToQString(texts::kFileTypeListHint));
  fileTypes_->setGeometry(94, kBlockTop, 555, listHeight);
  fileTypes_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  fileTypes_->setFrameStyle(QFrame::Box | QFrame::Plain);
  fileTypes_->setLineWidth(kFrame);
  fileTypes_->setFont(listFont);
  QPalette accent = fileTypes_->palette();
  accent.setColor(QPalette::Text, ToQColor(kSteelBlue));
  fileTypes_->setPalette(accent);
  fileTypes_->setItemDelegate(new CompactRows(fileTypes_));
  fileTypes_->setFlow(QListView::TopToBottom);
  fileTypes_->setWrapping(true);
  fileTypes_->setResizeMode(QListView::Adjust);
  fileTypes_->setSelectionMode(QAbstractItemView::SingleSelection);
  for (const FileType& type : FileTypeTable) {
    auto* item = new QListWidgetItem(ToQString(type.description), fileTypes_);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    item->setCheckState(Qt::Unchecked);
  }
  connect(fileTypes_, &QListWidget::itemChanged, this, &OptionsPage::settingsChanged);
}

QCheckBox* OptionsPage::AddSwitch(const char* name, std::string_view caption, std::string_view hint,
                                  const QRect& geometry) {
  auto* box = new QCheckBox(ToQString(caption), this);
  box->setObjectName(name);
  box->setToolTip(ToQString(hint));
  box->setGeometry(geometry.x(), geometry.y(), std::min(box->sizeHint().width(), geometry.width()), geometry.height());
  connect(box, &QCheckBox::clicked, this, &OptionsPage::settingsChanged);
  return box;
}

void OptionsPage::ApplyOptions(const ProgramOptions& options) {
  for (const Switch& entry : switches_) entry.box->setChecked(options.*entry.field);
  const QSignalBlocker quiet(fileTypes_);
  for (int row = 0; row < fileTypes_->count(); ++row)
    fileTypes_->item(row)->setCheckState(options.FileTypeChecked[static_cast<std::size_t>(row)] ? Qt::Checked
                                                                                                 : Qt::Unchecked);
}

void OptionsPage::BuildOptions(ProgramOptions& options) const {
  for (const Switch& entry : switches_) options.*entry.field = entry.box->isChecked();
  for (int row = 0; row < fileTypes_->count(); ++row)
    options.FileTypeChecked[static_cast<std::size_t>(row)] = fileTypes_->item(row)->checkState() == Qt::Checked;
}

void OptionsPage::OnFileTypeCommand(int commandTag) {
  if (commandTag != kCheckAllTypes && commandTag != kCheckNoTypes && commandTag != kInvertTypes) return;
  {
    const QSignalBlocker quiet(fileTypes_);
    for (int row = 0; row < fileTypes_->count(); ++row) {
      QListWidgetItem* item = fileTypes_->item(row);
      const bool checked = commandTag == kCheckAllTypes  ? true
                           : commandTag == kCheckNoTypes ? false
                                                         : item->checkState() != Qt::Checked;
      item->setCheckState(checked ? Qt::Checked : Qt::Unchecked);
    }
  }
  fileTypes_->viewport()->update();
  emit settingsChanged();
}

}  // namespace lumivo::app
