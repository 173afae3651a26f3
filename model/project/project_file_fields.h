#pragma once
// The attributes of each project-file element in their written order, with the
// record field each one carries. Saving and loading share these tables, so a name is
// spelled once (the stored names keep their historic spellings).

#include <QString>
#include <QStringView>

#include <cstdint>
#include <span>

#include "model/project/project_records.h"
#include "model/xml/xml_document.h"

template <typename Record>
struct AttributeField {
  const char16_t* name;
  QString (*write)(const Record& record);
  void (*read)(Record& record, const QString& value);
};

// Leading-sign decimal parse: leading blanks, an optional sign, digits up to the
// first other character ("abc" gives 0); saturated to the 64-bit range.
std::int64_t ParseDecimal(QStringView text);

// A decimal attribute as a 32-bit int, clamped to its range.
std::int32_t ParseIntAttribute(QStringView text);

// A 32-bit unsigned field (an address, a colour) written signed as the stored files
// have it (-1062731420) or unsigned (3232235876): the low 32 bits of a value in
// INT32_MIN..UINT32_MAX, clamped outside.
std::uint32_t ParseUnsignedAttribute(QStringView text);

std::span<const AttributeField<ScreenRecord>> LedFields();
std::span<const AttributeField<ScreenRecord>> OnOffTimeFields();
std::span<const AttributeField<ScreenRecord>> BrightnessTimeFields();
std::span<const AttributeField<ScreenRecord>> LockTimeFields();
std::span<const AttributeField<ScreenRecord>> LogoFields();
std::span<const AttributeField<FileItem>> FileItemFields();  // File and ImageWordArea
std::span<const AttributeField<ProgramRecord>> ProgramFields();
std::span<const AttributeField<AreaRecord>> AreaFields();
std::span<const AttributeField<BackgroundItem>> BackgroundFields();
std::span<const AttributeField<SingleLineAreaInfo>> SingleLineFields();
std::span<const AttributeField<FlashWordItem>> FlashWordFields();
std::span<const AttributeField<DigitalClockAreaInfo>> DigitalClockFields();
std::span<const AttributeField<ClockAreaInfo>> ClockFields();
std::span<const AttributeField<TimeAreaInfo>> TimeFields();
std::span<const AttributeField<FileAreaItem>> FileAreaFields();

// Fills the record from the attributes of the current element; a missing one reads
// as 0 or empty.
template <typename Record>
void ReadAttributes(const XmlDocument& doc, std::span<const AttributeField<Record>> fields,
                    Record& record) {
  for (const AttributeField<Record>& field : fields) {
    field.read(record, doc.GetAttribute(QString::fromUtf16(field.name)));
  }
}

// The source file of an embedded element: UserData/<guid><extension>.
QString EmbeddedSourcePath(const char16_t* guid, QStringView extension);

// The extension of a page's source: ".kqg" for a table page (AddType 3), else ".rtf".
QStringView PageSourceExtension(const FileItem& page);

// A rich-text logo entry (AddType 1) embeds its source.
inline bool LogoEmbedsSource(const FileItem& logo) { return logo.AddType == 1; }
