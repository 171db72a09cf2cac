// ManualSection: what the NSIS manual says about one keyword, and where it says it.
#pragma once

#include <QDataStream>
#include <QList>
#include <QString>
#include <QUrl>

enum class ManualEntryKind {
    Command,
    Attribute,
    Callback,
    Variable,
    Constant,
    CompileTime,
    PluginFunction,
    HeaderMacro,
};

struct ManualParameter {
    QString name;         // "/r", "mb_option_list", "MB_OK"
    QString description;  // one line, may be empty
    bool operator==(const ManualParameter&) const = default;
};

struct ManualSection {
    QString name;  // as the manual spells it: "File", "!include", "$INSTDIR", "${GetParameters}", "nsDialogs::Create"
    ManualEntryKind kind = ManualEntryKind::Command;
    QString file;    // relative to the manual's folder: "Chapter4.html", "nsDialogs/Readme.html"
    QString anchor;  // "" for plain-text pages
    QString usage;   // the name and its parameters; lines joined by '\n'
    QList<ManualParameter> parameters;
    QString firstParagraph;
    QString example;
    bool operator==(const ManualSection&) const = default;
};

// The section's address in the manual under docFolder.
QUrl SectionUrl(const QString& docFolder, const ManualSection& section);

QDataStream& operator<<(QDataStream& out, const ManualSection& section);
QDataStream& operator>>(QDataStream& in, ManualSection& section);
