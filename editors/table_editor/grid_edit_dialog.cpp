#include "editors/table_editor/grid_edit_dialog.h"

#include <QComboBox>
#include <QEvent>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <algorithm>

#include "controls/buttons/button_qx.h"
#include "controls/color/color_picker.h"
#include "controls/dialogs/style_message_dialog.h"
#include "controls/grid/table/grid_table_file.h"
#include "controls/grid/widget/grid_ctrl.h"
#include "controls/shell/artwork.h"
#include "controls/shell/program_messages.h"
#include "controls/shell/table_edit_ids.h"
#include "controls/shell/table_editor_opener.h"
#include "controls/support/digit_spin_edit.h"
#include "editors/flash_words/flash_word_style.h"
#include "editors/table_editor/new_grid_dialog.h"
#include "editors/table_editor/table_edit_art.h"
#include "editors/table_editor/table_shapes.h"
#include "model/common/bounded_text.h"
#include "model/painting/painting_helpers.h"
#include "model/project/area_items.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"

namespace {

// Control ids.
constexpr int kNameId = 1421;
constexpr int kFaceId = 1424;
constexpr int kSizeId = 1425;
constexpr int kLineWidthId = 1052;
constexpr int kRowHeightId = 1006;
constexpr int kRowHeightSpinId = 1081;
constexpr int kColumnWidthId = 1007;
constexpr int kColumnWidthSpinId = 1082;
constexpr int kToggleIds[] = {1355, 1356, 1357, 1358, 1359, 1360, 1361, 1362};
constexpr int kPickerIds[] = {1422, 1178, 1179};

// Text numbers (IDD_GRIDEDIT_DIALOG): the caption, the labels by control id, the
// tooltips by control id and the toolbar's texts.
constexpr int kCaptionText = 1000;
constexpr int kLabelTexts[][2] = {{1420, 1001}, {1423, 1002}, {1326, 1003},
                                  {1327, 1004}, {1323, 1005}, {1324, 1006}};
constexpr int kTipTexts[][2] = {{1355, 1007}, {1356, 1008}, {1357, 1009}, {1422, 1010},
                                {1178, 1011}, {1358, 1012}, {1359, 1013}, {1360, 1014},
                                {1361, 1015}, {1362, 1016}};
constexpr int kFirstToolText = 1017;
constexpr int kToolTipMax = 80;

const QString kFirstFace = QStringLiteral(u"宋体");
constexpr ColorRef kFirstTextColor = 255;
constexpr ColorRef kToggleFace = 0xF7E6C6;

// Geometry, in pixels.
constexpr QSize kBodySize(710, 495);
const QRect kGridRect(QPoint(5, 115), QPoint(704, 489));  // (5, 115)-(705, 490), edges out
constexpr int kToolImage = 24;
constexpr int kToolButtonMin = 56;
constexpr int kRow1 = 54;
constexpr int kRow2 = 84;
constexpr int kRowHeight = 26;

// The toolbar's images, in its button order.
QImage ToolImage(int button) {
  switch (button) {
    case 0: return PaintArt(Art::NewFile, kToolImage, true);
    case 1: return PaintArt(Art::OpenFile, kToolImage, true);
    case 2: return PaintArt(Art::SaveFileAs, kToolImage, true);
    default: return PaintTableArt(TableArt(button - 3), kToolImage, true);
  }
}

template <typename Control>
Control* Make(QWidget& body, int id, const QRect& place) {
  auto* control = new Control(&body);
  SetControlId(control, id);
  control->setGeometry(place);
  return control;
}

QComboBox* MakeCombo(QWidget& body, int id, const QRect& place) {
  auto* combo = Make<QComboBox>(body, id, place);
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  return combo;
}

TableEditHooks WithDefaults(TableEditHooks hooks, QWidget* dialog) {
  if (!hooks.ask) {
    hooks.ask = [](const QString& text, int style) { return ShowStyleMessage(text, style); };
  }
  if (!hooks.chooseOpenFile) {
    hooks.chooseOpenFile = [dialog](const QString& filter) {
      return QFileDialog::getOpenFileName(dialog, QString(), QString(), filter);
    };
  }
  if (!hooks.chooseSaveFile) {
    hooks.chooseSaveFile = [dialog](const QString& filter) {
      return QFileDialog::getSaveFileName(dialog, QString(), QString(), filter);
    };
  }
  if (!hooks.askNewTableSize) {
    hooks.askNewTableSize = [dialog]() -> std::optional<std::pair<int, int>> {
      CNewGridDialog ask(dialog);
      if (ask.exec() != QDialog::Accepted) return std::nullopt;
      return std::pair(ask.Rows(), ask.Columns());
    };
  }
  return hooks;
}

}  // namespace

