#pragma once
// CAboutDialog: the Help > About box. Its picture carries a water ripple: a stone
// drops where the mouse moves over it and one in its middle every 3 s. Below the
// picture: the version, the maker's notice, a link to the maker's web page and OK.

#include <QDialog>
#include <QIcon>
#include <QImage>
#include <QPoint>
#include <QUrl>

#include <functional>
#include <memory>

#include "platform/message_window.h"

class CRipple;
class QPushButton;

// Opens a web address; false when it could not be opened.
using LinkOpener = std::function<bool(const QUrl&)>;

class CAboutDialog : public QDialog, public MessageWindow {
 public:
  static constexpr UINT kDropTimer = 1;
  static constexpr int kDropTimerMs = 3000;
  static constexpr int kOkId = 1438;
  static constexpr int kLinkId = 1572;
  static constexpr QPoint kDropPoint{170, 90};  // the picture's middle
  static constexpr int kTimerDepth = 600;
  static constexpr int kMouseDepth = 256;
  static constexpr int kBandBottom = 220;  // the coloured band ends here
  // The maker's web page behind the link.
  static constexpr char kMakerPage[] = "https://quendra.example.com/";

  // open: how the link's page is opened, the desktop's browser unless given.
  explicit CAboutDialog(QWidget* parent, LinkOpener open = {});
  ~CAboutDialog() override;

  LRESULT WindowProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
  CRipple& Ripple() { return *ripple_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void OnInitDialog();
  void CreateControls();

  std::unique_ptr<CRipple> ripple_;
  QImage picture_;  // picture 533
  QIcon icon_;      // icon 128
  LinkOpener open_;
  QPushButton* ok_ = nullptr;  // 1438
};
