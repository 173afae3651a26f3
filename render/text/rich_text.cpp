#include "render/text/rich_text.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextCursor>

#include <algorithm>

#include "model/common/atomic_file.h"
#include "render/text/rich_paragraph.h"
#include "render/text/rtf_reader.h"
#include "render/text/rtf_writer.h"
#include "render/text/text_bounds.h"

RichText::RichText() : document_(std::make_unique<QTextDocument>()) {
  document_->setDocumentMargin(0);
  QObject::connect(document_.get(), &QTextDocument::contentsChanged, document_.get(),
                   [this] { linesValid_ = false; });
  SetRtf({});
}

RichText::~RichText() = default;

bool RichText::LoadRtfFile(const QString& path) {
  QFile file(path);
  // Regular files only: a FIFO or device would block or never end.
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly)) return false;
  const QByteArray data = file.readAll();
  if (file.error() != QFileDevice::NoError) return false;
  SetRtf(data);
  return true;
}

bool RichText::SaveRtfFile(const QString& path) const { return WriteFileAtomically(path, Rtf()); }

void RichText::SetRtf(QByteArrayView rtf) {
  RichParagraphs paragraphs = ReadRtf(rtf, base_);
  cut_ = BoundParagraphs(paragraphs);
  SetDocumentParagraphs(*document_, paragraphs);
}

QByteArray RichText::Rtf() const { return WriteRtf(DocumentParagraphs(*document_)); }

int RichText::TextLength() const { return document_->characterCount() - 1; }

void RichText::SetText(const QString& text) {
  const RichCharFormat format = CharFormatAt(0);
  QString plain = text;
  plain.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  plain.replace(u'\r', u'\n');
  RichParagraphs paragraphs;
  for (const QString& line : plain.split(u'\n')) {
    RichParagraph paragraph{{}, ParaFormatAt(0), format};
    if (!line.isEmpty()) paragraph.runs.push_back({line, format});
    paragraphs.push_back(std::move(paragraph));
  }
  cut_ = BoundParagraphs(paragraphs);
  SetDocumentParagraphs(*document_, paragraphs);
}

std::pair<int, int> RichText::Range(int start, int end) const {
  const int length = TextLength();
  if (end < 0 || end > length) end = length;
  start = std::clamp(start, 0, end);
  auto outOfPair = [this](int pos, int step) {
    const QChar c = document_->characterAt(pos);
    return c.isLowSurrogate() && document_->characterAt(pos - 1).isHighSurrogate() ? pos + step
                                                                                   : pos;
  };
  return {outOfPair(start, -1), outOfPair(end, 1)};
}

QString RichText::Text(int start, int end) const {
  const auto [from, to] = Range(start, end);
  QTextCursor cursor(document_.get());
  cursor.setPosition(from);
  cursor.setPosition(to, QTextCursor::KeepAnchor);
  QString text = cursor.selectedText();
  text.replace(QChar::ParagraphSeparator, u'\r');
  text.replace(QChar::LineSeparator, u'\v');
  return text;
}

RichCharFormat RichText::CharFormatAt(int pos) const {
  pos = std::clamp(pos, 0, TextLength());
  const QTextBlock block = document_->findBlock(pos);
  const RichCharFormat blockFormat = FromTextCharFormat(block.charFormat(), base_);
  if (pos == block.position() + block.length() - 1) {  // the paragraph's mark
    return MarkFormatOf(block.blockFormat(), blockFormat);
  }
  // The cursor after a character has that character's format.
  QTextCursor cursor(document_.get());
  cursor.setPosition(pos + 1);
  return FromTextCharFormat(cursor.charFormat(), blockFormat);
}

std::vector<RichText::FormatSpan> RichText::FormatSpans(int start, int end) const {
  const auto [from, to] = Range(start, end);
  std::vector<FormatSpan> spans;
  for (QTextBlock block = document_->findBlock(from); block.isValid() && block.position() < to;
       block = block.next()) {
    const RichCharFormat blockFormat = FromTextCharFormat(block.charFormat(), base_);
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      const int first = std::max(from, fragment.position());
      const int last = std::min(to, fragment.position() + fragment.length());
      if (first < last) {
        spans.push_back({first, last, FromTextCharFormat(fragment.charFormat(), blockFormat)});
      }
    }
    const int markPos = block.position() + block.length() - 1;
    if (markPos >= from && markPos < to) {
      spans.push_back({markPos, markPos + 1, MarkFormatOf(block.blockFormat(), blockFormat)});
    }
  }
  return spans;
}

