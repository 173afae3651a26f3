#pragma once
// The screen information page's control ids: the four read-only fields and their
// labels.

constexpr int IDC_INFO_CARD_MODEL = 1316;
constexpr int IDC_INFO_COLOR = 1080;
constexpr int IDC_INFO_SIZE = 1081;
constexpr int IDC_INFO_LINK = 1082;
constexpr int IDC_INFO_CARD_MODEL_LABEL = 1508;
constexpr int IDC_INFO_COLOR_LABEL = 1509;
constexpr int IDC_INFO_SIZE_LABEL = 1510;
constexpr int IDC_INFO_LINK_LABEL = 1511;
