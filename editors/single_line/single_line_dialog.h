#pragma once
// CSingleLineDialog: the page of a single-line area. The area's text is typed and
// formatted in place in a rich-edit control; every change of the text or its formats
// is saved at once to the area's RTF file and its frame file is rendered again as
// one long line, between UM_CANVAS_COMMAND (2, -2) and (2, 0) to the preview canvas.
// The page also edits the area's background, effect (with the end-to-end flag of
// the continuous effect), speed, stay time, zoom and offset in place.
//
// The area is that of CurrentSelection, taken at each UM_LOAD_SELECTION and
// forgotten when the page is hidden; while the page holds none, text changes and the
// page's commands do nothing. A load empties the control to the default format
// before it reads the area's file, so a file that cannot be read shows an empty text
// (never the previous area's), and the load neither saves nor renders. The
// background picker's posted echo then colours the control and asks for a render of
// an outdated frame file only. The handlers run on the user's changes.
//
// A failed save is shown once (IDD_RTFEDIT_DIALOG 1027) until a save succeeds again.

#include <QWidget>

#include <array>

#include "editors/page_parts/rtf_file_saver.h"
#include "platform/message_window.h"
#include "render/rerender/content_rerender.h"

class CButtonQx;
class CColorPicker;
class CRichEditEx;
class CharFormatControls;
class DigitSpinEdit;
class QCheckBox;
class QComboBox;
class QLabel;
struct AreaRecord;
struct SingleLineAreaInfo;

class CSingleLineDialog : public QWidget, public MessageWindow {
 public:
  static constexpr int kStayMin = 1;
  static constexpr int kStayMax = 255;

  explicit CSingleLineDialog(QWidget* parent = nullptr);
  ~CSingleLineDialog() override;

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  // A hidden page forgets its area.
  void setVisible(bool visible) override;

  // The labels, the end-to-end box, the tooltips and the lists from the language file.
  void ApplyLanguage();

  // The styled message box and the renderer; tests put their own in place.
  void SetAsk(RtfFileSaver::Ask ask) { ask_ = std::move(ask); }
  void SetRenderer(SingleLineRenderer render) { render_ = std::move(render); }

  CRichEditEx& TextEdit() { return *edit_; }
  CharFormatControls& Formats() { return *formats_; }
  CColorPicker& BackPicker() { return *back_; }
  QComboBox& EffectCombo() { return *effect_; }
  QComboBox& SpeedCombo() { return *speed_; }
  QCheckBox& EndToEndCheck() { return *endToEnd_; }
  DigitSpinEdit& StayEdit() { return *stay_; }
  enum Step { kZoomUp, kZoomDown, kOffsetUp, kOffsetDown };
  CButtonQx& StepButton(Step step) { return *steps_[step]; }
  QLabel& ZoomStatic() { return *zoomStatic_; }
  QLabel& OffsetStatic() { return *offsetStatic_; }

 private:
  void CreateTextControls();
  void CreateDisplayControls();
  void CreateStepControls();

  void Load();
  // Shows the effect and what depends on it: the end-to-end box, the stay time.
  void ShowEffect(int effect);
  void Render(RerenderWhen when);
  void AskRender(RerenderWhen when);
  void OnTextChanged();
  void OnCommand(WPARAM command);
  void OnBackColor();
  void OnEffect(int index);
  void OnSpeed(int index);
  void OnEndToEnd(bool on);
  void OnStay(int value);
  void OnStep(Step step);

  AreaRecord* area_ = nullptr;
  SingleLineAreaInfo* info_ = nullptr;
  bool loading_ = false;
  RtfFileSaver saver_;
  RtfFileSaver::Ask ask_;
  SingleLineRenderer render_;
  CRichEditEx* edit_ = nullptr;
  CharFormatControls* formats_ = nullptr;
  CColorPicker* back_ = nullptr;
  QComboBox* effect_ = nullptr;
  QComboBox* speed_ = nullptr;
  QCheckBox* endToEnd_ = nullptr;
  DigitSpinEdit* stay_ = nullptr;
  std::array<CButtonQx*, 4> steps_{};
  QLabel* zoomStatic_ = nullptr;
  QLabel* offsetStatic_ = nullptr;
};
