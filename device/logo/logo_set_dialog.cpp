#include "device/logo/logo_set_dialog.h"

#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

#include "controls/dialogs/style_message_dialog.h"
#include "controls/shell/artwork.h"
#include "controls/shell/pane_ids.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/rtf_editor_opener.h"
#include "controls/shell/window_globals.h"
#include "device/common/device_call_scope.h"
#include "device/common/device_icons.h"
#include "device/common/job_program.h"
#include "device/logo/logo_ids.h"
#include "model/common/app_paths.h"
#include "model/common/bounded_text.h"
#include "model/common/guid_text.h"
#include "model/common/media_kind.h"
#include "model/painting/painting_helpers.h"
#include "model/project/current_screen.h"
#include "model/project/project_globals.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "render/frame/pak_file.h"
#include "render/rerender/content_rerender.h"
#include "render/text/rtf_render.h"

namespace {

constexpr QRect kPanel(120, 40, 560, 500);
constexpr int kIconSize = 24;
constexpr int kCaptionIconSize = 32;
constexpr ColorRef kButtonHover = 0xF7E6C6;
constexpr int kStyleError = 0x10;
constexpr int kStyleInformation = 0x40;
constexpr int kMaxStay = 255;
// The largest value the edits take: any digits they hold; the pane's rules correct it.
constexpr int kLargestEditValue = 99999;
constexpr int kNewLogoSpeed = 3;
constexpr int kNewLogoStay = 3;

// The list's images.
constexpr int kDriveImage = 0;
constexpr int kRichTextImage = 1;
constexpr int kPictureImage = 2;

// The kinds of logo (FileItem::AddType); any value but 1 plays as a picture.
constexpr std::int32_t kPictureLogo = 0;
constexpr std::int32_t kRichTextLogo = 1;
constexpr std::int32_t kRichTextFileType = 6;

// UM_CANVAS_COMMAND: op 7 with a logo's index, -2 (stop) or -3 (enter); op 8 leaves.
constexpr WPARAM kCanvasLogoOp = 7;
constexpr WPARAM kCanvasLeaveLogoOp = 8;
constexpr LPARAM kCanvasEnterLogo = -3;
constexpr LPARAM kCanvasStopLogo = -2;

// The card's settings sections of a set, and the program set's boot-logo mode.
constexpr std::int32_t kBasicSection = 0x001;
constexpr std::int32_t kLogoSection = 0x800;
constexpr std::int32_t kBootLogoMode = 2;

// UM_STATUS_CODE: a network set started, succeeded, failed; the same for a USB disk.
struct SetCodes {
  int started, done, failed;
};
constexpr SetCodes kCardCodes{-3, -2, -1};
constexpr SetCodes kUsbCodes{6, 7, 8};

constexpr auto kPictureFilter =
    "Picture File(*.bmp *.jpg *.jpeg *.png *.tif *.tiff *.BMP *.JPG *.JPEG *.PNG *.TIF *.TIFF);;"
    "BMP(*.bmp *.BMP);;JPEG(*.jpg *.jpeg *.JPG *.JPEG);;PNG(*.png *.PNG);;"
    "TIFF(*.tif *.tiff *.TIF *.TIFF)";

QStringList ChoosePictureFiles(QWidget* parent) {
  return QFileDialog::getOpenFileNames(parent, QString(), QString(),
                                       QString::fromLatin1(kPictureFilter));
}

QString Text(int key) { return ReadLangText(lang_section::IDD_LOGOSET_DIALOG, key); }

QString GuidOf(const FileItem& logo) { return ReadBoundedText(logo.guid); }
QString RtfFileOf(const FileItem& logo) {
  return AppFilePath(AppFolder::UserData, QString(GuidOf(logo) + QStringLiteral(".rtf")));
}

void Report(int code, std::int32_t result) {
  SendMessage(MainWindowHandle, UM_STATUS_CODE, static_cast<WPARAM>(code), result);
}

void RemoveIfPresent(const QString& path) {
  if (QFile::exists(path) && !QFile::remove(path)) {
    qWarning("The logo file %s could not be deleted", qPrintable(path));
  }
}

}  // namespace

