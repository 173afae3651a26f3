#pragma once
// Expectations that wait for a condition while the event loop runs. QTest's QTRY_
// macros report to QTest's own log, which a GoogleTest program never reads: in these
// programs they could never fail.

#include <gtest/gtest.h>

#include <QtCore/qtestsupport_core.h>

inline constexpr int kEventuallyMs = 5000;

#define EXPECT_EVENTUALLY_WITHIN(condition, timeoutMs)                                  \
  EXPECT_TRUE(QTest::qWaitFor([&] { return static_cast<bool>(condition); }, timeoutMs)) \
      << #condition

#define EXPECT_EVENTUALLY(condition) EXPECT_EVENTUALLY_WITHIN(condition, kEventuallyMs)

// Waits for actual to equal expected, then compares them, so a failure shows both.
#define EXPECT_EVENTUALLY_EQ_WITHIN(actual, expected, timeoutMs)                           \
  do {                                                                                     \
    static_cast<void>(QTest::qWaitFor([&] { return (actual) == (expected); }, timeoutMs)); \
    EXPECT_EQ(actual, expected);                                                           \
  } while (0)

#define EXPECT_EVENTUALLY_EQ(actual, expected) \
  EXPECT_EVENTUALLY_EQ_WITHIN(actual, expected, kEventuallyMs)
