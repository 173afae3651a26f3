#include "editors/clock/clock_page_parts.h"

#include <QAbstractItemModel>
#include <QComboBox>
#include <QFont>
#include <QPainter>
#include <QPixmap>

#include <algorithm>

#include "controls/buttons/button_qx.h"
#include "controls/color/color_picker.h"
#include "model/painting/painting_helpers.h"
#include "model/settings/settings_file.h"

namespace {

constexpr int kDefaultSize = 9;
constexpr int kRowHeight = 22;
constexpr int kFaceWidth = 150;
constexpr int kSizeWidth = 56;
constexpr int kGap = 4;
constexpr int kStyleSide = 22;
constexpr int kStylePicture = 16;
constexpr UINT kAutoCheckBox = 3;  // a push button in check-box mode
constexpr ColorRef kStyleButtonFace = MakeColorRef(198, 230, 247);

enum Style { kBold, kItalic, kUnderline };

// The picture of a style button: its letter drawn in its own style, black on a
// transparent ground.
QPixmap StylePicture(int style) {
  QPixmap picture(kStylePicture, kStylePicture);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  QFont font(QStringLiteral("DejaVu Serif"));
  font.setPixelSize(13);
  font.setBold(style == kBold);
  font.setItalic(style == kItalic);
  font.setUnderline(style == kUnderline);
  painter.setFont(font);
  painter.setPen(Qt::black);
  const QString letters[] = {QStringLiteral("B"), QStringLiteral("I"), QStringLiteral("U")};
  painter.drawText(picture.rect(), Qt::AlignCenter, letters[style]);
  return picture;
}

CButtonQx* MakeStyleButton(QWidget* page, int id, int style, const QRect& place) {
  auto* button = MakeControl<CButtonQx>(page, id, place);
  button->SetButtonStyle(kAutoCheckBox);
  button->SetNormalBackground(kStyleButtonFace);
  button->SetFocusBackground(kStyleButtonFace);
  static_cast<void>(button->SetIcon(StylePicture(style)));
  return button;
}

}  // namespace

int StoredFontSize(const QString& text, const SizeRule& rule) {
  const int size = ParseIniInt(text);
  return size == 0 ? kDefaultSize : std::min(size, rule.max);
}

QComboBox* MakeList(QWidget* page, int id, const QRect& place, const QStringList& entries,
                    bool editable) {
  auto* list = MakeControl<QComboBox>(page, id, place);
  list->setEditable(editable);
  list->setInsertPolicy(QComboBox::NoInsert);
  list->addItems(entries);
  return list;
}

CColorPicker* MakeColorButton(QWidget* page, int id, const QRect& place, bool compact) {
  auto* button = MakeControl<CColorPicker>(page, id, place);
  button->SetStripWithoutBlack(compact);
  return button;
}

FontRow MakeFontRow(QWidget* page, const FontRowIds& ids, QPoint at) {
  FontRow row;
  row.face = MakeList(page, ids.face, QRect(at, QSize(kFaceWidth, kRowHeight)), {}, true);
  AddFontNames(row.face);
  row.face->model()->sort(0);
  QStringList sizes;
  for (int size : kFontSizes) sizes << QString::number(size);
  int left = at.x() + kFaceWidth + kGap;
  row.size = MakeList(page, ids.size, QRect(left, at.y(), kSizeWidth, kRowHeight), sizes, true);
  // A typed size is stored as typed, so the box must not complete it ("1" to "10").
  row.size->setCompleter(nullptr);
  left += kSizeWidth + kGap;
  for (int style = kBold; style <= kUnderline; ++style) {
    row.styles[static_cast<std::size_t>(style)] =
        MakeStyleButton(page, ids.styles[static_cast<std::size_t>(style)], style,
                        QRect(left, at.y(), kStyleSide, kStyleSide));
    left += kStyleSide + 2;
  }
  return row;
}

void ShowListText(QComboBox& list, const QString& text) {
  list.setCurrentIndex(list.findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive));
  list.setEditText(text);
}
