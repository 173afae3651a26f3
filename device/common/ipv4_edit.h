#pragma once
// Ipv4Edit: an IPv4 address in four fields of 0-255 separated by dots, exchanging a
// host-order value whose most significant byte is the first field.

#include <QLineEdit>
#include <QWidget>

#include <array>
#include <cstdint>

class Ipv4Edit : public QWidget {
 public:
  explicit Ipv4Edit(QWidget* parent = nullptr);

  std::uint32_t Value() const;
  void SetValue(std::uint32_t value);
  QLineEdit& Field(int index) { return *fields_[static_cast<std::size_t>(index)]; }

 private:
  std::array<QLineEdit*, 4> fields_{};
};