CGridEditDialog::CGridEditDialog(QString tablePath, FileItem& item, int width, int height,
                                 HWND owner, QWidget* parent, TableEditHooks hooks)
    : QDialog(parent),
      tablePath_(std::move(tablePath)),
      item_(item),
      width_(std::max(width, 1)),
      height_(std::max(height, 1)),
      owner_(owner),
      hooks_(WithDefaults(std::move(hooks), this)) {
  setModal(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSizeConstraint(QLayout::SetFixedSize);
  auto* body = new QWidget(this);
  body->setFixedSize(kBodySize);
  layout->addWidget(body);
  CreateToolBar(*body);
  CreateFormatControls(*body);
  CreateSizeControls(*body);
  grid_ = new CGridCtrl(body);
  static_cast<void>(grid_->Create(kGridRect, body));
  grid_->SetEditable(true);
  grid_->viewport()->installEventFilter(this);
  grid_->installEventFilter(this);
  ApplyLanguage();
  Open();
}

void CGridEditDialog::CreateToolBar(QWidget& body) {
  toolbar_.CreateImageList(QSize(kToolImage, kToolImage));
  for (int button = 0; button < 10; ++button) {
    static_cast<void>(toolbar_.AddBitmap(ToolImage(button)));
  }
  if (toolbar_.CreateBar(&body, QMargins(), IDR_GRIDEDIT_TOOLBAR, kToolButtonMin, kToolImage) ==
      0) {
    return;
  }
  toolbar_.setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  for (QAction* action : toolbar_.actions()) {
    if (action->isSeparator()) continue;
    QWidget* button = toolbar_.widgetForAction(action);
    button->setMinimumWidth(kToolButtonMin);
  }
}

void CGridEditDialog::CreateFormatControls(QWidget& body) {
  Make<QLabel>(body, 1420, QRect(5, kRow1 + 3, 70, 20));
  name_ = Make<QLineEdit>(body, kNameId, QRect(78, kRow1, 130, kRowHeight));
  name_->setMaxLength(kNameLimit);
  connect(name_, &QLineEdit::textEdited, this, [this](const QString& text) {
    static_cast<void>(CopyBoundedText(item_.FileName, text));
  });
  Make<QLabel>(body, 1423, QRect(212, kRow1 + 3, 46, 20));
  face_ = MakeCombo(body, kFaceId, QRect(258, kRow1, 150, kRowHeight));
  AddFontNames(face_);
  connect(face_, &QComboBox::textActivated, this, [this](const QString& face) { OnFace(face); });
  size_ = MakeCombo(body, kSizeId, QRect(412, kRow1, 58, kRowHeight));
  FillFlashSizeList(*size_);
  connect(size_, &QComboBox::textActivated, this, [this](const QString& t) { OnSizeText(t); });
  connect(size_->lineEdit(), &QLineEdit::textEdited, this,
          [this](const QString& t) { OnSizeText(t); });

  const QString effectCaptions[] = {QStringLiteral("B"), QStringLiteral("I"), QStringLiteral("U")};
  constexpr TableArt kAlignArt[] = {TableArt::AlignLeft, TableArt::AlignCentre,
                                    TableArt::AlignRight, TableArt::AlignTop,
                                    TableArt::AlignMiddle};
  for (int toggle = 0; toggle < kToggleCount; ++toggle) {
    const bool effect = toggle <= kUnderline;
    const QRect place = effect ? QRect(476 + 28 * toggle, kRow1, kRowHeight, kRowHeight)
                               : QRect(5 + 28 * (toggle - kLeft) + (toggle >= kTop ? 8 : 0), kRow2,
                                       kRowHeight, kRowHeight);
    auto* button = Make<CButtonQx>(body, kToggleIds[toggle], place);
    button->SetButtonStyle(2);  // a check box
    button->setAutoDefault(false);
    button->SetNormalBackground(kToggleFace);
    button->CreateTooltip();
    if (effect) {
      QFont look = button->font();
      look.setBold(toggle == kBold);
      look.setItalic(toggle == kItalic);
      look.setUnderline(toggle == kUnderline);
      button->setFont(look);
      button->setText(effectCaptions[toggle]);
      connect(button, &CButtonQx::clicked, this, [this, toggle] { OnEffect(Toggle(toggle)); });
    } else {
      static_cast<void>(
          button->SetIcon(QPixmap::fromImage(PaintTableArt(kAlignArt[toggle - kLeft], 16))));
      connect(button, &CButtonQx::clicked, this, [this, toggle] { OnAlign(Toggle(toggle)); });
    }
    toggles_[toggle] = button;
  }
  const QRect pickerPlaces[] = {QRect(566, kRow1, 48, kRowHeight),
                                QRect(620, kRow1, 48, kRowHeight),
                                QRect(556, kRow2, 44, kRowHeight)};
  for (int picker = 0; picker < kPickerCount; ++picker) {
    pickers_[picker] = Make<CColorPicker>(body, kPickerIds[picker], pickerPlaces[picker]);
  }
}

void CGridEditDialog::CreateSizeControls(QWidget& body) {
  Make<QLabel>(body, 1326, QRect(156, kRow2 + 3, 74, 20));
  rowHeight_ = new DigitSpinEdit(5, kSizeLimit, &body);
  rowHeight_->SetIds(kRowHeightId, kRowHeightSpinId);
  rowHeight_->setGeometry(230, kRow2, 62, 24);
  Make<QLabel>(body, 1327, QRect(298, kRow2 + 3, 88, 20));
  columnWidth_ = new DigitSpinEdit(5, kSizeLimit, &body);
  columnWidth_->SetIds(kColumnWidthId, kColumnWidthSpinId);
  columnWidth_->setGeometry(386, kRow2, 62, 24);
  const auto wire = [](DigitSpinEdit& edit, auto apply) {
    edit.onEdited = [&edit, apply] {
      if (const std::optional<int> value = edit.Value()) apply(*value);
    };
    edit.onStepped = [&edit, apply](int delta) {
      const int value = std::clamp(edit.Value().value_or(0) + delta, 1, kSizeLimit);
      edit.ShowValue(value);
      apply(value);
    };
  };
  wire(*rowHeight_, [this](int height) { OnRowHeight(height); });
  wire(*columnWidth_, [this](int width) { OnColumnWidth(width); });
  Make<QLabel>(body, 1323, QRect(454, kRow2 + 3, 100, 20));
  Make<QLabel>(body, 1324, QRect(606, kRow2 + 3, 62, 20));
  lineWidth_ = Make<QComboBox>(body, kLineWidthId, QRect(668, kRow2, 37, kRowHeight));
  lineWidth_->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
}

void CGridEditDialog::Open() {
  name_->setText(ReadBoundedText(item_.FileName).left(kNameLimit));
  ShowColor(kLineColor, item_.LineColor);
  grid_->SetGridLineColor(item_.LineColor);
  face_->setEditText(kFirstFace);
  size_->setCurrentIndex(0);
  ShowColor(kTextColor, kFirstTextColor);
  ShowColor(kBackColor, 0);
  toggles_[kLeft]->SetCheck(1);
  if (!LoadTable(tablePath_)) static_cast<void>(LoadTableFile(*grid_, QString()));
  grid_->Refresh();
}

void CGridEditDialog::ApplyLanguage() {
  const QString section = lang_section::IDD_GRIDEDIT_DIALOG;
  setWindowTitle(ReadLangText(section, kCaptionText));
  for (const auto& [id, text] : kLabelTexts)
    static_cast<void>(SetDlgItemLangText(this, id, section, text));
  for (const auto& [id, text] : kTipTexts) {
    QWidget* control = FindControl(this, id);
    if (auto* button = dynamic_cast<CButtonQx*>(control)) {
      button->SetTipText(ReadLangText(section, text), true);
    } else if (control != nullptr) {
      control->setToolTip(ReadLangText(section, text));
    }
  }
  int button = 0;
  for (QAction* action : toolbar_.actions()) {
    if (action->isSeparator()) continue;
    const QString text = ReadLangText(section, kFirstToolText + button++);
    action->setText(text);
    action->setToolTip(text.left(kToolTipMax));
  }
  // The dialog and its grid widen when a translation's toolbar texts need more room.
  const int width = toolbar_.FitParentToTexts(kBodySize.width());
  grid_->resize(kGridRect.width() + width - kBodySize.width(), grid_->height());
}

LRESULT CGridEditDialog::WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_COMMAND) {
    OnCommand(wParam);
    return 0;
  }
  return MessageWindow::WindowProc(msg, wParam, lParam);
}

