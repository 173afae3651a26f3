#pragma once
// Control ids of the administrator's pane (task pane 9), the card's timed lock.

constexpr int IDC_LOCKER_LABEL = 1398;
constexpr int IDC_LOCKER_LOCK = 1399;
constexpr int IDC_LOCKER_UNLOCK = 1400;
constexpr int IDC_LOCKER_BACK = 1401;
