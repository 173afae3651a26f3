// The grid's print job: pages laid out in units of the print font's average character,
// the grid scaled to the page's width (or at screen proportions over pages across).

#include <QCoreApplication>
#include <QDateTime>
#include <QFontMetrics>
#include <QLocale>
#include <QPaintDevice>

#include <algorithm>
#include <climits>
#include <functional>

#include "controls/grid/widget/grid_ctrl.h"
#include "controls/support/draw_text.h"
#include "render/raster/log_font.h"

namespace {

constexpr char16_t kLetters[] = u"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
constexpr int kLetterCount = 52;
constexpr std::uint32_t kLineFormat = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX;

std::vector<int> Sizes(int count, const std::function<int(int)>& size) {
  std::vector<int> sizes(static_cast<std::size_t>(std::max(count, 0)));
  for (int i = 0; i < count; ++i) sizes[std::size_t(i)] = size(i);
  return sizes;
}

void DrawLine(QPainter& painter, int x1, int y1, int x2, int y2) {
  painter.setPen(QPen(Qt::black, 0));
  painter.drawLine(x1, y1, x2, y2);
}

// The print font: the face at height -10 and weight 400.
QFont CreatePrintFont(const QString& face) {
  LogFontW font = LogFontW();
  font.lfHeight = -10;
  font.lfWeight = 400;
  font.lfCharSet = kDefaultCharSet;
  SetLogFontFaceName(font, face);
  return LogFontToQFont(font);
}

}  // namespace

void CGridCtrl::OnBeginPrinting(const GridPrintTarget& dc, PrintInfo* info) {
  if (dc.painter == nullptr || info == nullptr || dc.painter->device() == nullptr) return;
  const QPaintDevice& device = *dc.painter->device();
  printFont_ = CreatePrintFont(QStringLiteral("Arial"));
  const QFontMetrics metrics(*printFont_, &device);
  const QString letters = QString::fromUtf16(kLetters);
  charSize_ = QSize(std::max(1, metrics.horizontalAdvance(letters) / kLetterCount),
                    std::max(1, metrics.height()));
  pagePixels_ = QSize(device.width(), device.height());

  GridPageInput input;
  input.gridWidth = GetGridWidth();
  input.fixedRowHeight = GetFixedRowHeight();
  input.fixedColumnWidth = GetFixedColumnWidth();
  input.charWidth = charSize_.width();
  input.charHeight = charSize_.height();
  input.pageWidthPixels = pagePixels_.width();
  input.pageHeightPixels = pagePixels_.height();
  input.printerDpiX = device.logicalDpiX();
  input.printerDpiY = device.logicalDpiY();
  input.proportional = proportionalPrinting_;
  input.headerHeight = headerHeight_;
  input.footerHeight = footerHeight_;
  input.leftMargin = leftMargin_;
  input.rightMargin = rightMargin_;
  input.gap = gap_;
  printPage_ = LayOutGridPage(input);

  const auto rows = Sizes(GetRowCount(), [this](int row) { return GetRowHeight(row); });
  const auto cols = Sizes(GetColumnCount(), [this](int col) { return GetColumnWidth(col); });
  pagesDown_ = CountPrintBands(rows, GetFixedRowCount(), printPage_.availableHeight);
  pagesAcross_ = proportionalPrinting_
                     ? CountPrintBands(cols, GetFixedColumnCount(), printPage_.availableWidth)
                     : 1;
  info->maxPage = pagesDown_ * pagesAcross_;
  info->currentPage = 1;
}

