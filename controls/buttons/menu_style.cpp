#include "controls/buttons/menu_style.h"

#include <QApplication>
#include <QPointer>
#include <QStyleOptionMenuItem>

#include <algorithm>

#include "controls/buttons/frame_paint.h"
#include "controls/support/image_effects.h"
#include "controls/support/sys_color.h"

namespace {

constexpr int kGapFlat = 7;
constexpr int kGapClassic = 4;
constexpr int kMarkBoxSize = 16;  // the flat look's box around a check mark
constexpr double kCheckedBoxBlend = 0.85;
constexpr double kSelectedBlend = 0.7;
constexpr double kClassicCheckedBlend = 0.6;

bool classicTheme = false;

// What one item is, read from Qt's option.
struct MenuItem {
  PixelRect rect;
  bool separator = false;
  bool subMenu = false;
  bool grayed = false;
  bool selected = false;
  bool checked = false;
  bool radio = false;
  QImage image;
  QString label;        // the text before the first tab
  QString accelerator;  // the text after the last tab
  bool hasTab = false;
};

MenuItem ReadItem(const QStyleOptionMenuItem& option) {
  MenuItem item;
  item.rect = {option.rect.left(), option.rect.top(), option.rect.left() + option.rect.width(),
               option.rect.top() + option.rect.height()};
  item.separator = option.menuItemType == QStyleOptionMenuItem::Separator;
  item.subMenu = option.menuItemType == QStyleOptionMenuItem::SubMenu;
  item.grayed = !(option.state & QStyle::State_Enabled);
  item.selected = (option.state & QStyle::State_Selected) != 0;
  item.checked = option.checkType != QStyleOptionMenuItem::NotCheckable && option.checked;
  item.radio = option.checkType == QStyleOptionMenuItem::Exclusive;
  if (!option.icon.isNull()) {
    item.image =
        option.icon.pixmap(QSize(KvMenuStyle::kImageWidth, KvMenuStyle::kImageHeight)).toImage();
  }
  const qsizetype firstTab = option.text.indexOf(u'\t');
  item.hasTab = firstTab >= 0;
  item.label = item.hasTab ? option.text.left(firstTab) : option.text;
  if (item.hasTab) item.accelerator = option.text.mid(option.text.lastIndexOf(u'\t') + 1);
  return item;
}

// The label as drawn: "&&" is one ampersand, a single "&" only marks the mnemonic.
QString WithoutMnemonics(const QString& label) {
  QString shown;
  for (qsizetype i = 0; i < label.size(); ++i) {
    if (label[i] == u'&' && ++i == label.size()) break;
    shown.append(label[i]);
  }
  return shown;
}

// max(0, round(value / 2)) with halves rounded up.
int HalfUp(int value) { return value <= 0 ? 0 : (value + 1) / 2; }

// The image of a disabled item: drawn on button face, then embossed over the background.
void DrawGrayedImage(QPainter& painter, QPoint at, const QImage& image, ColorRef background) {
  QImage onFace(KvMenuStyle::kImageWidth, KvMenuStyle::kImageHeight, QImage::Format_ARGB32);
  onFace.fill(ToQColor(SysColor(COLOR_3DFACE)));
  QPainter face(&onFace);
  face.drawImage(0, 0, image);
  face.end();
  DrawEmbossed(painter, at, onFace, {SysColor(COLOR_3DFACE), SysColor(COLOR_3DHILIGHT)},
               background);
}

void DrawMark(QPainter& painter, const MenuItem& item, int x, int y) {
  const QColor color = ToQColor(SysColor(COLOR_MENUTEXT));
  if (item.radio) {
    DrawMenuDot(painter, x, y, color);
  } else {
    DrawMenuTick(painter, x, y, color);
  }
}

// Label left and accelerator right, vertically centred; with a tab the text ends one
// image width before the right edge.
void DrawItemText(QPainter& painter, const MenuItem& item, PixelRect rect, ColorRef color) {
  if (item.hasTab) rect.right -= KvMenuStyle::kImageWidth;
  painter.setPen(ToQColor(color));
  const int flags = Qt::AlignVCenter | Qt::TextSingleLine;
  painter.drawText(rect.ToQRect(), flags | Qt::AlignLeft | Qt::TextShowMnemonic, item.label);
  if (!item.accelerator.isEmpty()) {
    painter.drawText(rect.ToQRect(), flags | Qt::AlignRight, item.accelerator);
  }
}

void DrawFlatItem(QPainter& painter, const MenuItem& item) {
  const ColorRef face = SysColor(COLOR_3DFACE);
  const ColorRef window = SysColor(COLOR_WINDOW);
  const ColorRef highlight = SysColor(COLOR_HIGHLIGHT);
  const ColorRef selectedFill = BlendTowardsWhite(highlight, kSelectedBlend);
  const ColorRef checkedFill = BlendTowardsWhite(highlight, kCheckedBoxBlend);
  const PixelRect& r = item.rect;
  const int column = KvMenuStyle::kImageWidth + 7;
  const PixelRect columnRect{r.left, r.top, r.left + column, r.bottom};
  if (item.separator) {
    FillPixels(painter, r, window);
    FillPixels(painter, columnRect, face);
    DrawEtchedLine(painter, r.left + column + 7, r.right, r.top + r.Height() / 2);
    return;
  }
  // A grayed item is drawn without its selected state.
  const bool selected = item.selected && !item.grayed;
  if (selected) {
    FillPixels(painter, r, selectedFill);
    FramePixels(painter, r, highlight);
  } else {
    FillPixels(painter, r, window);
    FillPixels(painter, columnRect, face);
  }
  const int x = r.left + HalfUp(column - KvMenuStyle::kImageWidth);
  const int y = r.top + HalfUp(r.Height() - KvMenuStyle::kImageHeight);
  const PixelRect box{r.left + 1, r.top + 1, r.left + column - 1, r.bottom - 1};
  if (!item.image.isNull() && item.grayed) {
    DrawGrayedImage(painter, QPoint(x, y), item.image, face);
  } else if (!item.image.isNull()) {
    QPoint at(x, y);
    if (selected) {
      FillPixels(painter, box, selectedFill);
    } else {
      FillPixels(painter, box, item.checked ? checkedFill : face);
    }
    // A checked image sits in a framed box, one pixel up and to the left.
    if (item.checked) {
      FramePixels(painter, box, highlight);
      at -= QPoint(1, 1);
    }
    painter.drawImage(at, item.image);
  } else if (item.checked) {
    const int left = r.left + HalfUp(column - kMarkBoxSize);
    const int top = r.top + HalfUp(r.Height() - kMarkBoxSize);
    const PixelRect markBox{left, top, left + kMarkBoxSize, top + kMarkBoxSize};
    FillPixels(painter, markBox, checkedFill);
    FramePixels(painter, markBox, highlight);
    DrawMark(painter, item, markBox.left + 5, markBox.top + 4);
  }
  DrawItemText(painter, item, {r.left + column + 8, r.top - 1, r.right, r.bottom - 1},
               SysColor(item.grayed ? COLOR_GRAYTEXT : COLOR_MENUTEXT));
}

void DrawClassicItem(QPainter& painter, const MenuItem& item) {
  const ColorRef menu = SysColor(COLOR_MENU);
  const ColorRef shadow = SysColor(COLOR_BTNSHADOW);
  const ColorRef light = SysColor(COLOR_3DHILIGHT);
  const bool frames = KvMenuStyle::kSystemKind > 1;
  const PixelRect& r = item.rect;
  const int iw = KvMenuStyle::kImageWidth;
  const int ih = KvMenuStyle::kImageHeight;
  if (item.separator) {
    FillPixels(painter, r, menu);
    DrawEtchedLine(painter, r.left, r.right, r.top + r.Height() / 2);
    return;
  }
  const bool hasImage = !item.image.isNull();
  ColorRef textColor = SysColor(COLOR_MENUTEXT);
  FillPixels(painter, r, menu);
  if (item.selected) {
    PixelRect band = r;
    if (hasImage || item.checked) band.left = r.left + iw + 5;
    FillPixels(painter, band, SysColor(COLOR_HIGHLIGHT));
    textColor = SysColor(COLOR_HIGHLIGHTTEXT);
  }
  const int e = std::max(0, (r.Height() - ih - 4) / 2);
  const QPoint imageAt(r.left + 2, r.top + e + 2);
  if (hasImage) {
    const PixelRect box{r.left + 1, r.top + e + 1, r.left + iw + 3, r.top + e + ih + 3};
    const PixelRect frame{r.left, r.top + e, r.left + iw + 4, r.top + e + ih + 4};
    FramePixels(painter, box, menu);
    if (item.selected) {
      FillPixels(painter, box, menu);
      if (frames && item.checked) Draw3dFrame(painter, frame, shadow, light);
      if (frames && !item.checked) Draw3dFrame(painter, frame, light, shadow);
    } else if (item.checked) {
      FillPixels(painter, box, BlendTowardsWhite(menu, kClassicCheckedBlend));
      if (frames) Draw3dFrame(painter, frame, shadow, light);
    }
    if (item.grayed) {
      DrawGrayedImage(painter, imageAt, item.image, menu);
    } else {
      painter.drawImage(imageAt, item.image);
    }
  } else if (item.checked) {
    const PixelRect markRect{r.left + 1, r.top + e + 2, r.left + iw + 1, r.top + e + ih + 2};
    FillPixels(painter, markRect,
               item.selected ? menu : BlendTowardsWhite(menu, kClassicCheckedBlend));
    if (frames) {
      Draw3dFrame(painter,
                  {markRect.left - 1, markRect.top - 1, markRect.right + 1, markRect.bottom + 1},
                  shadow, light);
    }
    DrawMark(painter, item, markRect.left + (item.radio ? 5 : 4), markRect.top + 4);
  }
  const PixelRect textRect{r.left + iw + 9, r.top - 1, r.right, r.bottom - 1};
  if (item.grayed && item.selected) {
    DrawItemText(painter, item, textRect, menu);
  } else if (item.grayed) {
    DrawItemText(painter, item,
                 {textRect.left + 1, textRect.top + 1, textRect.right + 1, textRect.bottom + 1},
                 light);
    DrawItemText(painter, item, textRect, SysColor(COLOR_GRAYTEXT));
  } else {
    DrawItemText(painter, item, textRect, textColor);
  }
}

}  // namespace

