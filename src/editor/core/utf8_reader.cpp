// ReadFileAsUtf8: a script file read, its encoding detected and its text handed on as UTF-8 in pieces.
#include "editor/core/utf8_reader.h"

#include "text/core/text_detection.h"
#include "text/core/utf8_check.h"

#include <QFile>
#include <QFileInfo>

#include <sys/mman.h>

#include <algorithm>
#include <new>

namespace {

constexpr qsizetype kPieceBytes = qsizetype(1) << 20;

const QString kOutOfMemory = QStringLiteral("内存不足");
const QString kCutShort = QStringLiteral("文件在读取时被截短");
const QString kCancelled = QStringLiteral("已取消");

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

QString OpenRegularFile(const QString& path, qint64 sizeSeen, QFile& file) {
    const QFileInfo info(path);
    if (info.exists() && !info.isFile())
        return QStringLiteral("不是普通文件");
    file.setFileName(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return file.errorString();
    // A file shorter than when its load began was cut while we waited to read it.
    if (file.size() < sizeSeen)
        return kCutShort;
    return {};
}

QString ReadExactly(QFile& file, char* into, qsizetype size) {
    if (file.read(into, size) == size)
        return {};
    // A file cut short while read raises no error of its own.
    return file.error() != QFileDevice::NoError ? file.errorString() : kCutShort;
}

QString ReadWholeFile(QFile& file, qsizetype size, RawBytes& bytes) {
    if (!file.seek(0))
        return file.errorString();
    if (!bytes.Allocate(size))
        return kOutOfMemory;
    return ReadExactly(file, bytes.Data(), size);
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

QString TakePiece(QByteArrayView piece, Utf8Sink& sink, LineEndTally& lineEnds, Utf8ReadResult& result) {
    lineEnds.Add(piece);
    result.characters += CountUtf8Characters(piece);
    return sink.Take(piece);
}

QString FeedPieces(QByteArrayView text, const DetectedEncoding& detected, Utf8Sink& sink, Utf8ReadResult& result,
                   RawBytes& raw, qsizetype offset) {
    LineEndTally lineEnds;
    const qsizetype total = text.size();
    QByteArray converted;
    for (qsizetype from = 0; from < total;) {
        if (sink.Cancelled())
            return kCancelled;
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
        if (QString failure = TakePiece(piece, sink, lineEnds, result); !failure.isEmpty())
            return failure;
        raw.DropBelow(offset + end);
        from = end;
        sink.Progress(int(qint64(from) * 100 / total));
    }
    result.lineEnd = lineEnds.Result();
    return {};
}

// Where a piece of UTF-8 may end so that a check of it alone judges it as a
// check of the whole file would: after an ASCII byte, which no sequence
// spans or is cut short by. Zero when the piece has none.
qsizetype AfterLastAscii(QByteArrayView piece) {
    for (qsizetype at = piece.size(); at > 0; --at) {
        if (static_cast<unsigned char>(piece[at - 1]) < 0x80)
            return at;
    }
    return 0;
}

// What the whole-file detection would find, read a piece at a time so that
// no copy of the file's bytes is held beside the document being filled:
// known this way for UTF-8 and seven-bit text, which nearly every script is.
// Nothing where the other encodings need all the bytes at once.
std::optional<DetectedEncoding> DetectUtf8InPieces(QFile& file, qsizetype size, QString& failure) {
    QByteArray piece;
    qsizetype carried = 0;
    bool multiByte = false;
    for (qsizetype at = 0; at < size;) {
        const qsizetype wanted = std::min(kPieceBytes, size - at);
        piece.resize(carried + wanted);
        if (failure = ReadExactly(file, piece.data() + carried, wanted); !failure.isEmpty())
            return std::nullopt;
        if (at == 0) {
            const DetectedText start = DetectText(piece.first(3));
            if (start.charset == TextCharset::Utf8 && start.markLength > 0)
                return DetectedEncoding{TextEncoding::Utf8, start.markLength, start.codePage};
            // UTF-16, by its mark or its zero bytes, is told from the whole file.
            if (start.markLength > 0 || (piece[0] == 0) != (piece[1] == 0))
                return std::nullopt;
        }
        at += wanted;
        const qsizetype checked = at == size ? piece.size() : AfterLastAscii(piece);
        if (checked == 0)
            return std::nullopt;
        const Utf8Check check = CheckUtf8(QByteArrayView(piece).first(checked), Surrogates::Kept);
        if (check == Utf8Check::Invalid)
            return std::nullopt;
        multiByte = multiByte || check == Utf8Check::Utf8;
        carried = piece.size() - checked;
        piece.remove(0, checked);
    }
    return DetectedEncoding{multiByte ? TextEncoding::Utf8NoBom : TextEncoding::SevenBit, 0, kDefaultCodePage};
}

// The text of a UTF-8 file from `from` (after its mark), read and handed on
// a piece at a time.
QString FeedFilePieces(QFile& file, qsizetype from, qsizetype size, Utf8Sink& sink, Utf8ReadResult& result) {
    if (!file.seek(from))
        return file.errorString();
    LineEndTally lineEnds;
    QByteArray piece;
    for (qsizetype at = from; at < size;) {
        if (sink.Cancelled())
            return kCancelled;
        const qsizetype wanted = std::min(kPieceBytes, size - at);
        piece.resize(wanted);
        if (QString failure = ReadExactly(file, piece.data(), wanted); !failure.isEmpty())
            return failure;
        if (QString failure = TakePiece(piece, sink, lineEnds, result); !failure.isEmpty())
            return failure;
        at += wanted;
        sink.Progress(int(qint64(at - from) * 100 / (size - from)));
    }
    result.lineEnd = lineEnds.Result();
    return {};
}

}  // namespace

Utf8ReadResult ReadFileAsUtf8(const Utf8ReadRequest& request, Utf8Sink& sink) {
    Utf8ReadResult result;
    // Stamped before reading: a change made while we read shows up at the next check.
    result.stamp = ReadFileStamp(request.path);
    QFile file;
    result.failure = OpenRegularFile(request.path, request.sizeSeen, file);
    if (!result.failure.isEmpty())
        return result;
    const qsizetype size = file.size();
    if (!request.codePage && size > kPieceBytes) {
        const std::optional<DetectedEncoding> utf8 = DetectUtf8InPieces(file, size, result.failure);
        if (!result.failure.isEmpty())
            return result;
        if (utf8) {
            result.detected = *utf8;
            result.failure = FeedFilePieces(file, result.detected.markLength, size, sink, result);
            return result;
        }
    }
    RawBytes raw;
    result.failure = ReadWholeFile(file, size, raw);
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