void CGridEditDialog::OnCommand(WPARAM command) {
  for (int picker = 0; picker < kPickerCount; ++picker) {
    if (command != static_cast<WPARAM>(kPickerIds[picker])) continue;
    if (pendingEchoes_[picker] > 0) {
      --pendingEchoes_[picker];
    } else {
      OnColor(Picker(picker));
    }
    return;
  }
  switch (command) {
    case ID_GRID_NEW: OnNew(); break;
    case ID_GRID_OPEN: OnOpen(); break;
    case ID_GRID_SAVE_AS: OnSaveAs(); break;
    case ID_GRID_INSERT_ROW: OnInsert(true); break;
    case ID_GRID_INSERT_COLUMN: OnInsert(false); break;
    case ID_GRID_DELETE_ROWS: OnDelete(true); break;
    case ID_GRID_DELETE_COLUMNS: OnDelete(false); break;
    case ID_GRID_MERGE: OnMerge(); break;
    case ID_GRID_SPLIT: OnSplit(); break;
    case ID_GRID_APPLY: OnApply(); break;
    default: break;
  }
}

bool CGridEditDialog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonRelease && watched == grid_->viewport() &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    ShowFocusedCell();
  } else if (event->type() == QEvent::KeyRelease &&
             IsNavigationKey(VirtualKeyOf(static_cast<QKeyEvent*>(event)->key()))) {
    ShowFocusedCell();
  }
  return QDialog::eventFilter(watched, event);
}