CLogoSetDialog::CLogoSetDialog(QWidget* parent, Ask ask)
    : TaskPane(kLogoPane, parent),
      ask_(ask ? std::move(ask) : Ask(ShowStyleMessage)),
      choosePictures_(ChoosePictureFiles),
      images_(QSize(kIconSize, kIconSize)) {
  // OnInitDialog: the image list, the controls, their texts.
  static_cast<void>(images_.Add(PaintArt(Art::Usb, kIconSize)));
  static_cast<void>(images_.Add(PaintDeviceIcon(DeviceIcon::RichTextLogo, kIconSize)));
  static_cast<void>(images_.Add(PaintDeviceIcon(DeviceIcon::PictureLogo, kIconSize)));
  CreateControls();
  ApplyLanguage();
}

CLogoSetDialog::~CLogoSetDialog() {
  // Destroyed while shown: the canvas list must not keep the freed logo area.
  if (area_ != nullptr) CanvasAreaList = std::move(savedCanvasList_);
  if (list_ != nullptr) list_->FreeAllItemData();
}

DigitSpinEdit* CLogoSetDialog::CreateSpinEdit(int digits, int maxValue, int editId, int spinId,
                                              const QRect& geometry) {
  auto* edit = new DigitSpinEdit(digits, maxValue, this);
  edit->SetIds(editId, spinId);
  edit->setGeometry(geometry);
  return edit;
}

