// ReadFileAsUtf8: a script file read, its encoding detected and its text handed on as UTF-8 in pieces.
#pragma once

#include "editor/core/encoding_detection.h"
#include "editor/core/file_stamp.h"
#include "editor/core/line_end.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

struct Utf8ReadRequest {
    QString path;
    std::optional<CodePage> codePage;  // read as ANSI in this page, whatever detection says
    std::optional<CodePage> ansiPage;  // the page for text detection finds ANSI
    qint64 sizeSeen = 0;               // the size the file had when the load began
};

// What reading found besides the text.
struct Utf8ReadResult {
    QString failure;  // why nothing usable was read; empty on success
    DetectedEncoding detected;
    LineEnd lineEnd = LineEnd::CrLf;
    std::optional<FileStamp> stamp;  // taken before reading
    qint64 characters = 0;           // in the text given to the sink
};


// Where the text goes. It may be called on any thread, one piece at a time.
class Utf8Sink {
public:
    virtual ~Utf8Sink() = default;
    // Takes the next piece; gives why it cannot, or nothing.
    virtual QString Take(QByteArrayView piece) = 0;
    // Asked between pieces: true stops the read.
    virtual bool Cancelled() const { return false; }
    // How much of the file has gone to the sink, in percent.
    virtual void Progress(int /*percent*/) {}
};

// Reads a regular file (a short read is a failure; a pipe or device is
// refused, since it would block or never end) and gives its text as UTF-8 in
// pieces of about a megabyte. A UTF-8 file over a piece is read twice, a
// piece at a time: once to judge it, once to hand it on; any other is read
// whole and its raw bytes are given back to the system as their text
// leaves. Either way no full copy of the bytes sits beside the document the
// text fills. A failure or a cancel may come after some pieces were taken.
Utf8ReadResult ReadFileAsUtf8(const Utf8ReadRequest& request, Utf8Sink& sink);

// The sink of a load that wants the whole text at once.
class Utf8Collector : public Utf8Sink {
public:
    QString Take(QByteArrayView piece) override;
    QByteArray text;
};
