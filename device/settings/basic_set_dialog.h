#pragma once
// CBasicSetDialog: the basic-parameter page of the screen-parameter pane. It edits the
// selected screen in place: name, card number, colour, regular or custom modules, the
// module counts and with them the size in dots (always whole modules), and the OE and
// DA polarities. Every size change rescales the screen's areas and tells the preview
// frame. It writes these settings to the screen's card and reads a card's back.
//
// Handlers hang on the user's actions only (activated, clicked, textEdited), so that
// loading a screen into the controls runs none of them.

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStringList>

#include <array>

#include "controls/support/digit_spin_edit.h"
#include "device/settings/screen_pages.h"

class CBasicSetDialog : public ScreenPage {
 public:
  // The two sides of the screen.
  enum Side { kAcross, kDown };

  explicit CBasicSetDialog(QWidget* parent);

  // Shows the screen and runs the module-kind handler for it, keeping its OE and DA.
  void LoadScreen(ScreenRecord* screen) override;
  void ApplyLanguage() override;

  // Writes the screen's settings to its card (mask 15 for regular modules, 3 for
  // custom), then reads the card's name into LedTypeStr. Status codes 0, 1, 2.
  void OnSetParams();
  // Reads the card's settings into the screen, which then has custom modules, and
  // rescales its areas to the card's size. Status codes 46, 47, 48.
  void OnReadParams();

  QLineEdit& NameEdit() { return *name_; }
  QComboBox& CardNumberList() { return *cardNumber_; }
  QComboBox& ColorList() { return *color_; }
  QRadioButton& RegularRadio() { return *regular_; }
  QRadioButton& CustomRadio() { return *custom_; }
  QComboBox& RegularList() { return *regularList_; }
  QComboBox& CustomList() { return *customList_; }
  DigitSpinEdit& CountEdit(Side side) { return *counts_[side]; }
  DigitSpinEdit& DotsEdit(Side side) { return *dots_[side]; }
  QLabel& ModuleTotal() { return *moduleTotal_; }
  QLabel& DotTotal() { return *dotTotal_; }
  QComboBox& OeList() { return *oe_; }
  QComboBox& DaList() { return *da_; }
  QPushButton& ReadBackButton() { return *readBack_; }
  QPushButton& SetButton() { return *set_; }

 private:
  void CreateControls();
  void PlaceControls();
  void ConnectControls();
  void FillRegularList(int color);

  void OnNameEdited();
  void OnColorChange(int index);
  // The radio buttons, the lists' states and the pane's tabs of the module kind.
  void ShowModuleKind(bool custom);
  void OnModuleKind(bool custom);
  void ApplyRegularModule();
  void ApplyCustomModule();
  void OnCountTyped(Side side);
  void OnCountStep(Side side, int delta, bool dotSpinner);
  void OnDotsTyped(Side side);
  // The size from the counts, then the common tail of a size change.
  void ResizeToCounts(std::int32_t oldWidth, std::int32_t oldHeight);
  // The totals and the preview frame after a size change; the areas rescaled.
  void FinishSizeChange(std::int32_t oldWidth, std::int32_t oldHeight);
  void ShowSize();
  void ShowPolarities();
  void ReportStatus(int code, std::int32_t result = 0);

  QLineEdit* name_ = nullptr;
  QComboBox* cardNumber_ = nullptr;
  QComboBox* color_ = nullptr;
  QRadioButton* regular_ = nullptr;
  QRadioButton* custom_ = nullptr;
  QComboBox* regularList_ = nullptr;
  QComboBox* customList_ = nullptr;
  std::array<DigitSpinEdit*, 2> counts_{};
  std::array<DigitSpinEdit*, 2> dots_{};
  QLabel* moduleTotal_ = nullptr;
  QLabel* dotTotal_ = nullptr;
  std::array<QLabel*, 2> maxima_{};  // never filled: 0
  QComboBox* oe_ = nullptr;
  QComboBox* da_ = nullptr;
  QPushButton* readBack_ = nullptr;
  QPushButton* set_ = nullptr;
  std::array<QLabel*, 10> labels_{};     // keys 1000-1009
  std::array<QLabel*, 6> totalTexts_{};  // keys 1010, 1011 and the unit words 1012, 1013 twice
  std::array<QLabel*, 2> maxTexts_{};
  std::array<QStringList, 2> regularNames_;  // per colour
};