void CLogoSetDialog::CreateControls() {
  const int left = kPanel.left() + 24;
  const int top = kPanel.top() + 24;
  constexpr int kEditIds[kSideCount][3] = {
      {IDC_LOGO_X, IDC_LOGO_X_SPIN, IDC_LOGO_X_LABEL},
      {IDC_LOGO_Y, IDC_LOGO_Y_SPIN, IDC_LOGO_Y_LABEL},
      {IDC_LOGO_WIDTH, IDC_LOGO_WIDTH_SPIN, IDC_LOGO_WIDTH_LABEL},
      {IDC_LOGO_HEIGHT, IDC_LOGO_HEIGHT_SPIN, IDC_LOGO_HEIGHT_LABEL}};
  constexpr int kSideWidth = 128;
  for (int side = 0; side < kSideCount; ++side) {
    const int x = left + side * kSideWidth;
    sideLabels_[side] = new QLabel(this);
    SetControlId(sideLabels_[side], kEditIds[side][2]);
    sideLabels_[side]->setGeometry(x - 6, top, 58, 24);  // right-aligned: room to the left
    sideLabels_[side]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    sides_[side] = CreateSpinEdit(5, kLargestEditValue, kEditIds[side][0], kEditIds[side][1],
                                  QRect(x + 54, top, 66, 24));
    sides_[side]->onEdited = [this, side] { OnSideEdited(static_cast<Side>(side)); };
    sides_[side]->onStepped = [this, side](int delta) {
      OnSideStepped(static_cast<Side>(side), delta);
    };
  }
  // The labels of X and Y are never replaced.
  sideLabels_[kX]->setText(QStringLiteral(u"X："));
  sideLabels_[kY]->setText(QStringLiteral(u"Y："));

  listLabel_ = new QLabel(this);
  SetControlId(listLabel_, IDC_LOGO_LIST_LABEL);
  listLabel_->setGeometry(left, top + 40, 300, 22);
  list_ = new CListBoxQx(this);
  SetControlId(list_, IDC_LOGO_LIST);
  list_->setGeometry(left, top + 64, 400, 210);
  list_->SetImageList(&images_);
  connect(list_, &QListWidget::currentRowChanged, this, [this] { OnSelchangeLogoList(); });
  connect(list_, &QListWidget::itemDoubleClicked, this, [this] { OnEditLogo(); });

  const struct {
    CButtonQx** button;
    int id;
    Art art;
    void (CLogoSetDialog::*handler)();
  } tools[] = {
      {&addPictures_, IDC_LOGO_ADD_PICTURES, Art::AddBuiltIn, &CLogoSetDialog::OnAddPicture},
      {&addText_, IDC_LOGO_ADD_TEXT, Art::AddPictures, &CLogoSetDialog::OnAddRtfLogo},
      {&delete_, IDC_LOGO_DELETE, Art::DeleteEntry, &CLogoSetDialog::OnDeleteLogo}};
  int toolTop = top + 64;
  for (const auto& tool : tools) {
    auto* button = new CButtonQx(this);
    SetControlId(button, tool.id);
    button->setGeometry(left + 420, toolTop, 64, 56);
    static_cast<void>(button->SetIcon(QPixmap::fromImage(PaintArt(tool.art, 32))));
    button->SetImageAlignment(1);
    button->SetHoverBackground(kButtonHover);
    button->setAutoDefault(false);
    button->CreateTooltip();
    connect(button, &CButtonQx::clicked, this,
            [this, handler = tool.handler] { (this->*handler)(); });
    *tool.button = button;
    toolTop += 70;
  }

  const int stayTop = top + 290;
  stayLabel_ = new QLabel(this);
  SetControlId(stayLabel_, IDC_LOGO_STAY_LABEL);
  stayLabel_->setGeometry(left, stayTop, 130, 24);
  stay_ = CreateSpinEdit(3, kLargestEditValue, IDC_LOGO_STAY, IDC_LOGO_STAY_SPIN,
                         QRect(left + 134, stayTop, 60, 24));
  stay_->onEdited = [this] { OnStayEdited(); };
  stay_->onStepped = [this](int delta) { OnStayStepped(delta); };
  stayRange_ = new QLabel(QStringLiteral("(1-255)"), this);
  stayRange_->setGeometry(left + 200, stayTop, 80, 24);

  atStart_ = new QCheckBox(this);
  SetControlId(atStart_, IDC_LOGO_AT_START);
  atStart_->setGeometry(left, stayTop + 32, 480, 22);
  noProgram_ = new QCheckBox(this);
  SetControlId(noProgram_, IDC_LOGO_NO_PROGRAM);
  noProgram_->setGeometry(left, stayTop + 58, 480, 22);
  connect(atStart_, &QCheckBox::clicked, this,
          [this] { OnFlagClicked(atStart_, &ScreenRecord::IsShowLogoStart); });
  connect(noProgram_, &QCheckBox::clicked, this,
          [this] { OnFlagClicked(noProgram_, &ScreenRecord::IsShowLogoNoProgram); });

  const int driveTop = stayTop + 92;
  driveLabel_ = new QLabel(this);
  SetControlId(driveLabel_, IDC_LOGO_DRIVE_LABEL);
  driveLabel_->setGeometry(left, driveTop, 90, 26);
  drives_ = new DriveList(this);
  SetControlId(drives_, IDC_LOGO_DRIVES);
  drives_->setGeometry(left + 94, driveTop, 220, 26);
  usbWarning_ = new QLabel(this);
  SetControlId(usbWarning_, IDC_LOGO_USB_WARNING);
  usbWarning_->setGeometry(left, driveTop + 30, 400, 40);
  usbWarning_->setWordWrap(true);
  usbWarning_->setStyleSheet(QStringLiteral("QLabel { color: #c00000; }"));
  set_ = new QPushButton(this);
  SetControlId(set_, IDC_LOGO_SET);
  set_->setGeometry(left + 420, driveTop, 90, 30);
  set_->setAutoDefault(false);
  connect(set_, &QPushButton::clicked, this, [this] { OnSend(); });
  ShowUsbControls(false);
}

