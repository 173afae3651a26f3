#include "editors/file_list/files_dialog.h"

#include <QComboBox>
#include <QFileDialog>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>
#include <utility>

#include "controls/bars/my_tool_bar.h"
#include "controls/bars/toolbar_frame.h"
#include "controls/buttons/button_qx.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/lists/list_box_qx.h"
#include "controls/shell/content_page_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "controls/support/digit_spin_edit.h"
#include "controls/support/standard_icon.h"
#include "editors/page_parts/item_list_rows.h"
#include "editors/page_parts/option_lists.h"
#include "editors/page_parts/picture_filter.h"
#include "model/common/app_paths.h"
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

constexpr int kToolbarFrameId = 1283;
constexpr int kListId = 1284;
constexpr int kUpId = 1285;
constexpr int kDownId = 1286;
constexpr int kEffectId = 1223;
constexpr int kSpeedId = 1224;
constexpr int kStayId = 1225;
constexpr int kStaySpinId = 1226;
constexpr int kStayFrameId = 1287;
constexpr int kStayLabelId = 1402;
constexpr int kStayRangeId = 1403;
constexpr int kEffectLabelId = 1493;
constexpr int kSpeedLabelId = 1494;

constexpr int kEffectText = 1000;  // IDD_FILE_DIALOG; speed and stay time follow
constexpr int kClearQuestionText = 1007;
constexpr int kUpTip = 1016;  // IDD_MAIN_DIALOG
constexpr int kDownTip = 1017;
constexpr int kPathsTooLongText = 1005;  // PUBLIC
constexpr int kNotPicturesText = 1009;   // PUBLIC
constexpr int kOkCancelStyle = 1;
constexpr int kWarningStyle = 0x30;
constexpr int kNoRow = -2;  // the canvas shows no item
constexpr int kShowItemOperation = 2;

constexpr int kButtonWidth = 56;
constexpr int kImageSize = 32;
constexpr int kStayDigits = 3;  // any three digits may be typed; the value is clamped
constexpr int kStayTypedMax = 999;

constexpr UINT kToolCommands[] = {ID_FILES_ADD, ID_FILES_DELETE, ID_FILES_CLEAR,
                                  ID_FILES_SAME_PROPERTIES};
constexpr QStyle::StandardPixmap kToolPictures[] = {
    QStyle::SP_FileDialogNewFolder, QStyle::SP_TrashIcon, QStyle::SP_DialogResetButton,
    QStyle::SP_DialogApplyButton};

// A standard picture at size x size on white, the toolbar's transparent colour.
QImage StandardPicture(const QWidget& widget, QStyle::StandardPixmap which, int size) {
  QImage picture(size, size, QImage::Format_RGB32);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  painter.drawPixmap(0, 0, StandardIcon(widget, which).pixmap(size, size));
  return picture;
}

template <typename Control>
Control* Place(Control* control, int id, const QRect& rect) {
  SetControlId(control, id);
  control->setGeometry(rect);
  return control;
}

// The path as the list keeps it: each doubled backslash made single.
QString ListPath(QString path) {
  return path.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
}

FileAreaItem NewItem(const QString& path) {
  FileAreaItem item{};
  item.FileType = GetMediaKind(path);
  static_cast<void>(CopyBoundedText(item.FilePath, path));
  static_cast<void>(CopyBoundedText(item.Guid, NewGuidText()));
  item.DelayTime = CFilesDialog::kNewItemStay;
  return item;
}

QString PathOf(const FileAreaItem& item) { return ReadBoundedText(item.FilePath); }

bool IsGif(const FileAreaItem& item) { return item.FileType == kMediaGif; }

void RemoveFrameFile(const FileAreaItem& item) { RemoveFrameFileOf(ReadBoundedText(item.Guid)); }

}  // namespace

CFilesDialog::CFilesDialog(QWidget* parent) : QWidget(parent) {
  CreateToolBar();
  CreateListControls();
  CreateSettingControls();
  ApplyLanguage();
  SetHooks({});
}

CFilesDialog::~CFilesDialog() = default;

