// Feeds arbitrary bytes through the UTF-8 decoder, the parser, a full walk with
// reads, edits and a second parse; the sanitizers catch any bad access.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include <QByteArray>
#include <QString>

#include "model/xml/xml_document.h"
#include "model/xml/xml_utf8.h"

namespace {

// Steps of the walk; a crafted input may hold very many elements.
constexpr int kMaxWalkSteps = 20000;

// An outcome the document guarantees; a broken guarantee ends the run as a crash.
void Require(bool holds) {
  if (!holds) std::abort();
}

void Walk(XmlDocument& doc) {
  for (int step = 0; step < kMaxWalkSteps; ++step) {
    if (doc.FindElement()) {
      doc.GetAttribute(QStringLiteral("a"));
      doc.GetText();
      Require(doc.EnterElement());
    } else if (!doc.LeaveElement()) {
      return;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const auto* bytes = reinterpret_cast<const char*>(data);
  const auto count = static_cast<qsizetype>(size);
  QString text(Utf8ToWide(bytes, count, nullptr), Qt::Uninitialized);
  Utf8ToWide(bytes, count, reinterpret_cast<char16_t*>(text.data()));
  QByteArray back(WideToUtf8(text, nullptr, 0), Qt::Uninitialized);
  WideToUtf8(text, back.data(), back.size());

  XmlDocument doc;
  // Whether the input is well-formed, and whether the walk ends on an element to
  // edit, depends on the input; the edits after that cannot fail.
  static_cast<void>(doc.SetDocument(text));
  Walk(doc);
  static_cast<void>(doc.SetAttribute(QStringLiteral("k"), QStringLiteral("'\"<&")));
  Require(doc.AppendElement(QStringLiteral("n"), QStringLiteral("v<&>")));
  Require(doc.SetAttribute(QStringLiteral("a"), QStringLiteral("1")));
  Require(doc.EnterElement());
  Require(doc.AppendElement(QStringLiteral("m")));
  static_cast<void>(doc.SetDocument(doc.Document()));
  Walk(doc);
  return 0;
}
