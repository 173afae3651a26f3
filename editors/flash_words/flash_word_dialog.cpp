#include "editors/flash_words/flash_word_dialog.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>

#include <utility>

#include "controls/bars/my_tool_bar.h"
#include "controls/bars/toolbar_frame.h"
#include "controls/buttons/button_qx.h"
#include "controls/color/color_picker.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/lists/list_box_qx.h"
#include "controls/shell/content_page_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/window_globals.h"
#include "controls/support/standard_icon.h"
#include "editors/flash_words/flash_word_edit_dialog.h"
#include "editors/flash_words/flash_word_style.h"
#include "editors/page_parts/item_list_rows.h"
#include "editors/page_parts/option_lists.h"
#include "model/common/bounded_text.h"
#include "model/common/guid_text.h"
#include "model/painting/painting_helpers.h"
#include "model/project/project_globals.h"
#include "model/project/project_records.h"
#include "model/settings/fixed_texts.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"

namespace {

constexpr int kListId = 1063;
constexpr int kColorId = 1213;
constexpr int kStyleIds[] = {1214, 1215, 1216};
constexpr int kUpId = 1217;
constexpr int kDownId = 1218;
constexpr int kFaceId = 1239;
constexpr int kSizeId = 1240;
constexpr int kEffectId = 1210;
constexpr int kSpeedId = 1211;
constexpr int kToolbarFrameId = 1212;

constexpr int kNewItemNameText = 1008;
constexpr int kClearQuestionText = 1009;
constexpr int kFirstToolText = 1003;
constexpr int kUpTip = 1016;
constexpr int kDownTip = 1017;
constexpr int kClearQuestionStyle = 0x31;  // OK and Cancel with the warning icon
constexpr int kNoRow = -2;                 // the canvas shows no item
constexpr int kShowItemOperation = 2;

constexpr int kNewItemSize = 12;
constexpr ColorRef kNewItemColor = 255;
constexpr int kButtonWidth = 55;
constexpr int kImageSize = 32;

constexpr UINT kToolCommands[] = {ID_FLASH_WORDS_ADD, ID_FLASH_WORDS_EDIT, ID_FLASH_WORDS_DELETE,
                                  ID_FLASH_WORDS_CLEAR, ID_FLASH_WORDS_APPLY_TO_ALL};
constexpr QStyle::StandardPixmap kToolPictures[] = {
    QStyle::SP_FileIcon, QStyle::SP_FileDialogDetailedView, QStyle::SP_TrashIcon,
    QStyle::SP_DialogResetButton, QStyle::SP_DialogApplyButton};

// The page's effects are the first of the item editor's, by the same texts.
constexpr int kFirstEffectText = 2000;

const QString kCaptions[] = {QStringLiteral("B"), QStringLiteral("I"), QStringLiteral("U")};

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

QComboBox* MakeCombo(QWidget* page, int id, const QRect& rect, bool editable) {
  auto* combo = Place(new QComboBox(page), id, rect);
  combo->setEditable(editable);
  combo->setInsertPolicy(QComboBox::NoInsert);
  return combo;
}

FlashWordItem NewItem(int number) {
  FlashWordItem item{};
  item.FileName = FormatLangText(ReadLangText(lang_section::IDD_FLASHWORD_DIALOG, kNewItemNameText),
                                 {QString::number(number)});
  item.ShowStr = item.FileName;
  static_cast<void>(CopyBoundedText(item.guid, NewGuidText()));
  static_cast<void>(CopyBoundedText(item.FontProp_FontName, kDefaultFlashFace));
  item.FontProp_FontSize = kNewItemSize;
  item.FontProp_FontColor = kNewItemColor;
  item.IsChanged = 1;
  return item;
}

void RemoveFrameFile(const FlashWordItem& item) { RemoveFrameFileOf(ReadBoundedText(item.guid)); }

}  // namespace

CFlashWordDialog::CFlashWordDialog(QWidget* parent, int storedLanguage) : QWidget(parent) {
  static_cast<void>(icons_.Add(StandardPicture(*this, QStyle::SP_FileIcon, 16)));
  CreateToolBar();
  CreateListControls();
  CreateStyleControls();
  ApplyLanguage(storedLanguage);
  runEditor_ = [](CFlashWordEditDialog& editor) { editor.exec(); };
}

