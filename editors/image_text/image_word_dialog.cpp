#include "editors/image_text/image_word_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>
#include <iterator>
#include <optional>
#include <utility>

#include "controls/bars/my_tool_bar.h"
#include "controls/bars/toolbar_frame.h"
#include "controls/buttons/button_qx.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/lists/list_box_qx.h"
#include "controls/shell/content_page_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/rtf_editor_opener.h"
#include "controls/shell/table_editor_opener.h"
#include "controls/shell/window_globals.h"
#include "controls/support/digit_spin_edit.h"
#include "controls/support/standard_icon.h"
#include "editors/image_text/image_text_art.h"
#include "editors/page_parts/option_lists.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/file_system.h"
#include "model/common/guid_text.h"
#include "model/project/project_globals.h"
#include "model/project/project_records.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "render/frame/pak_file.h"
#include "render/rerender/content_rerender.h"
#include "render/table/table_file.h"
#include "render/text/rtf_render.h"

namespace {

constexpr int kToolbarFrameId = 1116;
constexpr int kHiddenButtonIds = 1106;  // 1106-1113
constexpr int kUpId = 1114;
constexpr int kDownId = 1115;
constexpr int kListId = 1193;
constexpr int kEffectId = 1223;
constexpr int kSpeedId = 1224;
constexpr int kStayId = 1225;
constexpr int kStaySpinId = 1226;
constexpr int kEndToEndId = 1439;
constexpr int kLabelIds[] = {1501, 1502, 1503};

// Text numbers of IDD_IMAGEWORD_DIALOG (and IDD_MAIN_DIALOG for the arrows' tips).
constexpr int kFirstLabelText = 1000;
constexpr int kFirstCommandText = 1003;  // edit, delete, clear, same properties
constexpr int kFirstKindText = 1007;     // by the add buttons' order
constexpr int kClearQuestionText = 1011;
constexpr int kEndToEndText = 1012;
constexpr int kUpTip = 1016;
constexpr int kDownTip = 1017;
constexpr int kClearQuestionStyle = 0x31;  // OK and Cancel with the warning icon

constexpr int kNoRow = -2;  // the canvas shows no page
constexpr int kShowPageOperation = 2;
constexpr int kContinuousEffect = 6;  // effects 6-9 move the pages and have no stay
constexpr int kLastMovingEffect = 9;

constexpr int kButtonWidth = 55;
constexpr int kImageSize = 32;

// The table page's grid lines and the new page's text.
constexpr ColorRef kNewTableLineColor = 255;

// What the add buttons make, in the toolbar's order.
struct KindDefaults {
  UINT command;
  CImageWordDialog::PageKind kind;
  ImageTextArt art;
  int inStyle;
  int inSpeed;
  int delayTime;
  int isLeftMove;
};
constexpr KindDefaults kKinds[] = {
    {ID_IMAGE_TEXT_ADD_DOCUMENT, CImageWordDialog::kDocument, ImageTextArt::Document, 0, 3, 3, 0},
    {ID_IMAGE_TEXT_ADD_TEXT, CImageWordDialog::kText, ImageTextArt::Text, 0, 0, 3, 0},
    {ID_IMAGE_TEXT_ADD_CAPTION, CImageWordDialog::kCaption, ImageTextArt::Caption, 6, 3, 1, 1},
    {ID_IMAGE_TEXT_ADD_TABLE, CImageWordDialog::kTable, ImageTextArt::Table, 0, 3, 3, 0},
};
constexpr ImageTextArt kCommandArt[] = {ImageTextArt::Edit, ImageTextArt::Delete,
                                        ImageTextArt::Clear, ImageTextArt::SameProperties};
constexpr UINT kPageCommands[] = {ID_IMAGE_TEXT_EDIT, ID_IMAGE_TEXT_DELETE, ID_IMAGE_TEXT_CLEAR,
                                  ID_IMAGE_TEXT_SAME_PROPERTIES};

// The captions of the hidden buttons 1106-1113, which carry no command.
const char16_t* const kHiddenCaptions[] = {u"文件", u"文本", u"字幕", u"表格",
                                           u"编辑", u"删除", u"清空", u"相同属性"};

// The list icon of a page kind: document 0, text 1, caption 2, table 3.
int KindIcon(int kind) {
  for (int i = 0; i < static_cast<int>(std::size(kKinds)); ++i) {
    if (kKinds[i].kind == kind) return i;
  }
  return 0;
}

const KindDefaults* KindOfCommand(UINT command) {
  for (const KindDefaults& defaults : kKinds) {
    if (defaults.command == command) return &defaults;
  }
  return nullptr;
}

template <typename Control>
Control* Place(Control* control, int id, const QRect& rect) {
  SetControlId(control, id);
  control->setGeometry(rect);
  return control;
}

QString PageName(const FileItem& page) { return ReadBoundedText(page.FileName); }
QString GuidOf(const FileItem& page) { return ReadBoundedText(page.guid); }

QString RtfPath(const FileItem& page) {
  return AppFilePath(AppFolder::UserData, QString(GuidOf(page) + QStringLiteral(".rtf")));
}

// The content file of the page: its table or its rich text.
QString ContentPath(const FileItem& page) {
  return page.AddType == CImageWordDialog::kTable ? TableFilePath(GuidOf(page)) : RtfPath(page);
}

void RemoveFile(const QString& path) {
  if (!path.isEmpty() && QFile::exists(path) && !QFile::remove(path)) {
    qWarning("The file %s could not be deleted", qPrintable(path));
  }
}

void RemovePageFiles(const FileItem& page) {
  if (!IsGuidText(GuidOf(page))) return;
  RemoveFile(ContentPath(page));
  RemoveFile(PakFramePath(GuidOf(page)));
}

FileItem NewPage(const KindDefaults& defaults, int number) {
  FileItem page{};
  const QString kind =
      ReadLangText(lang_section::IDD_IMAGEWORD_DIALOG, kFirstKindText + KindIcon(defaults.kind));
  static_cast<void>(CopyBoundedText(
      page.FileName, FormatLangText(QStringLiteral("%s%d"), {kind, QString::number(number)})));
  static_cast<void>(CopyBoundedText(page.guid, NewGuidText()));
  page.AddType = defaults.kind;
  page.FileType = defaults.kind == CImageWordDialog::kTable ? 0 : 6;
  page.InStyle = defaults.inStyle;
  page.InSpeed = defaults.inSpeed;
  page.DelayTime = defaults.delayTime;
  page.IsLeftMove = defaults.isLeftMove;
  page.LineColor = defaults.kind == CImageWordDialog::kTable ? kNewTableLineColor : 0;
  return page;
}

bool WriteNewContent(const FileItem& page, const ContentSize& size) {
  if (page.AddType != CImageWordDialog::kTable) {
    // The new rich-text page starts with its own name in red "宋体" 12 points.
    return WriteNewRichText(RtfPath(page), PageName(page), kCharAll);
  }
  return CreateDirTree(AppFolderPath(AppFolder::UserData)) &&
         WriteDefaultTableFile(size.height, TableFilePath(GuidOf(page)), size.width) == 1;
}

bool HasStayTime(int effect) { return effect < kContinuousEffect || effect > kLastMovingEffect; }

}  // namespace

