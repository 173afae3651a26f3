#pragma once
// The main window's status bar (control 99): five parts whose right edges are 20, 150,
// 520 and 670 pixels and the window's edge; each shows an icon, a text or both. The
// progress bar (control 1299) lies over part 3.

#include <QLabel>
#include <QProgressBar>
#include <QWidget>

#include <array>

class MainStatusBar : public QWidget {
 public:
  static constexpr int kHeight = 22;
  static constexpr int kPartCount = 5;

  explicit MainStatusBar(QWidget* parent);

  void SetText(int part, const QString& text);
  QString Text(int part) const;
  void SetIcon(int part, const QPixmap& icon);
  // The part's icon; null when it shows none.
  QPixmap Icon(int part) const;
  QProgressBar& Progress() { return progress_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  // The right edge of part, which starts at left.
  int PartRight(int part, int left) const;

  struct Part {
    QLabel* icon;
    QLabel* text;
  };
  std::array<Part, kPartCount> parts_;
  QProgressBar progress_;
};
