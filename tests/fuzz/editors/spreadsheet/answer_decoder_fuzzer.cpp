// Feeds arbitrary bytes to the decoder of the reader child's answer: every result keeps
// the promises of WorksheetTexts, and an answer it takes encodes back to the same bytes
// (so nothing in it was skipped or read twice).
#include <cstddef>
#include <cstdint>

#include "editors/spreadsheet/worksheet_answer.h"
#include "tests/fuzz/editors/spreadsheet/worksheet_texts_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const QByteArrayView answer(data, static_cast<qsizetype>(size));
  const WorksheetTexts result = DecodeWorksheetAnswer(answer);
  CheckWorksheetTexts(result);
  const bool refused = result.error == SpreadsheetError::Damaged;
  RequireForFuzzing(refused || EncodeWorksheetAnswer(result) == answer);
  return 0;
}
