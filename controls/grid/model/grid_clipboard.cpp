// The grid's text exchange and its edits: setting texts with the owner's and the
// cell's consent, clearing, copying and pasting the selection.
#include "controls/grid/model/grid_clipboard.h"

#include <QMimeData>

#include <algorithm>
#include <vector>

#include "controls/grid/model/grid_model.h"

std::vector<QStringList> SplitClipboardText(const QString& text) {
  const QChar separator = text.contains(u'\t') ? u'\t' : u',';
  std::vector<QStringList> lines;
  for (const QStringView line : QStringView(text).split(u'\n')) {
    QStringList fields;
    for (const QStringView field : line.split(separator)) fields.append(field.trimmed().toString());
    if (fields.last().isEmpty()) fields.removeLast();
    lines.push_back(std::move(fields));
  }
  return lines;
}

// ------------------------------------------------------------------ edits

bool GridModel::CheckEditText(int row, int col, const QString& text) {
  CGridCellBase* cell = GetCell(row, col);
  return cell == nullptr || cell->CheckEditText(text);
}

void GridModel::CommitCellText(int row, int col, const QString& oldText, const QString& text) {
  SetCellText(row, col, text);
  if (CheckEditText(row, col, text) && SendMessageToParent(row, col, GVN_ENDLABELEDIT) >= 0) {
    SetCellModified(row, col);
    RedrawCell(row, col);
  } else {
    SetCellText(row, col, oldText);
  }
}

void GridModel::SetCellTextChecked(int row, int col, const QString& text) {
  if (!IsValid(row, col) || !IsCellEditable(CCellID(row, col)) ||
      SendMessageToParent(row, col, GVN_BEGINLABELEDIT) < 0) {
    return;
  }
  const QString oldText = GetCellText(row, col);
  if (oldText != text) CommitCellText(row, col, oldText, text);
}

void GridModel::AcceptCellEdit(int row, int col, const QString& text) {
  const QString oldText = GetCellText(row, col);
  if (oldText != text) CommitCellText(row, col, oldText, text);
  if (CGridCellBase* cell = GetCell(row, col)) cell->OnEndEdit();
}

void GridModel::CloseCellEditor() {
  if (CGridCellBase* cell = GetCell(focusCell_.row, focusCell_.col)) cell->EndEdit();
}

void GridModel::OnEditClearSelection() {
  if (!editable_) return;
  // A copy: the owner's answers may change the selection.
  const std::vector<CCellID> cells(selectedCells_.begin(), selectedCells_.end());
  for (const CCellID& cell : cells) SetCellTextChecked(cell.row, cell.col, QString());
}

// ------------------------------------------------------------------ text exchange

std::unique_ptr<QMimeData> GridModel::CopySelectionText() {
  const CCellBlock bounds = GetSelectionBounds();
  if (!IsCellRangeValid(bounds) || !IsValid(bounds.maxRow, bounds.maxCol)) return nullptr;
  if (virtualMode_) SendCacheHintToParent(bounds);
  const QString text = JoinClipboardText(
      bounds, [this](int row) { return GetRowHeight(row) > 0; },
      [this](int col) { return GetColumnWidth(col) > 0; },
      [this](int row, int col, QString& out) {
        if (virtualMode_) {
          if (IsCellSelected(row, col)) out += GetCellText(row, col);
          return;
        }
        // One look-up of the stored cell for its state and its text.
        const CGridCellBase* cell = StoredCell(row, col);
        if (enableSelection_ && cell != nullptr && cell->IsSelected()) out += cell->GetText();
      });
  if (virtualMode_) SendCacheHintToParent(CCellBlock());
  auto data = std::make_unique<QMimeData>();
  data->setText(text);
  return data;
}

bool GridModel::PasteSelectionText(int startRow, int startCol, const QMimeData* data,
                                   bool selectPasted, std::set<CCellID>* written) {
  if (!IsValid(startRow, startCol) || !editable_ ||
      (GetCellState(startRow, startCol) & GVIS_READONLY) != 0 || data == nullptr ||
      !data->hasText()) {
    return false;
  }
  int maxRow = -1;
  int maxCol = -1;
  int rowOffset = 0;  // lines and hidden rows passed
  for (const QStringList& fields : SplitClipboardText(data->text())) {
    int row = startRow + rowOffset;
    for (; row < rowCount_ && GetRowHeight(row) == 0; ++row) ++rowOffset;
    ++rowOffset;
    if (row >= rowCount_) break;
    int colOffset = 0;
    for (const QString& field : fields) {
      int col = startCol + colOffset;
      for (; col < colCount_ && GetColumnWidth(col) == 0; ++col) ++colOffset;
      ++colOffset;
      if (col >= colCount_) break;
      SetCellTextChecked(row, col, field);
      SetSelectedBit(row, col, false);
      maxRow = std::max(maxRow, row);
      maxCol = std::max(maxCol, col);
      if (written != nullptr) written->insert(CCellID(row, col));
    }
  }
  if (selectPasted) {
    SetSelectedRange(startRow, startCol, maxRow, maxCol, true, true);
  } else {
    ClearSelection();
    Refresh();
  }
  return true;
}
