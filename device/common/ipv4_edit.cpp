#include "device/common/ipv4_edit.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>

#include <algorithm>

Ipv4Edit::Ipv4Edit(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  auto* validator = new QIntValidator(0, 255, this);
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (i > 0) layout->addWidget(new QLabel(QStringLiteral("."), this));
    fields_[i] = new QLineEdit(this);
    fields_[i]->setValidator(validator);
    fields_[i]->setMaxLength(3);
    fields_[i]->setAlignment(Qt::AlignCenter);
    layout->addWidget(fields_[i]);
  }
  SetValue(0);
}

std::uint32_t Ipv4Edit::Value() const {
  std::uint32_t value = 0;
  for (const QLineEdit* field : fields_) {
    value = (value << 8) | static_cast<std::uint32_t>(std::clamp(field->text().toInt(), 0, 255));
  }
  return value;
}

void Ipv4Edit::SetValue(std::uint32_t value) {
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    fields_[i]->setText(QString::number((value >> (24 - 8 * i)) & 0xFF));
  }
}