void CLogoSetDialog::ApplyLanguage() {
  using namespace lang_section;
  const QString logo = IDD_LOGOSET_DIALOG;
  static_cast<void>(SetDlgItemLangText(this, IDC_LOGO_WIDTH_LABEL, IDD_AREASET_DIALOG, 1001));
  static_cast<void>(SetDlgItemLangText(this, IDC_LOGO_HEIGHT_LABEL, IDD_AREASET_DIALOG, 1002));
  static_cast<void>(SetDlgItemLangText(this, IDC_LOGO_LIST_LABEL, logo, 1002));
  addPictures_->SetTipText(ReadLangText(logo, 1003), true);
  addText_->SetTipText(ReadLangText(logo, 1004), true);
  delete_->SetTipText(ReadLangText(IDD_BACK_DIALOG, 1004), true);
  BackButton().SetTipText(ReadLangText(PUBLIC, 1004), true);
  static_cast<void>(SetDlgItemLangText(this, IDC_LOGO_STAY_LABEL, IDD_FILE_DIALOG, 1002));
  static_cast<void>(SetDlgItemLangText(this, IDC_LOGO_DRIVE_LABEL, IDD_UPDATECPU_DIALOG, 1007));
  static_cast<void>(SetDlgItemLangText(this, IDC_LOGO_AT_START, logo, 1005));
  static_cast<void>(SetDlgItemLangText(this, IDC_LOGO_NO_PROGRAM, logo, 1006));
  static_cast<void>(SetDlgItemLangText(this, IDC_LOGO_USB_WARNING, logo, 1007));
  static_cast<void>(SetDlgItemLangText(this, IDC_LOGO_SET, IDD_BRIGHTNESS_DIALOG, 1002));
}

void CLogoSetDialog::ShowUsbControls(bool shown) {
  driveLabel_->setVisible(shown);
  drives_->setVisible(shown);
  usbWarning_->setVisible(shown);
}

// Opening ---------------------------------------------------------------------------

void CLogoSetDialog::LoadScreenLogo() {
  ReleaseLogoArea();  // an opening that was never closed
  screen_ = GetCurrentScreen();
  if (screen_ == nullptr) return;
  caption_ =
      FormatLangText(QStringLiteral("%s - %s"), {Text(1000), ReadBoundedText(screen_->LedName)});
  program_ = std::make_unique<ProgramRecord>();
  program_->CheckState = 1;
  area_ = std::make_unique<AreaRecord>();
  area_->OwnerProgram = program_.get();
  area_->OwnerScreen = screen_;
  area_->AreaType = kImageTextArea;
  area_->Kind = BorrowedPages{&screen_->LogoFiles};
  // The stored rectangle may lie outside a screen that has shrunk since: the rules of
  // the edits are applied once, sizes before positions.
  const auto clampInt = [](qint64 value) {
    return static_cast<int>(std::clamp<qint64>(value, 0, kLargestEditValue));
  };
  side_[kX] = clampInt(screen_->LogoLeft);
  side_[kY] = clampInt(screen_->LogoTop);
  side_[kWidth] = clampInt(qint64{screen_->LogoRight} - screen_->LogoLeft);
  side_[kHeight] = clampInt(qint64{screen_->LogoBottom} - screen_->LogoTop);
  area_->AreaRect_Left = side_[kX];
  area_->AreaRect_Top = side_[kY];
  for (Side side : {kWidth, kHeight, kX, kY}) static_cast<void>(CorrectSide(side));
  showAtStart_ = screen_->IsShowLogoStart;
  showWithoutProgram_ = screen_->IsShowLogoNoProgram;
  ShowUsbControls(screen_->SendType == kSendByUsbDisk);
  FillLogoList();
  WriteControls();
  savedCanvasList_ = CanvasAreaList;
  CanvasAreaList = {area_.get()};
  SendCanvas(kCanvasLogoOp, kCanvasEnterLogo);
  if (list_->count() > 0) {
    SelectLogo(0);
    OnSelchangeLogoList();
  }
  update();
}

void CLogoSetDialog::FillLogoList() {
  const QSignalBlocker blocker(list_);
  list_->FreeAllItemData();
  list_->ResetContent();
  for (const FileItem& logo : screen_->LogoFiles) {
    list_->AddString(ReadBoundedText(logo.FileName),
                     logo.AddType == kRichTextLogo ? kRichTextImage : kPictureImage);
  }
}

