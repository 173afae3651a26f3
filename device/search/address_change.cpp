#include "device/search/address_change.h"

#include <QProcess>
#include <QStandardPaths>

#include "device/search/local_addresses.h"
#include "platform/blocking_call.h"

namespace {

QString FirstLine(const QByteArray& output) {
  const QString text = QString::fromLocal8Bit(output).trimmed();
  return text.section(u'\n', 0, 0).trimmed();
}

}  // namespace

int PrefixLength(std::uint32_t mask) {
  const std::uint32_t hostPart = ~mask;
  if ((hostPart & (hostPart + 1)) != 0) return -1;  // ones after a zero
  int prefix = 0;
  for (std::uint32_t bit = 0x80000000u; bit != 0 && (mask & bit); bit >>= 1) ++prefix;
  return prefix;
}

QString ChangeProblem(const AddressChange& change) {
  if (PrefixLength(change.mask) < 0) return QStringLiteral("the subnet mask is not contiguous");
  if (change.ip == 0 || change.ip == 0xFFFFFFFFu) {
    return QStringLiteral("%1 is no address of a computer").arg(Ipv4Text(change.ip));
  }
  if (change.interfaceName.isEmpty()) return QStringLiteral("no network interface was chosen");
  return {};
}

QStringList NmcliArguments(const AddressChange& change) {
  const QString address =
      QStringLiteral("%1/%2").arg(Ipv4Text(change.ip)).arg(PrefixLength(change.mask));
  const QString gateway = change.gateway == 0 ? QString() : Ipv4Text(change.gateway);
  return {QStringLiteral("device"),
          QStringLiteral("modify"),
          change.interfaceName,
          QStringLiteral("ipv4.method"),
          QStringLiteral("manual"),
          QStringLiteral("ipv4.addresses"),
          address,
          QStringLiteral("ipv4.gateway"),
          gateway};
}

QString DefaultNmcliProgram() { return QStandardPaths::findExecutable(QStringLiteral("nmcli")); }

ChangeResult RunAddressChange(const QString& program, const AddressChange& change, int timeoutMs) {
  if (const QString problem = ChangeProblem(change); !problem.isEmpty()) return {false, problem};
  if (program.isEmpty()) return {false, QStringLiteral("nmcli was not found")};
  QProcess process;
  process.setProgram(program);
  process.setArguments(NmcliArguments(change));
  process.start();
  if (!process.waitForStarted()) return {false, process.errorString()};
  const bool ended = WaitDispatchingUntil(
      [&process] { return process.state() == QProcess::NotRunning; }, timeoutMs);
  if (!ended) {
    process.kill();
    process.waitForFinished();
    return {false, QStringLiteral("%1 did not end within %2 s").arg(program).arg(timeoutMs / 1000)};
  }
  if (process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0) return {true, {}};
  QString error = FirstLine(process.readAllStandardError());
  if (error.isEmpty()) error = FirstLine(process.readAllStandardOutput());
  if (error.isEmpty())
    error = QStringLiteral("%1 ended with status %2").arg(program).arg(process.exitCode());
  return {false, error};
}
