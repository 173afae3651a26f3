#include "device/firmware/update_cpu_dialog.h"

#include <QFileDialog>
#include <QPainter>

#include "controls/dialogs/style_message_dialog.h"
#include "device/common/device_icons.h"
#include "device/firmware/firmware_file.h"
#include "device/firmware/firmware_ids.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

constexpr int kStyleInformation = 0x40;
constexpr int kPointerHeight = 24;
constexpr int kButtonIconSize = 20;
const QColor kOutline(90, 120, 160);
const QColor kFill(244, 248, 252);

QString Text(int key) { return ReadLangText(lang_section::IDD_UPDATECPU_DIALOG, key); }

template <typename Widget>
void Place(Widget& widget, int id, const QRect& place) {
  widget.setObjectName(QString::number(id));
  widget.setGeometry(place);
}

}  // namespace

CUpdateCPUDialog::CUpdateCPUDialog(QWidget* parent, Ask ask, ChooseFile chooseFile)
    : SeeThroughDialog(kRightInset, kBottomInset, parent),
      ask_(ask ? std::move(ask) : Ask(ShowStyleMessage)),
      chooseFile_(chooseFile ? std::move(chooseFile) : ChooseFile([this](const QString& filter) {
        return QFileDialog::getOpenFileName(this, QString(), QString(), filter);
      })),
      pathLabel_(this),
      path_(this),
      browse_(this),
      modelLabel_(this),
      model_(this),
      ok_(this),
      cancel_(this) {
  setModal(true);
  setFixedSize(kClientSize);
  Place(pathLabel_, IDC_CHOOSER_PATH_LABEL, QRect(20, 24, 90, 26));
  Place(path_, IDC_CHOOSER_PATH, QRect(110, 24, 210, 26));
  Place(browse_, IDC_CHOOSER_BROWSE, QRect(326, 23, 28, 28));
  Place(modelLabel_, IDC_CHOOSER_MODEL_LABEL, QRect(20, 66, 90, 26));
  Place(model_, IDC_CHOOSER_MODEL, QRect(110, 66, 130, 26));
  Place(ok_, IDC_CHOOSER_OK, QRect(150, 116, 96, 30));
  Place(cancel_, IDC_CHOOSER_CANCEL, QRect(258, 116, 96, 30));
  model_.setReadOnly(true);
  ok_.setDefault(true);
  static_cast<void>(
      browse_.SetIcon(QPixmap::fromImage(PaintDeviceIcon(DeviceIcon::Browse, kButtonIconSize))));
  connect(&browse_, &QPushButton::clicked, this, [this] { OnBrowse(); });
  connect(&ok_, &QPushButton::clicked, this, [this] { OnUpgrade(); });
  connect(&cancel_, &QPushButton::clicked, this, &QDialog::reject);
  ApplyLanguage();
}

void CUpdateCPUDialog::OnBrowse() {
  const QString chosen = chooseFile_(QStringLiteral("*.cpu *.CPU"));
  if (chosen.isEmpty()) return;
  const QString model = CheckedFirmwareModel(chosen, ask_);
  if (model.isEmpty()) return;
  path_.setText(chosen);
  model_.setText(model);
}

void CUpdateCPUDialog::OnUpgrade() {
  if (path_.text().isEmpty()) {
    ask_(Text(1005), kStyleInformation);
    return;
  }
  accept();
}

void CUpdateCPUDialog::ApplyLanguage() {
  pathLabel_.setText(Text(1000));
  modelLabel_.setText(Text(1001));
  ok_.setText(Text(1002));
  cancel_.setText(ReadLangText(lang_section::PUBLIC, 1001));
  browse_.SetTipText(Text(1006), true);
}

void CUpdateCPUDialog::PaintSurface(QPainter& painter, QSize size) {
  // A balloon over the whole width whose pointer, near its right end, points down.
  const int w = size.width();
  const int body = size.height() - kPointerHeight;
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(kOutline);
  painter.setBrush(kFill);
  painter.drawRoundedRect(QRect(0, 0, w - 1, body - 1), 8, 8);
  painter.drawPolygon(QPolygon(
      {QPoint(w - 70, body - 1), QPoint(w - 40, body - 1), QPoint(w - 30, size.height() - 1)}));
  // No outline between the balloon and its pointer.
  painter.setPen(kFill);
  painter.drawLine(QPoint(w - 69, body - 1), QPoint(w - 41, body - 1));
}
