#pragma once
// ClockPage: the base of the kind pages of the analog clock, digital clock and
// countdown areas. A page edits the kind record of the selected area in place, one
// field per user change, and keeps no copy. It takes the record from CurrentSelection
// at each load (UM_LOAD_SELECTION) and forgets it when hidden, so a change before the
// first load, or on a hidden page (a picker's, say), stores nothing.
//
// Loading blocks the controls' signals, and the handlers answer only the user's
// changes (a list's activated, an edit's textEdited, a button's clicked, a picker's
// change outside a load), so typing in the face box stores nothing. The colour buttons
// post a command for every colour set, loaded ones too; the page then writes the
// button's colour into its field, so each loaded colour is written back once,
// unchanged.
//
// A picker shows the nearest valid value of fields out of range and writes nothing
// until the user changes it; every other control is loaded as the record stands.

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTimeEdit>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <variant>
#include <vector>

#include "controls/buttons/button_qx.h"
#include "controls/color/color_picker.h"
#include "controls/shell/program_messages.h"
#include "editors/clock/clock_page_parts.h"
#include "model/common/bounded_text.h"
#include "model/project/project_globals.h"
#include "model/settings/ui/dlg_lang_text.h"
#include "platform/message_window.h"

template <typename Record>
class ClockPage : public QWidget, public MessageWindow {
 public:
  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == UM_LOAD_SELECTION) {
      LoadSelection();
      return 0;
    }
    if (msg == WM_COMMAND && OnColorCommand(LowWord(wParam))) return 0;
    return MessageWindow::WindowProc(msg, wParam, lParam);
  }

  // A hidden page forgets its record.
  void setVisible(bool visible) override {
    QWidget::setVisible(visible);
    if (!visible) record_ = nullptr;
  }

  QComboBox& FaceList() { return *font_.face; }
  QComboBox& SizeList() { return *font_.size; }
  // 0 bold, 1 italic, 2 underline.
  CButtonQx& StyleButton(int style) { return *font_.styles[static_cast<std::size_t>(style)]; }
  // The colour button of a control id; null for none.
  CColorPicker* ColorButton(int id) const {
    for (const auto& [button, field] : colors_) {
      if (GetControlId(button) == id) return button;
    }
    return nullptr;
  }

 protected:
  ClockPage(QWidget* parent, SizeRule sizeRule) : QWidget(parent), sizeRule_(sizeRule) {}

  // Shows what the bindings below leave out; the controls' signals are blocked.
  virtual void Load(const Record&) {}

  // Runs change on the edited record; nothing without one.
  template <typename Change>
  void Store(Change&& change) {
    if (record_) change(*record_);
  }

  // The font row over the record's ShowStrFont_ fields, its colour button aside.
  void AddFontRow(const FontRowIds& ids, QPoint at);
  // A colour button over a field.
  CColorPicker* AddColorButton(int id, std::uint32_t Record::*field, const QRect& place,
                               bool compact);
  // A list whose chosen index is the field.
  void BindIndex(QComboBox* list, std::int32_t Record::*field);
  // A check whose state is the field, 0 or 1.
  void BindCheck(QAbstractButton* check, std::int32_t Record::*field);
  // Two radios standing for the field's 0 (first) and 1 (second); the second is
  // shown for any value but 0.
  void BindRadios(QAbstractButton* first, QAbstractButton* second, std::int32_t Record::*field);
  // A time picker over the hour, minute and second fields (none for no seconds):
  // -1 each when the picker's time cannot be converted.
  using TimeFields = std::array<std::int32_t Record::*, 3>;
  QTimeEdit* AddTimePicker(int id, const QRect& place, const QString& format,
                           const TimeFields& fields);
  // An edit over a text field, cut within the field's capacity.
  template <std::size_t N>
  QLineEdit* AddTextEdit(int id, const QRect& place, char16_t (Record::*field)[N]);

 private:
  void LoadSelection();
  bool OnColorCommand(int id);
  void OnSize(const QString& text, bool typed);

  Record* record_ = nullptr;
  SizeRule sizeRule_;
  FontRow font_;
  std::vector<std::pair<CColorPicker*, std::uint32_t Record::*>> colors_;
  std::vector<std::pair<QComboBox*, std::int32_t Record::*>> indexes_;
  std::vector<std::pair<QAbstractButton*, std::int32_t Record::*>> checks_;
  std::vector<std::pair<std::array<QAbstractButton*, 2>, std::int32_t Record::*>> radios_;
  std::vector<std::pair<QTimeEdit*, TimeFields>> times_;
  std::vector<std::function<void(const Record&)>> texts_;
};

template <typename Record>
void ClockPage<Record>::LoadSelection() {
  AreaRecord* area = CurrentSelection ? CurrentSelection->Area() : nullptr;
  record_ = area ? std::get_if<Record>(&area->Kind) : nullptr;
  if (!record_) return;
  std::vector<QSignalBlocker> blocked;
  for (QWidget* control : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    blocked.emplace_back(control);
  }
  const Record& record = *record_;
  for (const auto& [list, field] : indexes_) list->setCurrentIndex(record.*field);
  for (const auto& [check, field] : checks_) check->setChecked(record.*field != 0);
  for (const auto& [pair, field] : radios_) pair[record.*field != 0 ? 1 : 0]->setChecked(true);
  for (const auto& [picker, fields] : times_) {
    picker->setTime(
        NearestTime(record.*fields[0], record.*fields[1], fields[2] ? record.*fields[2] : 0));
  }
  for (const auto& show : texts_) show(record);
  if (font_.face) {
    ShowListText(*font_.face, ReadBoundedText(record.ShowStrFont_FontName));
    ShowListText(*font_.size, QString::number(record.ShowStrFont_FontSize));
    const std::int32_t styles[] = {record.ShowStrFont_FontBold, record.ShowStrFont_FontItalic,
                                   record.ShowStrFont_FontUnderLine};
    for (std::size_t style = 0; style < font_.styles.size(); ++style) {
      font_.styles[style]->SetCheck(styles[style] != 0 ? 1 : 0);
    }
  }
  for (const auto& [button, field] : colors_) button->SetColor(record.*field);
  Load(record);
}

