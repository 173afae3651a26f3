#pragma once
// Ipv4Edit: an IPv4 address in four fields of 0-255 with dots between. The address is
// exchanged in host order, the first field in the most significant byte. Only the
// user's edits are reported; setting the address reports nothing.

#include <QLineEdit>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>

class Ipv4Edit : public QWidget {
 public:
  explicit Ipv4Edit(QWidget* parent = nullptr);

  void SetAddress(std::uint32_t address);
  // Empty fields count as 0.
  std::uint32_t Address() const;
  QLineEdit& Field(int index) { return *fields_[static_cast<std::size_t>(index)]; }

  // Called after the user changed a field.
  std::function<void()> onEdited;

 private:
  std::array<QLineEdit*, 4> fields_{};
};

// The dotted text of a host-order address ("10.0.0.1").
QString Ipv4Text(std::uint32_t address);
