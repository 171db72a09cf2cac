// Wine's registry files (system.reg, user.reg) read as keys and values, and the difference of two readings.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <map>

// Key path (backslash-separated, root first, e.g. "HKLM\Software\Foo") to its
// values: name ("@" for the default value) to the data as the file writes it
// (`"text"`, `dword:00000001`, `hex:...`, `str(2):"..."`).
using RegistryKeys = std::map<QString, std::map<QString, QString>>;

enum class ChangeKind { Added, Changed, Removed };

// One key or value that differs; `value` is empty for a whole key and holds
// the name ("@" for the default value) otherwise.
struct RegistryChange {
    ChangeKind kind = ChangeKind::Added;
    QString key;
    QString value;
    QString data;  // the new data, or the old one for a removed value

    bool IsWholeKey() const { return value.isEmpty(); }
    // "HKLM\Software\Foo" or "HKLM\Software\Foo\Name".
    QString Path() const { return IsWholeKey() ? key : key + u'\\' + value; }
    bool operator==(const RegistryChange&) const = default;
};

// The keys of one wine registry file under `root`; every ancestor of a written
// key exists too, since wine leaves out keys that hold only subkeys. Timestamps
// and comments are not part of the reading.
RegistryKeys ParseWineRegistry(const QByteArray& text, const QString& root);

// What `after` adds, changes and removes against `before`: a new key is named
// by its values (or by itself when it holds none and has no new subkey), a
// removed key only at its topmost level. Wine's own churn on every start is
// left out.
QList<RegistryChange> DiffRegistry(const RegistryKeys& before, const RegistryKeys& after);

// The text of a quoted registry string with wine's escapes resolved; other
// data comes back as written.
QString RegistryDataText(const QString& data);
