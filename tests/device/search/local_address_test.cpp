// This computer's addresses: the route table parser on fixed texts, the entries of a
// network namespace the test builds, and the address change with fake programs in
// place of nmcli (the real one is never run: a namespace does not fence it).
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "device/search/address_change.h"
#include "device/search/local_addresses.h"
#include "device/search/local_ip_set_dialog.h"
#include "model/settings/lang_text.h"
#include "tests/app/app_fixture.h"
#include "tests/support/cut_texts.h"
#include "tests/support/network_namespace.h"
#include "tests/support/screenshot.h"

namespace {

constexpr char kRouteHead[] =
    "Iface\tDestination\tGateway \tFlags\tRefCnt\tUse\tMetric\tMask\t\tMTU\tWindow\tIRTT\n";

TEST(RouteTable, DefaultGatewayOfEachInterfaceWithTheLowestMetric) {
  const QString table = QString::fromLatin1(kRouteHead) +
                        // eth0: two default routes, the second with the lower metric
                        "eth0\t00000000\t0101A8C0\t0003\t0\t0\t600\t00000000\t0\t0\t0\n"
                        "eth0\t00000000\tFE01A8C0\t0003\t0\t0\t100\t00000000\t0\t0\t0\n"
                        "eth0\t0001A8C0\t00000000\t0001\t0\t0\t100\t00FFFFFF\t0\t0\t0\n"
                        // wlan0: two of one metric (the first kept), one that is down
                        "wlan0\t00000000\t010A0A0A\t0003\t0\t0\t50\t00000000\t0\t0\t0\n"
                        "wlan0\t00000000\t030A0A0A\t0003\t0\t0\t50\t00000000\t0\t0\t0\n"
                        "wlan0\t00000000\t020A0A0A\t0002\t0\t0\t1\t00000000\t0\t0\t0\n"
                        // veth1 has no default route; the last line is malformed
                        "veth1\t00000A0A\t00000000\t0001\t0\t0\t0\t00FFFFFF\t0\t0\t0\n"
                        "bad\t00000000\tZZZZ\t0003\t0\t0\t0\t00000000\n"
                        "short\t00000000\n";
  const std::map<QString, std::uint32_t> gateways = DefaultGateways(table);
  EXPECT_EQ(gateways.size(), 2u);
  EXPECT_EQ(Ipv4Text(gateways.at(QStringLiteral("eth0"))), QStringLiteral("192.168.1.254"));
  EXPECT_EQ(Ipv4Text(gateways.at(QStringLiteral("wlan0"))), QStringLiteral("10.10.10.1"));
  EXPECT_TRUE(DefaultGateways(QString::fromLatin1(kRouteHead)).empty());
}

// A namespace with one end of a veth pair at 10.201.9.1/24 and 10.201.10.1/24, a
// default route via 10.201.9.254; the other end up without IPv4.
bool BuildAddresses(const emu::NetworkNamespace& space) {
  return space.Shell(
      "ip link add sea0 type veth peer name sea1 && "
      "ip link set sea0 address 02:00:00:00:09:01 && "
      "ip addr add 10.201.9.1/24 dev sea0 && ip addr add 10.201.10.1/24 dev sea0 && "
      "ip addr add 127.0.0.2/32 dev sea1 && ip addr add 255.255.255.255/32 dev sea1 && "
      "ip link set lo up && ip link set sea0 up && ip link set sea1 up && "
      "ip route add default via 10.201.9.254 dev sea0");
}

TEST(LocalAddresses, EntriesOfANamespaceByInterface) {
  emu::NetworkNamespace space;
  if (!space.Valid()) GTEST_SKIP() << "no network namespace here";
  // sea1 also gets an address with no gateway.
  ASSERT_TRUE(BuildAddresses(space) && space.Shell("ip addr add 10.201.11.1/24 dev sea1"));
  std::vector<LocalAddress> entries;
  space.RunInside([&] { entries = ListLocalAddresses(); });
  // By interface index: sea1, made first as the peer, then sea0's two addresses. lo,
  // 127.0.0.2 and 255.255.255.255 give none.
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(
      std::tuple(entries[0].adapterName, entries[0].ip, entries[0].gateway),
      std::tuple(QStringLiteral("sea1"), QStringLiteral("10.201.11.1"), QStringLiteral("0.0.0.0")));
  const QString ips[] = {QStringLiteral("10.201.9.1"), QStringLiteral("10.201.10.1")};
  for (int i = 1; i < 3; ++i) {
    const LocalAddress& entry = entries[static_cast<std::size_t>(i)];
    EXPECT_EQ(entry.number, i);
    EXPECT_EQ(entry.ip, ips[i - 1]);
    EXPECT_EQ(entry.mask, QStringLiteral("255.255.255.0"));
    EXPECT_EQ(entry.gateway, QStringLiteral("10.201.9.254"));
    EXPECT_EQ(entry.adapterName, QStringLiteral("sea0"));
    EXPECT_NE(entry.index, 0u);
    EXPECT_EQ(entry.hardwareLength, 6);
    EXPECT_EQ(HardwareText(entry), QStringLiteral("02-00-00-00-09-01"));
  }
}

TEST(AddressChange, ArgumentsAndRefusedValues) {
  AddressChange change{QStringLiteral("eth1"), 0x0A010203, 0xFFFF0000, 0x0A010001};
  EXPECT_EQ(NmcliArguments(change).join(u' '),
            QStringLiteral("device modify eth1 ipv4.method manual ipv4.addresses 10.1.2.3/16 "
                           "ipv4.gateway 10.1.0.1"));
  change.gateway = 0;
  EXPECT_EQ(NmcliArguments(change).last(), QString());
  EXPECT_TRUE(ChangeProblem(change).isEmpty());
  for (const std::uint32_t mask : {0xFF00FF00u, 0x00FFFFFFu}) {
    change.mask = mask;
    EXPECT_FALSE(ChangeProblem(change).isEmpty());
  }
  change.mask = 0xFFFFFF00;
  for (const std::uint32_t ip : {0u, 0xFFFFFFFFu}) {
    change.ip = ip;
    EXPECT_FALSE(ChangeProblem(change).isEmpty());
  }
  change.ip = 0x0A010203, change.interfaceName = QString();
  EXPECT_FALSE(ChangeProblem(change).isEmpty());
  for (const int prefix : {0, 1, 31, 32}) {
    EXPECT_EQ(PrefixLength(prefix == 0 ? 0u : ~0u << (32 - prefix)), prefix);
  }
}

// The dialog with a fake program that records its arguments and ends as told.
class LocalAddressDialog : public apptest::AppTest {
 protected:
  struct Shown {
    QString text;
    int style;
  };

