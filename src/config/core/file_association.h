// RegisterFileAssociation: makes the program the user's handler of NSIS scripts on an XDG desktop.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <utility>
#include <vector>

inline constexpr char kNsisMimeType[] = "text/x-nsis";
inline constexpr char kDesktopId[] = "scrivo.desktop";

// What is registered and where; all folders are the user's own.
struct AssociationRequest {
    QString executable;       // full path of the running program
    QString dataHome;         // $XDG_DATA_HOME
    QString configHome;       // $XDG_CONFIG_HOME
    QByteArray mimePackage;   // the shipped MIME type definition
    QByteArray desktopEntry;  // the shipped desktop entry, whose commands start "scrivo"
    // The program's icon: paths below icons/hicolor (e.g. "48x48/apps/scrivo.png") and their bytes.
    std::vector<std::pair<QString, QByteArray>> icons;
    // The desktops of $XDG_CURRENT_DESKTOP in lower case: their own lists take precedence.
    QStringList desktops;
};

// The steps in the order they run; each failure is named to the user.
enum class AssociationStep { MimeType, Icon, DesktopEntry, DefaultApplication, MimeCache, DesktopCache };

struct AssociationResult {
    std::vector<AssociationStep> failed;
    // A desktop's own list (path) that still names another default, which then wins; empty when none.
    QString overriddenBy;
    QByteArray otherDefault;

    bool Succeeded() const { return failed.empty(); }
};

// Writes every file and refreshes the caches; a failed step does not stop the
// steps after it. The same request always leaves the same files.
AssociationResult RegisterFileAssociation(const AssociationRequest& request);

// The shipped desktop entry with its commands starting the program at executable.
QByteArray DesktopEntryFor(const QByteArray& shipped, const QString& executable);
// One argument of a desktop entry's Exec key, quoted and escaped for any path.
QString ExecArgument(const QString& argument);
// mimeapps.list with desktopId as the default application of mimeType; every other byte kept as it was.
QByteArray WithDefaultApplication(const QByteArray& mimeApps, const QByteArray& mimeType, const QByteArray& desktopId);
// The first default application that mimeapps.list names for mimeType; empty when it names none.
QByteArray DefaultApplicationIn(const QByteArray& mimeApps, const QByteArray& mimeType);
