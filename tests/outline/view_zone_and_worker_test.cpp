// The thumbnail band's scrolling rules, and the outline worker that collapses wake-ups during a pass.
#include "outline/core/outline_scanner.h"
#include "outline/core/outline_thread.h"
#include "outline/core/view_zone.h"

#include <QTest>
#include <Qt>
#include <gtest/gtest.h>

#include <atomic>
#include <mutex>

namespace {

// Stands in for the UI thread: answers on the worker's own thread with the
// text set last when the pass began, cut after an LF at least every pieceBytes,
// and notes the size of each scan as this thread receives it.
class WorkerText {
public:
    explicit WorkerText(qsizetype pieceBytes) : m_pieceBytes(pieceBytes) {}

    void Serve(COutlineThread& worker) {
        QObject::connect(
            &worker, &COutlineThread::PieceWanted, &worker,
            [this, &worker](qint64 from) { worker.Deliver(Piece(from)); }, Qt::DirectConnection);
        QObject::connect(
            &worker, &COutlineThread::Scanned, &m_receiver,
            [this](const std::shared_ptr<const OutlineItems>& items) { scanned.push_back(items->size()); },
            Qt::QueuedConnection);
    }
    void Set(std::optional<QByteArray> text) {
        std::lock_guard lock(m_mutex);
        m_text = std::move(text);
    }

    std::vector<std::size_t> scanned;

private:
    OutlinePiece Piece(qint64 from) {
        std::lock_guard lock(m_mutex);
        if (from == 0)
            m_pass = m_text;
        if (!m_pass)
            return {};
        const qsizetype lf = m_pass->indexOf('\n', from + m_pieceBytes - 1);
        const qsizetype end = lf < 0 ? m_pass->size() : lf + 1;
        return OutlinePiece{m_pass->mid(from, end - from), end == m_pass->size(), false};
    }

    QObject m_receiver;
    const qsizetype m_pieceBytes;
    std::mutex m_mutex;
    std::optional<QByteArray> m_text;
    std::optional<QByteArray> m_pass;
};

}  // namespace

TEST(ViewZone, ThumbnailFollowsTheEditorsEndThatLeftIt) {
    ViewZoneMetrics metrics;
    metrics.editorFirstDocLine = 100;
    metrics.editorLastDocLine = 140;
    metrics.thumbLastDocLine = 139;  // the editor's last line lies below the thumbnail's
    EXPECT_EQ(ViewZoneAnchorLine(metrics), 140);
    metrics.thumbLastDocLine = 140;
    EXPECT_EQ(ViewZoneAnchorLine(metrics), 100);

    metrics.thumbTopY = 30;
    metrics.thumbLineHeight = 3;
    metrics.editorLinesOnScreen = 40;
    EXPECT_EQ(ViewZoneBandOf(metrics), (ViewZoneBand{30, 150}));
}

TEST(ViewZone, ClickAndDragMoveTheBandsMiddleToTheMouse) {
    const ViewZoneBand band{30, 150};  // middle at 90
    const int lineHeight = 3;
    EXPECT_EQ(ViewZoneDragLines(90, band, lineHeight), 0);
    EXPECT_EQ(ViewZoneDragLines(93, band, lineHeight), 1);
    // Truncated towards zero on both sides.
    EXPECT_EQ(ViewZoneDragLines(88, band, lineHeight), 0);
    EXPECT_EQ(ViewZoneDragLines(87, band, lineHeight), -1);
    EXPECT_EQ(ViewZoneDragLines(0, band, lineHeight), -30);
    EXPECT_EQ(ViewZoneDragLines(91, ViewZoneBand{30, 151}, lineHeight), 0);  // odd band: middle 90
    // A thumbnail not laid out yet has no line height: nothing scrolls.
    EXPECT_EQ(ViewZoneDragLines(500, band, 0), 0);
}

TEST(ViewZone, KeysScrollByALineOrAScreenAndOthersNot) {
    EXPECT_EQ(ViewZoneKeyLines(Qt::Key_Down, 37), 1);
    EXPECT_EQ(ViewZoneKeyLines(Qt::Key_Up, 37), -1);
    EXPECT_EQ(ViewZoneKeyLines(Qt::Key_PageDown, 37), 37);
    EXPECT_EQ(ViewZoneKeyLines(Qt::Key_PageUp, 37), -37);
    EXPECT_EQ(ViewZoneKeyLines(Qt::Key_Home, 37), 0);
}

TEST(COutlineThread, WakeUpsDuringAPassCollapseIntoOneMorePassOverTheLatestText) {
    WorkerText text(1 << 20);
    COutlineThread worker;
    text.Serve(worker);
    const std::vector<std::size_t>& sizes = text.scanned;

    // A long first pass, then a burst of wake-ups while it runs.
    QByteArray big;
    for (int i = 0; i < 400000; ++i)
        big += "Section S\r\n  File \"a;b\" ; c /* d */\r\n";
    text.Set(big);
    worker.Wake();
    for (int i = 1; i <= 20; ++i) {
        text.Set(QByteArray("Function F\n").repeated(i));
        worker.Wake();
    }

    ASSERT_TRUE(QTest::qWaitFor([&sizes] { return !sizes.empty() && sizes.back() == 20; }, 20000));
    // A last wake-up after the burst: its result arrives after any pass the burst still caused.
    text.Set(QByteArray("Function F\n").repeated(21));
    worker.Wake();
    ASSERT_TRUE(QTest::qWaitFor([&sizes] { return sizes.back() == 21; }, 20000));
    // Each wake-up of the burst may not run its own pass: at most the big one and one more.
    EXPECT_LE(sizes.size(), 3u);
}

TEST(COutlineThread, NoDocumentGivesAnEmptyScanAndStopsCleanly) {
    WorkerText text(64 << 10);
    auto worker = std::make_unique<COutlineThread>();
    text.Serve(*worker);
    const std::vector<std::size_t>& scans = text.scanned;
    worker->Wake();
    ASSERT_TRUE(QTest::qWaitFor([&scans] { return !scans.empty(); }, 5000));
    EXPECT_EQ(scans.front(), 0u);
    // Destroyed right after a wake-up: the pass ends or never starts, nothing hangs.
    text.Set(QByteArray("Section A\n").repeated(100000));
    worker->Wake();
    worker.reset();
    // A pass that ran delivers the whole outline of all its pieces; one that never started, nothing.
    QCoreApplication::processEvents();
    ASSERT_LE(scans.size(), 2u);
    if (scans.size() == 2) {
        EXPECT_EQ(scans.back(), 100000u);
    }
}

TEST(COutlineThread, APassWaitingForAPieceGivesUpWhenTheWorkerStops) {
    auto worker = std::make_unique<COutlineThread>();
    std::atomic<bool> asked = false;
    // Nobody answers, as when the tree that would has gone.
    QObject::connect(
        worker.get(), &COutlineThread::PieceWanted, worker.get(), [&asked](qint64) { asked = true; },
        Qt::DirectConnection);
    worker->Wake();
    ASSERT_TRUE(QTest::qWaitFor([&asked] { return asked.load(); }, 5000));
    worker.reset();
}
