// Waits for a condition while the event loop runs, failing the gtest test when it never comes true.
#pragma once

#include <QTest>
#include <gtest/gtest.h>

// Qt's QTRY_ macros report to Qt Test, which a gtest run never hears of.
#define ASSERT_EVENTUALLY(condition) \
    ASSERT_TRUE(QTest::qWaitFor([&] { return bool(condition); }, 10000)) << "never came true: " #condition
#define EXPECT_EVENTUALLY(condition) \
    EXPECT_TRUE(QTest::qWaitFor([&] { return bool(condition); }, 10000)) << "never came true: " #condition
