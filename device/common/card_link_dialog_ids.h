#pragma once
// The control ids of the card communication dialog.

constexpr int IDC_CARD_LINK_IP = 1325;
constexpr int IDC_CARD_LINK_MASK = 1326;
constexpr int IDC_CARD_LINK_GATEWAY = 1327;
constexpr int IDC_CARD_LINK_MAC = 1328;
constexpr int IDC_CARD_LINK_NUMBER = 1329;
constexpr int IDC_CARD_LINK_BAUD = 1150;
constexpr int IDC_CARD_LINK_SET = 1330;
