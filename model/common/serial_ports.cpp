#include "model/common/serial_ports.h"

#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QRegularExpression>

#include <algorithm>
#include <array>

#include "model/common/file_system.h"

namespace {

struct DeviceRange {
  const char* prefix;
  int firstCom;
};
// Each family has 100 COM numbers.
constexpr int kPortsPerFamily = 100;
constexpr std::array<DeviceRange, 3> kRanges = {{{"ttyS", 1}, {"ttyUSB", 101}, {"ttyACM", 201}}};

constexpr char kOverridePrefix[] = "CORVANIX_COM";

QString OverrideDevice(int comNumber) {
  return qEnvironmentVariable((kOverridePrefix + QByteArray::number(comNumber)).constData());
}

// A legacy 8250 port that has no hardware behind it reports type 0 (unknown).
bool IsRealPort(const QString& ttyFolder, const QString& ttyName) {
  if (!ttyName.startsWith(QLatin1String("ttyS"))) return true;
  QFile type(ttyFolder + QStringLiteral("/type"));
  if (!type.open(QIODevice::ReadOnly)) return true;
  return type.readAll().trimmed() != "0";
}

}  // namespace

QString ComPortDevicePath(int comNumber) {
  // Ranged before any arithmetic: the number comes from a caller's record.
  if (comNumber < 1) return {};
  const QString overridden = OverrideDevice(comNumber);
  if (!overridden.isEmpty()) return overridden;
  for (const DeviceRange& range : kRanges) {
    if (comNumber >= range.firstCom && comNumber < range.firstCom + kPortsPerFamily) {
      const int index = comNumber - range.firstCom;
      return QStringLiteral("/dev/%1%2").arg(QLatin1String(range.prefix)).arg(index);
    }
  }
  return {};
}

int ComNumberOfDevice(const QString& ttyName) {
  static const QRegularExpression pattern(QStringLiteral("^(ttyS|ttyUSB|ttyACM)(\\d{1,2})$"));
  const QRegularExpressionMatch match = pattern.match(ttyName);
  if (!match.hasMatch()) return 0;
  for (const DeviceRange& range : kRanges) {
    if (match.captured(1) == QLatin1String(range.prefix)) {
      return range.firstCom + match.captured(2).toInt();
    }
  }
  return 0;
}

void ListSerialPorts(QStringList& ports, const QString& sysRoot) {
  ports.clear();
  std::vector<int> numbers;
  const QString ttyRoot = sysRoot + QStringLiteral("/class/tty");
  for (const QString& name : QDir(ttyRoot).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    const int comNumber = ComNumberOfDevice(name);
    const QString folder = ttyRoot + u'/' + name;
    if (comNumber > 0 && QFileInfo::exists(folder + QStringLiteral("/device")) &&
        IsRealPort(folder, name)) {
      numbers.push_back(comNumber);
    }
  }
  const QStringList environment = QProcessEnvironment::systemEnvironment().keys();
  for (const QString& key : environment) {
    if (!key.startsWith(QLatin1String(kOverridePrefix))) continue;
    bool ok = false;
    const int comNumber = key.mid(int(sizeof kOverridePrefix) - 1).toInt(&ok);
    if (ok && comNumber > 0 && QFileInfo::exists(OverrideDevice(comNumber))) {
      numbers.push_back(comNumber);
    }
  }
  std::sort(numbers.begin(), numbers.end());
  numbers.erase(std::unique(numbers.begin(), numbers.end()), numbers.end());
  for (int comNumber : numbers) ports.append(QStringLiteral("COM%1").arg(comNumber));
}