void CFilesDialog::SetHooks(FilesPageHooks hooks) {
  hooks_ = std::move(hooks);
  if (!hooks_.chooseFiles) {
    hooks_.chooseFiles = [this](const QString& filter) {
      return QFileDialog::getOpenFileNames(this, QString(), QString(), filter);
    };
  }
  if (!hooks_.ask) {
    hooks_.ask = [](const QString& text, int style) { return ShowStyleMessage(text, style); };
  }
}

QString CFilesDialog::OpenFilter() { return PictureFileFilter(); }

void CFilesDialog::CreateToolBar() {
  frame_ = Place(new CToolbarFrame(this), kToolbarFrameId, QRect(0, 0, 236, 58));
  toolbar_ = new CMyToolBar(frame_);
  toolbar_->CreateImageList(QSize(kImageSize, kImageSize));
  for (QStyle::StandardPixmap picture : kToolPictures) {
    static_cast<void>(toolbar_->AddBitmap(StandardPicture(*this, picture, kImageSize)));
  }
  static_cast<void>(
      toolbar_->CreateBar(frame_, QMargins(), IDR_FILES_TOOLBAR, kButtonWidth, kImageSize));
  toolbar_->setGeometry(frame_->rect());
}

void CFilesDialog::CreateListControls() {
  list_ = Place(new CListBoxQx(this), kListId, QRect(0, 62, 300, 150));
  list_->SetImageList(&icons_);
  connect(list_, &CListBoxQx::currentRowChanged, this,
          [this](int row) { OnSelectionChanged(row); });
  const std::pair<CButtonQx**, int> arrows[] = {{&up_, kUpId}, {&down_, kDownId}};
  for (const auto& [button, id] : arrows) {
    *button = Place(new CButtonQx(this), id, QRect(304, id == kUpId ? 62 : 94, 28, 28));
    const QStyle::StandardPixmap arrow = id == kUpId ? QStyle::SP_ArrowUp : QStyle::SP_ArrowDown;
    static_cast<void>((*button)->SetIcon(StandardIcon(*this, arrow).pixmap(16, 16)));
    (*button)->setAutoDefault(false);
  }
  connect(up_, &CButtonQx::clicked, this, [this] { OnMove(-1); });
  connect(down_, &CButtonQx::clicked, this, [this] { OnMove(1); });
}

void CFilesDialog::CreateSettingControls() {
  effectLabel_ = Place(new QLabel(this), kEffectLabelId, QRect(344, 62, 170, 20));
  effect_ = Place(new QComboBox(this), kEffectId, QRect(344, 82, 170, 26));
  speedLabel_ = Place(new QLabel(this), kSpeedLabelId, QRect(344, 112, 170, 20));
  speed_ = Place(new QComboBox(this), kSpeedId, QRect(344, 132, 170, 26));
  stayFrame_ = Place(new QFrame(this), kStayFrameId, QRect(340, 162, 178, 50));
  stayFrame_->setFrameStyle(QFrame::Box | QFrame::Sunken);
  stayLabel_ = Place(new QLabel(this), kStayLabelId, QRect(346, 166, 166, 18));
  stay_ = new DigitSpinEdit(kStayDigits, kStayTypedMax, this);
  stay_->SetIds(kStayId, kStaySpinId);
  stay_->setGeometry(346, 184, 70, 24);
  stayRange_ = Place(new QLabel(QStringLiteral("(%1-%2)").arg(kMinStay).arg(kMaxStay), this),
                     kStayRangeId, QRect(422, 186, 90, 20));

  connect(effect_, &QComboBox::activated, this, [this](int index) { OnEffect(index); });
  connect(speed_, &QComboBox::activated, this, [this](int index) { OnSpeed(index); });
  stay_->onEdited = [this] { OnStayTyped(); };
  stay_->onStepped = [this](int delta) { OnStayStepped(delta); };
}

std::vector<QWidget*> CFilesDialog::StayLabels() const {
  return {stayFrame_, stayLabel_, stayRange_};
}

void CFilesDialog::ApplyLanguage() {
  QLabel* labels[] = {effectLabel_, speedLabel_, stayLabel_};
  for (int i = 0; i < 3; ++i) {
    labels[i]->setText(ReadLangText(lang_section::IDD_FILE_DIALOG, kEffectText + i));
  }
  FillEffectList(*effect_);
  FillSpeedList(*speed_, kImageWordSpeedTexts);
  up_->SetTipText(ReadLangText(lang_section::IDD_MAIN_DIALOG, kUpTip), true);
  down_->SetTipText(ReadLangText(lang_section::IDD_MAIN_DIALOG, kDownTip), true);
}

