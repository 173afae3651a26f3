#include "controls/grid/model/grid_cell.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPolygon>

#include <algorithm>

#include "controls/grid/model/grid_model.h"
#include "controls/support/draw_text.h"
#include "controls/support/image_list.h"
#include "controls/support/sys_color.h"

namespace {

// Escapements at which text runs vertically.
bool IsVertical(const LogFontW* font) {
  return font != nullptr && (font->lfEscapement == 900 || font->lfEscapement == -900);
}

QColor ToQColor(ColorRef color) { return QColor::fromRgb(ColorRefToQRgb(color)); }

void Fill(QPainter& painter, const PixelRect& rect, ColorRef color) {
  if (!rect.IsEmpty()) painter.fillRect(rect.ToQRect(), ToQColor(color));
}

// GDI's MoveTo/LineTo for a horizontal or vertical line: the end point is left out.
void LineTo(QPainter& painter, int x1, int y1, int x2, int y2, ColorRef color) {
  PixelRect line;
  if (y1 == y2) {
    line = x2 >= x1 ? PixelRect{x1, y1, x2, y1 + 1} : PixelRect{x2 + 1, y1, x1 + 1, y1 + 1};
  } else {
    line = y2 >= y1 ? PixelRect{x1, y1, x1 + 1, y2} : PixelRect{x1, y2 + 1, x1 + 1, y1 + 1};
  }
  Fill(painter, line, color);
}

// FrameRect: a one-pixel frame along the inside of the rectangle.
void Frame(QPainter& painter, const PixelRect& r, ColorRef color) {
  if (r.IsEmpty()) return;
  Fill(painter, {r.left, r.top, r.right, r.top + 1}, color);
  Fill(painter, {r.left, r.bottom - 1, r.right, r.bottom}, color);
  Fill(painter, {r.left, r.top, r.left + 1, r.bottom}, color);
  Fill(painter, {r.right - 1, r.top, r.right, r.bottom}, color);
}

// DrawEdge's raised look along the inside of a fixed cell: light top and left, dark
// right and bottom.
void RaisedEdge(QPainter& painter, const PixelRect& rect) {
  const ColorRef light = SysColor(COLOR_3DHILIGHT);
  const ColorRef dark = SysColor(COLOR_3DDKSHADOW);
  LineTo(painter, rect.right, rect.top, rect.left, rect.top, light);
  LineTo(painter, rect.left, rect.top, rect.left, rect.bottom, light);
  LineTo(painter, rect.right, rect.top, rect.right, rect.bottom, dark);
  LineTo(painter, rect.right, rect.bottom, rect.left, rect.bottom, dark);
}

// The text colour a two-colour printer gets for a cell without fill: each channel
// weighted as for a grey level, truncated.
ColorRef TwoColorText(ColorRef color) {
  return MakeColorRef(static_cast<int>(ColorRefRed(color) * 0.30),
                      static_cast<int>(ColorRefGreen(color) * 0.59),
                      static_cast<int>(ColorRefBlue(color) * 0.11));
}

bool g_screenContextForTest = true;

bool HasScreenContext() {
  return g_screenContextForTest &&
         qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr;
}

}  // namespace

// ---------------------------------------------------------------- CGridCellBase

CGridDefaultCell* CGridCellBase::GetDefaultCell() const {
  GridModel* grid = GetGrid();
  if (grid == nullptr) return nullptr;
  return grid->GetDefaultCell(IsFixedRow(), IsFixedCol());
}

void CGridCellBase::ResetBase() {
  state_ = 0;
  mergeRange_ = CCellBlock();
  mergedIntoOther_ = false;
  mergeOrigin_ = CCellID();
  inMergedBlock_ = false;
}

void CGridCellBase::Reset() { ResetBase(); }

bool CGridCellBase::SetMergeOrigin(int row, int col) {
  mergeOrigin_ = CCellID(row, col);
  mergedIntoOther_ = row != -1;
  return mergedIntoOther_;
}

