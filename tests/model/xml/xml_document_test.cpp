#include <gtest/gtest.h>

#include <QFile>

#include "model/common/app_dir.h"
#include "model/common/atomic_file.h"
#include "model/xml/xml_document.h"
#include "model/xml/xml_escape.h"
#include "model/xml/xml_scanner.h"
#include "model/xml/xml_utf8.h"

namespace {

QString Decl() { return XmlDocument::kDeclaration.toString(); }

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// The project-file writer pattern: one element per line, CR LF, no indentation.
TEST(XmlWrite, WriterPatternGivesTheProjectFileLayout) {
  XmlDocument doc;
  EXPECT_FALSE(doc.SetDocument(Decl()));
  ASSERT_TRUE(doc.AppendElement("LEDS"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.AppendElement("FileFlag", "x"));
  ASSERT_TRUE(doc.AppendElement("LED"));
  ASSERT_TRUE(doc.SetAttribute("LedName", "a<b"));
  ASSERT_TRUE(doc.SetIntAttribute("Width", -64));
  EXPECT_EQ(doc.GetAttribute("LedName"), "a<b");
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.AppendElement("Program"));
  ASSERT_TRUE(doc.SetAttribute("Name", "p\"1'"));
  ASSERT_TRUE(doc.LeaveElement());
  ASSERT_TRUE(doc.AppendElement("Tail", "t & u"));
  const QString expected = Decl() +
                           "<LEDS>\r\n"
                           "<FileFlag>x</FileFlag>\r\n"
                           "<LED LedName=\"a&lt;b\" Width=\"-64\">\r\n"
                           "<Program Name=\"p&quot;1&apos;\"/>\r\n"
                           "</LED>\r\n"
                           "<Tail>t &amp; u</Tail>\r\n"
                           "</LEDS>\r\n";
  EXPECT_EQ(doc.Document(), expected);

  EXPECT_EQ(doc.GetText(), "t & u");
  EXPECT_TRUE(doc.SetDocument(doc.Document()));
  ASSERT_TRUE(doc.FindElement("LEDS"));
  {
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement("FileFlag"));
    EXPECT_EQ(doc.GetText(), "x");
    ASSERT_TRUE(doc.FindElement("LED"));
    EXPECT_EQ(doc.GetAttribute("LedName"), "a<b");
    EXPECT_EQ(doc.GetAttribute("Width"), "-64");
    ASSERT_TRUE(doc.EnterElement());
    ASSERT_TRUE(doc.FindElement("Program"));
    EXPECT_EQ(doc.GetAttribute("Name"), "p\"1'");
    ASSERT_TRUE(doc.LeaveElement());
    ASSERT_TRUE(doc.FindElement("Tail"));
    EXPECT_EQ(doc.GetText(), "t & u");
  }

  const QString path = GetAppDir() + "p.kqprj";
  ASSERT_TRUE(doc.WriteFile(path));
  EXPECT_EQ(doc.Status(), QString("%1 wide chars to %1 bytes").arg(expected.size()));
  XmlDocument back;
  ASSERT_TRUE(back.ReadFile(path));
  EXPECT_TRUE(back.Parse());
  EXPECT_EQ(back.Document(), expected);
  ASSERT_TRUE(back.WriteFile(path));
  EXPECT_EQ(FileBytes(path), expected.toUtf8());  // byte-exact round trip
}

TEST(XmlWrite, AppendFindsItsPlaceInExistingText) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument("<a><b>text</b><c x='1' y='2'/></a>"));
  ASSERT_TRUE(doc.FindElement("a") && doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("b"));
  ASSERT_TRUE(doc.EnterElement());  // content but no children: before the end tag
  ASSERT_TRUE(doc.AppendElement("in"));
  ASSERT_TRUE(doc.LeaveElement());
  ASSERT_TRUE(doc.FindElement("c"));
  ASSERT_TRUE(doc.SetAttribute("x", "2"));       // single quotes become double, order kept
  ASSERT_TRUE(doc.EnterElement());  // an empty-element parent opens up
  ASSERT_TRUE(doc.AppendElement("d", "v"));
  EXPECT_EQ(doc.Document().toStdString(),
            "<a><b>text<in/>\r\n</b><c x=\"2\" y='2'>\r\n<d>v</d>\r\n</c></a>");
  ASSERT_TRUE(doc.LeaveElement());
  ASSERT_TRUE(doc.LeaveElement());
  ASSERT_TRUE(doc.AppendElement("e"));  // after the root, at the document level
  EXPECT_EQ(doc.Document().right(10).toStdString(), "</a><e/>\r\n");
  EXPECT_FALSE(doc.SetDocument(doc.Document()));
  EXPECT_EQ(doc.Status(), "Root element has sibling");
}