KvMenuStyle* KvMenuStyle::Instance() {
  static QPointer<KvMenuStyle> instance;
  if (instance.isNull()) {
    instance = new KvMenuStyle;
    instance->setParent(qApp);
  }
  return instance;
}

void KvMenuStyle::SetClassicTheme(bool classic) { classicTheme = classic; }

bool KvMenuStyle::IsFlatLook() { return kSystemKind == 7 && !classicTheme; }

QSize KvMenuStyle::sizeFromContents(ContentsType type, const QStyleOption* option,
                                    const QSize& size, const QWidget* widget) const {
  const auto* menuOption = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (type != CT_MenuItem || menuOption == nullptr) {
    return QProxyStyle::sizeFromContents(type, option, size, widget);
  }
  const bool flat = IsFlatLook();
  const int gap = flat ? kGapFlat : kGapClassic;
  const MenuItem item = ReadItem(*menuOption);
  // Qt leaves out an item of no width, so a separator is one pixel wide (the menu's
  // width is its widest item's).
  if (item.separator) return {1, std::max(kMenuBarHeight / 2, (kImageHeight + gap) / 2)};
  const QFontMetrics metrics(menuOption->font);
  int textWidth = metrics.horizontalAdvance(WithoutMnemonics(item.label));
  // Qt adds the accelerator column itself; the item keeps a blank before it and one
  // image width after it, where the text's right edge stops, and the submenu arrow
  // takes that image width too.
  if (item.hasTab) textWidth += metrics.horizontalAdvance(u' ') + kImageWidth;
  if (item.subMenu) textWidth += kImageWidth;
  const int width = flat ? textWidth + kImageWidth + gap + 8 : textWidth + 2 * kImageWidth + 1;
  return {width, std::max(kMenuBarHeight, kImageHeight + gap)};
}

void KvMenuStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
  const auto* menuOption = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
  if (element != CE_MenuItem || menuOption == nullptr) {
    QProxyStyle::drawControl(element, option, painter, widget);
    return;
  }
  const MenuItem item = ReadItem(*menuOption);
  painter->save();
  painter->setRenderHint(QPainter::Antialiasing, false);
  painter->setFont(menuOption->font);
  if (IsFlatLook()) {
    DrawFlatItem(*painter, item);
  } else {
    DrawClassicItem(*painter, item);
  }
  if (item.subMenu) {
    QStyleOption arrow(*option);
    arrow.rect =
        QRect(item.rect.right - kImageWidth, item.rect.top, kImageWidth, item.rect.Height());
    const bool highlighted = item.selected && !(IsFlatLook() && item.grayed);
    arrow.palette.setColor(
        QPalette::ButtonText,
        ToQColor(SysColor(highlighted && !IsFlatLook() ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT)));
    arrow.state &= ~State_Selected;
    QProxyStyle::drawPrimitive(PE_IndicatorArrowRight, &arrow, painter, widget);
  }
  painter->restore();
}

int KvMenuStyle::pixelMetric(PixelMetric metric, const QStyleOption* option,
                             const QWidget* widget) const {
  // The items reach the menu's frame, as owner-drawn items do.
  if (metric == PM_MenuHMargin || metric == PM_MenuVMargin) return 0;
  return QProxyStyle::pixelMetric(metric, option, widget);
}

void DrawMenuTick(QPainter& painter, int x, int y, const QColor& color) {
  // The first row of each of the seven strokes; each covers three rows.
  constexpr int kStrokeTop[] = {2, 3, 4, 3, 2, 1, 0};
  for (int i = 0; i < 7; ++i) painter.fillRect(x + i, y + kStrokeTop[i], 1, 3, color);
}

void DrawMenuDot(QPainter& painter, int x, int y, const QColor& color) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::NoPen);
  painter.setBrush(color);
  painter.drawEllipse(QRect(x, y, 6, 6));
  painter.restore();
}