void CLogoSetDialog::ReadControls() {
  for (int side = 0; side < kSideCount; ++side) {
    side_[side] = sides_[side]->Value().value_or(side_[side]);
  }
  stayTime_ = stay_->Value().value_or(stayTime_);
  showAtStart_ = atStart_->isChecked() ? 1 : 0;
  showWithoutProgram_ = noProgram_->isChecked() ? 1 : 0;
}

void CLogoSetDialog::WriteControls() {
  for (int side = 0; side < kSideCount; ++side) sides_[side]->ShowValue(side_[side]);
  stay_->ShowValue(stayTime_);
  atStart_->setChecked(showAtStart_ != 0);
  noProgram_->setChecked(showWithoutProgram_ != 0);
}

// The rectangle ---------------------------------------------------------------------

bool CLogoSetDialog::CorrectSide(Side side) {
  const bool across = side == kX || side == kWidth;
  const int limit = across ? screen_->LedWidth : screen_->LedHeight;
  std::int32_t& start = across ? area_->AreaRect_Left : area_->AreaRect_Top;
  std::int32_t& end = across ? area_->AreaRect_Right : area_->AreaRect_Bottom;
  if (side == kX || side == kY) {
    int& position = side_[side];
    const int size = side_[side + 2];
    const int typed = position;
    if (position + size > limit) {
      position = std::max(limit - size, 0);
    } else if (position < 0) {
      position = 0;
    }
    start = position;
    end = position + size;
    return position != typed;
  }
  int& size = side_[side];
  const bool raised = size <= 0;
  if (raised) size = 1;
  if (start + size > limit) {
    const int newStart = std::max(limit - size, 0);
    if (limit - size < 0) size = limit;
    if (newStart != side_[side - 2]) {
      side_[side - 2] = newStart;
      start = newStart;
    }
  }
  end = start + size;
  return raised;
}

void CLogoSetDialog::OnSideEdited(Side side) {
  if (area_ == nullptr) return;
  ReadControls();
  const bool corrected = CorrectSide(side);
  WriteRectangle();
  if (corrected) sides_[side]->ShowSelected(side_[side]);
  if (side == kWidth || side == kHeight) {
    static_cast<void>(SetTimer(Handle(), kSizeTimerId, kSizeTimerMs));
  }
}

void CLogoSetDialog::OnSideStepped(Side side, int delta) {
  if (area_ == nullptr) return;
  side_[side] += delta;  // the up arrow raises
  const bool corrected = CorrectSide(side);
  WriteControls();
  if (corrected && (side == kX || side == kY)) sides_[side]->ShowSelected(side_[side]);
  if (side == kWidth || side == kHeight) {
    static_cast<void>(SetTimer(Handle(), kSizeTimerId, kSizeTimerMs));
  }
}

void CLogoSetDialog::WriteRectangle() {
  for (int side = 0; side < kSideCount; ++side) {
    if (sides_[side]->Value() != side_[side]) sides_[side]->ShowValue(side_[side]);
  }
}

// Stay time and flags ---------------------------------------------------------------

void CLogoSetDialog::OnStayEdited() {
  ReadControls();
  if (SelectedLogo() == nullptr) return;
  const int typed = stayTime_;
  stayTime_ = std::clamp(stayTime_, 1, kMaxStay);
  if (stayTime_ != typed) stay_->ShowValue(stayTime_);
  StoreStay();
}

void CLogoSetDialog::OnStayStepped(int delta) {
  if (SelectedLogo() == nullptr) return;
  stayTime_ = std::clamp(stayTime_ + delta, 1, kMaxStay);  // the up arrow raises
  WriteControls();
  StoreStay();
}

void CLogoSetDialog::StoreStay() {
  SelectedLogo()->DelayTime = stayTime_;
  SendMessage(Handle(), UM_RERENDER_ITEM, 1, 0);
}