CImageWordDialog::CImageWordDialog(QWidget* parent, int storedLanguage)
    : QWidget(parent), runRtfEditor_([](const RtfEditRequest& request) {
        if (RunRtfEditor) RunRtfEditor(request);
      }) {
  for (const KindDefaults& defaults : kKinds) {
    static_cast<void>(icons_.Add(PaintImageTextArt(defaults.art, 16)));
  }
  CreateToolBar();
  CreateListControls();
  CreateTimingControls();
  ApplyLanguage(storedLanguage);
}

CImageWordDialog::~CImageWordDialog() = default;

void CImageWordDialog::CreateToolBar() {
  auto* frame = Place(new CToolbarFrame(this), kToolbarFrameId, QRect(0, 0, 518, 60));
  toolbar_ = new CMyToolBar(frame);
  toolbar_->CreateImageList(QSize(kImageSize, kImageSize));
  for (const KindDefaults& defaults : kKinds) {
    static_cast<void>(toolbar_->AddBitmap(PaintImageTextArt(defaults.art, kImageSize, true)));
  }
  for (ImageTextArt art : kCommandArt) {
    static_cast<void>(toolbar_->AddBitmap(PaintImageTextArt(art, kImageSize, true)));
  }
  static_cast<void>(
      toolbar_->CreateBar(frame, QMargins(), IDR_IMAGEWORD_TOOLBAR, kButtonWidth, kImageSize));
  toolbar_->setGeometry(frame->rect());
  for (int i = 0; i < static_cast<int>(std::size(kHiddenCaptions)); ++i) {
    auto* button = new CButtonQx(QString::fromUtf16(kHiddenCaptions[i]), this);
    SetControlId(button, kHiddenButtonIds + i);
    button->hide();
  }
}