  // A shell script for the fake nmcli: body runs after the arguments are recorded.
  QString FakeProgram(const QString& body, const QString& name = QStringLiteral("nmcli")) {
    const QString path = folder.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("#!/bin/sh\nprintf '%s|' \"$@\" > '%1'\n%2\n")
                   .arg(ArgumentsPath(), body)
                   .toUtf8());
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return path;
  }
  QString ArgumentsPath() const { return folder.filePath(QStringLiteral("arguments")); }
  QString RecordedArguments() const {
    QFile file(ArgumentsPath());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }

  std::unique_ptr<CLocalIPSetDialog> Dialog(const QString& program, int answer = 1,
                                            int timeoutMs = 5000) {
    std::unique_ptr<CLocalIPSetDialog> dialog;
    // The entries are read inside the namespace; the change runs outside.
    space.RunInside([&] {
      dialog = std::make_unique<CLocalIPSetDialog>(
          nullptr,
          [this, answer](const QString& text, int style) {
            shown.push_back({text, style});
            return style == 0x41 ? answer : 1;
          },
          program, timeoutMs);
    });
    dialog->show();
    return dialog;
  }
  // Chooses an interface of this machine and types the values of the change.
  static void Enter(CLocalIPSetDialog& dialog, std::uint32_t ip, std::uint32_t mask,
                    std::uint32_t gateway) {
    dialog.Edit(0).SetAddress(ip);
    dialog.Edit(1).SetAddress(mask);
    dialog.Edit(2).SetAddress(gateway);
  }
  void SetUp() override {
    AppTest::SetUp();
    SelectLanguageFile(2);
    if (!space.Valid()) GTEST_SKIP() << "no network namespace here";
    ASSERT_TRUE(BuildAddresses(space));
    ASSERT_TRUE(folder.isValid());
  }

  emu::NetworkNamespace space;
  QTemporaryDir folder;
  std::vector<Shown> shown;
};

