// Feeds arbitrary bytes to the decoder of the plain-text files the rich-text editor
// opens, under each language (the first byte chooses it): nothing may read out of
// bounds or overflow, whatever marks, code pages or cut-off sequences the bytes hold.

#include <QByteArrayView>

#include <cstddef>
#include <cstdint>

#include "editors/rich_text_editor/plain_text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const int language = data[0] % 8;
  const QByteArrayView bytes(reinterpret_cast<const char*>(data + 1),
                             static_cast<qsizetype>(size - 1));
  static_cast<void>(DecodePlainText(bytes, language));
  return 0;
}