void CLogoSetDialog::OnFlagClicked(QCheckBox* box, std::int32_t ScreenRecord::*flag) {
  ReadControls();
  // Without a selected logo the box's state only goes to the card with the next set.
  if (SelectedLogo() != nullptr) screen_->*flag = box->isChecked() ? 1 : 0;
}

// The list ----------------------------------------------------------------------------

FileItem* CLogoSetDialog::SelectedLogo() {
  const int row = list_->currentRow();
  if (screen_ == nullptr || row < 0 || row >= static_cast<int>(screen_->LogoFiles.size())) {
    return nullptr;
  }
  return &screen_->LogoFiles[static_cast<std::size_t>(row)];
}

void CLogoSetDialog::SelectLogo(int row) {
  const QSignalBlocker blocker(list_);
  list_->setCurrentRow(row);
}

void CLogoSetDialog::OnSelchangeLogoList() {
  const FileItem* logo = SelectedLogo();
  if (logo == nullptr) return;
  stayTime_ = logo->DelayTime;
  WriteControls();
  SendMessage(Handle(), UM_RERENDER_ITEM, 1, 0);
}

void CLogoSetDialog::OnAddPicture() {
  if (screen_ == nullptr) return;
  const QStringList files = choosePictures_(this);
  if (files.isEmpty()) return;
  SendCanvas(kCanvasLogoOp, kCanvasStopLogo);  // the list it plays grows
  for (const QString& path : files) {
    FileItem logo{};
    // A path too long for the record would name another file.
    if (!CopyBoundedText(logo.FileName, path)) continue;
    logo.AddType = kPictureLogo;
    logo.FileType = GetMediaKind(path);
    static_cast<void>(CopyBoundedText(logo.guid, NewGuidText()));
    logo.InSpeed = kNewLogoSpeed;
    logo.DelayTime = kNewLogoStay;
    screen_->LogoFiles.push_back(logo);
    list_->AddString(path, kPictureImage);
  }
  list_->setFocus();
  SelectLogo(list_->count() - 1);
  OnSelchangeLogoList();
}

void CLogoSetDialog::OnAddRtfLogo() {
  if (screen_ == nullptr) return;
  SendCanvas(kCanvasLogoOp, kCanvasStopLogo);  // the list it plays grows
  FileItem logo{};
  logo.AddType = kRichTextLogo;
  logo.FileType = kRichTextFileType;
  const QString name =
      FormatLangText(QStringLiteral("Logo %d"), {QString::number(screen_->LogoFiles.size() + 1)});
  static_cast<void>(CopyBoundedText(logo.FileName, name));
  static_cast<void>(CopyBoundedText(logo.guid, NewGuidText()));
  logo.InSpeed = kNewLogoSpeed;
  logo.DelayTime = kNewLogoStay;
  screen_->LogoFiles.push_back(logo);
  // The new logo starts as its own name in red 12-point text.
  if (!WriteNewRichText(RtfFileOf(logo), name, kCharFace | kCharSize | kCharColor)) {
    qWarning("The text file of the new logo %s could not be written", qPrintable(name));
  }
  list_->AddString(name, kRichTextImage);
  list_->setFocus();
  SelectLogo(list_->count() - 1);
  OnSelchangeLogoList();
  OnEditLogo();
}

void CLogoSetDialog::OnEditLogo() {
  FileItem* logo = SelectedLogo();
  if (logo == nullptr || logo->AddType == kPictureLogo || !RunRtfEditor) return;
  const int row = list_->currentRow();
  RtfEditRequest request;
  request.rtfPath = RtfFileOf(*logo);
  request.width = std::max(area_->AreaRect_Right - area_->AreaRect_Left, 1);
  request.height = std::max(area_->AreaRect_Bottom - area_->AreaRect_Top, 1);
  request.item = logo;
  request.owner = Handle();
  request.parent = this;
  RunRtfEditor(request);
  list_->ReplaceString(row, ReadBoundedText(logo->FileName));
  SelectLogo(row);
}

