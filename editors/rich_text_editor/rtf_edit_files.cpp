// The editor's files: opening a file into it, saving, saving as, and the save on
// closing.

#include <QTextCursor>

#include "controls/dialogs/style_message_dialog.h"
#include "controls/rich_edit/rich_edit_ex.h"
#include "editors/rich_text_editor/plain_text.h"
#include "editors/rich_text_editor/rtf_edit_dialog.h"
#include "model/common/media_kind.h"
#include "model/common/regular_file.h"
#include "model/settings/fixed_texts.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"
#include "render/text/text_bounds.h"

namespace {

const QString kRtfSuffix = QStringLiteral(".rtf");

// IDD_RTFEDIT_DIALOG: close without saving?
constexpr int kCloseUnsavedText = 1028;
// IDD_RTFEDIT_DIALOG: the file filters' names.
constexpr int kAllFilesText = 1029;
constexpr int kRichTextText = 1030;
constexpr int kPlainTextText = 1031;

QString FilterName(int key) { return ReadLangTextOrFixed(lang_section::IDD_RTFEDIT_DIALOG, key); }

QString RichTextFilter() {
  return FilterName(kRichTextText) + QStringLiteral("(*.rtf) (*.rtf *.RTF)");
}

QString OpenFilter() {
  return FilterName(kAllFilesText) + QStringLiteral("(*.rtf;*.txt) (*.txt *.rtf *.TXT *.RTF);;") +
         RichTextFilter() + QStringLiteral(";;") + FilterName(kPlainTextText) +
         QStringLiteral("(*.txt) (*.txt *.TXT)");
}
constexpr int kStyleAsk = 0x41;

}  // namespace

void CRtfEditDialog::OnOpenFile() {
  const QString path = hooks_.chooseOpenFile(OpenFilter());
  if (path.isEmpty()) return;
  switch (GetMediaKind(path)) {
    case kMediaRichText:
      // A file that cannot be read changes nothing; a read one replaces the content,
      // which is saved and rendered as any change.
      if (edit_->LoadRtfFile(path) == 1 && edit_->Content().Cut()) TellTextCut(hooks_.ask);
      break;
    case kMediaText: OpenPlainText(path); break;
    default: break;
  }
}

void CRtfEditDialog::OpenPlainText(const QString& path) {
  QByteArray bytes;
  if (ReadRegularFile(path, &bytes, kMaxPlainTextBytes) != 0) return;
  QString text = DecodePlainText(bytes, LanguageIndex);
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(u'\r', u'\n');
  // The whole content replaced, in the format of its first character.
  const QTextCharFormat format = ToTextCharFormat(edit_->Content().CharFormatAt(0));
  QTextCursor cursor(&edit_->Content().Document());
  cursor.select(QTextCursor::Document);
  bool cut = false;
  cursor.insertText(BoundedPlainText(text, kMaxRichTextUnits, &cut), format);
  if (cut) TellTextCut(hooks_.ask);
}

bool CRtfEditDialog::SaveTo(const QString& path) { return saver_.Save(*edit_, path, hooks_.ask); }

void CRtfEditDialog::OnSaveAs() {
  QString path = hooks_.chooseSaveFile(RichTextFilter());
  if (path.isEmpty()) return;
  if (!path.endsWith(kRtfSuffix, Qt::CaseInsensitive)) path += kRtfSuffix;
  static_cast<void>(SaveTo(path));
}

void CRtfEditDialog::done(int result) {
  if (edit_->SaveRtfFile(rtfPath_) != 1 &&
      hooks_.ask(ReadLangText(lang_section::IDD_RTFEDIT_DIALOG, kCloseUnsavedText), kStyleAsk) !=
          kIdOk) {
    return;  // Cancel: the editor stays open with its text
  }
  QDialog::done(result);
}
