#pragma once
// Splits XML text into nodes, leniently: every input gives a sequence of nodes, a
// malformed one as an error node that carries its message.

#include <QString>
#include <QStringView>

enum class XmlNodeKind {
  End,          // no more text
  Text,         // character data up to the next "<"
  Whitespace,   // character data of blanks, tabs, CR and LF only
  StartTag,     // "<name ...>"
  EmptyTag,     // "<name .../>"
  EndTag,       // "</name>"
  Instruction,  // "<?...?>"
  Comment,      // "<!--...-->"
  Cdata,        // "<![CDATA[...]]>"
  Doctype,      // "<!DOCTYPE ...>" with its nested declarations
  Declaration,  // "<!ELEMENT ...>", "<!ATTLIST ...>", "<!NOTATION ...>"
  Error,        // malformed or cut-off markup; see XmlNode::error
};

struct XmlNode {
  XmlNodeKind kind = XmlNodeKind::End;
  qsizetype start = 0;  // offset in UTF-16 units
  qsizetype length = 0;
  QString error;  // the message of an error node
};

// The node at *pos of text; moves *pos past it.
XmlNode ScanMarkup(QStringView text, qsizetype* pos);

// The name of the tag or end tag whose name part starts at from: leading blanks are
// skipped and the name runs to a blank or one of "<>=\/?!"; such a character on its
// own is the name.
QStringView XmlNameAt(QStringView text, qsizetype from);

// Blank, tab, LF or CR.
inline bool IsXmlSpace(QChar c) { return c == u' ' || c == u'\t' || c == u'\n' || c == u'\r'; }