void CLogoSetDialog::OnDeleteLogo() {
  const FileItem* logo = SelectedLogo();
  if (logo == nullptr) return;
  const int row = list_->currentRow();
  SendCanvas(kCanvasLogoOp, kCanvasStopLogo);
  // The GUID text comes from a file: only one names the logo's own files.
  if (logo->AddType == kRichTextLogo && IsGuidText(GuidOf(*logo))) {
    RemoveIfPresent(RtfFileOf(*logo));
    RemoveIfPresent(PakFramePath(GuidOf(*logo)));
  }
  screen_->LogoFiles.erase(screen_->LogoFiles.begin() + row);
  {
    const QSignalBlocker blocker(list_);
    list_->DeleteString(row);
  }
  if (row > 0) {
    SelectLogo(row - 1);
  } else if (list_->count() > 0) {
    SelectLogo(0);
  }
  OnSelchangeLogoList();
}

// Rendering and the canvas ----------------------------------------------------------

void CLogoSetDialog::SendCanvas(WPARAM operation, LPARAM argument) {
  SendMessage(PreviewCanvasWindow, UM_CANVAS_COMMAND, operation, argument);
}

void CLogoSetDialog::RerenderSelected(bool onlyWhenStale) {
  FileItem* logo = SelectedLogo();
  if (logo == nullptr || area_ == nullptr) return;
  const ContentSize size{std::max(area_->AreaRect_Right - area_->AreaRect_Left, 1),
                         std::max(area_->AreaRect_Bottom - area_->AreaRect_Top, 1)};
  if (logo->AddType == kRichTextLogo) {
    SendCanvas(kCanvasLogoOp, kCanvasStopLogo);  // its frame file is written anew
    static_cast<void>(
        RerenderPage(*logo, size, onlyWhenStale ? RerenderWhen::kOutdated : RerenderWhen::kAlways));
  }
  SendCanvas(kCanvasLogoOp, list_->currentRow());
}

LRESULT CLogoSetDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case UM_LOAD_SELECTION:
      if (area_ != nullptr) {
        side_[kX] = area_->AreaRect_Left;
        side_[kY] = area_->AreaRect_Top;
        side_[kWidth] = area_->AreaRect_Right - area_->AreaRect_Left;
        side_[kHeight] = area_->AreaRect_Bottom - area_->AreaRect_Top;
        WriteControls();
      }
      return 0;
    case UM_RERENDER_ITEM:
      // A size timer or canvas message after the pane hid finds no logo area.
      if (area_ != nullptr) RerenderSelected(wParam == 1);
      return 0;
    case WM_TIMER:
      if (wParam == kDriveTimerId) drives_->RefreshIfChanged();
      if (wParam == kSizeTimerId) {
        static_cast<void>(KillTimer(Handle(), kSizeTimerId));
        SendMessage(Handle(), UM_RERENDER_ITEM, 1, 0);
      }
      return 0;
    default: return TaskPane::WindowProc(msg, wParam, lParam);
  }
}

// Setting the card ------------------------------------------------------------------

void CLogoSetDialog::OnSend() {
  if (area_ == nullptr) return;
  ScreenSendJob job{screen_, {ProgramSendItem{program_.get(), {area_.get()}}}};
  // With one program of one area only an empty logo list can fail the check.
  if (CheckSendJob && CheckSendJob(job) == -2) {
    ask_(Text(1001), kStyleError);
    return;
  }
  LedAllSettingInfo settings{};
  CommInfo link = CardLinkOf(*screen_);
  const bool usb = screen_->SendType == kSendByUsbDisk;
  if (usb) {
    const QString root = drives_->SelectedRoot();
    if (root.isEmpty()) {
      ask_(ReadLangText(lang_section::IDD_UPDATECPU_DIALOG, 1008), kStyleInformation);
      return;
    }
    Report(kUsbCodes.started, 0);
    settings.SectionMask = kBasicSection | kLogoSection;
    settings.Width = screen_->LedWidth;
    settings.Height = screen_->LedHeight;
    settings.ColorType = screen_->LedColor + 1;
    link.SendType = KQ_SEND_USB;
    // A root cut to fit would name another folder.
    if (!CopyBoundedText(link.UsbRoot, root)) {
      Report(kUsbCodes.failed, KQ_ERR_USB_FOLDER);
      return;
    }
  } else {
    settings.SectionMask = kLogoSection;
    Report(kCardCodes.started, 0);
  }
  settings.LogoFlagA = showAtStart_;
  settings.LogoFlagB = showWithoutProgram_;
  SendLogo(job, link, settings, usb);
}

