#pragma once
// CBorderDialog (IDD_BORDER_DIALOG): the page in the project page's tab control that
// edits the flowing border of the selected program or area: on or off, the family
// (single colour or dazzle), the style that fixes the width, the colour, the effect and
// the speed. Every change goes at once into the record of CurrentSelection and ends
// with one message to the canvas: operation 0 of UM_CANVAS_COMMAND for a program,
// UM_CANVAS_RELOAD for an area. A border too wide for its area (or a program border
// too wide for the screen) falls back to the thinnest style of its family with a
// warning; a program border pushes the program's areas inside it.

#include <QWidget>

#include <cstdint>

#include "platform/message_window.h"

class CColorPicker;
class QCheckBox;
class QComboBox;
class QRadioButton;

class CBorderDialog : public QWidget, public MessageWindow {
 public:
  static constexpr int kUseCheckId = 1026;
  static constexpr int kSingleRadioId = 1048;
  static constexpr int kDazzleRadioId = 1183;
  static constexpr int kPictureRadioId = 1050;
  static constexpr int kSingleStylesId = 1188;
  static constexpr int kDazzleStylesId = 1189;
  static constexpr int kColorId = 1059;
  static constexpr int kEffectLabelId = 1474;
  static constexpr int kEffectListId = 1186;
  static constexpr int kSpeedLabelId = 1475;
  static constexpr int kSpeedListId = 1187;
  static constexpr int kEffectCount = 4;

  explicit CBorderDialog(QWidget* parent);

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // The controls' texts from the language file; refills the effect and speed lists.
  void ApplyLanguage();

  QCheckBox& UseCheck() { return *use_; }
  QRadioButton& SingleRadio() { return *single_; }
  QRadioButton& DazzleRadio() { return *dazzle_; }
  // The style list of a family: 0 single colour, 1 dazzle.
  QComboBox& Styles(int family) { return *styles_[family != 0 ? 1 : 0]; }
  CColorPicker& ColorButton() { return *color_; }
  QComboBox& EffectList() { return *effect_; }
  QComboBox& SpeedList() { return *speed_; }

 private:
  // The seven border fields of the selected program or area.
  struct Fields {
    std::int32_t* use;
    std::int32_t* type;
    std::int32_t* width;
    std::int32_t* value;
    std::uint32_t* color;
    std::int32_t* style;
    std::int32_t* speed;
  };
  bool SelectedFields(Fields& fields) const;
  int LedColor() const;

  void CreateControls();
  void FillStyles(int ledColor);
  void Load();
  void ShowFields(const Fields& fields);
  void EnableControls(const Fields& fields);
  void OnUseCheck(bool on);
  void OnFamily(int family);
  void OnStyle(int family, int index);
  void OnEffect(int index);
  void OnSpeed(int index);
  void OnColor();
  void CheckBorderFits(const Fields& fields);
  bool PushAreasInside();
  void ResetToThinnest(const Fields& fields);
  void ShowFitMessage();
  void NotifyCanvas();

  QCheckBox* use_ = nullptr;
  QRadioButton* single_ = nullptr;
  QRadioButton* dazzle_ = nullptr;
  QComboBox* styles_[2] = {};
  CColorPicker* color_ = nullptr;
  QComboBox* effect_ = nullptr;
  QComboBox* speed_ = nullptr;
  int picturesFor_ = -1;  // the LedColor the style pictures were drawn for
};
