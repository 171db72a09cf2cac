// The outline worker: scans handed-over copies and collapses wake-ups that come during a pass.
#include "outline/core/outline_scanner.h"
#include "outline/core/outline_thread.h"

#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

TEST(COutlineThread, WakeUpsDuringAPassCollapseIntoOneMorePassOverTheLatestText) {
    COutlineThread worker;
    std::vector<std::size_t> sizes;
    QObject receiver;
    QObject::connect(&worker, &COutlineThread::Scanned, &receiver,
                     [&sizes](const OutlineItems& items) { sizes.push_back(items.size()); });

    // A long first pass, then a burst of wake-ups while it runs.
    QByteArray big;
    for (int i = 0; i < 400000; ++i)
        big += "Section S\r\n  File \"a;b\" ; c /* d */\r\n";
    worker.Wake(big);
    for (int i = 1; i <= 20; ++i)
        worker.Wake(QByteArray("Function F\n").repeated(i));

    ASSERT_TRUE(QTest::qWaitFor([&sizes] { return !sizes.empty() && sizes.back() == 20; }, 20000));
    QTest::qWait(100);
    // Each wake-up may not run its own pass: at most the big one and one more.
    EXPECT_LE(sizes.size(), 2u);
    EXPECT_EQ(sizes.back(), 20u);
}

TEST(COutlineThread, NoDocumentGivesAnEmptyScanAndStopsCleanly) {
    auto worker = std::make_unique<COutlineThread>();
    QSignalSpy scanned(worker.get(), &COutlineThread::Scanned);
    worker->Wake(std::nullopt);
    ASSERT_TRUE(scanned.wait(5000));
    EXPECT_TRUE(scanned[0][0].value<OutlineItems>().empty());
    // Destroyed right after a wake-up: the pass ends or never starts, nothing hangs.
    worker->Wake(QByteArray("Section A\n").repeated(100000));
    worker.reset();
    SUCCEED();
}
