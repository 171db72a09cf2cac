// TextDocument: one script document's file state (path, encoding, line end, modified flag, stamp) with its load, save and encoding change.
#pragma once

#include "editor/core/file_stamp.h"
#include "editor/core/line_end.h"
#include "editor/core/text_encoding.h"
#include "editor/core/utf8_reader.h"

#include <QByteArray>
#include <QString>

#include <optional>

class Prompter;

// What AskAboutExternalChange found and what the user chose; the view acts on it.
enum class ExternalChange {
    None,          // nothing to do
    MissingKept,   // the file is gone; the user keeps the text, now modified
    CloseTab,      // the file is gone; the user wants the document closed
    ReloadWanted,  // the file changed and the user wants it read again
    ChangedKept,   // the file changed; the user keeps the text, now modified
};

enum class EncodingChange {
    None,     // same encoding, or the user said No, or the save failed
    Adopted,  // untitled document: applies at the first save
    Saved,    // the file was written in the new encoding
};

// The editor widget holds the text; this class holds everything about the
// file behind it. Every question and failure goes through the Prompter.
class TextDocument {
public:
    explicit TextDocument(Prompter& prompter);

    // Reads path and gives its text as UTF-8; the line end is the one most of
    // its lines have. With asNew false the path
    // becomes the document's, the modified flag is cleared and the stamp
    // recorded; with asNew true (a template) the document stays untitled and
    // is marked modified. On failure shows "打开文件[%s]失败！" with the
    // reason on a second line, and leaves the document as it was.
    // A given code page reads the file as ANSI text in it, whatever
    // detection would say; the document's own file, read again as ANSI,
    // keeps the code page it had.
    bool LoadFile(const QString& path, bool asNew, QByteArray& utf8Out, std::optional<CodePage> codePage = {});
    // The same load in two halves, for a read done elsewhere (off the UI
    // thread): what to read, then taking over what the read found, as
    // LoadFile does with its result, failure message included.
    Utf8ReadRequest ReadRequest(const QString& path, std::optional<CodePage> codePage = {}) const;
    bool AdoptRead(const QString& path, bool asNew, const Utf8ReadResult& read);

    // Before the file is read again as ANSI text in page: false when there
    // is no file or the user, asked because of unsaved edits, declines.
    bool AskToReopen(CodePage page);

    // Writes utf8Text in the document's encoding, atomically, to newPath (which
    // then becomes the document's path) or else to the stored path. False with
    // nothing written when there is no path, the user declines a lossy
    // save, or writing fails ("保存文件[%s]失败！" and the reason on a second
    // line; the file on disk is as before).
    bool SaveFile(const QByteArray& utf8Text, const QString& newPath = {});

    // The encoding command. A saved document asks first and is written at once
    // in the new encoding; the text never changes.
    EncodingChange SetEncoding(TextEncoding encoding, const QByteArray& currentText);
    // The same for ANSI in another code page.
    EncodingChange ConvertToCodePage(CodePage page, const QByteArray& currentText);

    // Compares the file with the recorded stamp and asks the user what to do.
    // On ReloadWanted the caller reads the file again (LoadFile, or
    // ReadRequest and AdoptRead); when that fails the text stays, modified.
    ExternalChange AskAboutExternalChange();

    const QString& Path() const { return m_path; }
    bool HasPath() const { return !m_path.isEmpty(); }
    TextEncoding Encoding() const { return m_encoding; }
    CodePage Page() const { return m_codePage; }
    // "ANSI (Windows-1252)" and the like.
    QString EncodingText() const { return EncodingName(m_encoding, m_codePage); }
    // What Enter and pasted text end lines with; CR LF until a file says otherwise.
    LineEnd LineEnding() const { return m_lineEnd; }
    void SetLineEnding(LineEnd lineEnd) { m_lineEnd = lineEnd; }
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }
    bool HasStamp() const { return m_stamp.has_value(); }

private:
    // The message's second line gives the system's reason, in the user's language where it has one.
    void ShowFailure(const char* format, const QString& path, const QString& reason);
    EncodingChange ChangeEncoding(TextEncoding encoding, CodePage page, const QByteArray& currentText);

    Prompter& m_prompter;
    QString m_path;
    TextEncoding m_encoding = TextEncoding::Ucs2LittleEndian;
    CodePage m_codePage = kDefaultCodePage;
    LineEnd m_lineEnd = LineEnd::CrLf;
    bool m_modified = false;
    std::optional<FileStamp> m_stamp;
};
