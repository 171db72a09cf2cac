// Which commands are enabled and checked for the frame's current document, and the status bar texts.
#include "app/core/command_states.h"

#include "app/core/command_ids.h"

using namespace Qt::StringLiterals;

const std::array<int, 38>& DocumentCommands() {
    using namespace Cmd;
    static const std::array<int, 38> ids = {Reload,
                                            Save,
                                            SaveAs,
                                            SaveAll,
                                            Close,
                                            CloseAll,
                                            CloseOthers,
                                            Undo,
                                            Redo,
                                            Copy,
                                            Cut,
                                            Paste,
                                            Delete,
                                            SelectAll,
                                            Comment,
                                            Uncomment,
                                            InsertColour,
                                            InsertFileName,
                                            UpperCase,
                                            LowerCase,
                                            InvertCase,
                                            QuoteSelection,
                                            Find,
                                            FindNext,
                                            FindPrevious,
                                            Replace,
                                            GoToLine,
                                            Compile,
                                            CompileRun,
                                            OpenFolder,
                                            StopCompile,
                                            RunInstaller,
                                            EncodingAnsi,
                                            EncodingUtf8NoBom,
                                            EncodingUtf8,
                                            EncodingUcs2Be,
                                            EncodingUcs2Le,
                                            InsertStatistics};
    return ids;
}

CommandStates ComputeCommandStates(const std::optional<DocumentState>& document, bool compiling) {
    using namespace Cmd;
    CommandStates states;
    if (!document) {
        for (int id : DocumentCommands())
            states.enabled.emplace_back(id, false);
        for (int i = 0; i < kCodePageCount; ++i) {
            states.enabled.emplace_back(Cmd::ReopenCodePageFirst + i, false);
            states.enabled.emplace_back(Cmd::ConvertCodePageFirst + i, false);
        }
        return states;
    }
    const DocumentState& d = *document;
    for (int id : {SaveAs,       Close,          CloseAll,       CloseOthers,
                   Comment,      Uncomment,      InsertColour,   InsertFileName,
                   SelectAll,    Find,           FindNext,       FindPrevious,
                   Replace,      GoToLine,       EncodingAnsi,   EncodingUtf8NoBom,
                   EncodingUtf8, EncodingUcs2Be, EncodingUcs2Le, InsertStatistics})
        states.enabled.emplace_back(id, true);
    states.enabled.emplace_back(Reload, d.modified && d.hasPath);
    states.enabled.emplace_back(Save, d.modified);
    states.enabled.emplace_back(SaveAll, d.anyModified);
    states.enabled.emplace_back(Undo, d.canUndo);
    states.enabled.emplace_back(Redo, d.canRedo);
    states.enabled.emplace_back(Paste, d.canPaste);
    for (int id : {Copy, Cut, Delete, UpperCase, LowerCase, InvertCase, QuoteSelection})
        states.enabled.emplace_back(id, d.hasSelection);
    // A document never saved is compiled through Save as first.
    const bool compilable = !compiling && (!d.hasPath || (d.fileExists && d.isNsiScript));
    for (int id : {Compile, CompileRun, OpenFolder})
        states.enabled.emplace_back(id, compilable);
    states.enabled.emplace_back(StopCompile, compiling);
    states.enabled.emplace_back(RunInstaller, !compiling && d.installerExists);
    states.checkedEncoding = EncodingCommand(d.encoding);
    for (int i = 0; i < kCodePageCount; ++i) {
        // Only a file can be read again.
        states.enabled.emplace_back(Cmd::ReopenCodePageFirst + i, d.fileExists);
        states.enabled.emplace_back(Cmd::ConvertCodePageFirst + i, true);
    }
    return states;
}

int EncodingCommand(TextEncoding encoding) {
    switch (encoding) {
    case TextEncoding::Ansi:
    case TextEncoding::SevenBit: return Cmd::EncodingAnsi;
    case TextEncoding::Utf8NoBom: return Cmd::EncodingUtf8NoBom;
    case TextEncoding::Utf8: return Cmd::EncodingUtf8;
    case TextEncoding::Ucs2BigEndian:
    case TextEncoding::Ucs2BigEndianNoBom: return Cmd::EncodingUcs2Be;
    case TextEncoding::Ucs2LittleEndian:
    case TextEncoding::Ucs2LittleEndianNoBom: return Cmd::EncodingUcs2Le;
    }
    return Cmd::EncodingUcs2Le;
}

std::optional<TextEncoding> EncodingOfCommand(int id) {
    switch (id) {
    case Cmd::EncodingAnsi: return TextEncoding::SevenBit;
    case Cmd::EncodingUtf8NoBom: return TextEncoding::Utf8NoBom;
    case Cmd::EncodingUtf8: return TextEncoding::Utf8;
    case Cmd::EncodingUcs2Be: return TextEncoding::Ucs2BigEndian;
    case Cmd::EncodingUcs2Le: return TextEncoding::Ucs2LittleEndian;
    default: return std::nullopt;
    }
}

QString SignInStatusText(bool signedIn) { return signedIn ? u"状态:已登录"_s : u"状态:未登录"_s; }

QString CaretStatusText(long line, long column, long selectionLength) {
    return QString::asprintf("行 : %ld,  列 : %ld,  选择 : %ld", line, column, selectionLength);
}

QString CountStatusText(long lines, long length) { return QString::asprintf("共 %ld 行, %ld 字符", lines, length); }

QString OvertypeStatusText(bool overtype) { return overtype ? u"覆盖"_s : u"插入"_s; }

QString IdleStatusText() { return u"完成"_s; }
