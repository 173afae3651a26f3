#pragma once
// What the flash-words page and its item editor share: the offered sizes, how a size
// text is read, the default face, and how a changed style is stored into an item.

#include <QString>

#include <array>

class QComboBox;
struct FlashWordItem;

// The sizes the size combos offer, in points.
inline constexpr std::array<int, 17> kFlashWordSizes = {8,  9,  10, 11, 12, 14, 16, 18, 20,
                                                        22, 24, 26, 28, 36, 48, 72, 100};

// The face stored for an empty face name.
inline const QString kDefaultFlashFace = QStringLiteral("宋体");

// Fills the combo with the offered sizes.
void FillFlashSizeList(QComboBox& combo);

// A size text read as a decimal (a sign and leading digits); 0 or no digits give 9.
int ParseFlashSize(const QString& text);

// Stores a face name (empty: the default face) in the item; true when it differed
// and the item is marked changed.
bool StoreFlashFace(FlashWordItem& item, const QString& face);
