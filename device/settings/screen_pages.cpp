#include "device/settings/screen_pages.h"

#include <QPainter>

#include "model/painting/painting_helpers.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

ScreenPage::ScreenPage(QString section, int captionKey, QWidget* parent)
    : QWidget(parent), section_(std::move(section)), captionKey_(captionKey) {
  ApplyLanguage();
}

QString ScreenPage::Caption() const { return caption_; }

void ScreenPage::ApplyLanguage() {
  caption_ = ReadLangText(section_, captionKey_);
  update();
}

void ScreenPage::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  DrawPanelFrameClient(caption_, false, true, this, painter);
}

CAdvancedSetDialog::CAdvancedSetDialog(QWidget* parent)
    : ScreenPage(lang_section::IDD_ADVANCEDSET_DIALOG, 1000, parent) {}
