#include "render/text/rich_format.h"

#include <QBrush>
#include <QColor>
#include <QCryptographicHash>
#include <QFont>
#include <QList>
#include <QTextImageFormat>

#include <algorithm>
#include <cmath>

namespace {

// Properties of our own on QTextDocument formats.
enum Property : int {
  kCharSetProperty = QTextFormat::UserProperty + 1,
  kSpacingRuleProperty,
  kSpacingProperty,
  kMarkProperty,  // the paragraph mark's QTextCharFormat
  kPictureKindProperty,
  kPictureDataProperty,
  kTableDepthProperty,
  kCellEndProperty,
  kRowProperty,  // left, gap, then the edges
};

}  // namespace

void MergeCharFormat(RichCharFormat& target, const RichCharFormat& source, unsigned mask) {
  if (mask & kCharFace) {
    target.face = BoundedFace(source.face);
    target.charSet = source.charSet;
  }
  if (mask & kCharSize) target.twips = std::clamp(source.twips, kMinFontTwips, kMaxFontTwips);
  if (mask & kCharBold) target.bold = source.bold;
  if (mask & kCharItalic) target.italic = source.italic;
  if (mask & kCharUnderline) target.underline = source.underline;
  if (mask & kCharColor) {
    target.color = source.color & 0xFFFFFF;
    target.autoColor = source.autoColor;
  }
}

QString BoundedFace(const QString& face) {
  if (face.size() <= kMaxFaceLength) return face;
  qsizetype length = kMaxFaceLength;
  if (face.at(length - 1).isHighSurrogate()) --length;
  return face.left(length);
}

QTextCharFormat ToTextCharFormat(const RichCharFormat& format) {
  QTextCharFormat text;
  text.setFontFamilies(QStringList{format.face});
  text.setFontPointSize(format.twips / 20.0);
  text.setFontWeight(format.bold ? QFont::Bold : QFont::Normal);
  text.setFontItalic(format.italic);
  text.setFontUnderline(format.underline);
  if (!format.autoColor) text.setForeground(QColor::fromRgb(ColorRefToQRgb(format.color)));
  text.setProperty(kCharSetProperty, int{format.charSet});
  if (format.picture) {
    QTextImageFormat image;
    image.merge(text);
    image.setName(PictureName(*format.picture));
    image.setWidth(format.picture->width);
    image.setHeight(format.picture->height);
    image.setProperty(kPictureKindProperty, static_cast<int>(format.picture->kind));
    image.setProperty(kPictureDataProperty, format.picture->data);
    return image;
  }
  return text;
}

QString PictureName(const RichPicture& picture) {
  return QStringLiteral("picture:") +
         QString::fromLatin1(
             QCryptographicHash::hash(picture.data, QCryptographicHash::Md5).toHex());
}

RichCharFormat FromTextCharFormat(const QTextCharFormat& text, const RichCharFormat& fallback) {
  RichCharFormat format = fallback;
  const QStringList families = text.fontFamilies().toStringList();
  if (!families.isEmpty()) format.face = BoundedFace(families.first());
  if (text.hasProperty(kCharSetProperty)) {
    format.charSet = static_cast<std::uint8_t>(text.intProperty(kCharSetProperty));
  }
  if (text.hasProperty(QTextFormat::FontPointSize)) {
    const double twips = std::round(text.fontPointSize() * 20);
    format.twips = static_cast<int>(std::clamp<double>(twips, kMinFontTwips, kMaxFontTwips));
  }
  if (text.hasProperty(QTextFormat::FontWeight)) format.bold = text.fontWeight() >= QFont::Bold;
  if (text.hasProperty(QTextFormat::FontItalic)) format.italic = text.fontItalic();
  if (text.hasProperty(QTextFormat::TextUnderlineStyle)) format.underline = text.fontUnderline();
  const QBrush foreground = text.foreground();
  format.autoColor = foreground.style() == Qt::NoBrush;
  format.color = format.autoColor ? 0 : QRgbToColorRef(foreground.color().rgb());
  format.picture.reset();
  if (text.isImageFormat() && text.hasProperty(kPictureKindProperty)) {
    const QTextImageFormat image = text.toImageFormat();
    RichPicture picture;
    picture.kind = static_cast<RichPictureKind>(std::clamp(
        text.intProperty(kPictureKindProperty), 0, static_cast<int>(RichPictureKind::kJpeg)));
    if (picture.kind != RichPictureKind::kOther) {
      picture.data = text.property(kPictureDataProperty).toByteArray();
    }
    picture.width = std::clamp(static_cast<int>(image.width()), 1, kMaxPictureSide);
    picture.height = std::clamp(static_cast<int>(image.height()), 1, kMaxPictureSide);
    format.picture = std::move(picture);
  }
  return format;
}

void SetParaFormat(QTextBlockFormat& block, const RichParaFormat& format) {
  static constexpr Qt::Alignment kAlign[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight,
                                             Qt::AlignJustify};
  block.setAlignment(kAlign[static_cast<int>(format.align)]);
  block.setProperty(kSpacingRuleProperty, format.lineSpacingRule);
  block.setProperty(kSpacingProperty, format.lineSpacing);
}

RichParaFormat ParaFormatOf(const QTextBlockFormat& block) {
  RichParaFormat format;
  const Qt::Alignment align = block.alignment() & Qt::AlignHorizontal_Mask;
  if (align & Qt::AlignHCenter) {
    format.align = RichAlign::kCenter;
  } else if (align & Qt::AlignRight) {
    format.align = RichAlign::kRight;
  } else if (align & Qt::AlignJustify) {
    format.align = RichAlign::kJustify;
  }
  format.lineSpacingRule = block.intProperty(kSpacingRuleProperty);
  format.lineSpacing = block.intProperty(kSpacingProperty);
  return format;
}

void SetMarkFormat(QTextBlockFormat& block, const RichCharFormat& mark) {
  block.setProperty(kMarkProperty, QVariant::fromValue(ToTextCharFormat(mark)));
}

RichCharFormat MarkFormatOf(const QTextBlockFormat& block, const RichCharFormat& fallback) {
  const QVariant mark = block.property(kMarkProperty);
  if (!mark.canConvert<QTextCharFormat>()) return fallback;
  return FromTextCharFormat(mark.value<QTextCharFormat>(), fallback);
}

void SetCellPlace(QTextBlockFormat& block, const RichCellPlace& place) {
  block.setProperty(kTableDepthProperty, place.depth);
  block.setProperty(kCellEndProperty, place.cellEnd);
  if (!place.rowEnd) {
    block.clearProperty(kRowProperty);
    return;
  }
  QList<int> row{place.rowEnd->left, place.rowEnd->gap};
  row.append(QList<int>(place.rowEnd->edges.begin(), place.rowEnd->edges.end()));
  block.setProperty(kRowProperty, QVariant::fromValue(row));
}

RichCellPlace CellPlaceOf(const QTextBlockFormat& block) {
  RichCellPlace place;
  place.depth = std::clamp(block.intProperty(kTableDepthProperty), 0, kMaxTableDepth);
  if (place.depth == 0) return place;
  place.cellEnd = block.boolProperty(kCellEndProperty);
  const QList<int> row = block.property(kRowProperty).value<QList<int>>();
  if (row.size() >= 2) {
    RichRowFormat format{row[0], row[1], {}};
    const qsizetype cells = std::min<qsizetype>(row.size() - 2, kMaxRowCells);
    format.edges.assign(row.begin() + 2, row.begin() + 2 + cells);
    place.rowEnd = std::move(format);
  }
  return place;
}