template <typename Record>
bool ClockPage<Record>::OnColorCommand(int id) {
  for (const auto& [button, field] : colors_) {
    if (GetControlId(button) != id) continue;
    Store([&, button = button, field = field](Record& record) {
      record.*field = button->GetColor();
    });
    return true;
  }
  return false;
}

template <typename Record>
void ClockPage<Record>::AddFontRow(const FontRowIds& ids, QPoint at) {
  font_ = MakeFontRow(this, ids, at);
  QComboBox* face = font_.face;
  connect(face, &QComboBox::activated, this, [this, face](int index) {
    Store([&](Record& record) {
      static_cast<void>(CopyBoundedText(record.ShowStrFont_FontName, face->itemText(index)));
    });
  });
  QComboBox* size = font_.size;
  connect(size, &QComboBox::activated, this,
          [this, size](int index) { OnSize(size->itemText(index), false); });
  connect(size->lineEdit(), &QLineEdit::textEdited, this,
          [this](const QString& text) { OnSize(text, true); });
  std::int32_t Record::*const styleFields[] = {&Record::ShowStrFont_FontBold,
                                               &Record::ShowStrFont_FontItalic,
                                               &Record::ShowStrFont_FontUnderLine};
  for (std::size_t style = 0; style < font_.styles.size(); ++style) {
    CButtonQx* button = font_.styles[style];
    std::int32_t Record::*field = styleFields[style];
    connect(button, &QAbstractButton::clicked, this, [this, button, field] {
      Store([&](Record& record) { record.*field = button->GetCheck(); });
    });
  }
}

template <typename Record>
void ClockPage<Record>::OnSize(const QString& text, bool typed) {
  if (!record_) return;
  const int size = StoredFontSize(text, sizeRule_);
  record_->ShowStrFont_FontSize = size;
  if (typed && sizeRule_.showStored && text != QString::number(size)) {
    // The stored size replaces the text, selected so that the next key replaces it.
    font_.size->setEditText(QString::number(size));
    font_.size->lineEdit()->selectAll();
  }
}

template <typename Record>
CColorPicker* ClockPage<Record>::AddColorButton(int id, std::uint32_t Record::*field,
                                                const QRect& place, bool compact) {
  CColorPicker* button = MakeColorButton(this, id, place, compact);
  colors_.emplace_back(button, field);
  return button;
}

template <typename Record>
void ClockPage<Record>::BindIndex(QComboBox* list, std::int32_t Record::*field) {
  indexes_.emplace_back(list, field);
  connect(list, &QComboBox::activated, this,
          [this, field](int index) { Store([&](Record& record) { record.*field = index; }); });
}

template <typename Record>
void ClockPage<Record>::BindCheck(QAbstractButton* check, std::int32_t Record::*field) {
  checks_.emplace_back(check, field);
  connect(check, &QAbstractButton::clicked, this,
          [this, field](bool on) { Store([&](Record& record) { record.*field = on ? 1 : 0; }); });
}

template <typename Record>
void ClockPage<Record>::BindRadios(QAbstractButton* first, QAbstractButton* second,
                                   std::int32_t Record::*field) {
  radios_.push_back({{first, second}, field});
  for (std::int32_t value : {0, 1}) {
    connect(value == 0 ? first : second, &QAbstractButton::clicked, this,
            [this, field, value] { Store([&](Record& record) { record.*field = value; }); });
  }
}

template <typename Record>
QTimeEdit* ClockPage<Record>::AddTimePicker(int id, const QRect& place, const QString& format,
                                            const TimeFields& fields) {
  auto* picker = MakeControl<QTimeEdit>(this, id, place);
  picker->setDate(kTimePickerDate);
  picker->setDisplayFormat(format);
  times_.emplace_back(picker, fields);
  connect(picker, &QTimeEdit::timeChanged, this, [this, fields](QTime time) {
    const bool valid = time.isValid();
    Store([&](Record& record) {
      record.*fields[0] = valid ? time.hour() : -1;
      record.*fields[1] = valid ? time.minute() : -1;
      if (fields[2]) record.*fields[2] = valid ? time.second() : -1;
    });
  });
  return picker;
}

template <typename Record>
template <std::size_t N>
QLineEdit* ClockPage<Record>::AddTextEdit(int id, const QRect& place,
                                          char16_t (Record::*field)[N]) {
  auto* edit = MakeControl<QLineEdit>(this, id, place);
  edit->setMaxLength(static_cast<int>(N) - 1);
  texts_.push_back(
      [edit, field](const Record& record) { edit->setText(ReadBoundedText(record.*field)); });
  connect(edit, &QLineEdit::textEdited, this, [this, field](const QString& text) {
    Store([&](Record& record) { static_cast<void>(CopyBoundedText(record.*field, text)); });
  });
  return edit;
}