void CGridCtrl::OnPrint(const GridPrintTarget& dc, PrintInfo* info) {
  if (dc.painter == nullptr || info == nullptr || !printFont_ || pagesAcross_ < 1) return;
  QPainter& painter = *dc.painter;
  painter.save();
  painter.setFont(*printFont_);
  painter.setPen(QPen(Qt::black, 0));  // a printer's stock pen and brush
  painter.setBrush(Qt::white);
  const int charW = charSize_.width();
  const int charH = charSize_.height();
  painter.setWindow(-charW * leftMargin_, 0, printPage_.logicalWidth, printPage_.logicalHeight);
  painter.setViewport(0, 0, pagePixels_.width(), pagePixels_.height());
  PrintHeader(dc, info);

  const int fixedHeight = GetFixedRowHeight();
  const int fixedWidth = GetFixedColumnWidth();
  painter.translate(0, (headerHeight_ + gap_) * charH + fixedHeight);
  // Rows and columns taller or wider than the page are cut at its edge.
  painter.setClipRect(QRect(0, -fixedHeight, fixedWidth + printPage_.availableWidth + 1,
                            fixedHeight + printPage_.availableHeight + 1));

  const int page = std::clamp(info->currentPage, 1, std::max(1, info->maxPage));
  const int rowBand = (page - 1) / pagesAcross_;
  const int colBand = (page - 1) % pagesAcross_;
  const auto rows = Sizes(GetRowCount(), [this](int row) { return GetRowHeight(row); });
  const auto cols = Sizes(GetColumnCount(), [this](int col) { return GetColumnWidth(col); });
  printRow_ = PrintBandStart(rows, GetFixedRowCount(), printPage_.availableHeight, rowBand);
  printRowEnd_ = PrintBandStart(rows, GetFixedRowCount(), printPage_.availableHeight, rowBand + 1);
  const int colAvailable = pagesAcross_ > 1 ? printPage_.availableWidth : INT_MAX;
  printCol_ = PrintBandStart(cols, GetFixedColumnCount(), colAvailable, colBand);
  printColEnd_ = PrintBandStart(cols, GetFixedColumnCount(), colAvailable, colBand + 1);

  PrintRowHeadings(dc, info);
  painter.translate(0, -fixedHeight);
  printPage_.availableWidth += fixedWidth;
  PrintColumnHeadings(dc, info);
  printPage_.availableWidth -= fixedWidth;

  painter.translate(fixedWidth, fixedHeight);
  PixelRect rect;
  for (int row = printRow_; row < printRowEnd_; ++row) {
    rect.top = rect.bottom + 1;
    rect.bottom = rect.top + GetRowHeight(row) - 1;
    rect.right = 0;
    PrintRowCells(printCol_, printColEnd_, row, rect, dc, info);
  }
  painter.fillRect(QRect(-fixedWidth, rect.bottom + 1, fixedWidth + printPage_.availableWidth + 1,
                         printPage_.availableHeight - rect.bottom),
                   Qt::white);

  painter.setClipping(false);
  painter.setWorldTransform(QTransform());  // the window and viewport stay
  painter.translate(0, printPage_.logicalHeight - footerHeight_ * charH);
  PrintFooter(dc, info);
  painter.restore();
}

void CGridCtrl::OnEndPrinting(const GridPrintTarget&, PrintInfo*) { printFont_.reset(); }

void CGridCtrl::PrintRowCells(int firstCol, int endCol, int row, PixelRect& rect,
                              const GridPrintTarget& dc, PrintInfo*) {
  for (int col = firstCol; col < endCol; ++col) {
    const int left = rect.right + 1;
    const int right = rect.right + GetColumnWidth(col);
    if (right > printPage_.availableWidth && col != printCol_) break;
    rect.left = left;
    rect.right = right;
    PrintCellAt(dc, row, col, rect);
  }
}

void CGridCtrl::PrintCellAt(const GridPrintTarget& dc, int row, int col, const PixelRect& rect) {
  CGridCellBase* cell = GetCell(row, col);
  if (cell == nullptr || cell->IsMergedIntoOther()) return;
  PixelRect place = rect;
  if (!cell->IsNotMerged()) {  // the origin of a block prints over the whole block
    place.right = place.left + GetMergedWidth(row, col) - 1;
    place.bottom = place.top + GetMergedHeight(row, col) - 1;
  }
  GridPrintTarget target = dc;
  target.printColors = printColors_;
  // A cell that cannot print (no default cell, a column of one pixel) leaves its place
  // framed and empty; the rest of the page goes on.
  (void)cell->PrintCell(target, row, col, place);
}

