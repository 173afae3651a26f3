#pragma once
// CAreaSetDialog (IDD_AREASET_DIALOG): the page above an area's kind page that edits
// the selected area's name and rectangle. Every edit goes at once into the AreaRecord
// of CurrentSelection, kept inside the owning program's border on the owning screen.
// Size edits end, once they have settled, with one UM_CANVAS_RELOAD to the canvas;
// the canvas sends UM_LOAD_SELECTION after it moved or sized the area.

#include <QWidget>

#include <array>

#include "platform/message_window.h"

class DigitSpinEdit;
class QLabel;
class QLineEdit;
struct AreaRecord;

class CAreaSetDialog : public QWidget, public MessageWindow {
 public:
  static constexpr int kNameId = 1139;
  static constexpr UINT kSizeTimer = 1;
  static constexpr UINT kTypedDelayMs = 1000;
  static constexpr UINT kSpinDelayMs = 2000;

  explicit CAreaSetDialog(QWidget* parent);

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // The texts of the labels and the panel caption from the language file.
  void ApplyLanguage();

  QLineEdit& NameEdit() { return *name_; }
  // The edits of X, Y, width and height, in that order.
  enum Field { kX, kY, kWidth, kHeight };
  DigitSpinEdit& FieldEdit(Field field) { return *fields_[field]; }
  // The delay of the pending canvas reload, 0 while none is pending.
  UINT PendingReloadMs() const { return pendingMs_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Load();
  void ShowValues();
  void OnNameEdited();
  void OnPositionChange(bool horizontal, int delta, bool spin);
  void OnSizeChange(bool horizontal, int delta, bool spin);
  void WriteRect(AreaRecord& area) const;
  void StartReloadTimer(UINT delayMs);
  void OnSizeTimer();

  QLineEdit* name_ = nullptr;
  std::array<DigitSpinEdit*, 4> fields_{};
  std::array<int, 4> values_{};  // X, Y, W, H
  QString caption_;
  UINT pendingMs_ = 0;
};
