#include "tests/support/cut_texts.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
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
    for (const QString& text : CutTexts(window)) cut << language + QStringLiteral(": ") + text;
    static_cast<void>(SaveScreenshot(window, name + u'_' + language));
  }
  SelectLanguageFile(kEnglish);
  retext();
  return cut.join(u'|').toStdString();
}
