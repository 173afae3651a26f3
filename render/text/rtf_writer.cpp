#include "render/text/rtf_writer.h"

#include <QList>
#include <QStringList>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <optional>
#include <utility>

#include "render/raster/gdi_text.h"
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

// A picture as its own group: the kind of its data, its size (the goal in twips, which
// the reader scales back to the same pixels) and its data in hex, 64 bytes a line.
void Picture(QByteArray& out, const RichPicture& picture) {
  out += "{\\pict";
  if (picture.kind == RichPictureKind::kPng) out += "\\pngblip";
  if (picture.kind == RichPictureKind::kJpeg) out += "\\jpegblip";
  if (!picture.data.isEmpty()) {
    Word(out, "picw", picture.width);
    Word(out, "pich", picture.height);
  }
  Word(out, "picwgoal", picture.width * 1440 / kLogPixelsY);
  Word(out, "pichgoal", picture.height * 1440 / kLogPixelsY);
  for (qsizetype at = 0; at < picture.data.size(); at += 64) {
    out += "\r\n";
    out += picture.data.sliced(at, std::min<qsizetype>(64, picture.data.size() - at)).toHex();
  }
  out += '}';
}

// A run's text; in a picture's run each object replacement character is the picture.
void RunText(QByteArray& out, const RichRun& run) {
  if (!run.format.picture) {
    Text(out, run.text);
    return;
  }
  const QStringList parts = run.text.split(QChar::ObjectReplacementCharacter);
  for (qsizetype i = 0; i < parts.size(); ++i) {
    if (i > 0) Picture(out, *run.format.picture);
    Text(out, parts[i]);
  }
}

// A row's properties: its left edge, the gap and the cells' right edges.
void RowWords(QByteArray& out, const RichRowFormat& row) {
  out += "\\trowd";
  Word(out, "trgaph", row.gap);
  Word(out, "trleft", row.left);
  for (const int edge : row.edges) Word(out, "cellx", edge);
}

// The format of the row paragraph i begins, when it begins a row of the outer table:
// that of the paragraph that ends the row.
const RichRowFormat* RowStartingAt(const RichParagraphs& paragraphs, std::size_t i) {
  if (paragraphs[i].cell.depth == 0) return nullptr;
  if (i > 0) {
    const RichCellPlace& before = paragraphs[i - 1].cell;
    if (before.depth > 0 && !(before.depth == 1 && before.rowEnd)) return nullptr;
  }
  for (std::size_t j = i; j < paragraphs.size() && paragraphs[j].cell.depth > 0; ++j) {
    const RichCellPlace& cell = paragraphs[j].cell;
    if (cell.depth == 1 && cell.rowEnd) return &*cell.rowEnd;
  }
  return nullptr;
}

class RtfWriter {
 public:
  QByteArray Write(const RichParagraphs& paragraphs);

 private:
  void CollectTables(const RichParagraphs& paragraphs);
  void Tables(QByteArray& out) const;
  void Paragraph(QByteArray& out, const RichParaFormat& format, int depth);
  void EndMark(QByteArray& out, const RichCellPlace& cell);
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
  std::optional<std::pair<RichParaFormat, int>> para_;  // with the table depth
  std::optional<RichCharFormat> char_;
};

QByteArray RtfWriter::Write(const RichParagraphs& paragraphs) {
  CollectTables(paragraphs);
  QByteArray out = "{\\rtf1\\ansi\\ansicpg936\\deff0";
  Tables(out);
  out += "\\uc1";
  for (std::size_t i = 0; i < paragraphs.size(); ++i) {
    const RichParagraph& paragraph = paragraphs[i];
    if (const RichRowFormat* row = RowStartingAt(paragraphs, i)) RowWords(out, *row);
    Paragraph(out, paragraph.format, paragraph.cell.depth);
    for (const RichRun& run : paragraph.runs) {
      Character(out, run.format);
      RunText(out, run);
    }
    Character(out, paragraph.mark);
    EndMark(out, paragraph.cell);
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

void RtfWriter::Paragraph(QByteArray& out, const RichParaFormat& format, int depth) {
  if (para_ == std::pair(format, depth)) return;
  para_ = std::pair(format, depth);
  out += "\\pard";
  if (depth > 0) out += "\\intbl";
  if (depth > 1) Word(out, "itap", depth);
  if (format.align == RichAlign::kCenter) out += "\\qc";
  if (format.align == RichAlign::kRight) out += "\\qr";
  if (format.align == RichAlign::kJustify) out += "\\qj";
  if (format.lineSpacingRule == kSpacingTwentieths && format.lineSpacing > 0) {
    Word(out, "sl", static_cast<int>(std::min<qint64>(format.lineSpacing * qint64{12}, INT_MAX)));
    out += "\\slmult1";
  }
  out += ' ';
}

// The paragraph's end: a paragraph mark, or the end of its cell and of its row. A
// nested row's properties come at its end; those of an outer row came before it, and
// the paragraph after it names its table again.
void RtfWriter::EndMark(QByteArray& out, const RichCellPlace& cell) {
  if (cell.depth == 0 || !cell.cellEnd) {
    out += "\\par\r\n";
  } else if (cell.depth == 1) {
    out += cell.rowEnd ? "\\cell\\row\r\n" : "\\cell\r\n";
    if (cell.rowEnd) para_.reset();
  } else {
    out += "\\nestcell";
    if (cell.rowEnd) {
      out += "{\\*\\nesttableprops";
      RowWords(out, *cell.rowEnd);
      out += "\\nestrow}{\\nonesttables\\par}";
    }
    out += "\r\n";
  }
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