void CImageWordDialog::CreateListControls() {
  list_ = Place(new CListBoxQx(this), kListId, QRect(0, 64, 230, 148));
  list_->SetImageList(&icons_);
  connect(list_, &CListBoxQx::currentRowChanged, this, [this] { OnSelectionChanged(); });
  connect(list_, &CListBoxQx::itemDoubleClicked, this, [this] { OnEdit(); });
  up_ = Place(new QPushButton(this), kUpId, QRect(234, 64, 28, 28));
  up_->setIcon(StandardIcon(*this, QStyle::SP_ArrowUp));
  down_ = Place(new QPushButton(this), kDownId, QRect(234, 96, 28, 28));
  down_->setIcon(StandardIcon(*this, QStyle::SP_ArrowDown));
  connect(up_, &QPushButton::clicked, this, [this] { OnMove(-1); });
  connect(down_, &QPushButton::clicked, this, [this] { OnMove(1); });
}

void CImageWordDialog::CreateTimingControls() {
  for (int i = 0; i < 3; ++i) {
    labels_[i] = Place(new QLabel(this), kLabelIds[i], QRect(272, 68 + i * 34, 84, 22));
  }
  effect_ = Place(new QComboBox(this), kEffectId, QRect(360, 66, 154, 26));
  speed_ = Place(new QComboBox(this), kSpeedId, QRect(360, 100, 154, 26));
  stay_ = new DigitSpinEdit(3, 999, this);
  stay_->SetIds(kStayId, kStaySpinId);
  stay_->setGeometry(360, 134, 76, 26);
  (new QLabel(QStringLiteral("(1-255)"), this))->setGeometry(442, 136, 72, 22);
  endToEnd_ = Place(new QCheckBox(this), kEndToEndId, QRect(272, 170, 242, 24));
  endToEnd_->hide();

  connect(effect_, &QComboBox::activated, this, [this](int index) { OnEffect(index); });
  connect(speed_, &QComboBox::activated, this, [this](int index) { OnSpeed(index); });
  stay_->onEdited = [this] { OnStayEdited(); };
  stay_->onStepped = [this](int delta) { OnStayStepped(delta); };
  connect(endToEnd_, &QCheckBox::clicked, this, [this] { OnEndToEnd(); });
}

void CImageWordDialog::ApplyLanguage(int storedLanguage) {
  for (int i = 0; i < 3; ++i) {
    labels_[i]->setText(ReadLangText(lang_section::IDD_IMAGEWORD_DIALOG, kFirstLabelText + i));
  }
  endToEnd_->setText(ReadLangText(lang_section::IDD_IMAGEWORD_DIALOG, kEndToEndText));
  up_->setToolTip(ReadLangText(lang_section::IDD_MAIN_DIALOG, kUpTip));
  down_->setToolTip(ReadLangText(lang_section::IDD_MAIN_DIALOG, kDownTip));
  FillEffectList(*effect_);
  FillSpeedList(*speed_, kImageWordSpeedTexts);

  const bool withTexts = storedLanguage == 1 || storedLanguage == 3;
  const auto setText = [this, withTexts](UINT command, int textNumber) {
    if (QAction* button = toolbar_->ButtonAction(toolbar_->CommandToIndex(command))) {
      button->setText(withTexts ? ReadLangText(lang_section::IDD_IMAGEWORD_DIALOG, textNumber)
                                : QString());
    }
  };
  for (int i = 0; i < static_cast<int>(std::size(kKinds)); ++i) {
    setText(kKinds[i].command, kFirstKindText + i);
  }
  for (int i = 0; i < static_cast<int>(std::size(kPageCommands)); ++i) {
    setText(kPageCommands[i], kFirstCommandText + i);
  }
  toolbar_->setToolButtonStyle(withTexts ? Qt::ToolButtonTextUnderIcon : Qt::ToolButtonIconOnly);
}

LRESULT CImageWordDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case UM_LOAD_SELECTION: Load(); return 0;
    case UM_RERENDER_ITEM:
      RenderSelected(wParam == 1 ? RerenderWhen::kOutdated : RerenderWhen::kAlways);
      return 0;
    case WM_COMMAND: OnCommand(static_cast<UINT>(wParam)); return 0;
    default: break;
  }
  return MessageWindow::WindowProc(msg, wParam, lParam);
}

void CImageWordDialog::OnCommand(UINT command) {
  if (const KindDefaults* defaults = KindOfCommand(command)) {
    OnAdd(defaults->kind);
    return;
  }
  switch (command) {
    case ID_IMAGE_TEXT_EDIT: OnEdit(); break;
    case ID_IMAGE_TEXT_DELETE: OnDelete(); break;
    case ID_IMAGE_TEXT_CLEAR: OnClear(); break;
    case ID_IMAGE_TEXT_SAME_PROPERTIES: OnSameProperties(); break;
    default: break;
  }
}