CFlashWordDialog::~CFlashWordDialog() = default;

void CFlashWordDialog::CreateToolBar() {
  frame_ = Place(new CToolbarFrame(this), kToolbarFrameId, QRect(0, 0, 310, 58));
  toolbar_ = new CMyToolBar(frame_);
  toolbar_->CreateImageList(QSize(kImageSize, kImageSize));
  for (QStyle::StandardPixmap picture : kToolPictures) {
    static_cast<void>(toolbar_->AddBitmap(StandardPicture(*this, picture, kImageSize)));
  }
  static_cast<void>(
      toolbar_->CreateBar(frame_, QMargins(), IDR_FLASHWORD_TOOLBAR, kButtonWidth, kImageSize));
  toolbar_->setGeometry(frame_->rect());
}

void CFlashWordDialog::CreateListControls() {
  list_ = Place(new CListBoxQx(this), kListId, QRect(0, 62, 230, 150));
  list_->SetImageList(&icons_);
  connect(list_, &CListBoxQx::currentRowChanged, this,
          [this](int row) { OnSelectionChanged(row); });
  connect(list_, &CListBoxQx::itemDoubleClicked, this, [this] { OnEdit(); });
  up_ = Place(new QPushButton(this), kUpId, QRect(234, 62, 28, 28));
  up_->setIcon(StandardIcon(*this, QStyle::SP_ArrowUp));
  down_ = Place(new QPushButton(this), kDownId, QRect(234, 94, 28, 28));
  down_->setIcon(StandardIcon(*this, QStyle::SP_ArrowDown));
  connect(up_, &QPushButton::clicked, this, [this] { OnMove(-1); });
  connect(down_, &QPushButton::clicked, this, [this] { OnMove(1); });
}

void CFlashWordDialog::CreateStyleControls() {
  face_ = MakeCombo(this, kFaceId, QRect(270, 62, 160, 26), true);
  AddFontNames(face_);
  size_ = MakeCombo(this, kSizeId, QRect(436, 62, 70, 26), true);
  FillFlashSizeList(*size_);
  for (int style = kBold; style <= kUnderline; ++style) {
    auto* button = Place(new CButtonQx(kCaptions[style], this), kStyleIds[style],
                         QRect(270 + style * 32, 94, 28, 26));
    button->SetButtonStyle(2);  // a check box
    button->setAutoDefault(false);
    QFont font = button->font();
    font.setBold(style == kBold);
    font.setItalic(style == kItalic);
    font.setUnderline(style == kUnderline);
    button->setFont(font);
    connect(button, &CButtonQx::clicked, this, [this, style] { OnStyle(Style(style)); });
    styles_[static_cast<std::size_t>(style)] = button;
  }
  color_ = Place(new CColorPicker(this), kColorId, QRect(370, 94, 60, 26));
  color_->SetColor(kNewItemColor);
  effect_ = MakeCombo(this, kEffectId, QRect(270, 126, 140, 26), false);
  speed_ = MakeCombo(this, kSpeedId, QRect(414, 126, 92, 26), false);

  connect(face_, &QComboBox::textActivated, this, [this](const QString& f) { OnFace(f); });
  connect(size_, &QComboBox::textActivated, this, [this](const QString& t) { OnSizeText(t); });
  connect(size_->lineEdit(), &QLineEdit::textEdited, this,
          [this](const QString& t) { OnSizeText(t); });
  connect(effect_, &QComboBox::activated, this, [this](int index) { OnEffect(index); });
  connect(speed_, &QComboBox::activated, this, [this](int index) { OnSpeed(index); });
}