void CGridCellBase::CopyFrom(const CGridCellBase& source) {
  if (&source == this) return;
  SetGrid(source.GetGrid());
  SetText(source.GetText());
  SetImage(source.GetImage());
  SetData(source.GetData());
  SetState(source.GetState());
  SetFormat(source.GetFormat());
  SetTextColor(source.GetTextColor());
  SetBackColor(source.GetBackColor());
  SetFont(source.IsDefaultFont() ? nullptr : source.GetFont());
  SetMargin(source.GetMargin());
  const CCellID origin = source.GetMergeOrigin();
  SetMergeOrigin(origin.row, origin.col);
  mergeRange_ = source.GetMergeRange();
  inMergedBlock_ = !source.IsNotMerged();
}

void CGridCellBase::EndEdit() {
  QObject* editor = GetEditWnd();
  if (editor != nullptr && GetGrid() != nullptr) GetGrid()->EndCellEditor(editor);
}

void CGridCellBase::OnEndEdit() { SetEditing(false, nullptr); }

bool CGridCellBase::Draw(QPainter* painter, int row, int col, PixelRect rect, bool erase) {
  // A member of a merged block draws nothing: its origin draws the block.
  if (!IsNotMerged() && !mergeRange_.SpansCells()) return true;
  GridModel* grid = GetGrid();
  if (grid == nullptr || painter == nullptr || rect.Width() == 0 || rect.Height() == 0) {
    return false;
  }
  painter->save();
  const CGridDefaultCell* defaultCell = GetDefaultCell();
  if (defaultCell == nullptr) {
    painter->restore();
    return false;
  }
  ColorRef textColor =
      GetTextColor() == kDefaultColor ? defaultCell->GetTextColor() : GetTextColor();
  ColorRef backColor = GetBackColor();
  if (backColor == kDefaultColor) {
    backColor = defaultCell->GetBackColor();
  } else {
    erase = true;  // an own back colour is always filled
  }

  if (!IsFocused() && !IsDropHighlighted()) {
    if (IsSelected()) {
      Fill(*painter, {rect.left, rect.top, rect.right + 1, rect.bottom + 1},
           SysColor(COLOR_HIGHLIGHT));
      textColor = SysColor(COLOR_HIGHLIGHTTEXT);
    } else if (erase) {
      Fill(*painter, rect, backColor);
    }
  } else {
    if (IsSelected()) {
      backColor = SysColor(COLOR_HIGHLIGHT);
      textColor = SysColor(COLOR_HIGHLIGHTTEXT);
      erase = true;
    }
    ++rect.right;
    ++rect.bottom;
    if (erase) Fill(*painter, rect, backColor);
    const bool lines = grid->GetGridLines() != GVL_NONE;
    if (lines) {
      --rect.right;
      --rect.bottom;
    }
    if (grid->GetFrameFocusCell()) Frame(*painter, rect, textColor);
    if (!lines) {
      --rect.right;
      --rect.bottom;
    }
    ++rect.top;
    --rect.right;
    --rect.bottom;
  }

  if (IsFixed() && grid->GetGridLines() != GVL_NONE) DrawFixedEdge(*painter, rect, row, col);

  painter->setFont(GetFontObject());
  const int margin = GetMargin();
  rect.left += margin;
  rect.right -= margin;

  ImageList* images = grid->GetImageList();
  PixelRect imageRect;
  if (images != nullptr && GetImage() >= 0 && images->GetImageRect(GetImage(), &imageRect)) {
    const int width = imageRect.right - imageRect.left + 1;
    const int height = imageRect.bottom - imageRect.top + 1;
    if (width <= rect.Width() + 2 * margin && height <= rect.Height() + 2 * margin) {
      // GetImageRect above accepted the index, the only way Draw fails.
      (void)images->Draw(*painter, GetImage(), QPoint(rect.left, rect.top));
    }
  }

  if (row == 0 && col == grid->GetSortColumn()) DrawSortArrow(*painter, rect);

  GetTextRect(&rect);
  DrawText(*painter, rect, textColor);
  painter->restore();
  return true;
}

