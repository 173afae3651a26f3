#pragma once
// The codes that open the panes the access-code pane guards. They keep casual hands
// off the card's settings; they are no protection against anyone who reads this.

#include <QDate>
#include <QString>

// What the access-code pane opens; UM_PANE_BACK's lParam is the mode + 1.
enum AccessMode : int {
  kAccessScreenParams = 0,
  kAccessAdministrator = 1,
  kAccessBootLogo = 2,
};

// The fixed code of the screen parameters and the boot logo.
inline constexpr char16_t kFixedAccessCode[] = u"426";

// The administrator's code of a local day: "led" and day * 10000 + month * 100 +
// year % 100 in decimal ("led150624" on 15 June 2024, "led50624" on 5 June 2024).
QString AdministratorCode(const QDate& day);

// Whether the code, exactly as typed, opens the mode on that local day: the fixed
// code for the screen parameters and the boot logo, the day's administrator code for
// the administrator. Any other mode opens with nothing.
bool AccessCodeMatches(int mode, const QString& code, const QDate& today);
