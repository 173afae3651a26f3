#include "editors/page_parts/control_tips.h"

#include "controls/buttons/button_qx.h"
#include "model/settings/lang_text.h"
#include "model/settings/ui/dlg_lang_text.h"

void SetControlTips(QWidget& page, const QString& section, std::span<const int[2]> tips) {
  for (const auto& [id, text] : tips) {
    QWidget* control = FindControl(&page, id);
    if (auto* button = dynamic_cast<CButtonQx*>(control)) {
      button->SetTipText(ReadLangText(section, text), true);
    } else if (control != nullptr) {
      control->setToolTip(ReadLangText(section, text));
    }
  }
}
