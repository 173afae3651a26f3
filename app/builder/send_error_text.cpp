#include "app/builder/send_error_text.h"

#include <array>
#include <utility>

#include "app/builder/program_builder.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

constexpr int kGenericErrorKey = 3001;

// Code and text key, keys 2000-2016 in this order.
constexpr std::array<std::pair<std::int32_t, int>, 17> kCodeKeys = {{
    {0xDAA3, 2000},
    {0xD5B0, 2001},
    {0xD5B4, 2002},
    {0xDAB8, 2003},
    {0xC1BA, 2004},
    {-10, 2005},
    {-8, 2006},
    {-12, 2007},
    {-17, 2008},
    {-30, 2009},
    {-36, 2010},
    {-37, 2011},
    {-100, 2012},
    {-102, 2013},
    {-104, 2014},
    {kRefusalTextPageLimit, 2015},
    {-18, 2016},
}};

}  // namespace

QString GetSendErrorText(std::int32_t code) {
  for (const auto& [known, key] : kCodeKeys) {
    if (known != code) continue;
    const QString text = ReadLangText(lang_section::IDD_QUENDRA_DIALOG, key);
    if (!text.isEmpty()) return u'(' + text + u')';
    break;
  }
  // Joined, not formatted, so a "%" in the text stays as it is.
  return u'(' + ReadLangText(lang_section::IDD_QUENDRA_DIALOG, kGenericErrorKey) + u':' +
         QString::number(code) + u')';
}
