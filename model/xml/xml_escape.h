#pragma once
// Escaping of element text and attribute values.

#include <QString>
#include <QStringView>

// "<", "&" and ">" become references; in attribute values also the apostrophe and
// the double quote. Element text keeps quotes as they are.
QString EscapeXmlText(QStringView text, bool attribute);
// The same, appended to out.
void AppendEscapedXmlText(QString& out, QStringView text, bool attribute);

// Resolves the five named references and numeric ones ("&#65;", "&#x41;": the
// leading number before a ";" that follows within 7 characters). A numeric value
// from U+10000 to U+10FFFF becomes a surrogate pair. A reference that is not one of
// these, or whose value is 0, a surrogate or above U+10FFFF, stays as written.
QString UnescapeXmlText(QStringView text);
