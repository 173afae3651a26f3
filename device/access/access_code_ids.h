#pragma once
// The access-code pane's control ids.

constexpr int IDC_ACCESS_CODE_EDIT = 1273;
constexpr int IDC_ACCESS_CODE_OK = 1271;
constexpr int IDC_ACCESS_CODE_BACK = 1272;
constexpr int IDC_ACCESS_CODE_PROMPT = 1520;