// Elements after an edited start tag move; those holding it grow.
TEST(XmlWrite, EditsEarlyInTheTextKeepLaterElementsRight) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument("<r q='0'><a x='1'><b y='2'>t</b></a><c z='3'>u</c></r>"));
  ASSERT_TRUE(doc.FindElement("r"));
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("a"));
  ASSERT_TRUE(doc.SetAttribute("x", "a much longer value"));
  ASSERT_TRUE(doc.SetAttribute("new", "n"));
  ASSERT_TRUE(doc.LeaveElement());
  ASSERT_TRUE(doc.SetAttribute("q", ""));
  ASSERT_TRUE(doc.EnterElement());  // back at a
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("b"));
  EXPECT_EQ(doc.GetAttribute("y"), "2");
  EXPECT_EQ(doc.GetText(), "t");
  ASSERT_TRUE(doc.LeaveElement());
  ASSERT_TRUE(doc.FindElement("c"));
  EXPECT_EQ(doc.GetAttribute("z"), "3");
  EXPECT_EQ(doc.GetText(), "u");
  EXPECT_EQ(doc.Document().toStdString(),
            "<r q=\"\"><a x=\"a much longer value\" new=\"n\"><b y='2'>t</b></a>"
            "<c z='3'>u</c></r>");
}

TEST(XmlWalk, NamesMatchExactly) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument("<r><LEDS n='1'/><LED n='2'/><LEDS n='3'/><x/></r>"));
  ASSERT_TRUE(doc.FindElement("r"));
  ASSERT_TRUE(doc.EnterElement());
  EXPECT_FALSE(doc.FindElement("led"));
  ASSERT_TRUE(doc.FindElement("LED"));
  EXPECT_EQ(doc.GetAttribute("n"), "2");
  ASSERT_TRUE(doc.FindElement("LEDS"));  // only later siblings are searched
  EXPECT_EQ(doc.GetAttribute("n"), "3");
  EXPECT_FALSE(doc.FindElement("LED"));
  EXPECT_EQ(doc.GetAttribute("n"), "3");  // a failed search does not move
  ASSERT_TRUE(doc.LeaveElement());
  ASSERT_TRUE(doc.EnterElement());  // resumes at the element left from
  EXPECT_TRUE(doc.FindElement());
  EXPECT_TRUE(doc.GetAttribute("n").isEmpty());  // x
}

TEST(XmlRead, AttributesAndText) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument(
      "<r a=\"1\" a=\"2\" bare b = 'x>y' c=\"line1\r\nline2\" d=&amp;>"
      "<t>x &amp; y</t><m>p<!-- c -->q<![CDATA[<r>]]><?pi?></m><k><z/></k><e/></r>"));
  ASSERT_TRUE(doc.FindElement("r"));
  EXPECT_EQ(doc.GetAttribute("a"), "1");
  EXPECT_EQ(doc.GetAttribute("bare"), "");
  EXPECT_EQ(doc.GetAttribute("b"), "x>y");
  EXPECT_EQ(doc.GetAttribute("c"), "line1\r\nline2");  // CR LF kept
  EXPECT_EQ(doc.GetAttribute("d"), "&");
  EXPECT_EQ(doc.GetAttribute("missing"), "");
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement("t"));
  EXPECT_EQ(doc.GetText(), "x & y");
  ASSERT_TRUE(doc.FindElement("m"));
  EXPECT_EQ(doc.GetText(), "pq<r>");
  ASSERT_TRUE(doc.FindElement("k"));
  EXPECT_EQ(doc.GetText(), "");
  ASSERT_TRUE(doc.FindElement("e"));
  EXPECT_EQ(doc.GetText(), "");
  // CR LF in a value survives a write and a read.
  ASSERT_TRUE(doc.SetAttribute("v", "1\r\n2"));
  EXPECT_EQ(doc.GetAttribute("v"), "1\r\n2");
}

