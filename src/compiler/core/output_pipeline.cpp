// COutputPipeline: makensis's output, chunk by chunk, into log text, error lines, hints, the installer and diagnostics.
#include "compiler/core/output_pipeline.h"

#include "compiler/core/output_line.h"

#include <QDir>
#include <algorithm>
#include <utility>

QString BadEncodingHint(const QString& file) {
    return QStringLiteral("提示：文件“%1”不是 UTF-8 编码，编译器无法读取。请将它转换为 UTF-8 编码后再编译。\n")
        .arg(file);
}

COutputPipeline::COutputPipeline(QString compileFolder) : m_compileFolder(std::move(compileFolder)) {}

void COutputPipeline::Feed(QByteArrayView bytes) { Split(m_decoder.Decode(bytes)); }

void COutputPipeline::Finish() {
    Split(m_decoder.Finish());
    if (!m_partialLine.isEmpty())
        ReadLine(std::exchange(m_partialLine, {}));
    if (!m_heldHints.isEmpty() && !m_atLineStart)
        m_reading.logText += '\n';
    PlaceHints();
    m_diagnostics.Finish();
}

OutputReading COutputPipeline::TakeReading() { return std::exchange(m_reading, {}); }

// Lines end at a line feed, or after kMaxLine bytes: the same places however the text arrives.
void COutputPipeline::Split(QByteArrayView text) {
    while (!text.isEmpty()) {
        const qsizetype room = kMaxLine - m_partialLine.size();
        const qsizetype lineFeed = text.first(std::min(room, text.size())).indexOf('\n');
        if (lineFeed < 0 && text.size() < room) {
            m_reading.logText += text;
            m_partialLine += text;
            m_atLineStart = false;
            return;
        }
        const qsizetype length = lineFeed < 0 ? room : lineFeed;
        const qsizetype taken = lineFeed < 0 ? room : lineFeed + 1;
        m_reading.logText += text.first(taken);
        if (m_partialLine.isEmpty()) {
            ReadLine(text.first(length));
        } else {
            m_partialLine += text.first(length);
            ReadLine(std::exchange(m_partialLine, {}));
        }
        m_atLineStart = lineFeed >= 0;
        if (m_atLineStart)
            PlaceHints();
        text = text.sliced(taken);
    }
}

// The chain of line readers: the error line, the installer, the encoding hint, the diagnostics.
void COutputPipeline::ReadLine(QByteArrayView bytes) {
    const OutputLine line = ReadOutputLine(bytes);
    if (line.scriptError) {
        // A missing number leads to the first line.
        m_reading.errorLine = std::max(line.scriptError->line - 1, 0);
    } else if (line.installer) {
        m_installerPath = QDir::cleanPath(QDir(m_compileFolder).absoluteFilePath(*line.installer));
    } else if (line.badEncodingFile && !m_hintedFiles.contains(*line.badEncodingFile)) {
        m_hintedFiles.insert(*line.badEncodingFile);
        m_heldHints += BadEncodingHint(*line.badEncodingFile).toUtf8();
    }
    m_diagnostics.ReadLine(line);
}

// A hint never splits a line of the output.
void COutputPipeline::PlaceHints() { m_reading.logText += std::exchange(m_heldHints, {}); }
