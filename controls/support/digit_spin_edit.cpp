#include "controls/support/digit_spin_edit.h"

#include <QBoxLayout>
#include <QEvent>
#include <QToolButton>
#include <QValidator>

#include "model/settings/ui/dlg_lang_text.h"

namespace {

constexpr int kButtonWidth = 16;

// Digits only, never above the maximum; an empty text is allowed while typing.
class DigitValidator : public QValidator {
 public:
  DigitValidator(int maxValue, QObject* parent) : QValidator(parent), max_(maxValue) {}

  State validate(QString& input, int&) const override {
    if (input.isEmpty()) return Intermediate;
    for (QChar c : input) {
      if (c < u'0' || c > u'9') return Invalid;
    }
    bool ok = false;
    const qlonglong value = input.toLongLong(&ok);
    return ok && value <= max_ ? Acceptable : Invalid;
  }

 private:
  int max_;
};

QToolButton* MakeArrow(Qt::ArrowType arrow, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setArrowType(arrow);
  button->setFocusPolicy(Qt::NoFocus);
  button->setAutoRepeat(true);
  button->setFixedWidth(kButtonWidth);
  button->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
  return button;
}

}  // namespace

DigitSpinEdit::DigitSpinEdit(int maxDigits, int maxValue, QWidget* parent)
    : QWidget(parent),
      edit_(new QLineEdit(this)),
      up_(MakeArrow(Qt::UpArrow, this)),
      down_(MakeArrow(Qt::DownArrow, this)) {
  auto* arrows = new QVBoxLayout;
  arrows->setContentsMargins(0, 0, 0, 0);
  arrows->setSpacing(0);
  arrows->addWidget(up_);
  arrows->addWidget(down_);
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  row->addWidget(edit_);
  row->addLayout(arrows);
  edit_->setMaxLength(maxDigits);
  edit_->setValidator(new DigitValidator(maxValue, edit_));
  edit_->installEventFilter(this);
  connect(edit_, &QLineEdit::textEdited, this, [this] {
    if (onEdited) onEdited();
  });
  connect(up_, &QToolButton::clicked, this, [this] {
    if (onStepped) onStepped(1);
  });
  connect(down_, &QToolButton::clicked, this, [this] {
    if (onStepped) onStepped(-1);
  });
}

void DigitSpinEdit::ShowValue(int value) { edit_->setText(QString::number(value)); }

std::optional<int> DigitSpinEdit::Value() const {
  bool ok = false;
  const int typed = edit_->text().toInt(&ok);
  return ok ? std::optional<int>(typed) : std::nullopt;
}

void DigitSpinEdit::ShowSelected(int value) {
  ShowValue(value);
  edit_->setSelection(0, 5);
}

void DigitSpinEdit::SetIds(int editId, int spinId) {
  SetControlId(edit_, editId);
  SetControlId(this, spinId);
}

bool DigitSpinEdit::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_ && event->type() == QEvent::FocusOut && onFocusLost) {
    onFocusLost();
  }
  return QWidget::eventFilter(watched, event);
}