TEST_F(LocalAddressDialog, ASuccessfulChangeIsReportedAndCloses) {
  auto dialog = Dialog(FakeProgram(QStringLiteral("exit 0")));
  ASSERT_EQ(dialog->EntryList().count(), 2);
  EXPECT_EQ(dialog->EntryList().item(1)->text(), QStringLiteral("sea0  10.201.10.1"));
  EXPECT_EQ(dialog->HardwareShown(), QStringLiteral("02-00-00-00-09-01"));
  EXPECT_EQ(dialog->Edit(0).Address(), 0x0AC90901u);
  EXPECT_EQ(dialog->Edit(1).Address(), 0xFFFFFF00u);
  EXPECT_EQ(dialog->Edit(2).Address(), 0x0AC909FEu);
  dialog->EntryList().setCurrentRow(1);
  EXPECT_EQ(dialog->Edit(0).Address(), 0x0AC90A01u);
  dialog->EntryList().setCurrentRow(-1);  // no row: the last one chosen stays
  EXPECT_EQ(dialog->Edit(0).Address(), 0x0AC90A01u);
  SaveScreenshot(*dialog, QStringLiteral("local_address_dialog"));
  EXPECT_EQ(
      CutTextsInTranslations(
          *dialog, [&dialog] { dialog->ApplyLanguage(); }, QStringLiteral("local_address_dialog")),
      "");
  const QString device = QStringLiteral("sea0");
  Enter(*dialog, 0x0A010203, 0xFFFF0000, 0x0A010001);
  dialog->OnOK();
  EXPECT_EQ(RecordedArguments(),
            QStringLiteral("device|modify|%1|ipv4.method|manual|ipv4.addresses|10.1.2.3/16|"
                           "ipv4.gateway|10.1.0.1|")
                .arg(device));
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].style, 0x41);
  EXPECT_TRUE(shown[0].text.contains(device) && shown[0].text.contains(u"10.1.2.3/16"));
  EXPECT_EQ(shown[1].text, QStringLiteral("The local network address was changed"));
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_FALSE(dialog->isVisible());
}

TEST_F(LocalAddressDialog, FailuresAreShownAndTheDialogStays) {
  const QString failed = QStringLiteral("The local network address could not be changed:");
  struct Case {
    QString program;
    int timeoutMs;
    QString reason;
  };
  const Case cases[] = {
      {FakeProgram(QStringLiteral("echo 'Error: no such device' >&2; exit 10")), 5000,
       QStringLiteral("Error: no such device")},
      {folder.filePath(QStringLiteral("missing")), 5000, {}},
      {FakeProgram(QStringLiteral("sleep 5"), QStringLiteral("slow")), 300, {}},
  };
  for (const Case& test : cases) {
    shown.clear();
    auto dialog = Dialog(test.program, 1, test.timeoutMs);
    Enter(*dialog, 0x0A010203, 0xFFFF0000, 0);
    dialog->OnOK();
    ASSERT_EQ(shown.size(), 2u) << test.program.toStdString();
    EXPECT_TRUE(shown[1].text.startsWith(failed));
    if (!test.reason.isEmpty()) {
      EXPECT_TRUE(shown[1].text.endsWith(test.reason)) << shown[1].text.toStdString();
    }
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(dialog->isEnabled());
  }
}

TEST_F(LocalAddressDialog, RefusedValuesAndCancelRunNothing) {
  const QString program = FakeProgram(QStringLiteral("exit 0"));
  auto dialog = Dialog(program, 2);  // the question answered Cancel
  Enter(*dialog, 0x0A010203, 0xFFFF0000, 0);
  dialog->OnOK();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].style, 0x41);
  Enter(*dialog, 0x0A010203, 0xFF00FF00, 0);  // 255.0.255.0
  dialog->OnOK();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[1].style, 0x10);
  auto withoutProgram = Dialog(QString());
  Enter(*withoutProgram, 0x0A010203, 0xFFFF0000, 0);
  withoutProgram->OnOK();
  ASSERT_EQ(shown.size(), 3u);
  EXPECT_EQ(shown[2].style, 0x10);
  EXPECT_FALSE(QFile::exists(ArgumentsPath()));
  EXPECT_TRUE(dialog->isVisible());
}

}  // namespace
