#include "render/flash/flash_text_call.h"

#include <array>

#include "model/common/bounded_text.h"
#include "model/project/area_items.h"
#include "render/raster/gdi_text.h"

namespace {

struct FamilyName {
  const char16_t* face;
  const char16_t* family;
};

// Applied in this order, so that longer faces go before the shorter ones they hold
// ("新宋体" before "宋体").
constexpr std::array<FamilyName, 24> kFamilies{{
    {u"华文细黑", u"STXihei"},
    {u"华文楷体", u"STKaiti"},
    {u"华文宋体", u"STSong"},
    {u"华文中宋", u"STZhongsong"},
    {u"华文仿宋", u"STFangsong"},
    {u"方正舒体", u"FZShuTi"},
    {u"方正姚体", u"FZYaoti"},
    {u"方正超粗黑简体", u"FZChaoCuHei-M10S"},
    {u"华文彩云", u"STCaiyun"},
    {u"华文琥珀", u"STHupo"},
    {u"华文隶书", u"STLiti"},
    {u"华文行楷", u"STXingkai"},
    {u"华文新魏", u"STXinwe"},
    {u"仿宋_GB2312", u"FangSong_GB2312"},
    {u"楷体_GB2312", u"KaiTi_GB2312"},
    {u"微軟正黑", u"Microsoft JhengHei"},
    {u"微软雅黑", u"Microsoft YaHe"},
    {u"黑体", u"SimHei"},
    {u"新宋体", u"NSimSun"},
    {u"宋体", u"SimSun"},
    {u"仿宋", u"FangSong"},
    {u"楷体", u"KaiTi"},
    {u"隶书", u"LiSu"},
    {u"幼圆", u"YouYuan"},
}};

// The text split into characters, a surrogate pair staying one character.
QStringList Characters(const QString& text) {
  QStringList characters;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const bool pair =
        text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
    characters << text.mid(i, pair ? 2 : 1);
    if (pair) ++i;
  }
  return characters;
}

}  // namespace

FlashWordStyle FlashWordStyleOf(const FlashWordItem& item) {
  return {ReadBoundedText(item.FontProp_FontName),
          item.FontProp_FontSize,
          item.FontProp_FontColor,
          item.FontProp_FontBold != 0,
          item.FontProp_FontItalic != 0,
          item.FontProp_FontUnderLined != 0};
}

QFont FlashWordFont(const FlashWordStyle& style) {
  return MakeLedFont(style.fontName, FontHeightFromPoints(style.fontSize), style.bold ? 700 : 400,
                     style.italic, style.underline);
}

WrappedFlashText WrapFlashText(const QString& text, const QFont& font, int areaWidth) {
  const QStringList characters = Characters(QString(text).remove(QStringLiteral("\r\n")));
  WrappedFlashText wrapped;
  qsizetype start = 0;  // the first character of the current line
  qsizetype length = 1;
  while (start + length <= characters.size()) {
    const QString run = characters.mid(start, length).join(QString());
    if (areaWidth >= TextExtent(font, run).width() + 2 * static_cast<int>(length)) {
      ++length;
      continue;
    }
    // A lone character keeps its line; a longer run gives its last one back.
    const qsizetype kept = length == 1 ? 1 : length - 1;
    wrapped.text += characters.mid(start, kept).join(QString()) + u'^';
    ++wrapped.lines;
    start += kept;
    length = 1;
  }
  wrapped.text += characters.mid(start).join(QString());
  ++wrapped.lines;
  if (wrapped.text.isEmpty()) wrapped.text = QStringLiteral(" ");
  return wrapped;
}

QString FlashFontFamily(const QString& face) {
  QString family = face;
  for (const FamilyName& name : kFamilies) {
    family.replace(QString::fromUtf16(name.face), QString::fromUtf16(name.family));
  }
  return family;
}

QString FlashColorText(ColorRef color) {
  return QStringLiteral("0x%1%2%3")
      .arg(ColorRefRed(color), 2, 16, QLatin1Char('0'))
      .arg(ColorRefGreen(color), 2, 16, QLatin1Char('0'))
      .arg(ColorRefBlue(color), 2, 16, QLatin1Char('0'));
}
