#include "device/search/local_ip_set_dialog.h"

#include <QGridLayout>

#include "controls/dialogs/style_message_dialog.h"
#include "device/common/card_settings.h"
#include "device/search/address_change.h"
#include "device/search/search_ids.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

constexpr int kStyleInformation = 0x40;
constexpr int kStyleError = 0x10;
constexpr int kStyleQuestion = 0x41;  // OK and Cancel with the information icon
constexpr int kChangedText = 1006;
constexpr int kFailedText = 1007;
constexpr int kQuestionText = 1008;

constexpr std::array<int, 5> kLabelIds = {
    IDC_LOCAL_ADDRESS_LIST_LABEL, IDC_LOCAL_ADDRESS_HARDWARE_LABEL, IDC_LOCAL_ADDRESS_IP_LABEL,
    IDC_LOCAL_ADDRESS_MASK_LABEL, IDC_LOCAL_ADDRESS_GATEWAY_LABEL};
constexpr std::array<int, 3> kEditIds = {IDC_LOCAL_ADDRESS_IP, IDC_LOCAL_ADDRESS_MASK,
                                         IDC_LOCAL_ADDRESS_GATEWAY};

QString Text(int key) { return ReadLangText(lang_section::IDD_LOCALIPSET_DIALOG, key); }

std::uint32_t ValueOf(const QString& text) {
  return Ipv4OfText(reinterpret_cast<const char16_t*>(text.utf16()),
                    static_cast<std::size_t>(text.size()));
}

}  // namespace

QString CLocalIPSetDialog::DefaultProgram() { return DefaultNmcliProgram(); }

CLocalIPSetDialog::CLocalIPSetDialog(QWidget* parent, Ask ask, QString program, int timeoutMs)
    : QDialog(parent),
      ask_(ask ? std::move(ask) : Ask(ShowStyleMessage)),
      program_(std::move(program)),
      timeoutMs_(timeoutMs),
      entries_(ListLocalAddresses()),
      list_(this),
      hardware_(this),
      ok_(this),
      cancel_(this) {
  CreateControls();
  for (const LocalAddress& entry : entries_) {
    list_.addItem(QStringLiteral("%1  %2").arg(entry.adapterName, entry.ip));
  }
  if (!entries_.empty()) list_.setCurrentRow(0);
  ApplyLanguage();
}

void CLocalIPSetDialog::CreateControls() {
  list_.setObjectName(QString::number(IDC_LOCAL_ADDRESS_LIST));
  hardware_.setObjectName(QString::number(IDC_LOCAL_ADDRESS_HARDWARE));
  hardware_.setReadOnly(true);
  ok_.setObjectName(QString::number(1));
  cancel_.setObjectName(QString::number(2));
  auto* layout = new QGridLayout(this);
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    labels_[i] = new QLabel(this);
    labels_[i]->setObjectName(QString::number(kLabelIds[i]));
  }
  layout->addWidget(labels_[0], 0, 0, 1, 2);
  layout->addWidget(&list_, 1, 0, 1, 2);
  layout->addWidget(labels_[1], 2, 0);
  layout->addWidget(&hardware_, 2, 1);
  for (std::size_t i = 0; i < edits_.size(); ++i) {
    edits_[i] = new Ipv4Edit(this);
    edits_[i]->setObjectName(QString::number(kEditIds[i]));
    layout->addWidget(labels_[i + 2], static_cast<int>(i) + 3, 0);
    layout->addWidget(edits_[i], static_cast<int>(i) + 3, 1);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(&ok_);
  buttons->addWidget(&cancel_);
  layout->addLayout(buttons, 6, 0, 1, 2);
  connect(&list_, &QListWidget::currentRowChanged, this, [this](int row) { ChooseEntry(row); });
  connect(&ok_, &QPushButton::clicked, this, [this] { OnOK(); });
  connect(&cancel_, &QPushButton::clicked, this, &QDialog::reject);
  resize(420, 360);
}

void CLocalIPSetDialog::ChooseEntry(int row) {
  if (row < 0 || row >= static_cast<int>(entries_.size())) return;
  chosen_ = row;
  const LocalAddress& entry = entries_[static_cast<std::size_t>(row)];
  edits_[0]->SetAddress(ValueOf(entry.ip));
  edits_[1]->SetAddress(ValueOf(entry.mask));
  edits_[2]->SetAddress(ValueOf(entry.gateway));
  hardware_.setText(HardwareText(entry));
}

void CLocalIPSetDialog::OnOK() {
  AddressChange change;
  if (chosen_ >= 0) change.interfaceName = entries_[static_cast<std::size_t>(chosen_)].adapterName;
  change.ip = edits_[0]->Address();
  change.mask = edits_[1]->Address();
  change.gateway = edits_[2]->Address();
  QString problem = ChangeProblem(change);
  if (problem.isEmpty() && program_.isEmpty()) problem = QStringLiteral("nmcli was not found");
  if (!problem.isEmpty()) {
    ShowFailure(problem);
    return;
  }
  const QString address =
      QStringLiteral("%1/%2").arg(Ipv4Text(change.ip)).arg(PrefixLength(change.mask));
  if (ask_(Text(kQuestionText).arg(change.interfaceName, address), kStyleQuestion) != kIdOk) {
    return;
  }
  setEnabled(false);
  const ChangeResult result = RunAddressChange(program_, change, timeoutMs_);
  setEnabled(true);
  if (!result.changed) {
    ShowFailure(result.error);
    return;
  }
  ask_(Text(kChangedText), kStyleInformation);
  accept();
}

void CLocalIPSetDialog::ShowFailure(const QString& reason) {
  ask_(Text(kFailedText) + u'\n' + reason, kStyleError);
}

void CLocalIPSetDialog::ApplyLanguage() {
  for (std::size_t i = 0; i < labels_.size(); ++i) {
    labels_[i]->setText(Text(1000 + static_cast<int>(i)));
  }
  ok_.setText(Text(1005));
  cancel_.setText(ReadLangText(lang_section::PUBLIC, 1001));
  setWindowTitle(Text(1000));
}