void CGridEditDialog::OnInsert(bool row) {
  const CCellID focus = grid_->GetFocusCell();
  if (!grid_->IsValid(focus)) return;
  const bool inserted = row ? InsertBodyRow(*grid_, std::max(focus.row, 1))
                            : InsertBodyColumn(*grid_, std::max(focus.col, 1));
  if (inserted) SaveAndReload();
  grid_->Refresh();
}

void CGridEditDialog::OnDelete(bool rows) {
  const CCellBlock range = grid_->GetSelectionBounds();
  if (!IsCellRangeValid(range)) return;
  const bool deleted = rows ? DeleteBodyRows(*grid_, range.minRow, range.maxRow)
                            : DeleteBodyColumns(*grid_, range.minCol, range.maxCol);
  if (deleted) SaveAndReload();
  grid_->Refresh();
}

void CGridEditDialog::OnMerge() {
  const CCellBlock range = grid_->GetSelectionBounds();
  if (!IsCellRangeValid(range)) return;
  // The headers are never part of a block.
  static_cast<void>(grid_->MergeCells(std::max(range.minRow, 1), std::max(range.minCol, 1),
                                      range.maxRow, range.maxCol));
  grid_->Refresh();
}

void CGridEditDialog::OnSplit() {
  grid_->UnmergeSelection();
  grid_->Refresh();
}

void CGridEditDialog::OnFace(const QString& face) {
  ChangeSelectedFonts(*grid_, [&face](LogFontW& font) { SetLogFontFaceName(font, face); });
}

void CGridEditDialog::OnSizeText(const QString& text) {
  const int height = FontHeightOfSize(ParseFlashSize(text));
  ChangeSelectedFonts(*grid_, [height](LogFontW& font) { font.lfHeight = height; });
}

void CGridEditDialog::OnEffect(Toggle toggle) {
  const bool on = toggles_[toggle]->GetCheck() != 0;
  ChangeSelectedFonts(*grid_, [toggle, on](LogFontW& font) {
    switch (toggle) {
      case kBold: font.lfWeight = on ? 700 : 400; break;
      case kItalic: font.lfItalic = on ? 1 : 0; break;
      default: font.lfUnderline = on ? 1 : 0; break;
    }
  });
}