TEST(XmlEscape, References) {
  EXPECT_EQ(UnescapeXmlText(u"&#65;&#x41;&#x0041;"), "AAA");
  EXPECT_EQ(UnescapeXmlText(u"&#x1F600;"), QString::fromUtf8("\U0001F600"));
  EXPECT_EQ(UnescapeXmlText(u"&#128512;").size(), 2);
  const char16_t* kept[] = {u"&#;", u"&#x;", u"&#0;", u"&nbsp;", u"&#xD800;",
                            u"&#x110000;", u"&#12345678;", u"a&b", u"&lt"};
  for (const char16_t* text : kept) EXPECT_EQ(UnescapeXmlText(text), QString::fromUtf16(text));
  EXPECT_EQ(UnescapeXmlText(u"&lt;&gt;&amp;&apos;&quot;"), "<>&'\"");
  EXPECT_EQ(EscapeXmlText(u"<a & 'b' \"c\">", false), "&lt;a &amp; 'b' \"c\"&gt;");
  EXPECT_EQ(EscapeXmlText(u"'\"", true), "&apos;&quot;");
}

TEST(XmlUtf8, ConversionOfBadInput) {
  auto decode = [](const QByteArray& bytes) {
    QString out(Utf8ToWide(bytes.constData(), bytes.size(), nullptr), Qt::Uninitialized);
    Utf8ToWide(bytes.constData(), bytes.size(), reinterpret_cast<char16_t*>(out.data()));
    return out;
  };
  EXPECT_EQ(decode("a\xC3\xA9z"), QString::fromUtf8("a\xC3\xA9z"));
  EXPECT_EQ(decode("\xF0\x9F\x98\x80"), QString::fromUtf8("\U0001F600"));
  EXPECT_EQ(decode("a\xFFz"), "a?z");
  EXPECT_EQ(decode("a\x80z"), "a?z");          // stray continuation byte
  EXPECT_EQ(decode("a\xE2\x82z"), "a?z");      // cut short: the z is kept
  EXPECT_EQ(decode("a\xE2\x82"), "a?");        // cut by the end of the input
  EXPECT_EQ(decode("\xF7\xBF\xBF\xBF"), "?");  // above U+10FFFF
  EXPECT_EQ(decode(QByteArray("ab\0cd", 5)), "ab");

  auto encode = [](const QString& text) {
    QByteArray out(WideToUtf8(text, nullptr, 0), Qt::Uninitialized);
    WideToUtf8(text, out.data(), out.size());
    return out;
  };
  EXPECT_EQ(encode(QString::fromUtf8("\xC3\xA9\U0001F600")), "\xC3\xA9\xF0\x9F\x98\x80");
  // A lone surrogate is "?" and the character after it is kept.
  EXPECT_EQ(encode(QString(QChar(0xD800)) + "A"), "?A");
  EXPECT_EQ(encode(QString(QChar(0xDC00)) + "B"), "?B");
  EXPECT_EQ(encode(QString(QChar(0xD800))), "?");
  char small[3];
  EXPECT_EQ(WideToUtf8(QString::fromUtf8("a\U0001F600"), small, sizeof small), 1);
}

