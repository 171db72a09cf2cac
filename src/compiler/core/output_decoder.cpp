// COutputDecoder: compiler output to UTF-8.
#include "compiler/core/output_decoder.h"

#include "text/core/ansi_code_page.h"

#include <QString>
#include <utility>

namespace {
constexpr char kReplacement[] = "\xEF\xBF\xBD";

struct Utf8Scan {
    bool valid = true;     // no bad sequence and no zero byte
    qsizetype complete = 0;  // bytes up to a character cut at the end
};

// A zero byte counts as invalid: text never holds one, UTF-16 does.
Utf8Scan ScanUtf8(QByteArrayView bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype n = bytes.size();
    qsizetype i = 0;
    while (i < n) {
        const unsigned char c = p[i];
        if (c == 0)
            return {false, i};
        if (c < 0x80) {
            ++i;
            continue;
        }
        int length = 0;
        unsigned char low = 0x80, high = 0xBF;  // bounds of the second byte
        if (c >= 0xC2 && c <= 0xDF) {
            length = 2;
        } else if (c >= 0xE0 && c <= 0xEF) {
            length = 3;
            if (c == 0xE0) low = 0xA0;
            if (c == 0xED) high = 0x9F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            length = 4;
            if (c == 0xF0) low = 0x90;
            if (c == 0xF4) high = 0x8F;
        } else {
            return {false, i};
        }
        for (int k = 1; k < length; ++k) {
            if (i + k >= n)
                return {true, i};  // cut by the chunk's end
            const unsigned char t = p[i + k];
            const bool ok = k == 1 ? (t >= low && t <= high) : (t >= 0x80 && t <= 0xBF);
            if (!ok)
                return {false, i};
        }
        i += length;
    }
    return {true, n};
}
// Bytes up to a double-byte character whose second byte is still to come.
qsizetype CompleteAnsiLength(QByteArrayView bytes) {
    qsizetype i = 0;
    while (i < bytes.size()) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        if (c < 0x81 || c == 0xFF)
            ++i;
        else if (i + 1 < bytes.size())
            i += 2;
        else
            return i;
    }
    return i;
}

QByteArray AnsiText(QByteArrayView bytes) {
    QByteArray out;
    if (bytes.isEmpty() || AnsiToUtf8(bytes, out))
        return out;
    // Without the converter only ASCII can be trusted.
    for (const char c : bytes)
        static_cast<unsigned char>(c) < 0x80 ? out.append(c) : out.append(kReplacement);
    return out;
}
}  // namespace

QByteArray COutputDecoder::Decode(QByteArrayView chunk) {
    // One copy of the chunk: appended to what was held back, not first copied on its own.
    QByteArray data = std::exchange(m_pending, {});
    data.append(chunk);
    if (data.isEmpty())
        return {};

    const Utf8Scan scan = ScanUtf8(data);
    if (scan.valid) {
        m_pending = data.mid(scan.complete);
        data.truncate(scan.complete);
        return data;
    }
    if (data.size() >= 2 && data[1] == '\0') {
        qsizetype units = data.size() / 2;
        const auto* text = reinterpret_cast<const char16_t*>(data.constData());
        // A high surrogate at the end waits for its partner.
        if (units > 0 && QChar::isHighSurrogate(text[units - 1]))
            --units;
        m_pending = data.mid(units * 2);
        return QString::fromUtf16(text, units).toUtf8();
    }
    const qsizetype complete = CompleteAnsiLength(data);
    m_pending = data.mid(complete);
    return AnsiText(QByteArrayView(data).first(complete));
}

QByteArray COutputDecoder::Finish() {
    return AnsiText(std::exchange(m_pending, {}));
}
