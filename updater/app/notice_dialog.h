#pragma once
// CNoticeDialog: the pop-up that offers a new version. Frameless and on top of other
// windows, at the bottom right of the screen's free area (above a task bar); its top
// bar, which carries the white title "Quendra - Update notice" and the close box, drags it.
// The caption names the version, the body shows the server's message as plain text.
// OK (button 1) ends it with IDOK; Cancel (2), the close box (1004) and Esc with
// IDCANCEL.

#include <QDialog>

class QLabel;
class CPlainButton;

class CNoticeDialog : public QDialog {
 public:
  static constexpr int kTopBarHeight = 25;

  CNoticeDialog(const QString& version, const QString& message, QWidget* parent);

  // Places the pop-up and runs it: IDOK or IDCANCEL.
  int RunModal();
  // Moves it to the bottom right of the primary screen's free area.
  void PlaceAtScreenCorner();

  QString Caption() const;
  QString MessageText() const;
  CPlainButton& Button(int id) const;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

 private:
  QLabel* caption_;
  QLabel* message_;
  CPlainButton* ok_;
  CPlainButton* cancel_;
  CPlainButton* close_;
};