void CGridEditDialog::OnAlign(Toggle toggle) {
  const bool horizontal = toggle <= kRight;
  const int first = horizontal ? kLeft : kTop;
  const int last = horizontal ? kRight : kMiddle;
  for (int other = first; other <= last; ++other) toggles_[other]->SetCheck(other == toggle);
  ForEachSelectedCell(*grid_, [toggle, horizontal](CGridCellBase& cell) {
    std::uint32_t format = cell.GetFormat();
    if (horizontal) {
      format &= ~(kFormatCentre | kFormatRight);
      if (toggle == kCentre) format |= kFormatCentre;
      if (toggle == kRight) format |= kFormatRight;
    } else {
      format = toggle == kMiddle ? format | kFormatMiddle : format & ~kFormatMiddle;
    }
    cell.SetFormat(format);
  });
}

void CGridEditDialog::OnColor(Picker picker) {
  const ColorRef color = pickers_[picker]->GetColor();
  switch (picker) {
    case kLineColor:
      item_.LineColor = color;
      grid_->SetGridLineColor(color);
      grid_->Refresh();
      break;
    case kTextColor:
      ForEachSelectedCell(*grid_, [color](CGridCellBase& cell) { cell.SetTextColor(color); });
      break;
    default:
      ForEachSelectedCell(*grid_, [color](CGridCellBase& cell) { cell.SetBackColor(color); });
      break;
  }
}

void CGridEditDialog::OnRowHeight(int height) {
  const CCellBlock range = grid_->GetSelectionBounds();
  if (!IsCellRangeValid(range)) return;
  for (int row = range.minRow; row <= range.maxRow; ++row) {
    static_cast<void>(grid_->SetRowHeight(row, std::clamp(height, 1, kSizeLimit)));
  }
  grid_->UpdateScrollBars();
  grid_->Refresh();
}

void CGridEditDialog::OnColumnWidth(int width) {
  const CCellBlock range = grid_->GetSelectionBounds();
  if (!IsCellRangeValid(range)) return;
  for (int col = range.minCol; col <= range.maxCol; ++col) {
    static_cast<void>(grid_->SetColumnWidth(col, std::clamp(width, 1, kSizeLimit)));
  }
  grid_->UpdateScrollBars();
  grid_->Refresh();
}

void CGridEditDialog::ShowColor(Picker picker, ColorRef color) {
  ++pendingEchoes_[picker];
  pickers_[picker]->SetColor(color);
}

void CGridEditDialog::ShowAlignment(std::uint32_t format) {
  const Toggle horizontal =
      (format & kFormatCentre) != 0 ? kCentre : ((format & kFormatRight) != 0 ? kRight : kLeft);
  for (int toggle = kLeft; toggle <= kRight; ++toggle) {
    toggles_[toggle]->SetCheck(toggle == horizontal);
  }
  toggles_[kTop]->SetCheck((format & kFormatMiddle) == 0);
  toggles_[kMiddle]->SetCheck((format & kFormatMiddle) != 0);
}

void CGridEditDialog::ShowFocusedCell() {
  const CCellID focus = grid_->GetFocusCell();
  const CGridCellBase* cell = grid_->GetCell(focus.row, focus.col);
  if (cell == nullptr) return;
  const LogFontW font = cell->GetFont() != nullptr ? *cell->GetFont() : LogFontW{};
  face_->setEditText(LogFontFaceName(font));
  size_->setEditText(QString::number(FontSizeOfHeight(font.lfHeight)));
  toggles_[kBold]->SetCheck(font.lfWeight > 400);
  toggles_[kItalic]->SetCheck(font.lfItalic != 0);
  toggles_[kUnderline]->SetCheck(font.lfUnderline != 0);
  ShowAlignment(cell->GetFormat());
  ShowColor(kTextColor, cell->GetTextColor());
  ShowColor(kBackColor, cell->GetBackColor());
  rowHeight_->ShowValue(grid_->GetRowHeight(focus.row));
  columnWidth_->ShowValue(grid_->GetColumnWidth(focus.col));
}

void RunGridEditDialog(const TableEditRequest& request) {
  if (request.item == nullptr) return;
  CGridEditDialog dialog(request.tablePath, *request.item, request.width, request.height,
                         request.owner, request.parent);
  dialog.exec();
}
