#include "editors/background/back_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QSignalBlocker>

#include <algorithm>
#include <utility>

#include "controls/buttons/button_qx.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/lists/list_box_qx.h"
#include "controls/shell/artwork.h"
#include "controls/shell/program_messages.h"
#include "editors/background/swf_back_select_dialog.h"
#include "editors/page_parts/option_lists.h"
#include "editors/page_parts/picture_filter.h"
#include "model/common/bounded_text.h"
#include "model/common/guid_text.h"
#include "model/common/media_kind.h"
#include "model/project/project_globals.h"
#include "model/project/project_records.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "render/raster/picture_check.h"

namespace {

constexpr int kBuiltInCount = CSwfBackSelectDialog::kCellCount;
constexpr int kFirstNameText = 1006;
constexpr int kUseText = 1000;
constexpr int kSpeedText = 1001;
constexpr int kFirstTipText = 1002;
constexpr int kPathTooLongText = 1005;  // of PUBLIC
constexpr int kNotPicturesText = 1009;  // of PUBLIC
constexpr int kWarningStyle = 0x30;
constexpr int kNewDelayTime = 5;
constexpr SpeedListTexts kSpeedTexts{lang_section::IDD_BORDER_DIALOG, 1011, 1012};
constexpr ColorRef kToolFace = MakeColorRef(198, 230, 247);
constexpr int kToolPictureSize = 24;
constexpr int kToolIds[] = {CBackDialog::kAddBuiltInId, CBackDialog::kAddFilesId,
                            CBackDialog::kDeleteId, CBackDialog::kDeleteAllId};
constexpr Art kToolArt[] = {Art::AddBuiltIn, Art::AddPictures, Art::DeleteEntry, Art::DeleteAll};

BackgroundItem BuiltInItem(int number) {
  BackgroundItem item{};
  item.FileType = kFlashBackground;
  item.BackVaule = number;
  item.DelayTime = kNewDelayTime;
  static_cast<void>(CopyBoundedText(item.guid, NewGuidText()));
  item.RenderFlag = 1;
  return item;
}

BackgroundItem PictureItem(const QString& path) {
  BackgroundItem item{};
  item.FileType = GetMediaKind(path);
  item.DelayTime = kNewDelayTime;
  static_cast<void>(CopyBoundedText(item.guid, NewGuidText()));
  static_cast<void>(CopyBoundedText(item.FilePath, path));
  return item;
}

template <typename Control>
Control* Place(Control* control, int id, const QRect& rect) {
  SetControlId(control, id);
  control->setGeometry(rect);
  return control;
}

}  // namespace

QString GetBackgroundName(int number) {
  if (number < 0 || number >= kBuiltInCount) return {};
  return ReadLangText(lang_section::IDD_BACK_DIALOG, kFirstNameText + number);
}

CBackDialog::CBackDialog(QWidget* parent) : QWidget(parent) {
  static_cast<void>(icons_.Add(PaintArt(Art::MediaEntry, 16)));
  CreateControls();
  ApplyLanguage();
  chooseFiles_ = [this](const QString& filter) {
    return QFileDialog::getOpenFileNames(window(), QString(), QString(), filter);
  };
}

void CBackDialog::CreateControls() {
  use_ = Place(new QCheckBox(this), kUseCheckId, QRect(12, 6, 300, 22));
  for (std::size_t i = 0; i < tools_.size(); ++i) {
    auto* button =
        Place(new CButtonQx(this), kToolIds[i], QRect(12 + 44 * static_cast<int>(i), 32, 40, 36));
    static_cast<void>(button->SetIcon(QPixmap::fromImage(PaintArt(kToolArt[i], kToolPictureSize))));
    button->SetImageAlignment(1);
    button->SetNormalBackground(kToolFace);
    button->SetFocusBackground(kToolFace);
    button->setAutoDefault(false);
    button->CreateTooltip();
    tools_[i] = button;
  }
  list_ = Place(new CListBoxQx(this), kListId, QRect(12, 74, 370, 112));
  list_->SetImageList(&icons_);
  Place(new QLabel(this), kSpeedLabelId, QRect(396, 74, 104, 22));
  speed_ = Place(new QComboBox(this), kSpeedListId, QRect(396, 98, 104, 26));

  connect(use_, &QCheckBox::clicked, this, [this](bool on) { OnUseCheck(on); });
  connect(list_, &CListBoxQx::currentRowChanged, this,
          [this](int row) { OnSelectionChanged(row); });
  connect(speed_, &QComboBox::activated, this, [this](int index) { OnSpeed(index); });
  connect(tools_[kAddBuiltIn], &CButtonQx::clicked, this, [this] { OnAddBuiltIn(); });
  connect(tools_[kAddFiles], &CButtonQx::clicked, this, [this] { OnAddFiles(); });
  connect(tools_[kDelete], &CButtonQx::clicked, this, [this] { OnDelete(); });
  connect(tools_[kDeleteAll], &CButtonQx::clicked, this, [this] { OnDeleteAll(); });
}

LRESULT CBackDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == UM_LOAD_SELECTION) {
    Load();
    return 0;
  }
  return MessageWindow::WindowProc(msg, wParam, lParam);
}