bool CGridCellBase::PrintCell(const GridPrintTarget& target, int row, int col, PixelRect rect) {
  (void)row;
  (void)col;
  if (!IsNotMerged() && !mergeRange_.SpansCells()) return true;
  GridModel* grid = GetGrid();
  if (grid == nullptr || target.painter == nullptr || rect.Width() < 1 || rect.Height() < 1) {
    return false;
  }
  const CGridDefaultCell* defaultCell = GetDefaultCell();
  if (target.printColors && defaultCell == nullptr) return false;
  QPainter& painter = *target.painter;
  painter.save();
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.drawRect(QRect(rect.left - 1, rect.top - 1, rect.Width() + 1, rect.Height() + 1));

  ColorRef textColor = 0;  // black
  if (target.printColors) {
    const ColorRef back = GetBackColor();
    bool filled = true;
    ColorRef fill = back;
    if (IsFixed()) {
      if (back == kDefaultColor) fill = defaultCell->GetBackColor();
    } else {
      filled = back != kDefaultColor && back != defaultCell->GetBackColor();
    }
    textColor = GetTextColor() == kDefaultColor ? defaultCell->GetTextColor() : GetTextColor();
    if (target.twoColors && !filled) {
      textColor = TwoColorText(textColor);
    } else if (filled) {
      Fill(painter, {rect.left, rect.top, rect.right + 1, rect.bottom + 1}, fill);
    }
  }
  if (!IsDefaultFont()) painter.setFont(GetFontObject());
  if (grid->GetGridLines() != GVL_NONE && IsFixed()) {
    RaisedEdge(painter, rect);
    rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
  }
  const int margin = GetMargin();
  rect.left += margin;
  rect.right -= margin;
  ImageList* images = grid->GetImageList();
  PixelRect imageRect;
  if (images != nullptr && GetImage() >= 0 && images->GetImageRect(GetImage(), &imageRect)) {
    // GetImageRect accepted the index, the only way Draw fails.
    (void)images->Draw(painter, GetImage(), QPoint(rect.left, rect.top));
    rect.left += imageRect.right - imageRect.left + 1 + margin;
  }
  DrawText(painter, rect, textColor);
  painter.restore();
  return true;
}

