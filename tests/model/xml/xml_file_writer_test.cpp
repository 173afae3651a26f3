#include <gtest/gtest.h>

#include <QFile>

#include "model/common/app_dir.h"
#include "model/xml/xml_document.h"
#include "model/xml/xml_file_writer.h"

namespace {

QByteArray FileBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

// Builds the same elements into an XmlDocument or an XmlFileWriter: escapes, an
// entered element without children, one with text and children, three levels left
// at once, and texts of surrogate pairs longer than a written slice, at both
// parities, with a lone high surrogate at the end of one.
template <typename Document>
bool Build(Document& doc) {
  const QString pair = QString::fromUtf8("\U0001F600");
  return doc.AppendElement(QStringLiteral("Root")) &&
         doc.SetAttribute(QStringLiteral("a"), QStringLiteral("<&>'\"")) && doc.EnterElement() &&
         doc.AppendElement(QStringLiteral("T"), QStringLiteral("<&>'\"")) &&
         doc.AppendElement(QStringLiteral("Empty")) &&
         doc.SetIntAttribute(QStringLiteral("n"), -5) && doc.EnterElement() && doc.LeaveElement() &&
         doc.AppendElement(QStringLiteral("Mixed"), QStringLiteral("text ")) &&
         doc.EnterElement() && doc.AppendElement(QStringLiteral("C")) && doc.LeaveElement() &&
         doc.AppendElement(QStringLiteral("Odd"), u'x' + pair.repeated(20000)) &&
         doc.AppendElement(QStringLiteral("Even"), pair.repeated(20000) + pair[0]) &&
         doc.AppendElement(QStringLiteral("Deep")) && doc.EnterElement() &&
         doc.AppendElement(QStringLiteral("Deeper")) && doc.EnterElement() &&
         doc.AppendElement(QStringLiteral("Leaf"), QStringLiteral("l"));
}

TEST(XmlFileWriter, WritesTheBytesOfTheSameDocumentBuiltByEdits) {
  XmlDocument doc;
  static_cast<void>(doc.SetDocument(XmlDocument::kDeclaration.toString()));
  ASSERT_TRUE(Build(doc));
  const QString edited = GetAppDir() + QStringLiteral("edited.xml");
  ASSERT_TRUE(doc.WriteFile(edited));

  const QString streamed = GetAppDir() + QStringLiteral("streamed.xml");
  XmlFileWriter writer(streamed);
  ASSERT_TRUE(Build(writer));
  ASSERT_TRUE(writer.Commit());
  EXPECT_EQ(FileBytes(streamed), FileBytes(edited));
}

TEST(XmlFileWriter, TextBeyondTheEditLimitLeavesTheFileAsItWas) {
  const QString path = GetAppDir() + QStringLiteral("limited.xml");
  XmlDocument doc;
  static_cast<void>(doc.SetDocument(XmlDocument::kDeclaration.toString()));
  ASSERT_TRUE(Build(doc) && doc.WriteFile(path));
  const QByteArray whole = FileBytes(path);
  {
    XmlDocument::ScopedEditLimit refuse(doc.Document().size() - 1);
    XmlFileWriter writer(path);
    static_cast<void>(Build(writer));
    EXPECT_FALSE(writer.Commit());
    EXPECT_EQ(FileBytes(path), whole);
  }
  XmlDocument::ScopedEditLimit exact(doc.Document().size());
  XmlFileWriter writer(path);
  ASSERT_TRUE(Build(writer));
  EXPECT_TRUE(writer.Commit());
  EXPECT_FALSE(QFile::exists(path + QStringLiteral(".tmp")));
}

}  // namespace
