// File and message helpers shared by the test folders.
#pragma once

#include "platform/prompter.h"

#include <QByteArray>
#include <QByteArrayList>
#include <QDir>
#include <QFile>
#include <QString>

#include <sys/stat.h>

#include <ostream>

inline bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// A marker instead of empty bytes, so that a lost file never passes for an empty one.
inline QByteArray ReadBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// The pieces that `bytes` does not contain, for one check of several: EXPECT_EQ(Lacking(...), QByteArrayList{}).
inline QByteArrayList Lacking(const QByteArray& bytes, const QByteArrayList& pieces) {
    QByteArrayList lacking;
    for (const QByteArray& piece : pieces) {
        if (!bytes.contains(piece))
            lacking << piece;
    }
    return lacking;
}

// Whether a process runs (a zombie counts as ended).
inline bool IsAlive(pid_t pid) {
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray text = stat.readAll();
    const qsizetype close = text.lastIndexOf(')');
    return close >= 0 && close + 2 < text.size() && text[close + 2] != 'Z';
}

// The process id a test script wrote with "echo $$ > file"; 0 until it is there.
inline pid_t WrittenPid(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return static_cast<pid_t>(file.readAll().trimmed().toInt());
}

// The names in a folder, hidden ones included.
inline QStringList FolderEntries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

inline bool WriteExecutable(const QString& path, const QByteArray& script) {
    return WriteBytes(path, script)
        && QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

// Permission bits as the system holds them, e.g. 0600.
inline unsigned UnixMode(const QString& path) {
    struct stat info {};
    return ::stat(QFile::encodeName(path).constData(), &info) == 0 ? info.st_mode & 07777 : 0;
}

inline QByteArray Utf16(const QString& text, bool bigEndian) {
    QByteArray bytes;
    for (QChar c : text) {
        const char hi = char(c.unicode() >> 8), lo = char(c.unicode() & 0xFF);
        bytes.append(bigEndian ? hi : lo);
        bytes.append(bigEndian ? lo : hi);
    }
    return bytes;
}

// Readable text instead of gtest's byte dumps when a comparison fails.
inline void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QByteArray& bytes, std::ostream* os) { *os << '"' << bytes.toStdString() << '"'; }

// Messages compare whole, so one expectation checks text, caption, icon and buttons.
inline bool operator==(const PromptMessage& a, const PromptMessage& b) {
    return a.text == b.text && a.caption == b.caption && a.icon == b.icon && a.buttons == b.buttons;
}
inline void PrintTo(const PromptMessage& m, std::ostream* os) {
    *os << "{" << m.text.toStdString() << " | " << m.caption.toStdString() << " | icon " << int(m.icon) << " | buttons "
        << int(m.buttons) << "}";
}