void CGridCellBase::DrawFixedEdge(QPainter& painter, PixelRect& rect, int row, int col) const {
  GridModel* grid = GetGrid();
  const CCellID focus = grid->GetFocusCell();
  if (grid->GetTrackFocusCell() && grid->IsValid(focus) && (focus.row == row || focus.col == col)) {
    // DrawEdge with BDR_SUNKENINNER over the rectangle widened by one.
    const PixelRect edge{rect.left, rect.top, rect.right + 1, rect.bottom + 1};
    const ColorRef dark = SysColor(COLOR_3DDKSHADOW);
    const ColorRef light = SysColor(COLOR_3DLIGHT);
    Fill(painter, {edge.left, edge.bottom - 1, edge.right, edge.bottom}, light);
    Fill(painter, {edge.right - 1, edge.top, edge.right, edge.bottom}, light);
    Fill(painter, {edge.left, edge.top, edge.right - 1, edge.top + 1}, dark);
    Fill(painter, {edge.left, edge.top, edge.left + 1, edge.bottom - 1}, dark);
  } else {
    RaisedEdge(painter, rect);
  }
  rect = {rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
}

void CGridCellBase::DrawSortArrow(QPainter& painter, PixelRect& rect) const {
  constexpr int kOffset = 2;
  int size = QFontMetrics(painter.font()).height() - 2 * kOffset;
  if (size >= rect.Height()) size = rect.Height() - 2 * kOffset;
  if (size + rect.left >= rect.right + 2 * GetMargin()) return;
  const bool vertical = IsVertical(GetFont());
  const int top = rect.bottom - kOffset - size;
  const int left = vertical ? (rect.left + rect.right - size) / 2 : rect.right - size;
  const bool up = GetGrid()->GetSortAscending();
  auto triangle = [&](int shift) {
    const int apexY = (up ? top : top + size) + shift;
    const int baseY = (up ? top + size : top) + shift;
    return QPolygon({QPoint(left + shift, baseY), QPoint(left + size / 2 + shift, apexY),
                     QPoint(left + size + shift, baseY), QPoint(left + shift, baseY)});
  };
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(ToQColor(SysColor(COLOR_3DHILIGHT)));
  painter.drawPolyline(triangle(1));
  painter.setPen(ToQColor(SysColor(COLOR_BTNSHADOW)));
  painter.drawPolyline(triangle(0));
  painter.restore();
  if (!vertical) rect.right -= size;
}

void CGridCellBase::DrawText(QPainter& painter, const PixelRect& rect, ColorRef textColor) const {
  const std::uint32_t format = GetFormat();
  painter.setPen(ToQColor(textColor));
  painter.save();
  PixelRect box = rect;
  const LogFontW* font = GetFont();
  if (IsVertical(font)) {
    // The text runs up (900) or down (-900): rotate about the rectangle's centre and lay
    // it out in the rectangle turned a quarter.
    const QPointF centre((rect.left + rect.right) / 2.0, (rect.top + rect.bottom) / 2.0);
    painter.translate(centre);
    painter.rotate(font->lfEscapement == 900 ? -90 : 90);
    painter.translate(-centre);
    const int cx = (rect.left + rect.right) / 2;
    const int cy = (rect.top + rect.bottom) / 2;
    box = {cx - rect.Height() / 2, cy - rect.Width() / 2, cx + (rect.Height() + 1) / 2,
           cy + (rect.Width() + 1) / 2};
  }
  if ((format & DT_VCENTER) != 0) {
    // The anti-aliased path: a layout box 6 pixels wider on the left and 8 on the right,
    // wrapping, centred vertically. GDI+ keeps a sixth of the em free inside each side
    // of its box and Qt keeps nothing, so the box is narrowed by that much to put the
    // text where GDI+ put it (otherwise it would start left of the cell).
    Qt::Alignment align = Qt::AlignVCenter;
    if ((format & DT_CENTER) != 0)
      align |= Qt::AlignHCenter;
    else if ((format & DT_RIGHT) != 0)
      align |= Qt::AlignRight;
    else
      align |= Qt::AlignLeft;
    const double padding = QFontInfo(painter.font()).pixelSize() / 6.0;
    painter.drawText(
        QRectF(box.left - 6 + padding, box.top, box.Width() + 14 - 2 * padding, box.Height()),
        static_cast<int>(align) | Qt::TextWordWrap, GetText());
  } else {
    DrawTextInRect(painter, GetText(), box, format | DT_WORDBREAK | DT_NOPREFIX | DT_EDITCONTROL);
  }
  painter.restore();
}

bool CGridCellBase::GetTextRect(PixelRect* rect) const {
  GridModel* grid = GetGrid();
  ImageList* images = grid != nullptr ? grid->GetImageList() : nullptr;
  PixelRect imageRect;
  if (rect != nullptr && images != nullptr && GetImage() >= 0 &&
      images->GetImageRect(GetImage(), &imageRect)) {
    rect->left += imageRect.right - imageRect.left + GetMargin() + 1;
  }
  return true;
}

QSize CGridCellBase::GetTextExtent(const QString& text) const {
  const CGridDefaultCell* defaultCell = GetDefaultCell();
  if (text.isEmpty()) {
    return defaultCell != nullptr ? QSize(defaultCell->GetWidth(), defaultCell->GetHeight())
                                  : QSize();
  }
  const QFont font = GetFontObject();
  const std::uint32_t format = GetFormat();
  QSize size;
  if ((format & DT_WORDBREAK) != 0 && (format & DT_SINGLELINE) == 0) {
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& line : text.split(u'\n')) {
      widest = std::max(widest, metrics.horizontalAdvance(line));
    }
    size = MeasureTextInRect(font, text, widest + 1, format);
  } else {
    size = QSize(QFontMetrics(font).horizontalAdvance(text), QFontMetrics(font).height());
  }
  const int margin = GetMargin();
  size = QSize(size.width() + 4 * margin, size.height() + 2 * margin);
  if (IsVertical(GetFont())) size = QSize(size.height(), size.width() + 4 * margin);
  return size;
}

QSize CGridCellBase::GetCellExtent() const {
  const QSize text = GetTextExtent(GetText());
  GridModel* grid = GetGrid();
  ImageList* images = grid != nullptr ? grid->GetImageList() : nullptr;
  PixelRect imageRect;
  QSize image(0, 0);  // QSize() is -1 x -1
  if (images != nullptr && GetImage() >= 0 && images->GetImageRect(GetImage(), &imageRect)) {
    image = QSize(imageRect.right - imageRect.left + 1, imageRect.bottom - imageRect.top + 1);
  }
  return {text.width() + image.width(), std::max(text.height(), image.height())};
}

