#include "tests/support/screenshot.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDir>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QProgressBar>
#include <QToolBar>

#include <algorithm>
#include <cstdlib>

#include "model/settings/ui/dlg_lang_text.h"

namespace {

// A control the user reads or works, as opposed to a frame or page that holds others.
bool IsControl(const QWidget& widget) {
  return qobject_cast<const QLabel*>(&widget) || qobject_cast<const QAbstractButton*>(&widget) ||
         qobject_cast<const QLineEdit*>(&widget) || qobject_cast<const QComboBox*>(&widget) ||
         qobject_cast<const QAbstractSpinBox*>(&widget) ||
         qobject_cast<const QAbstractSlider*>(&widget) ||
         qobject_cast<const QProgressBar*>(&widget) ||
         qobject_cast<const QAbstractItemView*>(&widget);
}

// A label that shows nothing, which may lie under other controls unseen.
bool IsBlankLabel(const QWidget& widget) {
  const auto* label = qobject_cast<const QLabel*>(&widget);
  return label != nullptr && label->text().isEmpty() && label->pixmap().isNull() &&
         label->frameShape() == QFrame::NoFrame;
}

QString ControlName(const QWidget& control) {
  QString text;
  if (const auto* label = qobject_cast<const QLabel*>(&control)) text = label->text();
  if (const auto* button = qobject_cast<const QAbstractButton*>(&control)) text = button->text();
  return QStringLiteral("%1 \"%2\"").arg(control.objectName(), text.left(20));
}

// A control that reaches past its parent's edge: partly out of view. A control wholly
// outside has been slid out of view on purpose; a toolbar's buttons are Qt's to lay out.
bool IsCutOff(const QWidget& control) {
  const QWidget& parent = *control.parentWidget();
  const QRect place = control.geometry();
  return qobject_cast<const QToolBar*>(&parent) == nullptr && parent.rect().intersects(place) &&
         !parent.rect().contains(place);
}

// Siblings that carry one control id: the window's code finds only one of them by it.
QStringList SharedControlIds(const QWidget& parent) {
  QStringList faults;
  QHash<int, const QWidget*> byId;
  for (const QObject* object : parent.children()) {
    const auto* widget = qobject_cast<const QWidget*>(object);
    const int id = widget != nullptr ? GetControlId(widget) : 0;
    if (id <= 0) continue;
    if (const QWidget* other = byId.value(id)) {
      faults << QStringLiteral("same id %1: %2 / %3")
                    .arg(id)
                    .arg(ControlName(*other), ControlName(*widget));
    }
    byId.insert(id, widget);
  }
  return faults;
}

// The icons side by side on a transparent row as tall as the tallest.
QImage ArtRow(const std::vector<QImage>& icons) {
  int width = 0, height = 0;
  for (const QImage& icon : icons) width += icon.width(), height = std::max(height, icon.height());
  QImage row(std::max(width, 1), std::max(height, 1), QImage::Format_ARGB32);
  row.fill(Qt::transparent);
  QPainter painter(&row);
  int left = 0;
  for (const QImage& icon : icons) {
    painter.drawImage(left, 0, icon);
    left += icon.width();
  }
  painter.end();
  return row;
}

// Whether two rows match to within a rounding step per channel: Qt's blending rounds
// semi-transparent pixels by one step differently on different processors.
bool SameArt(const QImage& kept, const QImage& drawn) {
  const QImage a = kept.convertToFormat(QImage::Format_ARGB32);
  if (a.size() != drawn.size()) return false;
  for (int y = 0; y < a.height(); ++y) {
    const auto* left = reinterpret_cast<const QRgb*>(a.constScanLine(y));
    const auto* right = reinterpret_cast<const QRgb*>(drawn.constScanLine(y));
    for (int x = 0; x < a.width(); ++x) {
      for (int shift = 0; shift < 32; shift += 8) {
        const int step = int((left[x] >> shift) & 0xff) - int((right[x] >> shift) & 0xff);
        if (std::abs(step) > 1) return false;
      }
    }
  }
  return true;
}

}  // namespace

QStringList ControlFaults(const QWidget& root) {
  QStringList faults;
  QList<const QWidget*> parents{&root};
  for (const QWidget* child : root.findChildren<QWidget*>()) parents << child;
  for (const QWidget* parent : parents) {
    faults << SharedControlIds(*parent);
    if (!parent->isVisible() || IsControl(*parent)) continue;
    QList<const QWidget*> controls;
    for (const QObject* object : parent->children()) {
      const auto* control = qobject_cast<const QWidget*>(object);
      if (control == nullptr || control->isWindow() || !control->isVisible() ||
          !IsControl(*control) || IsBlankLabel(*control)) {
        continue;
      }
      if (IsCutOff(*control)) faults << QStringLiteral("cut off: %1").arg(ControlName(*control));
      for (const QWidget* other : controls) {
        if (other->geometry().intersects(control->geometry())) {
          faults
              << QStringLiteral("overlap: %1 / %2").arg(ControlName(*other), ControlName(*control));
        }
      }
      controls << control;
    }
  }
  return faults;
}

QString SavePicture(const QImage& picture, const QString& name) {
  const char* folder = std::getenv("QUENDRA_TEST_ARTEFACTS");
  const QString dir = folder && *folder ? QString::fromLocal8Bit(folder)
                                        : QStringLiteral(QUENDRA_BUILD_DIR "/test-artefacts");
  if (!QDir().mkpath(dir)) return {};
  const QString path = dir + u'/' + name + QStringLiteral(".png");
  return picture.save(path) ? path : QString();
}

QString SaveScreenshot(QWidget& widget, const QString& name) {
  for (const QString& fault : ControlFaults(widget)) {
    ADD_FAILURE() << name.toStdString() << ": " << fault.toStdString();
  }
  return SavePicture(widget.grab().toImage(), name);
}

void ExpectArtAsKept(const std::vector<QImage>& icons, const QString& name) {
  const QImage row = ArtRow(icons);
  const QString drawn = SavePicture(row, QStringLiteral("art_") + name);
  const QString kept = QStringLiteral(QUENDRA_SOURCE_DIR "/tests/art/") + name + ".png";
  const QImage before(kept);
  EXPECT_FALSE(before.isNull()) << "no kept row " << kept.toStdString();
  EXPECT_TRUE(before.isNull() || SameArt(before, row))
      << "the icons drawn (" << drawn.toStdString() << ") differ from " << kept.toStdString();
}
