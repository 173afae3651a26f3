#include "device/common/ipv4_edit.h"

#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>

#include <algorithm>

Ipv4Edit::Ipv4Edit(QWidget* parent) : QWidget(parent) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (std::size_t index = 0; index < fields_.size(); ++index) {
    if (index > 0) layout->addWidget(new QLabel(QStringLiteral("."), this));
    auto* field = new QLineEdit(this);
    field->setObjectName(QStringLiteral("field%1").arg(index));
    field->setValidator(new QIntValidator(0, 255, field));
    field->setMaxLength(3);
    field->setAlignment(Qt::AlignCenter);
    field->setText(QStringLiteral("0"));
    connect(field, &QLineEdit::textEdited, this, [this] {
      if (onEdited) onEdited();
    });
    layout->addWidget(field, 1);
    fields_[index] = field;
  }
}

void Ipv4Edit::SetAddress(std::uint32_t address) {
  for (std::size_t index = 0; index < fields_.size(); ++index) {
    const int shift = 24 - 8 * static_cast<int>(index);
    fields_[index]->setText(QString::number((address >> shift) & 0xFF));
  }
}

std::uint32_t Ipv4Edit::Address() const {
  std::uint32_t address = 0;
  for (const QLineEdit* field : fields_) {
    // The validator keeps a field at 3 digits of 0-255 while typing, but an
    // intermediate text such as "300" is possible: it is held to 255.
    address = (address << 8) | static_cast<std::uint32_t>(std::min(field->text().toInt(), 255));
  }
  return address;
}

QString Ipv4Text(std::uint32_t address) {
  return QStringLiteral("%1.%2.%3.%4")
      .arg(address >> 24)
      .arg((address >> 16) & 0xFF)
      .arg((address >> 8) & 0xFF)
      .arg(address & 0xFF);
}
