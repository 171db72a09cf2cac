// libFuzzer target: any file read as detected, or as ANSI in any code page, writes back byte for byte unless the save would say it is lossy.
#include "editor/core/encoding_detection.h"
#include "editor/core/text_encoding.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>

namespace {

// Reads bytes as encoding, writes the text back and aborts when the bytes
// differ without the lossy flag. Returns whether the way back was lossy.
bool RoundTrip(QByteArrayView bytes, TextEncoding encoding, CodePage page, int markLength) {
    QByteArray text;
    if (!DecodeToUtf8(bytes.sliced(markLength), encoding, page, text))
        return true;
    QByteArray back;
    bool lossy = false;
    if (!EncodeFromUtf8(text, encoding, page, back, lossy))
        return true;
    Require(lossy || back == bytes, "bytes written back without the lossy flag differ");
    return lossy;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArrayView bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const DetectedEncoding detected = DetectEncoding(bytes);
    RoundTrip(bytes, detected.encoding, detected.codePage, detected.markLength);
    // Read as ANSI, every byte is kept whatever the code page: never lossy.
    for (CodePage page : AllCodePages()) {
        Require(!RoundTrip(bytes, TextEncoding::Ansi, page, 0), "ANSI text lost a byte");
    }
    return 0;
}