void RichText::SetCharFormat(int start, int end, const RichCharFormat& format, unsigned mask) {
  const auto [from, to] = Range(start, end);
  QTextCursor cursor(document_.get());
  cursor.beginEditBlock();
  // Characters, a run of one format at a time, so that each keeps what mask leaves.
  for (int pos = from; pos < to;) {
    const QTextBlock block = document_->findBlock(pos);
    const int markPos = block.position() + block.length() - 1;
    int runEnd = std::min(to, markPos);
    if (pos < markPos) {
      for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        if (fragment.position() + fragment.length() <= pos) continue;
        runEnd = std::min(runEnd, fragment.position() + fragment.length());
        RichCharFormat merged = FromTextCharFormat(fragment.charFormat(), base_);
        MergeCharFormat(merged, format, mask);
        cursor.setPosition(pos);
        cursor.setPosition(runEnd, QTextCursor::KeepAnchor);
        cursor.setCharFormat(ToTextCharFormat(merged));
        break;
      }
    }
    pos = runEnd == pos ? pos + 1 : runEnd;
  }
  // Paragraph marks in the range, and the last one when the range reaches the end.
  for (QTextBlock block = document_->findBlock(from); block.isValid(); block = block.next()) {
    const int markPos = block.position() + block.length() - 1;
    if (markPos >= to && !(markPos == TextLength() && to == TextLength())) break;
    QTextBlockFormat blockFormat = block.blockFormat();
    RichCharFormat mark = MarkFormatOf(blockFormat, CharFormatAt(markPos));
    MergeCharFormat(mark, format, mask);
    SetMarkFormat(blockFormat, mark);
    cursor.setPosition(block.position());
    cursor.setBlockFormat(blockFormat);
    cursor.setBlockCharFormat(ToTextCharFormat(mark));
  }
  cursor.endEditBlock();
}

RichParaFormat RichText::ParaFormatAt(int pos) const {
  return ParaFormatOf(document_->findBlock(std::clamp(pos, 0, TextLength())).blockFormat());
}

RichCellPlace RichText::CellPlaceAt(int pos) const {
  return CellPlaceOf(document_->findBlock(std::clamp(pos, 0, TextLength())).blockFormat());
}

void RichText::SetParaFormat(int start, int end, const RichParaFormat& format) {
  const auto [from, to] = Range(start, end);
  const QTextBlock last = document_->findBlock(to);
  QTextCursor cursor(document_.get());
  cursor.beginEditBlock();
  for (QTextBlock block = document_->findBlock(from); block.isValid(); block = block.next()) {
    QTextBlockFormat blockFormat = block.blockFormat();
    ::SetParaFormat(blockFormat, format);
    cursor.setPosition(block.position());
    cursor.setBlockFormat(blockFormat);
    if (block == last) break;
  }
  cursor.endEditBlock();
}

void RichText::SetFormattingWidth(int width) {
  if (width == width_) return;
  width_ = width;
  linesValid_ = false;
}

const std::vector<TextLine>& RichText::Lines() {
  if (!linesValid_) {
    lines_ = LayOutLines(*document_, width_, measure_);
    linesValid_ = true;
  }
  return lines_;
}

int RichText::LineCount() { return static_cast<int>(Lines().size()); }

int RichText::LineIndex(int line) {
  const std::vector<TextLine>& lines = Lines();
  if (line < 0 || line >= static_cast<int>(lines.size())) return -1;
  return lines[line].start;
}

int RichText::LineFromChar(int pos) {
  const std::vector<TextLine>& lines = Lines();
  const auto after = std::upper_bound(lines.begin(), lines.end(), pos,
                                      [](int p, const TextLine& line) { return p < line.start; });
  return std::max(0, static_cast<int>(after - lines.begin()) - 1);
}

int RichText::LineLength(int pos) { return Lines()[LineFromChar(pos)].length; }
