// COutputDecoder: compiler output to UTF-8.
#include "compiler/core/output_decoder.h"

#include <QString>
#include <cerrno>
#include <utility>

namespace {
constexpr char kReplacement[] = "\xEF\xBF\xBD";
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

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
}  // namespace

COutputDecoder::COutputDecoder() : m_cp936(iconv_open("UTF-8", "CP936")) {}

COutputDecoder::~COutputDecoder() {
    if (m_cp936 != kNoConverter)
        iconv_close(m_cp936);
}

QByteArray COutputDecoder::Decode(QByteArrayView chunk) {
    QByteArray data = m_pending + chunk.toByteArray();
    m_pending.clear();
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
    return DecodeAnsi(data, true);
}

QByteArray COutputDecoder::Finish() {
    const QByteArray rest = std::exchange(m_pending, {});
    return rest.isEmpty() ? QByteArray() : DecodeAnsi(rest, false);
}

QByteArray COutputDecoder::DecodeAnsi(QByteArrayView bytes, bool holdIncompleteTail) {
    QByteArray out;
    if (m_cp936 == kNoConverter) {
        // Without a converter only ASCII can be trusted.
        for (const char c : bytes)
            static_cast<unsigned char>(c) < 0x80 ? out.append(c) : out.append(kReplacement);
        return out;
    }
    iconv(m_cp936, nullptr, nullptr, nullptr, nullptr);
    char* in = const_cast<char*>(bytes.data());
    size_t inLeft = static_cast<size_t>(bytes.size());
    char buffer[4096];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        const size_t result = iconv(m_cp936, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, outPtr - buffer);
        if (result != static_cast<size_t>(-1))
            break;
        if (errno == E2BIG)
            continue;
        if (errno == EINVAL && holdIncompleteTail) {
            m_pending = QByteArray(in, static_cast<qsizetype>(inLeft));
            break;
        }
        // A byte CP936 cannot read, or a lead byte with nothing after it.
        out.append(kReplacement);
        ++in;
        --inLeft;
    }
    return out;
}

QByteArray AnsiTextToUtf8(QByteArrayView ansi) {
    COutputDecoder decoder;
    return decoder.DecodeAnsi(ansi, false);
}
