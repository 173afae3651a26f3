#include "editors/page_parts/rtf_file_saver.h"

#include "controls/rich_edit/rich_edit_ex.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

constexpr int kSaveFailedText = 1027;
constexpr int kTextCutText = 1032;
constexpr int kStyleError = 0x10;
constexpr int kStyleInformation = 0x40;

}  // namespace

bool RtfFileSaver::Save(CRichEditEx& edit, const QString& path, const Ask& ask) {
  if (edit.SaveRtfFile(path) == 1) {
    failureShown_ = false;
    return true;
  }
  if (!failureShown_) {
    failureShown_ = true;
    ask(ReadLangText(lang_section::IDD_RTFEDIT_DIALOG, kSaveFailedText), kStyleError);
  }
  return false;
}

void TellTextCut(const RtfFileSaver::Ask& ask) {
  static_cast<void>(
      ask(ReadLangText(lang_section::IDD_RTFEDIT_DIALOG, kTextCutText), kStyleInformation));
}