LRESULT CFilesDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case UM_LOAD_SELECTION: Load(); return 0;
    case WM_COMMAND: OnCommand(static_cast<UINT>(wParam)); return 0;
    default: break;
  }
  return MessageWindow::WindowProc(msg, wParam, lParam);
}

void CFilesDialog::OnCommand(UINT command) {
  switch (command) {
    case ID_FILES_ADD: OnAdd(); break;
    case ID_FILES_DELETE: OnDelete(); break;
    case ID_FILES_CLEAR: OnClear(); break;
    case ID_FILES_SAME_PROPERTIES: OnSameProperties(); break;
    default: break;
  }
}

void CFilesDialog::hideEvent(QHideEvent* event) {
  if (isHidden()) items_ = nullptr;
  QWidget::hideEvent(event);
}

void CFilesDialog::Load() {
  AreaRecord* area = CurrentSelection ? CurrentSelection->Area() : nullptr;
  items_ = area ? std::get_if<std::vector<FileAreaItem>>(&area->Kind) : nullptr;
  {
    const QSignalBlocker blocker(list_);
    list_->ResetContent();
  }
  icons_ = ImageList(icons_.ImageSize());
  iconBySuffix_.clear();
  if (items_ == nullptr || items_->empty()) {
    ClearControls();
    return;
  }
  for (const FileAreaItem& item : *items_) AddEntry(item);
  SelectAndShow(0);
}

FileAreaItem* CFilesDialog::SelectedItem() { return SelectedListItem(*list_, items_); }

void CFilesDialog::SelectRow(int row) { SelectRowQuietly(*list_, row); }

void CFilesDialog::LoadControls(int row) {
  const FileAreaItem& item = (*items_)[static_cast<std::size_t>(row)];
  effect_->setCurrentIndex(item.InStyle >= 0 && item.InStyle < kEffectCount ? item.InStyle : -1);
  speed_->setCurrentIndex(item.InSpeed >= 0 && item.InSpeed < kSpeedCount ? item.InSpeed : -1);
  stay_->ShowValue(item.DelayTime);
  effect_->setEnabled(!IsGif(item));
  stay_->setVisible(!IsGif(item));
  for (QWidget* label : StayLabels()) label->setVisible(!IsGif(item));
}

void CFilesDialog::ClearControls() {
  effect_->setCurrentIndex(-1);
  speed_->setCurrentIndex(-1);
  stay_->Edit().clear();
  effect_->setEnabled(true);
  stay_->show();
  for (QWidget* label : StayLabels()) label->show();
}

void CFilesDialog::SelectAndShow(int row) {
  SelectRow(row);
  LoadControls(row);
  ShowOnCanvas(row);
}

void CFilesDialog::ShowOnCanvas(int row) {
  SendMessage(PreviewCanvasWindow, UM_CANVAS_COMMAND, kShowItemOperation, row);
}

int CFilesDialog::IconOf(const QString& path) {
  const QFileInfo file(FromStoredPath(path));
  const QString suffix = file.suffix().toLower();
  if (const auto known = iconBySuffix_.constFind(suffix); known != iconBySuffix_.cend()) {
    return *known;
  }
  const QFileIconProvider provider;
  QIcon icon = provider.icon(file);
  if (icon.isNull()) icon = StandardIcon(*this, QStyle::SP_FileIcon);
  const QSize size = icons_.ImageSize();
  QImage picture(size, QImage::Format_ARGB32);
  picture.fill(Qt::transparent);
  QPainter(&picture).drawPixmap(0, 0, icon.pixmap(size));
  const int index = icons_.Add(picture);
  iconBySuffix_.insert(suffix, index);
  return index;
}

int CFilesDialog::AddEntry(const FileAreaItem& item) {
  const QString path = PathOf(item);
  return list_->AddString(path, IconOf(path));
}

void CFilesDialog::OnSelectionChanged(int row) {
  if (SelectedItem() == nullptr) return;
  LoadControls(row);
  ShowOnCanvas(row);
}