void CImageWordDialog::hideEvent(QHideEvent* event) {
  if (isHidden()) {
    area_ = nullptr;
    pages_ = nullptr;
  }
  QWidget::hideEvent(event);
}

void CImageWordDialog::Load() {
  area_ = CurrentSelection ? CurrentSelection->Area() : nullptr;
  pages_ = area_ ? std::get_if<std::vector<FileItem>>(&area_->Kind) : nullptr;
  {
    const QSignalBlocker blocker(list_);
    list_->ResetContent();
  }
  if (pages_ == nullptr || pages_->empty()) {
    ShowOnCanvas(kNoRow);
    return;
  }
  for (const FileItem& page : *pages_) list_->AddString(PageName(page), KindIcon(page.AddType));
  SelectRow(0);
  OnSelectionChanged();
}

FileItem* CImageWordDialog::SelectedPage() {
  const int row = list_->currentRow();
  if (pages_ == nullptr || row < 0 || row >= static_cast<int>(pages_->size())) return nullptr;
  return &(*pages_)[static_cast<std::size_t>(row)];
}

ContentSize CImageWordDialog::InnerSize() const {
  return area_ != nullptr ? AreaContentSize(*area_) : ContentSize{};
}

void CImageWordDialog::SelectRow(int row) {
  const QSignalBlocker blocker(list_);
  list_->setCurrentRow(row);
}

void CImageWordDialog::OnSelectionChanged() {
  const FileItem* page = SelectedPage();
  if (page == nullptr) return;
  effect_->setCurrentIndex(page->InStyle >= 0 && page->InStyle < kEffectCount ? page->InStyle : -1);
  speed_->setCurrentIndex(page->InSpeed >= 0 && page->InSpeed < kSpeedCount ? page->InSpeed : -1);
  stay_->ShowValue(page->DelayTime);
  endToEnd_->setChecked(page->IsLeftMove != 0);
  ShowTimingRules(*page);
  SendMessage(Handle(), UM_RERENDER_ITEM, 1, 0);
}

void CImageWordDialog::ShowTimingRules(const FileItem& page) {
  endToEnd_->setVisible(page.InStyle == kContinuousEffect && page.AddType == kCaption);
  stay_->setEnabled(HasStayTime(page.InStyle));
}

void CImageWordDialog::RenderSelected(RerenderWhen when) {
  FileItem* page = SelectedPage();
  if (page == nullptr) return;
  const ContentSize size = InnerSize();
  effect_->setEnabled(page->AddType != kText);
  speed_->setEnabled(page->AddType != kText);
  ShowOnCanvas(kNoRow);
  static_cast<void>(RerenderPage(*page, size, when));
  ShowOnCanvas(list_->currentRow());
}

void CImageWordDialog::ShowOnCanvas(int row) {
  SendMessage(PreviewCanvasWindow, UM_CANVAS_COMMAND, kShowPageOperation, row);
}

void CImageWordDialog::OnAdd(PageKind kind) {
  if (pages_ == nullptr) return;
  const KindDefaults& defaults = kKinds[KindIcon(kind)];
  FileItem page = NewPage(defaults, static_cast<int>(pages_->size()) + 1);
  // The default table gets at least one pixel a side, as every content size does.
  if (!WriteNewContent(page, InnerSize())) {
    qWarning("The content file of the new page %s could not be written",
             qPrintable(PageName(page)));
  }
  pages_->push_back(page);
  const int row = list_->AddString(PageName(page), KindIcon(kind));
  list_->setFocus();
  SelectRow(row);
  OnSelectionChanged();
  OnEdit();
}

void CImageWordDialog::OnEdit() {
  FileItem* page = SelectedPage();
  if (page == nullptr) return;
  const int row = list_->currentRow();
  const ContentSize size = InnerSize();
  if (page->AddType == kTable) {
    if (RunTableEditor) {
      RunTableEditor({TableFilePath(GuidOf(*page)), page, size.width, size.height, Handle(), this});
    }
  } else {
    runRtfEditor_({RtfPath(*page), size.width, size.height, page, Handle(), this});
  }
  page = SelectedPage();
  if (page == nullptr) return;  // the selection went away while the editor ran
  list_->SetItemText(row, PageName(*page));
  SelectRow(row);
  SendMessage(Handle(), UM_RERENDER_ITEM, 0, 0);
}

