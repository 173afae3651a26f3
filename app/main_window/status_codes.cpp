#include "app/main_window/status_codes.h"

#include <algorithm>

#include "app/builder/send_error_text.h"
#include "model/settings/lang_sections.h"
#include "model/settings/lang_text.h"

namespace {

constexpr int kSendingText = 1007;
constexpr int kGeneratingText = 1008;
constexpr int kSentText = 1009;
constexpr int kFailedText = 1010;

struct StatusRow {
  int code;
  int key;
  bool withError;  // the result's error text follows
};

// Each operation sends its start code, then its success or its failure code.
constexpr StatusRow kStatusRows[] = {
    {0, 1011, false},  {1, 1012, false},          {2, 1013, true},        {3, 1014, false},
    {4, 1015, false},  {5, 1016, true},           {6, 1017, false},       {7, 1018, false},
    {8, 1059, true},   {9, 1019, false},          {10, 1020, false},      {11, 1021, true},
    {12, 1022, false}, {13, 1023, false},         {14, 1024, true},       {15, 1025, false},
    {16, 1026, false}, {17, 1027, true},          {18, 1028, false},      {19, 1029, false},
    {20, 1030, true},  {21, 1031, false},         {22, 1032, false},      {23, 1033, true},
    {24, 1034, false}, {25, 1035, false},         {26, 1036, true},       {27, 1037, false},
    {28, 1038, false}, {29, 1039, true},          {30, 1040, false},      {31, 1041, false},
    {32, 1042, false}, {33, 1043, false},         {34, 1044, false},      {35, 1045, false},
    {36, 1046, true},  {37, 1047, false},         {38, 1048, false},      {39, 1049, true},
    {40, 1050, false}, {41, 1051, false},         {42, 1052, true},       {43, 1053, false},
    {44, 1054, false}, {45, 1055, true},          {46, 1056, false},      {47, 1057, false},
    {48, 1058, true},  {-3, kSendingText, false}, {-2, kSentText, false}, {-1, kFailedText, true}};

}  // namespace

QString StatusCodeText(std::intptr_t code, std::int32_t result) {
  const auto row = std::find_if(std::begin(kStatusRows), std::end(kStatusRows),
                                [code](const StatusRow& r) { return r.code == code; });
  if (row == std::end(kStatusRows)) return {};
  QString text = ReadLangText(lang_section::IDD_QUENDRA_DIALOG, row->key);
  if (row->withError) text += GetSendErrorText(result);
  return text;
}

QString SendProgressText(std::intptr_t percent) {
  const auto held = std::clamp<std::intptr_t>(percent, 0, 100);
  return ReadLangText(lang_section::IDD_QUENDRA_DIALOG, kSendingText) + QLatin1Char('(') +
         QString::number(held) + QStringLiteral("%)");
}

QString SendResultText(std::int32_t result) {
  switch (result) {
    case 0: return ReadLangText(lang_section::IDD_QUENDRA_DIALOG, kSentText);
    case kSendSending: return ReadLangText(lang_section::IDD_QUENDRA_DIALOG, kSendingText);
    case kSendGenerating: return ReadLangText(lang_section::IDD_QUENDRA_DIALOG, kGeneratingText);
    default:
      return ReadLangText(lang_section::IDD_QUENDRA_DIALOG, kFailedText) + GetSendErrorText(result);
  }
}
