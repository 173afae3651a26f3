#pragma once
// The pages of the screen-parameter pane, in tab order: communication, basic
// parameters and scan settings, which edit the selected screen through the record
// they point at, and the advanced page, placed with them but reached by no tab. The base
// keeps the screen a page is pointed at and draws its captioned frame. The communication,
// basic and scan pages are in communication_set_dialog.h, basic_set_dialog.h and
// scan_set_dialog.h.

#include <QString>
#include <QWidget>

#include "model/project/project_records.h"
#include "platform/message_window.h"

class ScreenPage : public QWidget, public MessageWindow {
 public:
  // The page's caption is the text captionKey of its language section.
  ScreenPage(QString section, int captionKey, QWidget* parent);

  // Points the page at the selected screen; null when none is.
  virtual void LoadScreen(ScreenRecord* screen) { screen_ = screen; }
  ScreenRecord* Screen() const { return screen_; }
  // The page's caption, also its name on its tab: text captionKey of the section.
  QString Caption() const;
  const QString& Section() const { return section_; }
  int CaptionKey() const { return captionKey_; }
  virtual void ApplyLanguage();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString section_;
  int captionKey_;
  QString caption_;
  ScreenRecord* screen_ = nullptr;
};

// A page with nothing on it: no tab leads to it.
class CAdvancedSetDialog : public ScreenPage {
 public:
  explicit CAdvancedSetDialog(QWidget* parent);
};
