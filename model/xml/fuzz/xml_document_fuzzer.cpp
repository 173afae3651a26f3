// Feeds arbitrary bytes through the UTF-8 decoder, the parser, a full walk with
// reads, edits and a second parse; the sanitizers catch any bad access.
#include <cstddef>
#include <cstdint>

#include <QByteArray>
#include <QString>

#include "model/xml/xml_document.h"
#include "model/xml/xml_utf8.h"

namespace {

// Steps of the walk; a crafted input may hold very many elements.
constexpr int kMaxWalkSteps = 20000;

void Walk(XmlDocument& doc) {
  for (int step = 0; step < kMaxWalkSteps; ++step) {
    if (doc.FindElement()) {
      doc.GetAttribute(QStringLiteral("a"));
      doc.GetText();
      doc.EnterElement();
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
  doc.SetDocument(text);
  Walk(doc);
  doc.SetAttribute(QStringLiteral("k"), QStringLiteral("'\"<&"));
  doc.AppendElement(QStringLiteral("n"), QStringLiteral("v<&>"));
  doc.SetAttribute(QStringLiteral("a"), QStringLiteral("1"));
  doc.EnterElement();
  doc.AppendElement(QStringLiteral("m"));
  doc.SetDocument(doc.Document());
  Walk(doc);
  return 0;
}
