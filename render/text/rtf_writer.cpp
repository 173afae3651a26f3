#include "render/text/rtf_writer.h"

#include <QList>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <utility>

#include "render/text/code_page.h"

namespace {

constexpr int kAnsiCodePage = 936;

// Appends a control word with its parameter.
void Word(QByteArray& out, const char* name, int parameter) {
  out += '\\';
  out += name;
  out += QByteArray::number(parameter);
}

// Appends text as RTF: ASCII as it is (with \, { and } escaped), every other
// UTF-16 unit as \uN?, tabs and line breaks as their words.
void Text(QByteArray& out, const QString& text) {
  for (const QChar c : text) {
    const char16_t unit = c.unicode();
    if (unit == u'\t') {
      out += "\\tab ";
    } else if (unit == kLineBreak) {
      out += "\\line ";
    } else if (unit == u'\\' || unit == u'{' || unit == u'}') {
      out += '\\';
      out += static_cast<char>(unit);
    } else if (unit >= 0x20 && unit < 0x80) {
      out += static_cast<char>(unit);
    } else if (unit >= 0x80) {
      Word(out, "u", static_cast<std::int16_t>(unit));
      out += '?';
    }  // control characters have no RTF form
  }
}

// A font name in its character set's code page, bytes from 0x80 up as \'hh; as
// \uN? when the code page has no form for it.
void FontName(QByteArray& out, const QString& face, int charSet) {
  const std::optional<QByteArray> bytes =
      EncodeCodePage(face, CodePageForCharSet(charSet, kAnsiCodePage));
  if (!bytes) {
    Text(out, face);
    return;
  }
  for (const char byte : *bytes) {
    const auto value = static_cast<unsigned char>(byte);
    if (value >= 0x80 || value < 0x20 || byte == '\\' || byte == '{' || byte == '}' ||
        byte == ';') {
      out += "\\'";
      out += QByteArray::number(value, 16).rightJustified(2, '0');
    } else {
      out += byte;
    }
  }
}

class RtfWriter {
 public:
  QByteArray Write(const RichParagraphs& paragraphs);

 private:
  void CollectTables(const RichParagraphs& paragraphs);
  void Tables(QByteArray& out) const;
  void Paragraph(QByteArray& out, const RichParaFormat& format);
  void Character(QByteArray& out, const RichCharFormat& format);
  int FontIndex(const RichCharFormat& format) const {
    return static_cast<int>(fonts_.indexOf(std::pair(format.face, int{format.charSet})));
  }
  int ColorIndex(const RichCharFormat& format) const {
    return format.autoColor ? 0 : static_cast<int>(colors_.indexOf(format.color)) + 1;
  }

  QList<std::pair<QString, int>> fonts_;
  QList<ColorRef> colors_;
  // The formats in effect; none before the first paragraph and character.
  std::optional<RichParaFormat> para_;
  std::optional<RichCharFormat> char_;
};

QByteArray RtfWriter::Write(const RichParagraphs& paragraphs) {
  CollectTables(paragraphs);
  QByteArray out = "{\\rtf1\\ansi\\ansicpg936\\deff0";
  Tables(out);
  out += "\\uc1";
  for (const RichParagraph& paragraph : paragraphs) {
    Paragraph(out, paragraph.format);
    for (const RichRun& run : paragraph.runs) {
      Character(out, run.format);
      Text(out, run.text);
    }
    Character(out, paragraph.mark);
    out += "\\par\r\n";
  }
  out += "}\r\n";
  return out;
}

void RtfWriter::CollectTables(const RichParagraphs& paragraphs) {
  auto add = [this](const RichCharFormat& format) {
    const std::pair font(format.face, int{format.charSet});
    if (!fonts_.contains(font)) fonts_.append(font);
    if (!format.autoColor && !colors_.contains(format.color)) colors_.append(format.color);
  };
  for (const RichParagraph& paragraph : paragraphs) {
    for (const RichRun& run : paragraph.runs) add(run.format);
    add(paragraph.mark);
  }
}

void RtfWriter::Tables(QByteArray& out) const {
  out += "{\\fonttbl";
  for (qsizetype i = 0; i < fonts_.size(); ++i) {
    out += '{';
    Word(out, "f", static_cast<int>(i));
    out += "\\fnil";
    Word(out, "fcharset", fonts_[i].second);
    out += ' ';
    FontName(out, fonts_[i].first, fonts_[i].second);
    out += ";}";
  }
  out += "}\r\n{\\colortbl ;";
  for (const ColorRef color : colors_) {
    Word(out, "red", color & 0xFF);
    Word(out, "green", (color >> 8) & 0xFF);
    Word(out, "blue", (color >> 16) & 0xFF);
    out += ';';
  }
  out += "}\r\n";
}

void RtfWriter::Paragraph(QByteArray& out, const RichParaFormat& format) {
  if (para_ == format) return;
  para_ = format;
  out += "\\pard";
  if (format.align == RichAlign::kCenter) out += "\\qc";
  if (format.align == RichAlign::kRight) out += "\\qr";
  if (format.align == RichAlign::kJustify) out += "\\qj";
  if (format.lineSpacingRule == kSpacingTwentieths && format.lineSpacing > 0) {
    Word(out, "sl", static_cast<int>(std::min<qint64>(format.lineSpacing * qint64{12}, INT_MAX)));
    out += "\\slmult1";
  }
  out += ' ';
}

// Writes the words of the fields that differ from the format in effect.
void RtfWriter::Character(QByteArray& out, const RichCharFormat& format) {
  const qsizetype start = out.size();
  const bool all = !char_.has_value();
  if (all || FontIndex(format) != FontIndex(*char_)) Word(out, "f", FontIndex(format));
  if (all || format.twips != char_->twips) Word(out, "fs", format.twips / 10);
  if (all || format.bold != char_->bold) out += format.bold ? "\\b" : "\\b0";
  if (all || format.italic != char_->italic) out += format.italic ? "\\i" : "\\i0";
  if (all || format.underline != char_->underline) out += format.underline ? "\\ul" : "\\ulnone";
  if (all || ColorIndex(format) != ColorIndex(*char_)) Word(out, "cf", ColorIndex(format));
  if (out.size() != start) out += ' ';
  char_ = format;
}

}  // namespace

QByteArray WriteRtf(const RichParagraphs& paragraphs) { return RtfWriter().Write(paragraphs); }