void CLogoSetDialog::SendLogo(ScreenSendJob& job, CommInfo& link, LedAllSettingInfo& settings,
                              bool usb) {
  const SetCodes& codes = usb ? kUsbCodes : kCardCodes;
  std::int32_t result = KQ_OK;
  {
    // The calls dispatch messages: the whole pane is disabled, so that nothing frees
    // the logo area or changes the logos while they are sent.
    const DeviceCallScope scope(this);
    static_cast<void>(KQ_SetLedAllSettingInfo(&link, &settings, &result, 1, 0));
    if (result == KQ_OK) {
      // Every rich-text logo goes out at the rectangle's size, not only the selected
      // one: frame files rendered at another size would be refused, missing ones left out.
      SendCanvas(kCanvasLogoOp, kCanvasStopLogo);
      const ContentSize size = AreaContentSize(*area_);
      for (FileItem& logo : screen_->LogoFiles) {
        if (logo.AddType == kRichTextLogo) {
          static_cast<void>(RerenderPage(logo, size, RerenderWhen::kOutdated));
        }
      }
      ProgramHandle set = BuildJobProgram ? BuildJobProgram(job, kBootLogoMode) : nullptr;
      result = set != nullptr ? KQ_Send(&link, set) : KQ_ERR_BAD_HANDLE;
      if (set != nullptr) static_cast<void>(KQ_DeleteProgram(set));
      SendCanvas(kCanvasLogoOp, list_->currentRow());
    }
  }
  Report(result == KQ_OK ? codes.done : codes.failed, result);
}

// Lifecycle -------------------------------------------------------------------------

void CLogoSetDialog::ReleaseLogoArea() {
  if (area_ == nullptr) return;
  screen_->LogoLeft = area_->AreaRect_Left;
  screen_->LogoTop = area_->AreaRect_Top;
  screen_->LogoRight = area_->AreaRect_Right;
  screen_->LogoBottom = area_->AreaRect_Bottom;
  // The area borrows the screen's logo list: freeing it leaves the list alone.
  area_.reset();
  program_.reset();
  CanvasAreaList = std::move(savedCanvasList_);
  savedCanvasList_.clear();
  static_cast<void>(KillTimer(Handle(), kDriveTimerId));
  static_cast<void>(KillTimer(Handle(), kSizeTimerId));
  SendCanvas(kCanvasLeaveLogoOp, 0);
}

void CLogoSetDialog::showEvent(QShowEvent* event) {
  TaskPane::showEvent(event);
  if (area_ != nullptr && screen_->SendType == kSendByUsbDisk) {
    static_cast<void>(SetTimer(Handle(), kDriveTimerId, kDriveTimerMs));
  }
}

void CLogoSetDialog::hideEvent(QHideEvent* event) {
  TaskPane::hideEvent(event);
  // Only the pane's own hiding closes the logo work, not the main window's.
  if (isHidden()) ReleaseLogoArea();
}

void CLogoSetDialog::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), Qt::white);
  DrawPanelFrame(QString(), true, true, painter, kPanel);
  DrawCaptionBand(
      this, caption_,
      QIcon(QPixmap::fromImage(PaintDeviceIcon(DeviceIcon::BootLogo, kCaptionIconSize))), painter);
}

void CLogoSetDialog::keyPressEvent(QKeyEvent* event) {
  // Enter and Esc do nothing in the pane.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter ||
      event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  TaskPane::keyPressEvent(event);
}