void CImageWordDialog::OnDelete() {
  if (SelectedPage() == nullptr) return;
  const int row = list_->currentRow();
  ShowOnCanvas(kNoRow);
  RemovePageFiles((*pages_)[static_cast<std::size_t>(row)]);
  pages_->erase(pages_->begin() + row);
  {
    const QSignalBlocker blocker(list_);
    list_->DeleteString(row);
  }
  if (pages_->empty()) return;
  SelectRow(row > 0 ? row - 1 : 0);
  OnSelectionChanged();
}

void CImageWordDialog::OnClear() {
  if (pages_ == nullptr || pages_->empty()) return;
  const QString question = ReadLangText(lang_section::IDD_IMAGEWORD_DIALOG, kClearQuestionText);
  if (ShowStyleMessage(question, kClearQuestionStyle) == kIdCancel || pages_ == nullptr) return;
  ShowOnCanvas(kNoRow);
  for (const FileItem& page : *pages_) RemovePageFiles(page);
  pages_->clear();
  const QSignalBlocker blocker(list_);
  list_->ResetContent();
}

void CImageWordDialog::OnSameProperties() {
  const FileItem* selected = SelectedPage();
  if (selected == nullptr) return;
  const FileItem source = *selected;
  // The frames of document and caption pages depend on the effect (a caption's
  // continuous strip, the moving effects' extent): those whose effect changed are
  // rendered again, so the card never plays frames made for the old effect.
  std::vector<FileItem*> changed;
  for (FileItem& page : *pages_) {
    if (&page == selected) continue;
    page.DelayTime = source.DelayTime;
    if (page.AddType == kText) continue;
    if (page.InStyle != source.InStyle && (page.AddType == kDocument || page.AddType == kCaption)) {
      changed.push_back(&page);
    }
    page.InStyle = source.InStyle;
    page.InSpeed = source.InSpeed;
    page.OutStyle = source.OutStyle;
    page.OutSpeed = source.OutSpeed;
  }
  if (changed.empty()) return;
  ShowOnCanvas(kNoRow);
  const ContentSize size = InnerSize();
  for (FileItem* page : changed)
    static_cast<void>(RerenderPage(*page, size, RerenderWhen::kAlways));
  ShowOnCanvas(list_->currentRow());
}

void CImageWordDialog::OnMove(int step) {
  if (SelectedPage() == nullptr) return;
  const int row = list_->currentRow();
  const int target = row + step;
  if (target < 0 || target >= list_->count()) return;
  std::swap((*pages_)[static_cast<std::size_t>(row)], (*pages_)[static_cast<std::size_t>(target)]);
  const QSignalBlocker blocker(list_);
  for (int moved : {row, target}) {
    const FileItem& page = (*pages_)[static_cast<std::size_t>(moved)];
    list_->DeleteString(moved);
    list_->InsertString(moved, PageName(page), KindIcon(page.AddType));
  }
  list_->setCurrentRow(target);
}

void CImageWordDialog::OnEffect(int index) {
  FileItem* page = SelectedPage();
  if (page == nullptr || index < 0) return;
  page->InStyle = index;
  ShowTimingRules(*page);
  SendMessage(Handle(), UM_RERENDER_ITEM, 0, 0);
}

void CImageWordDialog::OnSpeed(int index) {
  FileItem* page = SelectedPage();
  if (page == nullptr || index < 0) return;
  page->InSpeed = index;
  SendMessage(Handle(), UM_RERENDER_ITEM, 1, 0);
}

void CImageWordDialog::OnStayEdited() {
  // An emptied edit waits for the digits being typed.
  if (const std::optional<int> value = stay_->Value()) SetStayTime(*value);
}

void CImageWordDialog::OnStayStepped(int delta) {
  const FileItem* page = SelectedPage();
  if (page == nullptr) return;
  const int value = std::clamp(page->DelayTime + delta, kMinStayTime, kMaxStayTime);
  stay_->ShowValue(value);
  SetStayTime(value);
}

void CImageWordDialog::SetStayTime(int value) {
  FileItem* page = SelectedPage();
  if (page == nullptr) return;
  const int clamped = std::clamp(value, kMinStayTime, kMaxStayTime);
  if (clamped != value) stay_->ShowValue(clamped);
  page->DelayTime = clamped;
  SendMessage(Handle(), UM_RERENDER_ITEM, 1, 0);
}

void CImageWordDialog::OnEndToEnd() {
  FileItem* page = SelectedPage();
  if (page == nullptr) return;
  page->IsLeftMove = endToEnd_->isChecked() ? 1 : 0;
  SendMessage(Handle(), UM_RERENDER_ITEM, 0, 0);
}
