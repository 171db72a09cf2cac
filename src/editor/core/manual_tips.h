// The texts the editor shows from the NSIS manual: hover tips, parameter help and completion notes.
#pragma once

#include "editor/core/command_help_reader.h"
#include "editor/core/manual_index.h"

#include <QByteArray>
#include <QByteArrayView>
#include <optional>

// Said once, on the first hover, when no manual is installed.
inline constexpr char kManualMissingNote[] = "NSIS 用户手册未安装：安装软件包 nsis-doc 后，这里会显示手册的说明。";

// A call tip and the byte range in it to highlight (none when start < 0).
struct ManualCallTip {
    QByteArray text;
    qsizetype highlightStart = -1;
    qsizetype highlightEnd = -1;
};

// The manual's section for the word at index in line, as a script writes it:
// "${GetParameters}", "nsDialogs::Create", ".onInit", "$INSTDIR", "File".
const ManualSection* ManualSectionAt(const ManualIndex& manual, QByteArrayView line, qsizetype index);

// The usage, the opening paragraph and where to read more.
QByteArray HoverTipText(const ManualSection& section);

// The usage of the line's keyword with the parameter being typed highlighted;
// the manual's usage when it has one, else the command help's. Nothing when
// the line's keyword is unknown or the caret is past its last parameter.
std::optional<ManualCallTip> ParameterTip(QByteArrayView lineToCaret, const ManualIndex& manual,
                                          const NsisTipsTable& tips);

// One line about a completion word; "" when neither source knows it.
QString CompletionNote(const QByteArray& word, const ManualIndex& manual, const NsisTipsTable& tips);
