// CLineJoiner: cuts chunked output into whole lines.
#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <utility>

// A line cut by a chunk boundary is joined with the rest from the next chunk.
// A line this long without a line feed is no message of the compiler; it is
// handed on as it stands instead of being held without bound.
class CLineJoiner {
public:
    static constexpr qsizetype kMaxHeldLine = 64 * 1024;

    // Calls onLine(QByteArrayView) for every line the chunk completes, without its line feed.
    template <typename F>
    void Feed(QByteArrayView chunk, F&& onLine) {
        qsizetype start = 0;
        for (qsizetype feed = chunk.indexOf('\n'); feed >= 0; feed = chunk.indexOf('\n', start)) {
            const QByteArrayView piece = chunk.sliced(start, feed - start);
            if (m_partial.isEmpty()) {
                onLine(piece);
            } else {
                m_partial.append(piece);
                onLine(QByteArrayView(m_partial));
                m_partial.clear();
            }
            start = feed + 1;
        }
        m_partial.append(chunk.sliced(start));
        if (m_partial.size() > kMaxHeldLine)
            Finish(onLine);
    }

    // Hands on a last line that had no line feed.
    template <typename F>
    void Finish(F&& onLine) {
        if (m_partial.isEmpty())
            return;
        const QByteArray line = std::exchange(m_partial, {});
        onLine(QByteArrayView(line));
    }

private:
    QByteArray m_partial;
};
