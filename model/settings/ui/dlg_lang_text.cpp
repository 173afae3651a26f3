#include "model/settings/ui/dlg_lang_text.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

#include "model/settings/lang_text.h"

namespace {

constexpr char kControlIdProperty[] = "controlId";

}  // namespace

void SetControlText(QWidget* control, const QString& text) {
  if (auto* label = qobject_cast<QLabel*>(control)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    button->setText(text);
  } else if (auto* edit = qobject_cast<QLineEdit*>(control)) {
    edit->setText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(control)) {
    group->setTitle(text);
  } else {
    control->setWindowTitle(text);
  }
}

int GetControlId(const QWidget* control) { return control->property(kControlIdProperty).toInt(); }

void SetControlId(QWidget* control, int controlId) {
  control->setProperty(kControlIdProperty, controlId);
}

QWidget* FindControl(QWidget* dialog, int controlId) {
  if (!dialog) return nullptr;
  const auto children = dialog->findChildren<QWidget*>();
  for (QWidget* child : children) {
    QVariant id = child->property(kControlIdProperty);
    if (id.isValid() && id.toInt() == controlId) return child;
  }
  return nullptr;
}

bool SetDlgItemLangText(QWidget* dialog, int controlId, const QString& section, int textNumber) {
  QWidget* control = FindControl(dialog, controlId);
  if (!control) return false;
  SetControlText(control, ReadLangText(section, textNumber));
  return true;
}
