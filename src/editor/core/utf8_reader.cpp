// ReadFileAsUtf8: a script file read, its encoding detected and its text handed on as UTF-8 in pieces.
#include "editor/core/utf8_reader.h"

#include <QFile>
#include <QFileInfo>

#include <sys/mman.h>

#include <algorithm>
#include <new>

namespace {

constexpr qsizetype kPieceBytes = qsizetype(1) << 20;

const QString kOutOfMemory = QStringLiteral("内存不足");
const QString kCutShort = QStringLiteral("文件在读取时被截短");

// Anonymous memory whose pages can be handed back one range at a time, which
// a heap block cannot.
class RawBytes {
public:
    RawBytes() = default;
    RawBytes(const RawBytes&) = delete;
    RawBytes& operator=(const RawBytes&) = delete;
    ~RawBytes() {
        if (m_data)
            munmap(m_data, std::size_t(m_size));
    }

    bool Allocate(qsizetype size) {
        if (size == 0)
            return true;
        void* data = mmap(nullptr, std::size_t(size), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (data == MAP_FAILED)
            return false;
        m_data = static_cast<char*>(data);
        m_size = size;
        return true;
    }
    char* Data() const { return m_data; }
    QByteArrayView View() const { return {m_data, m_size}; }
    // The whole pages below end are no longer needed.
    void DropBelow(qsizetype end) {
        const qsizetype page = qsizetype(getpagesize());
        const qsizetype upTo = end / page * page;
        if (upTo > m_dropped) {
            madvise(m_data + m_dropped, std::size_t(upTo - m_dropped), MADV_DONTNEED);
            m_dropped = upTo;
        }
    }

private:
    char* m_data = nullptr;
    qsizetype m_size = 0;
    qsizetype m_dropped = 0;
};

QString ReadWholeFile(const QString& path, qint64 sizeSeen, RawBytes& bytes, qsizetype& size) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return QStringLiteral("不是普通文件");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return file.errorString();
    size = file.size();
    // A file shorter than when its load began was cut while we waited to read it.
    if (size < sizeSeen)
        return kCutShort;
    if (!bytes.Allocate(size))
        return kOutOfMemory;
    if (file.read(bytes.Data(), size) == size)
        return {};
    // A file cut short while read raises no error of its own.
    return file.error() != QFileDevice::NoError ? file.errorString() : kCutShort;
}

bool IsUtf8(TextEncoding encoding) {
    return encoding == TextEncoding::SevenBit || encoding == TextEncoding::Utf8
        || encoding == TextEncoding::Utf8NoBom;
}

// Where a piece that starts at from may end so that no character is cut:
// anywhere in UTF-8, which passes unchanged; after a line feed otherwise
// (never part of another character in a code page; a whole code unit in UTF-16).
qsizetype PieceEnd(QByteArrayView text, qsizetype from, TextEncoding encoding) {
    const qsizetype wanted = std::min(text.size(), from + kPieceBytes);
    if (IsUtf8(encoding) || wanted == text.size())
        return wanted;
    if (encoding == TextEncoding::Ansi) {
        const qsizetype lineFeed = text.indexOf('\n', wanted - 1);
        return lineFeed < 0 ? text.size() : lineFeed + 1;
    }
    const bool bigEndian = encoding == TextEncoding::Ucs2BigEndian || encoding == TextEncoding::Ucs2BigEndianNoBom;
    const QByteArrayView unit = bigEndian ? QByteArrayView("\0\n", 2) : QByteArrayView("\n\0", 2);
    for (qsizetype at = text.indexOf(unit, from + ((wanted - from) & ~qsizetype(1))); at >= 0;
         at = text.indexOf(unit, at + 1)) {
        if ((at - from) % 2 == 0)
            return at + 2;
    }
    return text.size();
}

// Every byte that does not continue a sequence starts a character.
qint64 CountUtf8Characters(QByteArrayView text) {
    qint64 count = 0;
    for (const char byte : text)
        count += (byte & 0xC0) != 0x80;
    return count;
}

QString FeedPieces(QByteArrayView text, const DetectedEncoding& detected, Utf8Sink& sink, Utf8ReadResult& result,
                   RawBytes& raw, qsizetype offset) {
    LineEndTally lineEnds;
    const qsizetype total = text.size();
    QByteArray converted;
    for (qsizetype from = 0; from < total;) {
        if (sink.Cancelled())
            return QStringLiteral("已取消");
        const qsizetype end = PieceEnd(text, from, detected.encoding);
        QByteArrayView piece = text.sliced(from, end - from);
        if (!IsUtf8(detected.encoding)) {
            converted.clear();
            try {
                if (!DecodeToUtf8(piece, detected.encoding, detected.codePage, converted))
                    return QString::asprintf("无法按 %s 编码读取文件内容",
                                             EncodingName(detected.encoding, detected.codePage).toUtf8().constData());
            } catch (const std::bad_alloc&) {
                return kOutOfMemory;
            }
            piece = converted;
        }
        lineEnds.Add(piece);
        result.characters += CountUtf8Characters(piece);
        if (QString failure = sink.Take(piece); !failure.isEmpty())
            return failure;
        raw.DropBelow(offset + end);
        from = end;
        sink.Progress(int(qint64(from) * 100 / total));
    }
    result.lineEnd = lineEnds.Result();
    return {};
}

}  // namespace

Utf8ReadResult ReadFileAsUtf8(const Utf8ReadRequest& request, Utf8Sink& sink) {
    Utf8ReadResult result;
    // Stamped before reading: a change made while we read shows up at the next check.
    result.stamp = ReadFileStamp(request.path);
    RawBytes raw;
    qsizetype size = 0;
    result.failure = ReadWholeFile(request.path, request.sizeSeen, raw, size);
    if (!result.failure.isEmpty())
        return result;
    const QByteArrayView bytes = raw.View();
    result.detected = request.codePage ? DetectedEncoding{TextEncoding::Ansi, 0, *request.codePage}
                                       : DetectEncoding(bytes);
    if (!request.codePage && request.ansiPage && result.detected.encoding == TextEncoding::Ansi)
        result.detected.codePage = *request.ansiPage;
    const qsizetype mark = result.detected.markLength;
    result.failure = FeedPieces(bytes.sliced(mark), result.detected, sink, result, raw, mark);
    return result;
}

QString Utf8Collector::Take(QByteArrayView piece) {
    try {
        text.append(piece);
    } catch (const std::bad_alloc&) {
        return kOutOfMemory;
    }
    return {};
}
