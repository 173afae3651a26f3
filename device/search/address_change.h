#pragma once
// Changes the address of one of this computer's interfaces through NetworkManager's
// nmcli, which lets a desktop user do so without root. Only the running interface
// changes: NetworkManager brings back the saved connection when it reconnects.

#include <QString>
#include <QStringList>

#include <cstdint>

struct AddressChange {
  QString interfaceName;
  std::uint32_t ip = 0;  // host order, as are mask and gateway
  std::uint32_t mask = 0;
  std::uint32_t gateway = 0;  // 0: no gateway
};

// The prefix length of a contiguous mask, else -1.
int PrefixLength(std::uint32_t mask);

// Empty when change can be handed to nmcli; else why not (a mask that is not
// contiguous, an address of 0.0.0.0 or 255.255.255.255).
QString ChangeProblem(const AddressChange& change);

// nmcli's arguments for change: device modify <interface> ipv4.method manual
// ipv4.addresses <ip>/<prefix> ipv4.gateway <gateway or "">.
QStringList NmcliArguments(const AddressChange& change);

struct ChangeResult {
  bool changed = false;
  QString error;  // the program's first error line, or why it did not run
};

// The nmcli found on the search path, or empty.
QString DefaultNmcliProgram();

// Runs program with change's arguments (no shell) and waits for it, dispatching the
// calling thread's messages, at most timeoutMs; a program still running then is
// killed. changed only for an exit status of 0.
ChangeResult RunAddressChange(const QString& program, const AddressChange& change, int timeoutMs);
