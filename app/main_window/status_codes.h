#pragma once
// The texts of the status bar's operation part: status codes of device operations,
// the progress and the end of a send. Texts come from section IDD_QUENDRA_DIALOG.

#include <QString>

#include <cstdint>

// The text of a status code; the failure codes carry the error text of the result
// appended. A code outside the table gives an empty text.
QString StatusCodeText(std::intptr_t code, std::int32_t result);

// "<sending>(<percent>%)", the percent held to 0-100.
QString SendProgressText(std::intptr_t percent);

// The text of a send's result: success, data being sent, data being generated, or
// the failure text with the error's text.
QString SendResultText(std::int32_t result);

// Results of a send that are steps on the way, not its end.
constexpr std::int32_t kSendSending = -1000;
constexpr std::int32_t kSendGenerating = -1001;
