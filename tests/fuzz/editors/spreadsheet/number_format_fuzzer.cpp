// Feeds arbitrary number format codes and values to the number formatter: the first 8
// bytes are the value (a double, little-endian), the next byte chooses the date system,
// the rest is the code in UTF-8. A code has at most 255 characters, so the text it
// makes stays small, whatever the code and the value.
#include <QString>
#include <QtEndian>

#include <cstddef>
#include <cstdint>

#include "editors/spreadsheet/number_format.h"
#include "tests/fuzz/editors/spreadsheet/worksheet_texts_check.h"

namespace {

// Far above what a code of 255 characters shows of the largest double (309 digits,
// two more for each percent sign, a separator for every three) and its own text.
constexpr qsizetype kMaxTextUnits = 4096;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 9) return 0;
  const double value = qFromLittleEndian<double>(data);
  const QString code =
      QString::fromUtf8(reinterpret_cast<const char*>(data + 9), static_cast<qsizetype>(size - 9));
  RequireForFuzzing(FormatNumber(value, code, data[8] & 1).size() <= kMaxTextUnits);
  return 0;
}