void CBackDialog::ApplyLanguage() {
  const QLatin1StringView section = lang_section::IDD_BACK_DIALOG;
  static_cast<void>(SetDlgItemLangText(this, kUseCheckId, section, kUseText));
  static_cast<void>(SetDlgItemLangText(this, kSpeedLabelId, section, kSpeedText));
  for (std::size_t i = 0; i < tools_.size(); ++i) {
    tools_[i]->SetTipText(ReadLangText(section, kFirstTipText + static_cast<int>(i)), true);
  }
  FillSpeedList(*speed_, kSpeedTexts);
  if (area_ == nullptr) return;
  const int rows = std::min(list_->count(), static_cast<int>(area_->Backgrounds.size()));
  for (int row = 0; row < rows; ++row) {
    list_->SetItemText(row, EntryText(area_->Backgrounds[static_cast<std::size_t>(row)]));
  }
}

void CBackDialog::showEvent(QShowEvent* event) {
  Load();
  QWidget::showEvent(event);
}

void CBackDialog::hideEvent(QHideEvent* event) {
  area_ = nullptr;
  QWidget::hideEvent(event);
}

QString CBackDialog::EntryText(const BackgroundItem& item) {
  return item.FileType == kFlashBackground ? GetBackgroundName(item.BackVaule)
                                           : ReadBoundedText(item.FilePath);
}

void CBackDialog::Load() {
  area_ = CurrentSelection ? CurrentSelection->Area() : nullptr;
  use_->setChecked(area_ != nullptr && area_->IsUseBack != 0);
  {
    const QSignalBlocker blocker(list_);
    list_->ResetContent();
    if (area_ != nullptr) {
      for (const BackgroundItem& item : area_->Backgrounds) list_->AddString(EntryText(item), 0);
    }
  }
  if (list_->count() > 0) list_->setCurrentRow(0);
  EnableControls();
}

void CBackDialog::EnableControls() {
  const bool on = area_ != nullptr && area_->IsUseBack != 0;
  for (CButtonQx* tool : tools_) tool->setEnabled(on);
  list_->setEnabled(on);
  speed_->setEnabled(on);
}

void CBackDialog::OnUseCheck(bool on) {
  if (area_ == nullptr) return;
  area_->IsUseBack = on ? 1 : 0;
  EnableControls();
}

void CBackDialog::OnSelectionChanged(int row) {
  if (area_ == nullptr || row < 0 || row >= static_cast<int>(area_->Backgrounds.size())) return;
  const int speed = area_->Backgrounds[static_cast<std::size_t>(row)].Speed;
  speed_->setCurrentIndex(speed >= 0 && speed < kSpeedCount ? speed : -1);
}

void CBackDialog::OnSpeed(int index) {
  const int row = list_->currentRow();
  if (area_ == nullptr || index < 0 || row < 0 ||
      row >= static_cast<int>(area_->Backgrounds.size())) {
    return;
  }
  area_->Backgrounds[static_cast<std::size_t>(row)].Speed = index;
}

void CBackDialog::OnAddBuiltIn() {
  if (area_ == nullptr) return;
  std::vector<int> chosen;
  {
    CSwfBackSelectDialog chooser(this);
    if (chooser.exec() != QDialog::Accepted) return;
    chosen = chooser.SelectedBackgrounds();
  }
  const QSignalBlocker blocker(list_);
  for (int number : chosen) {
    area_->Backgrounds.push_back(BuiltInItem(number));
    list_->AddString(EntryText(area_->Backgrounds.back()), 0);
  }
}

void CBackDialog::OnAddFiles() {
  if (area_ == nullptr) return;
  const QStringList chosen = chooseFiles_(PictureFileFilter());
  QStringList tooLong;
  QStringList refused;
  bool added = false;
  for (QString path : chosen) {
    path.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    if (path.size() >= kPathCapacity) {
      tooLong << path;  // cut, it would name another file
      continue;
    }
    // Only pictures and GIFs whose content decodes become the card's pages.
    if (CheckPictureFile(path) != PictureCheck::Ok) {
      refused << path;
      continue;
    }
    area_->Backgrounds.push_back(PictureItem(path));
    const QSignalBlocker blocker(list_);
    list_->AddString(path, 0);
    added = true;
  }
  const std::pair<int, QStringList> refusals[] = {{kPathTooLongText, tooLong},
                                                  {kNotPicturesText, refused}};
  for (const auto& [key, paths] : refusals) {
    if (paths.isEmpty()) continue;
    static_cast<void>(ShowStyleMessage(FormatLangText(ReadLangText(lang_section::PUBLIC, key),
                                                      {QStringLiteral("\n") + paths.join(u'\n')}),
                                       kWarningStyle));
  }
  if (!added) return;
  {
    // Selected before the focus comes, which would otherwise select the first entry
    // and show its speed in place of the one the new entry takes.
    const QSignalBlocker blocker(list_);
    list_->setCurrentRow(list_->count() - 1);
    list_->setFocus();
  }
  area_->Backgrounds.back().Speed = std::max(speed_->currentIndex(), 0);
}

void CBackDialog::OnDelete() {
  const int row = list_->currentRow();
  if (area_ == nullptr || row < 0 || row >= static_cast<int>(area_->Backgrounds.size())) return;
  area_->Backgrounds.erase(area_->Backgrounds.begin() + row);
  const QSignalBlocker blocker(list_);
  list_->DeleteString(row);
  list_->setCurrentRow(-1);
}

void CBackDialog::OnDeleteAll() {
  if (area_ == nullptr) return;
  area_->Backgrounds.clear();
  const QSignalBlocker blocker(list_);
  list_->ResetContent();
}
