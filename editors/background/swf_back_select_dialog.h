#pragma once
// CSwfBackSelectDialog (441): the modal chooser of built-in backgrounds, a frameless
// speech balloon whose pointer sits above and left of the main window's lower right
// corner, with a cell per built-in background (CGifDialog) and OK and Cancel. Any
// number of cells may be selected; after OK the caller reads them. The cells are
// members, so they outlive the chooser's window.

#include <array>
#include <vector>

#include "controls/dialogs/see_through_dialog.h"
#include "editors/background/gif_dialog.h"

class QPushButton;

class CSwfBackSelectDialog : public SeeThroughDialog {
 public:
  static constexpr int kCellCount = 22;
  static constexpr int kOkId = 1294;
  static constexpr int kCancelId = 1295;
  static constexpr QSize kClientSize{334, 340};
  // The balloon's pointer stands this far left of and above the main window's corner.
  static constexpr int kRightInset = 85;
  static constexpr int kBottomInset = 135;

  explicit CSwfBackSelectDialog(QWidget* parent = nullptr);

  CGifDialog& Cell(int number) { return cells_.at(static_cast<std::size_t>(number)); }
  QPushButton& OkButton() { return *ok_; }
  QPushButton& CancelButton() { return *cancel_; }

  // The numbers of the selected cells, in increasing order.
  std::vector<int> SelectedBackgrounds() const;

 protected:
  void PaintSurface(QPainter& painter, QSize size) override;
  void showEvent(QShowEvent* event) override;

 private:
  std::array<CGifDialog, kCellCount> cells_;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
};