void CFlashWordDialog::ApplyLanguage(int storedLanguage) {
  QStringList effects;
  for (int style = 0; style < kPageEffectCount; ++style) {
    effects.push_back(
        ReadLangTextOrFixed(lang_section::IDD_FLASHWORDEDIT_DIALOG, kFirstEffectText + style));
  }
  FillKeepingIndex(*effect_, effects);
  FillSpeedList(*speed_, kImageWordSpeedTexts);
  const bool withTexts = storedLanguage == 1 || storedLanguage == 3;
  for (int i = 0; i < static_cast<int>(std::size(kToolCommands)); ++i) {
    QAction* button = toolbar_->ButtonAction(toolbar_->CommandToIndex(kToolCommands[i]));
    if (button == nullptr) continue;
    button->setText(withTexts ? ReadLangText(lang_section::IDD_FLASHWORD_DIALOG, kFirstToolText + i)
                              : QString());
  }
  toolbar_->setToolButtonStyle(withTexts ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
  up_->setToolTip(ReadLangText(lang_section::IDD_MAIN_DIALOG, kUpTip));
  down_->setToolTip(ReadLangText(lang_section::IDD_MAIN_DIALOG, kDownTip));
}

LRESULT CFlashWordDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case UM_LOAD_SELECTION: Load(); return 0;
    case UM_RERENDER_ITEM:
      if (list_->currentRow() >= 0) ShowOnCanvas(list_->currentRow());
      return 0;
    case WM_COMMAND: OnCommand(static_cast<UINT>(wParam)); return 0;
    default: break;
  }
  return MessageWindow::WindowProc(msg, wParam, lParam);
}

void CFlashWordDialog::OnCommand(UINT command) {
  switch (command) {
    case ID_FLASH_WORDS_ADD: OnAdd(); break;
    case ID_FLASH_WORDS_EDIT: OnEdit(); break;
    case ID_FLASH_WORDS_DELETE: OnDelete(); break;
    case ID_FLASH_WORDS_CLEAR: OnClear(); break;
    case ID_FLASH_WORDS_APPLY_TO_ALL: OnApplyToAll(); break;
    case kColorId: OnColor(); break;
    default: break;
  }
}

void CFlashWordDialog::hideEvent(QHideEvent* event) {
  if (isHidden()) items_ = nullptr;
  QWidget::hideEvent(event);
}

void CFlashWordDialog::Load() {
  AreaRecord* area = CurrentSelection ? CurrentSelection->Area() : nullptr;
  items_ = area ? std::get_if<std::vector<FlashWordItem>>(&area->Kind) : nullptr;
  {
    const QSignalBlocker blocker(list_);
    list_->ResetContent();
  }
  if (items_ == nullptr || items_->empty()) {
    ShowOnCanvas(kNoRow);
    return;
  }
  for (const FlashWordItem& item : *items_) list_->AddString(item.FileName, 0);
  SelectRow(0);
  LoadControls(0);
  ShowOnCanvas(0);
}

FlashWordItem* CFlashWordDialog::SelectedItem() { return SelectedListItem(*list_, items_); }

void CFlashWordDialog::SelectRow(int row) { SelectRowQuietly(*list_, row); }

void CFlashWordDialog::LoadControls(int row) {
  const FlashWordItem& item = (*items_)[static_cast<std::size_t>(row)];
  face_->setEditText(ReadBoundedText(item.FontProp_FontName));
  size_->setEditText(QString::number(item.FontProp_FontSize));
  color_->SetColor(item.FontProp_FontColor);
  const int flags[] = {item.FontProp_FontBold, item.FontProp_FontItalic,
                       item.FontProp_FontUnderLined};
  for (int style = kBold; style <= kUnderline; ++style) {
    styles_[static_cast<std::size_t>(style)]->SetCheck(flags[style] != 0 ? 1 : 0);
  }
  effect_->setCurrentIndex(item.PlayStyle >= 0 && item.PlayStyle < kPageEffectCount ? item.PlayStyle
                                                                                    : -1);
  speed_->setCurrentIndex(item.Speed >= 0 && item.Speed < kSpeedCount ? item.Speed : -1);
}

void CFlashWordDialog::ShowOnCanvas(int row) {
  SendMessage(PreviewCanvasWindow, UM_CANVAS_COMMAND, kShowItemOperation, row);
}

void CFlashWordDialog::MarkChanged(FlashWordItem& item) {
  item.IsChanged = 1;
  ShowOnCanvas(list_->currentRow());
}

void CFlashWordDialog::OnSelectionChanged(int row) {
  if (SelectedItem() == nullptr) return;
  LoadControls(row);
  ShowOnCanvas(row);
}

void CFlashWordDialog::OnAdd() {
  if (items_ == nullptr) return;
  items_->push_back(NewItem(static_cast<int>(items_->size()) + 1));
  const int row = list_->AddString(items_->back().FileName, 0);
  list_->setFocus();
  SelectRow(row);
  LoadControls(row);
  SendMessage(Handle(), WM_COMMAND, ID_FLASH_WORDS_EDIT, 0);
}

