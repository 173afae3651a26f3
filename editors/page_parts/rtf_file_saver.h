#pragma once
// Saving the text of a rich-edit control that is saved at every change: a failed save
// is shown (IDD_RTFEDIT_DIALOG 1027) once, and again only after a save has succeeded,
// so typing on after a failure does not bring a message per keystroke. And the notice
// that opened or pasted text was cut to what a page keeps (IDD_RTFEDIT_DIALOG 1032).

#include <QString>

#include <functional>

class CRichEditEx;

class RtfFileSaver {
 public:
  // The styled message box: text and style, the pressed button back.
  using Ask = std::function<int(const QString& text, int style)>;

  // Saves the control's content as RTF to path. False when the save failed.
  bool Save(CRichEditEx& edit, const QString& path, const Ask& ask);

 private:
  bool failureShown_ = false;
};

// Tells the user that text was longer than a page keeps and only its beginning was taken.
void TellTextCut(const RtfFileSaver::Ask& ask);