TEST(XmlParse, LenientCases) {
  XmlDocument doc;
  EXPECT_EQ(doc.Status(), "Empty document");
  EXPECT_FALSE(doc.SetDocument(Decl()));
  EXPECT_EQ(doc.Status(), "No root element");

  EXPECT_FALSE(doc.SetDocument("<a><b></a>"));
  EXPECT_EQ(doc.Status(),
            "End tag 'a' at offset 7 does not match start tag 'b' at offset 3");
  ASSERT_TRUE(doc.FindElement("a") && doc.EnterElement() && doc.FindElement("b"));
  EXPECT_EQ(doc.GetText(), "");

  EXPECT_FALSE(doc.SetDocument("<a/><b/>"));
  EXPECT_EQ(doc.Status(), "Root element has sibling");
  EXPECT_TRUE(doc.FindElement("b"));

  // Children of a not-ended element follow it as siblings.
  EXPECT_FALSE(doc.SetDocument("<r><a><b/><c/></r>"));
  ASSERT_TRUE(doc.FindElement("r"));
  ASSERT_TRUE(doc.EnterElement());
  EXPECT_TRUE(doc.FindElement("a") && doc.FindElement("b") && doc.FindElement("c"));

  struct Case {
    const char* text;
    const char* status;
  };
  const Case cases[] = {
      {"<a>", "Element 'a' at offset 0 not ended"},
      {"<a><b>", "Root element has sibling"},  // b follows a at the top level
      {"<a></x></a>", "No start tag for end tag 'x' at offset 3"},
      {"<a>< b></a>", "Incorrect tag name character at offset 3"},
      {"<a><!-x></a>", "Incorrect comment tag at offset 3"},
      {"<a><![X[]]></a>", "Incorrect tag at offset 3"},
      {"<a><!Q></a>", "Incorrect ! tag at offset 3"},
      {"<a><!-- x", "Comment at offset 3 unterminated"},
      {"<a><![CDATA[x", "CDATA Section at offset 3 unterminated"},
      {"<a><?pi", "Processing instruction at offset 3 unterminated"},
      {"<a></a", "Element end tag at offset 3 unterminated"},
      {"<a><!DOCTYPE x", "Doctype at offset 3 unterminated"},
      {"<r><a b=\">", "Element tag at offset 3 unterminated"},
  };
  for (const Case& c : cases) {
    EXPECT_FALSE(doc.SetDocument(c.text)) << c.text;
    EXPECT_EQ(doc.Status(), c.status) << c.text;
  }
  EXPECT_TRUE(doc.SetDocument(
      "<!DOCTYPE r [<!ELEMENT r (#PCDATA)><!ATTLIST r a CDATA \">\">]>"
      "\xEF\xBB\xBF<r><![CDATA[<x>]]></r>"));

  // The "/" of "/>" after an unquoted value belongs to the value.
  EXPECT_FALSE(doc.SetDocument("<a b=1/>"));
  ASSERT_TRUE(doc.FindElement("a"));
  EXPECT_EQ(doc.GetAttribute("b"), "1/");
  EXPECT_TRUE(doc.SetDocument("<a b='1'/>"));
  EXPECT_TRUE(doc.SetDocument("<a b=1 />"));
}

// Inside the internal subset, comments and processing instructions are skipped
// whole and quoted literals within declarations too: quotes and ">" in them end
// nothing, so the declaration ends at its own "]>".
TEST(XmlParse, DoctypeSubsetIsScannedByItsGrammar) {
  const QString subsets[] = {
      "<!-- it's a \"quoted -->\r\n<!ELEMENT r (#PCDATA)>",
      "<!-- a > b -->",
      "<?pi it's > here?>",
      "<!ENTITY e \"]>\"><!ATTLIST r a CDATA ']>'>",
      "<!-- <!DOCTYPE x [ <![CDATA[ -->",
  };
  for (const QString& subset : subsets) {
    const QString doctype = "<!DOCTYPE r [\r\n" + subset + "\r\n]>";
    qsizetype pos = 0;
    const XmlNode node = ScanMarkup(doctype + "<r>x</r>", &pos);
    EXPECT_EQ(node.kind, XmlNodeKind::Doctype) << subset.toStdString();
    EXPECT_EQ(node.length, doctype.size()) << subset.toStdString();
    XmlDocument doc;
    ASSERT_TRUE(doc.SetDocument(Decl() + doctype + "\r\n<r>x</r>\r\n"))
        << doc.Status().toStdString();
    ASSERT_TRUE(doc.FindElement("r"));
    EXPECT_EQ(doc.GetText(), "x");
  }
  XmlDocument doc;
  EXPECT_FALSE(doc.SetDocument("<r><!DOCTYPE r [<!-- it's"));
  EXPECT_EQ(doc.Status(), "Doctype at offset 3 unterminated");
  EXPECT_FALSE(doc.SetDocument("<r><!DOCTYPE r [<?pi ]></r>"));
  EXPECT_EQ(doc.Status(), "Doctype at offset 3 unterminated");
  EXPECT_FALSE(doc.SetDocument("<!DOCTYPE r [<![INCLUDE[]]>]><r/>"));
  EXPECT_EQ(doc.Status(), "Incorrect ! tag at offset 0");
}

