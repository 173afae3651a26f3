#pragma once
// Finds the labels and buttons of a window whose text does not fit them: the check a
// window gets in each of its longer translations.

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <string>

// The width of a control's text: plain, without its accelerator mark, or laid out as
// rich text.
int TextWidth(const QWidget& control, const QString& text);

// The visible labels and buttons under root (root included) whose text does not fit
// them, each as "text (needed/has px)".
QStringList CutTexts(const QWidget& root);

// Shows window in Russian, Turkish and Persian in turn (retext applies the language
// file chosen), keeps a picture "<name>_<language>" of each and answers the cut texts
// as "language: text|...", empty when all fit; English is the language
// file again afterwards.
std::string CutTextsInTranslations(QWidget& window, const std::function<void()>& retext,
                                   const QString& name);