void CGridCtrl::PrintColumnHeadings(const GridPrintTarget& dc, PrintInfo* info) {
  PixelRect rect;
  for (int row = 0; row < GetFixedRowCount(); ++row) {
    rect.top = rect.bottom + 1;
    rect.bottom = rect.top + GetRowHeight(row) - 1;
    rect.right = 0;
    PrintRowCells(0, GetFixedColumnCount(), row, rect, dc, info);
    PrintRowCells(printCol_, printColEnd_, row, rect, dc, info);
  }
}

void CGridCtrl::PrintRowHeadings(const GridPrintTarget& dc, PrintInfo*) {
  QPainter& painter = *dc.painter;
  const int lines = GetGridLines();
  const bool horizontal = lines == GVL_HORZ || lines == GVL_BOTH;
  const bool vertical = lines == GVL_VERT || lines == GVL_BOTH;
  PixelRect rect;
  for (int col = 0; col < GetFixedColumnCount(); ++col) {
    rect.left = rect.right + 1;
    rect.right = rect.left + GetColumnWidth(col) - 1;
    rect.bottom = 0;
    for (int row = printRow_; row < printRowEnd_; ++row) {
      rect.top = rect.bottom + 1;
      rect.bottom = rect.top + GetRowHeight(row) - 1;
      PrintCellAt(dc, row, col, rect);
      if (horizontal) {
        DrawLine(painter, rect.left, rect.bottom, rect.right + 1, rect.bottom);
        if (row == printRow_)
          DrawLine(painter, rect.left, rect.top - 1, rect.right + 1, rect.top - 1);
      }
      if (vertical) {
        DrawLine(painter, rect.right, rect.top, rect.right, rect.bottom + 1);
        if (col == 0) DrawLine(painter, rect.left - 1, rect.top, rect.left - 1, rect.bottom + 1);
      }
    }
  }
}

void CGridCtrl::PrintHeader(const GridPrintTarget& dc, PrintInfo*) {
  const PixelRect rect{0, 0, PrintWidth(), headerHeight_ * charSize_.height()};
  PrintTitleTexts(*dc.painter, rect,
                  {{AncestorTitle(), DT_CENTER}, {QCoreApplication::applicationName(), DT_RIGHT}},
                  rect.bottom);
}

void CGridCtrl::PrintFooter(const GridPrintTarget& dc, PrintInfo* info) {
  const PixelRect rect{0, 0, PrintWidth(), footerHeight_ * charSize_.height()};
  const QString page = QStringLiteral("Page %1 of %2").arg(info->currentPage).arg(info->maxPage);
  const QString now = QLocale().toString(QDateTime::currentDateTime(), QLocale::ShortFormat);
  PrintTitleTexts(*dc.painter, rect, {{page, DT_LEFT}, {now, DT_RIGHT}}, rect.top);
}

int CGridCtrl::PrintWidth() const {
  return printPage_.logicalWidth - (leftMargin_ + rightMargin_) * charSize_.width();
}

void CGridCtrl::PrintTitleTexts(QPainter& painter, const PixelRect& rect,
                                std::initializer_list<std::pair<QString, std::uint32_t>> texts,
                                int ruleY) const {
  QFont bold = *printFont_;
  bold.setWeight(QFont::Bold);
  painter.save();
  painter.setFont(bold);
  painter.setBackgroundMode(Qt::TransparentMode);
  painter.setPen(Qt::black);
  for (const auto& [text, align] : texts) DrawTextInRect(painter, text, rect, kLineFormat | align);
  DrawLine(painter, rect.left, ruleY, rect.right, ruleY);
  painter.restore();
}

QString CGridCtrl::AncestorTitle() const {
  for (const QWidget* window = parentWidget(); window != nullptr; window = window->parentWidget()) {
    if (!window->windowTitle().isEmpty()) return window->windowTitle();
  }
  return {};
}
