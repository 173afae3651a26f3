#pragma once
// A small network of its own for the broadcast tests: a computer namespace with two
// interfaces (10.201.n.1/24), each joined by a veth pair to a card namespace
// (10.201.n.2/24) that routes everything, 255.255.255.255 included, out of its one
// interface. Nothing sent inside can leave the machine.

#include <string>

#include "tests/support/network_namespace.h"

namespace emu {

class CardNetwork {
 public:
  static constexpr int kCards = 2;
  static constexpr unsigned short kCardPort = 9999;

  // Empty when the namespaces can be had here (root, kernel support); else why not,
  // for the test to skip.
  std::string Unavailable() const;
  // Builds the links and addresses; false when ip failed.
  bool Build();

  const NetworkNamespace& Computer() const { return computer_; }
  const NetworkNamespace& CardSide(int card) const { return cards_[card]; }

  // A datagram socket in card namespace `card` on the card port of every address,
  // broadcast allowed; -1 on failure.
  int OpenCardSocket(int card) const;

 private:
  NetworkNamespace computer_;
  NetworkNamespace cards_[kCards];
};

}  // namespace emu