void CFilesDialog::OnAdd() {
  if (items_ == nullptr) return;
  QStringList tooLong;
  QStringList refused;
  bool added = false;
  for (const QString& chosen : hooks_.chooseFiles(OpenFilter())) {
    const QString path = ListPath(chosen);
    // A longer path cannot be stored whole, and cut it would name another file.
    if (path.size() >= kPathCapacity) {
      tooLong << path;
      continue;
    }
    // The card shows pictures and GIFs only (a video never reaches it), and only those
    // whose content decodes.
    if (CheckPictureFile(path) != PictureCheck::Ok) {
      refused << path;
      continue;
    }
    items_->push_back(NewItem(path));
    AddEntry(items_->back());
    added = true;
  }
  if (added) {
    list_->setFocus();
    SelectAndShow(list_->count() - 1);
  }
  const std::pair<int, QStringList> refusals[] = {{kPathsTooLongText, tooLong},
                                                  {kNotPicturesText, refused}};
  for (const auto& [key, paths] : refusals) {
    if (paths.isEmpty()) continue;
    // The paths follow the text, one a line.
    const QString lines = QStringLiteral("\n") + paths.join(u'\n');
    hooks_.ask(FormatLangText(ReadLangText(lang_section::PUBLIC, key), {lines}), kWarningStyle);
  }
}

void CFilesDialog::OnDelete() {
  if (SelectedItem() == nullptr) return;
  const int row = list_->currentRow();
  // The canvas lets go of the item before it and its frame file go.
  ShowOnCanvas(kNoRow);
  RemoveFrameFile((*items_)[static_cast<std::size_t>(row)]);
  items_->erase(items_->begin() + row);
  {
    const QSignalBlocker blocker(list_);
    list_->DeleteString(row);
  }
  if (items_->empty()) {
    ClearControls();
    return;
  }
  SelectAndShow(row > 0 ? row - 1 : 0);
}

void CFilesDialog::OnClear() {
  if (items_ == nullptr || items_->empty()) return;
  const QString question = ReadLangText(lang_section::IDD_FILE_DIALOG, kClearQuestionText);
  if (hooks_.ask(question, kOkCancelStyle) != kIdOk) return;
  ShowOnCanvas(kNoRow);
  for (const FileAreaItem& item : *items_) RemoveFrameFile(item);
  items_->clear();
  {
    const QSignalBlocker blocker(list_);
    list_->ResetContent();
  }
  ClearControls();
}

void CFilesDialog::OnSameProperties() {
  const FileAreaItem* selected = SelectedItem();
  if (selected == nullptr) return;
  const FileAreaItem source = *selected;
  // A GIF neither shows an effect nor stays: those two pass only between other files.
  for (FileAreaItem& item : *items_) {
    if (&item == selected) continue;
    item.InSpeed = source.InSpeed;
    if (IsGif(source) || IsGif(item)) continue;
    item.InStyle = source.InStyle;
    item.DelayTime = source.DelayTime;
  }
}

void CFilesDialog::OnMove(int step) {
  if (items_ != nullptr) MoveSelectedRow(*list_, *items_, step);
}

void CFilesDialog::OnEffect(int index) {
  FileAreaItem* item = SelectedItem();
  if (item == nullptr || index < 0 || index == item->InStyle) return;
  item->InStyle = index;
  ShowOnCanvas(list_->currentRow());
}

void CFilesDialog::OnSpeed(int index) {
  FileAreaItem* item = SelectedItem();
  if (item == nullptr || index < 0 || index == item->InSpeed) return;
  item->InSpeed = index;
  ShowOnCanvas(list_->currentRow());
}

void CFilesDialog::OnStayTyped() {
  if (const std::optional<int> typed = stay_->Value()) SetStay(*typed);
}

void CFilesDialog::OnStayStepped(int delta) {
  const FileAreaItem* item = SelectedItem();
  if (item == nullptr) return;
  SetStay(stay_->Value().value_or(item->DelayTime) + delta);
}

void CFilesDialog::SetStay(int stay) {
  FileAreaItem* item = SelectedItem();
  if (item == nullptr) return;
  const int clamped = std::clamp(stay, kMinStay, kMaxStay);
  if (stay_->Edit().text() != QString::number(clamped)) stay_->ShowValue(clamped);
  if (clamped == item->DelayTime) return;
  item->DelayTime = clamped;
  ShowOnCanvas(list_->currentRow());
}