// -------------------------------------------------------------------- CGridCell

void CGridCell::Reset() {
  ResetBase();
  text_.clear();
  data_ = 0;
  image_ = -1;
  format_ = 0xFFFFFFFF;
  textColor_ = kDefaultColor;
  backColor_ = kDefaultColor;
  margin_ = -1;
  editing_ = false;
  grid_ = nullptr;
  editWnd_ = nullptr;
  font_.reset();
}

void CGridCell::SetFont(const LogFontW* font) {
  if (font == nullptr) {
    font_.reset();
  } else if (font_ == nullptr) {
    font_ = std::make_unique<LogFontW>(*font);
  } else {
    *font_ = *font;
  }
}

std::uint32_t CGridCell::GetFormat() const {
  if (format_ != 0xFFFFFFFF) return format_;
  const CGridDefaultCell* defaultCell = GetDefaultCell();
  if (defaultCell == nullptr || defaultCell == this) return defaultCell ? format_ : 0;
  return defaultCell->GetFormat();
}

int CGridCell::GetMargin() const {
  if (margin_ != -1) return margin_;
  const CGridDefaultCell* defaultCell = GetDefaultCell();
  if (defaultCell == nullptr || defaultCell == this) return 0;
  return defaultCell->GetMargin();
}

const LogFontW* CGridCell::GetFont() const {
  if (font_ != nullptr) return font_.get();
  const CGridDefaultCell* defaultCell = GetDefaultCell();
  if (defaultCell == nullptr || defaultCell == this) return nullptr;
  return defaultCell->GetFont();
}

QFont CGridCell::GetFontObject() const {
  if (font_ != nullptr) return LogFontToQFont(*font_);
  const CGridDefaultCell* defaultCell = GetDefaultCell();
  if (defaultCell == nullptr || defaultCell == this) return QFont();
  return defaultCell->GetFontObject();
}

bool CGridCell::Edit(int row, int col, const PixelRect& rect, QPoint, int controlId, int character,
                     bool byKey) {
  if (grid_ == nullptr) return false;
  if (editing_ && editWnd_ != nullptr) {
    grid_->SendCharToEditor(editWnd_, character);
    return true;
  }
  const std::uint32_t format = GetFormat();
  const std::uint32_t alignment =
      (format & DT_RIGHT) != 0 ? DT_RIGHT : ((format & DT_CENTER) != 0 ? DT_CENTER : DT_LEFT);
  SetEditing(true, nullptr);
  QObject* editor =
      grid_->OpenCellEditor({row, col, rect, alignment, controlId, GetText(), character, byKey});
  // Without an editor the cell is not left marked as editing.
  SetEditing(editor != nullptr, editor);
  return editor != nullptr;
}

void CGridCell::SetEditing(bool editing, QObject* editWnd) {
  editing_ = editing;
  editWnd_ = editWnd;
}

// ------------------------------------------------------------- CGridDefaultCell

CGridDefaultCell::CGridDefaultCell() {
  SetFormat(DT_END_ELLIPSIS | DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER);
  const LogFontW messageFont =
      HasScreenContext() ? LogFontFromQFont(QGuiApplication::font()) : StockDefaultGuiFont();
  SetFont(&messageFont);
}

void CGridDefaultCell::SetFont(const LogFontW* font) {
  if (font == nullptr) return;
  CGridCell::SetFont(font);
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance()) != nullptr) {
    fontObject_ = LogFontToQFont(*font);
  }
  if (!HasScreenContext()) {
    SetMargin(3);
    width_ = 40;
    height_ = 16;
    return;
  }
  const QFontMetrics metrics(fontObject_);
  const QString sample = QStringLiteral(" XXXXXXXXXXXX ");
  SetMargin(metrics.horizontalAdvance(u' '));
  width_ = metrics.horizontalAdvance(sample);
  height_ = 3 * metrics.height() / 2;
}

void CGridDefaultCell::SetScreenContextForTest(bool available) {
  g_screenContextForTest = available;
}