// A refused edit answers false and leaves the text and the position as they were.
TEST(XmlWrite, EditBeyondTheLimitIsRefusedAndChangesNothing) {
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument("<r a='1'/>"));
  ASSERT_TRUE(doc.FindElement("r"));
  {
    XmlDocument::ScopedEditLimit limit(doc.Document().size() + 1);
    EXPECT_FALSE(doc.SetAttribute("a", "12345"));
    EXPECT_FALSE(doc.SetAttribute("bb", "1"));
    ASSERT_TRUE(doc.EnterElement());
    EXPECT_FALSE(doc.AppendElement("c"));
    ASSERT_TRUE(doc.LeaveElement());
    EXPECT_EQ(doc.Document(), "<r a='1'/>");
    EXPECT_TRUE(doc.SetAttribute("a", "2"));  // "2" in double quotes: no longer
  }
  EXPECT_TRUE(doc.SetAttribute("bb", "1"));
  EXPECT_EQ(doc.Document(), "<r a=\"2\" bb=\"1\"/>");
}

TEST(XmlParse, LongTagsKeepTheirLengthsApart) {
  const QString value(2 * 1024 * 1024, u'v');
  const QString name(2000, u'n');
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument("<r a=\"" + value + "\"><" + name + ">t</" + name +
                              QString(2000, u' ') + "></r>"));
  ASSERT_TRUE(doc.FindElement("r"));
  EXPECT_EQ(doc.GetAttribute("a"), value);
  ASSERT_TRUE(doc.EnterElement());
  ASSERT_TRUE(doc.FindElement(name));
  EXPECT_EQ(doc.GetText(), "t");
  ASSERT_TRUE(doc.SetAttribute("z", "1"));
  ASSERT_TRUE(doc.LeaveElement());
  EXPECT_EQ(doc.GetAttribute("a"), value);
}

TEST(XmlFile, ReadAndWriteFailuresAreReported) {
  const QString root = GetAppDir();
  XmlDocument doc;
  ASSERT_TRUE(doc.SetDocument("<a/>"));
  EXPECT_FALSE(doc.ReadFile(root + "missing.xml"));
  EXPECT_FALSE(doc.Status().isEmpty());
  EXPECT_EQ(doc.Document(), "<a/>");
  EXPECT_FALSE(doc.ReadFile(root));  // a folder
  EXPECT_EQ(doc.Document(), "<a/>");
  EXPECT_FALSE(doc.WriteFile(root + "no/such/folder/x.xml"));
  EXPECT_FALSE(doc.Status().isEmpty());

  ASSERT_TRUE(WriteFileAtomically(root + "bom.xml", QByteArray("\xEF\xBB\xBF<r>\xC3\xA9\xFF</r>\0<x/>", 18)));
  ASSERT_TRUE(doc.ReadFile(root + "bom.xml"));
  EXPECT_EQ(doc.Status(), "18 bytes to 10 wide chars");
  EXPECT_TRUE(doc.Parse());
  EXPECT_EQ(doc.Status(), "18 bytes to 10 wide chars");
  ASSERT_TRUE(doc.FindElement("r"));
  EXPECT_EQ(doc.GetText(), QString::fromUtf8("\xC3\xA9?"));

  ASSERT_TRUE(WriteFileAtomically(root + "bad.xml", "<r>"));
  ASSERT_TRUE(doc.ReadFile(root + "bad.xml"));
  EXPECT_FALSE(doc.Parse());
  EXPECT_EQ(doc.Status(), "3 bytes to 3 wide chars, Element 'r' at offset 0 not ended");

  XmlDocument empty;
  ASSERT_TRUE(empty.WriteFile(root + "empty.xml"));
  EXPECT_EQ(FileBytes(root + "empty.xml"), "");
}

// A long document is written in slices; wherever a slice ends, a character outside
// the basic plane (a surrogate pair) stays whole and the bytes are the whole text's.
TEST(XmlFile, LongTextIsWrittenAsOneConversion) {
  const QString root = GetAppDir();
  const QString pair = QString::fromUtf8("\xF0\x9F\x98\x80");  // U+1F600
  for (const int filler : {32763, 32764, 32765, 65532}) {  // pairs around 32768 and 65536
    const QString text = QStringLiteral("<r>") + QString(filler, u'a') + pair +
                         QString::fromUtf8("\xC3\xA9") + pair + QStringLiteral("</r>");
    XmlDocument doc;
    ASSERT_TRUE(doc.SetDocument(text));
    ASSERT_TRUE(doc.WriteFile(root + "long.xml"));
    EXPECT_EQ(FileBytes(root + "long.xml"), text.toUtf8()) << filler;
  }
}

}  // namespace
