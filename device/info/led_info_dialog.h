#pragma once
// CLedInfoDialog (IDD_LEDINFO_DIALOG): the read-only page of the project page that
// sums up the current screen: card model, colour, size and link. It shows the screen
// anew on UM_LOAD_SELECTION; with no current screen its fields are empty.

#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QWidget>

#include <array>

#include "platform/message_window.h"

// The card model shown for a card name: its first part, trimmed, when the name is two
// parts joined by "-"; empty otherwise.
QString CardModelText(const QString& cardName);

class CLedInfoDialog : public QWidget, public MessageWindow {
 public:
  // The fields in their order on the page.
  enum Field { kCardModel, kColor, kSize, kLink, kFieldCount };

  explicit CLedInfoDialog(QWidget* parent);

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;

  // Shows the current screen.
  void Refresh();
  // The labels and the caption, and the fields' texts again.
  void ApplyLanguage();

  QString FieldText(Field field) const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::array<QLabel*, kFieldCount> labels_{};
  std::array<QLineEdit*, kFieldCount> fields_{};
  QString caption_;
};
