#pragma once
// The text the user sees for a result code of the controller library or of a card.

#include <QString>

#include <cstdint>

// The text of the code's key in section IDD_QUENDRA_DIALOG in parentheses,
// "(text)", for the codes that have one (card codes 0xDAA3, 0xD5B0, 0xD5B4, 0xDAB8,
// 0xC1BA; library codes -8, -10, -12, -17, -30, -36, -37, -100, -102, -104; the
// builder's kRefusalTextPageLimit). Any other code, or a key without text, gives
// "(<text 3001>:<code>)". Language texts are taken as they stand, "%" included.
QString GetSendErrorText(std::int32_t code);
