// TextDocument: one script document's file state and line end with its load, save and encoding change.
#include "editor/core/text_document.h"

#include "editor/core/encoding_detection.h"
#include "platform/app_name.h"
#include "platform/prompter.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <new>

namespace {

const QString kEncodingCaption = QStringLiteral("编码格式");

QString Format(const char* format, const QString& arg) { return QString::asprintf(format, arg.toUtf8().constData()); }

QString Format(const char* format, const QString& first, const QString& second) {
    return QString::asprintf(format, first.toUtf8().constData(), second.toUtf8().constData());
}

// ANSI lacks characters; UCS-2 cannot carry bytes that are not UTF-8 (a
// UTF-8 file may hold them), which become U+FFFD.
QString LossyQuestion(TextEncoding encoding, CodePage page) {
    if (encoding == TextEncoding::Ansi || encoding == TextEncoding::SevenBit)
        return Format("当前脚本包含无法用 %s 编码保存的字符，这些字符将变为“?”。是否继续保存？",
                      EncodingName(encoding, page));
    return Format("当前脚本包含无法用 %s 编码保存的字节，这些字节将变为“\uFFFD”。是否继续保存？",
                  EncodingName(encoding));
}

const QString kOutOfMemory = QStringLiteral("内存不足");

// QSaveFile words some failures its own way ("Unknown error" for a full
// disk): the system's text for the call that failed says more.
QString SystemReason(int error, const QString& qtText) {
    return error != 0 ? QString::fromLocal8Bit(std::strerror(error)) : qtText;
}

}  // namespace

TextDocument::TextDocument(Prompter& prompter) : m_prompter(prompter) {}

void TextDocument::ShowFailure(const char* format, const QString& path, const QString& reason) {
    m_prompter.Ask(Format(format, path) + QLatin1Char('\n') + reason, kAppName, PromptIcon::Error, PromptButtons::Ok);
}

Utf8ReadRequest TextDocument::ReadRequest(const QString& path, std::optional<CodePage> codePage) const {
    Utf8ReadRequest request{path, codePage, {}};
    // The same file read again, still ANSI, keeps the code page the user chose.
    if (path == m_path && m_encoding == TextEncoding::Ansi)
        request.ansiPage = m_codePage;
    return request;
}

bool TextDocument::AdoptRead(const QString& path, bool asNew, const Utf8ReadResult& read) {
    if (!read.failure.isEmpty()) {
        ShowFailure("打开文件[%s]失败！", path, read.failure);
        return false;
    }
    m_lineEnd = read.lineEnd;
    m_encoding = read.detected.encoding;
    m_codePage = read.detected.codePage;
    if (asNew) {
        m_path.clear();
        m_stamp.reset();
        m_modified = true;
    } else {
        m_path = path;
        m_stamp = read.stamp;
        m_modified = false;
    }
    return true;
}

bool TextDocument::LoadFile(const QString& path, bool asNew, QByteArray& utf8Out, std::optional<CodePage> codePage) {
    Utf8Collector collector;
    if (!AdoptRead(path, asNew, ReadFileAsUtf8(ReadRequest(path, codePage), collector)))
        return false;
    utf8Out = std::move(collector.text);
    return true;
}

bool TextDocument::SaveFile(const QByteArray& utf8Text, const QString& newPath) {
    const QString target = newPath.isEmpty() ? m_path : newPath;
    if (target.isEmpty())
        return false;

    QByteArray bytes;
    bool lossy = false;
    QString reason;
    try {
        if (!EncodeFromUtf8(utf8Text, m_encoding, m_codePage, bytes, lossy))
            reason = Format("无法按 %s 编码保存", EncodingText());
    } catch (const std::bad_alloc&) {
        reason = kOutOfMemory;
    }
    if (!reason.isEmpty()) {
        ShowFailure("保存文件[%s]失败！", target, reason);
        return false;
    }
    if (lossy
        && m_prompter.Ask(LossyQuestion(m_encoding, m_codePage), kEncodingCaption, PromptIcon::Warning,
                          PromptButtons::YesNo)
            != PromptAnswer::Yes)
        return false;

    // The bytes go to a temporary file beside the target that then replaces
    // it, so a failure at any point leaves the old file whole.
    errno = 0;
    QSaveFile file(target);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        ShowFailure("保存文件[%s]失败！", target, SystemReason(errno, file.errorString()));
        return false;
    }
    // Only a written file becomes the document's path, so a failed Save As
    // leaves the document pointing at the file it really came from.
    m_path = target;
    m_stamp = ReadFileStamp(target);
    m_modified = false;
    return true;
}

EncodingChange TextDocument::SetEncoding(TextEncoding encoding, const QByteArray& currentText) {
    return ChangeEncoding(encoding, m_codePage, currentText);
}

EncodingChange TextDocument::ConvertToCodePage(CodePage page, const QByteArray& currentText) {
    return ChangeEncoding(TextEncoding::Ansi, page, currentText);
}

EncodingChange TextDocument::ChangeEncoding(TextEncoding encoding, CodePage page, const QByteArray& currentText) {
    if (encoding == m_encoding && page == m_codePage)
        return EncodingChange::None;
    if (!HasPath()) {
        m_encoding = encoding;
        m_codePage = page;
        return EncodingChange::Adopted;
    }
    const QString question =
        Format("当前脚本编码格式为 %s，确认要转化为 %s 编码格式吗？", EncodingText(), EncodingName(encoding, page));
    if (m_prompter.Ask(question, kEncodingCaption, PromptIcon::Warning, PromptButtons::YesNo) != PromptAnswer::Yes)
        return EncodingChange::None;
    const TextEncoding previousEncoding = m_encoding;
    const CodePage previousPage = m_codePage;
    m_encoding = encoding;
    m_codePage = page;
    if (SaveFile(currentText))
        return EncodingChange::Saved;
    // The file on disk still has the old encoding; so does the document.
    m_encoding = previousEncoding;
    m_codePage = previousPage;
    return EncodingChange::None;
}

bool TextDocument::AskToReopen(CodePage page) {
    if (!HasPath())
        return false;
    if (!m_modified)
        return true;
    const QString question =
        Format("当前脚本尚未保存，以 %s 编码重新打开将丢失所做的修改。是否继续？", CodePageName(page));
    return m_prompter.Ask(question, kEncodingCaption, PromptIcon::Warning, PromptButtons::YesNo) == PromptAnswer::Yes;
}

ExternalChange TextDocument::AskAboutExternalChange() {
    if (!m_stamp || m_path.isEmpty())
        return ExternalChange::None;
    const std::optional<FileStamp> current = ReadFileStamp(m_path);
    if (!current) {
        m_stamp.reset();
        const PromptAnswer answer =
            m_prompter.Ask(Format("%s\n\n该文件已不存在，您是否要在编辑器中保留此文件？", m_path), kAppName,
                           PromptIcon::Question, PromptButtons::YesNo);
        // Only an explicit No closes; a dismissed box keeps the text.
        if (answer == PromptAnswer::No)
            return ExternalChange::CloseTab;
        m_modified = true;
        return ExternalChange::MissingKept;
    }
    if (*current == *m_stamp)
        return ExternalChange::None;
    m_stamp = current;
    const PromptAnswer answer = m_prompter.Ask(Format("%s\n\n该文件已被其他程序修改，您是否要重新加载文件？", m_path),
                                               kAppName, PromptIcon::Question, PromptButtons::YesNo);
    if (answer == PromptAnswer::Yes)
        return ExternalChange::ReloadWanted;
    m_modified = true;
    return ExternalChange::ChangedKept;
}
