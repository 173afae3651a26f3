#pragma once
// The program's own XML document: one UTF-16 text plus a table of element positions
// into it. Parsing is lenient (it always yields a tree to walk and keeps the first
// problem as the status text), the walk goes one level at a time, and edits change
// the text in place while keeping every position in the table right.
//
// Position: the parent whose children are walked (0 = document level), the current
// element (0 = none yet) and the child position that EnterElement resumes at.
// Names compare exactly, case-sensitively.

#include <vector>

#include <QString>
#include <QStringView>

class XmlDocument {
 public:
  // The declaration line the stores start new files with.
  static constexpr QStringView kDeclaration = u"<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n";

  XmlDocument();  // the empty text, parsed (status "Empty document")

  // Replaces the text, empties the status and parses.
  [[nodiscard]] bool SetDocument(const QString& text);
  // Reads the whole UTF-8 file into the text, without parsing. On failure the text
  // is unchanged and the status says why; a file larger than maxBytes (at most
  // kMaxTextLength) fails before anything is read. No byte-order mark is recognised:
  // one stays as U+FEFF before the root element.
  [[nodiscard]] bool ReadFile(const QString& path, qint64 maxBytes = kMaxTextLength);
  // Rebuilds the element table and puts the position at the document level. True
  // when well-formed: no error, a root element, and no sibling of it.
  [[nodiscard]] bool Parse();
  // Writes the text as UTF-8 (no byte-order mark), atomically: the old file stays
  // when anything fails, and the status then says why.
  [[nodiscard]] bool WriteFile(const QString& path);

  // Moves to the next element of that name (any name when empty) at this level.
  [[nodiscard]] bool FindElement(const QString& name = QString());
  [[nodiscard]] bool EnterElement();  // one level down into the current element
  [[nodiscard]] bool LeaveElement();  // one level up; false at the document level
  // Back to the document level before the root, as after Parse.
  void ResetPosition();

  // Inserts <name>text</name> (or <name/>) and CR LF after the current element and
  // makes it current. False only when the text would grow beyond kMaxTextLength
  // (or the limit of a ScopedEditLimit); the document is then unchanged.
  [[nodiscard]] bool AppendElement(const QString& name, const QString& text = QString());
  // Sets an attribute of the current element (in place when it exists, always in
  // double quotes). False without a current element or, as for AppendElement, when
  // the text would grow too long.
  [[nodiscard]] bool SetAttribute(const QString& name, const QString& value);
  [[nodiscard]] bool SetIntAttribute(const QString& name, int value);
  // The unescaped value of the first attribute of that name; empty when missing.
  QString GetAttribute(const QString& name) const;
  // The text content of the current element; empty when it has child elements.
  QString GetText() const;

  const QString& Document() const { return text_; }
  const QString& Status() const { return status_; }

  // Offsets are kept in 32 bits; a longer text is refused.
  static constexpr qsizetype kMaxTextLength = 0x7FFFFFF0;
  // The longest text an edit may leave: kMaxTextLength, or the limit of the
  // ScopedEditLimit that lives. XmlFileWriter keeps to it too.
  static qsizetype EditLimit();
  // Tests only: while one lives, edits of every document (and every XmlFileWriter)
  // refuse to grow its text beyond limit characters (at most kMaxTextLength), so
  // that a writer can be made to fail midway. The limit before it comes back when it
  // ends.
  class ScopedEditLimit {
   public:
    explicit ScopedEditLimit(qsizetype limit);
    ~ScopedEditLimit();
    ScopedEditLimit(const ScopedEditLimit&) = delete;
    ScopedEditLimit& operator=(const ScopedEditLimit&) = delete;

   private:
    qsizetype previous_;
  };

 private:
  // One element. Start-tag and end-tag lengths have fields of their own, so a long
  // tag cannot spill into its neighbour.
  struct Element {
    int start = 0;   // offset of the "<" of the start tag
    int length = 0;  // through the ">" of the end tag (or of the empty tag)
    int startTagLength = 0;
    int endTagLength = 0;   // 0 for an empty or not-ended element
    bool notEnded = false;  // runs over its start tag only
    int parent = 0;
    int firstChild = 0;
    int nextSibling = 0;
    int previousSibling = 0;  // on a first child: the last sibling
    int End() const { return start + length; }
  };

  struct AttributeSpan {
    bool found = false;
    bool hasValue = false;  // written with "="
    qsizetype nameEnd = 0;
    qsizetype valueStart = 0;  // the value as written, with its quotes
    qsizetype valueEnd = 0;
    QStringView value;       // without quotes, still escaped
    qsizetype insertAt = 0;  // after the last name or value of the tag
  };

  void ParseElements();
  int AddElement(int parent, qsizetype start, qsizetype startTagLength);
  void CloseNotEnded(int index);
  void CompleteElement(int index, qsizetype endTagEnd, qsizetype endTagLength);
  void Fail(const QString& message);
  QStringView NameOf(int index) const;
  int LastChild(int index) const;
  void LinkAfter(int index, int previous, int parent);
  AttributeSpan FindAttributeSpan(const Element& element, QStringView name) const;
  qsizetype SkipWhitespaceToMarkup(qsizetype point) const;
  [[nodiscard]] bool ReplaceText(int anchor, qsizetype at, qsizetype oldLength,
                                 const QString& with);
  void ShiftSubtree(int index, int delta);

  QString text_;
  QString status_;
  int parent_ = 0;
  int current_ = 0;
  int child_ = 0;
  bool illFormed_ = false;
  std::vector<Element> elements_;  // entry 0 is the document
};