void CFlashWordDialog::OnEdit() {
  FlashWordItem* item = SelectedItem();
  if (item == nullptr) return;
  const int row = list_->currentRow();
  {
    CFlashWordEditDialog editor(Handle(), *item, this);
    runEditor_(editor);
  }
  list_->SetItemText(row, item->FileName);
  SelectRow(row);
  LoadControls(row);
  ShowOnCanvas(row);
}

void CFlashWordDialog::OnDelete() {
  if (SelectedItem() == nullptr) return;
  const int row = list_->currentRow();
  ShowOnCanvas(kNoRow);
  RemoveFrameFile((*items_)[static_cast<std::size_t>(row)]);
  items_->erase(items_->begin() + row);
  {
    const QSignalBlocker blocker(list_);
    list_->DeleteString(row);
  }
  if (items_->empty()) return;
  const int next = row > 0 ? row - 1 : 0;
  SelectRow(next);
  LoadControls(next);
  ShowOnCanvas(next);
}

void CFlashWordDialog::OnClear() {
  if (items_ == nullptr || items_->empty()) return;
  const QString question = ReadLangText(lang_section::IDD_FLASHWORD_DIALOG, kClearQuestionText);
  if (ShowStyleMessage(question, kClearQuestionStyle) == kIdCancel) return;
  ShowOnCanvas(kNoRow);
  for (const FlashWordItem& item : *items_) RemoveFrameFile(item);
  items_->clear();
  const QSignalBlocker blocker(list_);
  list_->ResetContent();
}

void CFlashWordDialog::OnApplyToAll() {
  const FlashWordItem* selected = SelectedItem();
  if (selected == nullptr) return;
  const FlashWordItem source = *selected;
  for (FlashWordItem& item : *items_) {
    if (&item == selected) continue;
    std::copy(std::begin(source.FontProp_FontName), std::end(source.FontProp_FontName),
              std::begin(item.FontProp_FontName));
    item.FontProp_FontSize = source.FontProp_FontSize;
    item.FontProp_FontColor = source.FontProp_FontColor;
    item.FontProp_FontBold = source.FontProp_FontBold;
    item.FontProp_FontItalic = source.FontProp_FontItalic;
    item.FontProp_FontUnderLined = source.FontProp_FontUnderLined;
    item.FontDistance = source.FontDistance;
    item.PlayStyle = source.PlayStyle;
    item.Speed = source.Speed;
    item.IsChanged = 1;
  }
}

void CFlashWordDialog::OnMove(int step) {
  if (items_ != nullptr) MoveSelectedRow(*list_, *items_, step);
}

void CFlashWordDialog::OnFace(const QString& face) {
  FlashWordItem* item = SelectedItem();
  if (item != nullptr && StoreFlashFace(*item, face)) MarkChanged(*item);
}

void CFlashWordDialog::OnSizeText(const QString& text) {
  FlashWordItem* item = SelectedItem();
  const int size = ParseFlashSize(text);
  if (item == nullptr || size == item->FontProp_FontSize) return;
  item->FontProp_FontSize = size;
  MarkChanged(*item);
}

void CFlashWordDialog::OnStyle(Style style) {
  FlashWordItem* item = SelectedItem();
  if (item == nullptr) return;
  std::int32_t* flags[] = {&item->FontProp_FontBold, &item->FontProp_FontItalic,
                           &item->FontProp_FontUnderLined};
  *flags[style] = styles_[static_cast<std::size_t>(style)]->GetCheck();
  MarkChanged(*item);
}

void CFlashWordDialog::OnColor() {
  FlashWordItem* item = SelectedItem();
  if (item == nullptr || color_->GetColor() == item->FontProp_FontColor) return;
  item->FontProp_FontColor = color_->GetColor();
  MarkChanged(*item);
}

void CFlashWordDialog::OnEffect(int index) {
  FlashWordItem* item = SelectedItem();
  if (item == nullptr || index < 0 || index == item->PlayStyle) return;
  item->PlayStyle = index;
  MarkChanged(*item);
}

void CFlashWordDialog::OnSpeed(int index) {
  if (FlashWordItem* item = SelectedItem(); item != nullptr && index >= 0) item->Speed = index;
}
