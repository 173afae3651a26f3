#include "tests/support/cut_texts.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSlider>
#include <QAbstractSpinBox>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QTextDocument>
#include <QToolButton>
#include <QtMath>

#include "model/settings/lang_text.h"
#include "tests/support/screenshot.h"

int TextWidth(const QWidget& control, const QString& text) {
  if (!Qt::mightBeRichText(text)) {
    return control.fontMetrics().horizontalAdvance(QString(text).remove(u'&'));
  }
  QTextDocument document;
  document.setDefaultFont(control.font());
  document.setDocumentMargin(0);
  document.setHtml(text);
  return qCeil(document.idealWidth());
}

namespace {

// The text with the width it needs and has, when cut; else empty.
QString Cut(const QString& text, int needed, int has) {
  return needed > has ? QStringLiteral("%1 (%2/%3 px)").arg(text).arg(needed).arg(has) : QString();
}

QString LabelCut(const QLabel& label) {
  if (!label.isVisible() || label.wordWrap() || label.text().isEmpty()) return {};
  return Cut(label.text(), TextWidth(label, label.text()), label.contentsRect().width());
}

QString ButtonCut(const QAbstractButton& button) {
  constexpr int kButtonFrame = 4;  // a push or tool button's frame
  // Signs ("<", "+") stand in narrow strips and are the same in every language.
  if (!button.isVisible() || button.text().size() < 2) return {};
  const auto* tool = qobject_cast<const QToolButton*>(&button);
  if (tool != nullptr && tool->toolButtonStyle() == Qt::ToolButtonIconOnly) return {};
  const bool indicator = qobject_cast<const QCheckBox*>(&button) != nullptr ||
                         qobject_cast<const QRadioButton*>(&button) != nullptr;
  const int needed =
      indicator ? button.sizeHint().width() : TextWidth(button, button.text()) + kButtonFrame;
  return Cut(button.text(), needed, button.width());
}

}  // namespace

QStringList CutTexts(const QWidget& root) {
  QStringList cut;
  QList<const QWidget*> controls{&root};
  for (const QWidget* child : root.findChildren<QWidget*>()) controls << child;
  for (const QWidget* control : controls) {
    QString text;
    if (const auto* label = qobject_cast<const QLabel*>(control)) {
      text = LabelCut(*label);
    } else if (const auto* button = qobject_cast<const QAbstractButton*>(control)) {
      text = ButtonCut(*button);
    }
    if (!text.isEmpty()) cut << text;
  }
  return cut;
}

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

}  // namespace

QStringList OverlappingControls(const QWidget& root) {
  QStringList faults;
  QList<const QWidget*> parents{&root};
  for (const QWidget* child : root.findChildren<QWidget*>()) parents << child;
  for (const QWidget* parent : parents) {
    if (!parent->isVisible() || IsControl(*parent)) continue;
    QList<const QWidget*> controls;
    for (const QObject* object : parent->children()) {
      const auto* control = qobject_cast<const QWidget*>(object);
      if (control == nullptr || control->isWindow() || !control->isVisible() ||
          !IsControl(*control) || IsBlankLabel(*control)) {
        continue;
      }
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

std::string CutTextsInTranslations(QWidget& window, const std::function<void()>& retext,
                                   const QString& name) {
  constexpr int kEnglish = 2;
  const std::pair<int, const char*> languages[] = {{4, "russian"}, {5, "turkish"}, {6, "persian"}};
  QStringList cut;
  window.show();
  for (const auto& [index, languageName] : languages) {
    SelectLanguageFile(index);
    retext();
    QCoreApplication::processEvents();  // controls sized from their texts lay out again
    const QString language = QString::fromLatin1(languageName);
    for (const QString& text : CutTexts(window) + OverlappingControls(window)) {
      cut << language + QStringLiteral(": ") + text;
    }
    static_cast<void>(SaveScreenshot(window, name + u'_' + language));
  }
  SelectLanguageFile(kEnglish);
  retext();
  return cut.join(u'|').toStdString();
}
