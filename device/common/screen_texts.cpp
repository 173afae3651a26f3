#include "device/common/screen_texts.h"

#include "model/project/project_records.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

QString ColorTypeText(std::int32_t colorType) {
  constexpr int kFirstColorText = 1017;
  if (colorType < 0 || colorType > 3) return {};
  return ReadLangText(lang_section::IDD_BASICSET_DIALOG, kFirstColorText + colorType);
}

QString LinkTypeText(std::int32_t sendType) {
  switch (sendType) {
    case kSendByNetwork: return ReadLangText(lang_section::IDD_COMMUNICATIONSET_DIALOG, 1011);
    case kSendBySerialLine: return ReadLangText(lang_section::IDD_COMMUNICATIONSET_DIALOG, 1012);
    case kSendByUsbDisk: return QStringLiteral("USB");
    default: return {};
  }
}
